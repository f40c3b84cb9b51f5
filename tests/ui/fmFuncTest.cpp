// The transfer-function window on a real animated mechanism: what it shows when opened, the
// cursor that moves the mechanism, highlight and colour of a series, zoom, typed limits,
// scrolling, and what the settings reach.
#include "ui/fmFunc.h"
#include "files/ApplyPreferences.h"
#include "files/uFileManager.h"
#include "gear/uGear.h"
#include "platform/FormatNumber.h"
#include "platform/Random.h"
#include "support/BuilderChecks.h"
#include "support/NamedMechanisms.h"
#include "support/PreferencesFixture.h"
#include "support/QtSurfaceRig.h"
#include "surface/MMCoord.h"
#include "surface/MMIntervalLine.h"
#include "ui/ColorBox.h"
#include "ui/ModalSeam.h"
#include "ui/fDiagram.h"
#include "ui/fmColorSelect.h"
#include "ui/fmCoordRect.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr double Pi = std::numbers::pi;

std::vector<double> FullTurn(int Positions) {
    std::vector<double> V;
    for (int I = 0; I < Positions; ++I)
        V.push_back(I * 2 * Pi / Positions);
    return V;
}

class FormFuncTest : public ::testing::Test {
protected:
    FormFuncTest() {
        Gear.SetMMSurface(Main.Surface.get());
        Gear.Clear();
        Build = std::make_unique<TCheckedBuilder>(Gear.GearData());
        Form.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&Form));
    }

    // The crank-rocker A0(0,0), crank at Degrees, coupler to B(24,28), rocker to B0(45,0),
    // turned at A0 through Values (radians from the drawing) and animated.
    void Animate(double Degrees, const std::vector<double>& Values) {
        const TCrankRocker M = BuildCrankRocker(*Build, nullptr, Degrees);
        A = M.A;
        Crank = M.Crank;
        SetDrive(M.Drive, Values);
    }
    // Crank A0(0,0)-A(0,10) and a coupler to a block on the frame guide y = 15, which it reaches
    // only while the crank stays within about 37 degrees of upright.
    void AnimateSliderOnHighGuide(const std::vector<double>& Values) {
        TJoint* A0 = Build->FrameJoint(0, 0);
        A = Build->Joint(0, 10);
        Crank = Build->Link({A0, A});
        TLink* Guide = Build->Link({Build->FrameJoint(-50, 15), Build->FrameJoint(50, 15)});
        TSlider* Block = Build->Slider(Guide, 5, 15);
        Build->Link({A, TMechanismBuilder::Pin(Block)});
        SetDrive(Gear.GearData().AddRotaryDrive(A0, true), Values);
    }
    void SetDrive(TDrive* Drive, const std::vector<double>& Values) {
        Drive->SetIntervals(static_cast<int>(Values.size()));
        for (std::size_t I = 0; I < Values.size(); ++I)
            Drive->SetValue(static_cast<int>(I), Values[I]);
        Gear.SetEditing(false);
        ASSERT_TRUE(Gear.Animating());
        Form.UpdateData();
    }

    TMMSurface& Plot() { return Form.FFuncDiagram1()->MMSurface(); }
    QListWidget& YList() { return *Form.clbYAxis(); }
    int Row(const std::string& Text) {
        const QList<QListWidgetItem*> Found =
            YList().findItems(QString::fromStdString(Text), Qt::MatchExactly);
        EXPECT_EQ(Found.size(), 1) << Text;
        return Found.isEmpty() ? -1 : YList().row(Found.front());
    }
    void Check(const std::string& Text) { YList().item(Row(Text))->setCheckState(Qt::Checked); }
    void ChooseX(const std::string& Text) {
        Form.cbXAxis()->setCurrentIndex(Form.cbXAxis()->findText(QString::fromStdString(Text)));
    }
    std::string CrankAngle() const { return "[Winkel] Phi " + std::to_string(Crank->ID()) + "/1"; }
    // x from 0 at a power of two pixels per unit, so that pixels and world x match exactly.
    void ExactX(double PixelsPerUnit) {
        Plot().SetMMRect(
            MMRect(0, Plot().YMax(), Plot().GetPixelWidth() / PixelsPerUnit, Plot().YMin()));
    }
    void MouseAt(double X, double Y = 0) {
        QWidget* Box = Form.FFuncDiagram1()->PaintBox1();
        const QPoint P(Plot().MMToPixelX(X, true), Plot().MMToPixelY(Y, true));
        QMouseEvent Move(QEvent::MouseMove, P, Box->mapToGlobal(P), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(Box, &Move);
    }
    std::string Status() const { return Form.StatusText()->text().toStdString(); }
    // The joints stand where row Index of the cache puts them.
    void ExpectJointsInRow(int Index) {
        const TGearData& D = Gear.GearData();
        const TCacheRow R = Gear.GearCache().Row(Index);
        for (int J = 0; J < D.Joints().Count(); ++J)
            EXPECT_EQ(D.Joints().Items(J)->Position(), R.Joints()[static_cast<std::size_t>(J)])
                << "joint " << J << " in row " << Index;
    }
    void ExpectView(double XMin, double XMax, double YMin, double YMax) {
        EXPECT_NEAR(Plot().XMin(), XMin, 1e-9);
        EXPECT_NEAR(Plot().XMax(), XMax, 1e-9);
        EXPECT_NEAR(Plot().YMin(), YMin, 1e-9);
        EXPECT_NEAR(Plot().YMax(), YMax, 1e-9);
    }

    TQtSurfaceRig<> Main{400, 300, MMRect(-50, 100, 100, -50), true};
    TPreferencesFixture Prefs;
    TGear Gear{nullptr, [](TGearData& D) { return std::make_unique<TFileManager>(D); }};
    std::unique_ptr<TCheckedBuilder> Build;
    TJoint* A = nullptr;
    TLink* Crank = nullptr;
    TFormFunc Form{Gear};
};

TEST_F(FormFuncTest, IsLaidOutAsDesigned) {
    EXPECT_EQ(Form.windowTitle().toStdString(), "Übertragungsfunktionen");
    EXPECT_EQ(Form.size(), QSize(620, 380));
    EXPECT_EQ(Form.findChild<QWidget*>("Panel1")->width(), 161);
    EXPECT_EQ(YList().toolTip().toStdString(), "Doppelklick um Farbe zu ändern");
    EXPECT_EQ(Form.Button1()->text().toStdString(), "Eingeben...");
    for (QToolButton* B :
         {Form.SpeedButton1(), Form.SpeedButton2(), Form.SpeedButton3(), Form.SpeedButton4()}) {
        EXPECT_EQ(B->iconSize(), QSize(16, 16));
        EXPECT_FALSE(B->icon().pixmap(16, 16).isNull());
    }
    std::vector<std::string> Groups;
    for (const QGroupBox* G : Form.findChild<QWidget*>("Panel1")->findChildren<QGroupBox*>())
        Groups.push_back(G->title().toStdString());
    EXPECT_EQ(Groups, (std::vector<std::string>{"X-Achse", "Y-Achse", "Koordinaten"}));
    const TMMIntervalLine& Line = Form.IntervalLine();
    EXPECT_EQ(Line.Order(), 1000);
    EXPECT_FALSE(Line.Visible());
    EXPECT_EQ(Line.MMSurface(), &Plot());
    EXPECT_EQ(Form.FormCoordRect().windowTitle().toStdString(), "Koordinatenausschnitt eingeben");
    EXPECT_EQ(Form.FormColorSelect().windowTitle().toStdString(), "Farbe wählen");
}

TEST_F(FormFuncTest, OpensWithGstAndNothingCheckedAndReturnsToPositionZeroAfterwards) {
    Animate(90, FullTurn(36));
    Gear.GearCache().ApplyPosition(7);
    Check("GST");
    int Shown = 0;
    TScopedModalRunner Runner([&](QDialog& D) {
        ++Shown;
        EXPECT_EQ(&D, &Form);
        EXPECT_EQ(Form.cbXAxis()->currentText().toStdString(), "GST");
        EXPECT_EQ(YList().count(), 5);
        for (int I = 0; I < YList().count(); ++I)
            EXPECT_EQ(YList().item(I)->checkState(), Qt::Unchecked);
        EXPECT_EQ(Form.FFuncDiagram1()->MMDiagram().Series().Count(), 0);
        EXPECT_EQ(Form.FFuncDiagram1()->MMCoord1().XLabel(), "GST");
        EXPECT_EQ(Form.FFuncDiagram1()->MMCoord1().YLabel(), "");
        ExpectView(1, 360, 0, 360);
        ExpectJointsInRow(0);
        // The mouse moves the mechanism while the window is open.
        Check("GST");
        ExactX(8);
        MouseAt(5.4);
        ExpectJointsInRow(4);
        return int(QDialog::Rejected);
    });
    Form.Execute();
    EXPECT_EQ(Shown, 1);
    EXPECT_EQ(Gear.Animator().ActualGearPosition(), 0);
    ExpectJointsInRow(0);
}

TEST_F(FormFuncTest, TheCursorSelectsThePositionWithTheSmallerXAndStandsAtTheRoundedMouseX) {
    Animate(90, FullTurn(36));
    Check("GST");
    ExactX(8);
    struct TCase {
        double X;
        const char* Status; // nullptr: no line, empty status
        int Line;
    };
    const TCase Cases[] = {
        {5.4, "Getriebestellung 5", 5},
        {5.6, "Getriebestellung 5", 6},
        {36, "Getriebestellung 35", 36},
        {36.5, nullptr, 0},
        {0.5, nullptr, 0},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.X);
        MouseAt(C.X, 12.25);
        if (!C.Status) {
            EXPECT_FALSE(Form.IntervalLine().Visible());
            EXPECT_EQ(Status(), "");
            continue;
        }
        EXPECT_TRUE(Form.IntervalLine().Visible());
        EXPECT_EQ(Form.IntervalLine().Position(), C.Line);
        const double Y = Plot().PixelToMMY(Plot().MMToPixelY(12.25, true), true);
        EXPECT_EQ(Status(), C.Status + std::string(" - y=") + FormatFixed(Y, 2, 5));
        ExpectJointsInRow(std::stoi(C.Status + 17) - 1);
    }
}

TEST_F(FormFuncTest, AFallingXIsFoundByTheBackwardScan) {
    std::vector<double> Falling;
    for (int I = 0; I < 10; ++I)
        Falling.push_back(-I * 10 * Pi / 180);
    Animate(90, Falling);
    ChooseX("[Antrieb] Phi 2/1");
    Check("GST");
    EXPECT_EQ(Form.FFuncDiagram1()->MMCoord1().XLabel(), "Grad");
    const double X0 = Form.GetItemSerie(0)->GetElement(0).X();
    ASSERT_NEAR(std::abs(X0), 90, 1e-9);
    Plot().SetMMRect(
        MMRect(X0 - 128, Plot().YMax(), X0 - 128 + Plot().GetPixelWidth() / 2.0, Plot().YMin()));
    MouseAt(X0 - 15);
    EXPECT_EQ(Status().substr(0, 19), "Getriebestellung 3 ");
}

TEST_F(FormFuncTest, AGapInTheFirstSerieDoesNotShiftThePositions) {
    Animate(275, FullTurn(36));
    Check(CrankAngle());
    const TMMDataSerie& First = *Form.GetItemSerie(Row(CrankAngle()));
    ASSERT_EQ(First.Count(), 37);
    EXPECT_FALSE(First.GetElement(9).Valid()) << "the gap after the 9th position";
    ExactX(8);
    MouseAt(12.5, 100);
    EXPECT_EQ(Status().substr(0, 20), "Getriebestellung 12 ");
    ExpectJointsInRow(11);
}

TEST_F(FormFuncTest, AWrappingXFormsNoPairAcrossItsJump) {
    Animate(35, FullTurn(36));
    ChooseX(CrankAngle());
    Check("GST");
    ExactX(1);
    MouseAt(200, 10);
    EXPECT_EQ(Status().substr(0, 20), "Getriebestellung 17 ");
    for (double Outside : {30.0, 358.0}) {
        MouseAt(Outside, 10);
        EXPECT_FALSE(Form.IntervalLine().Visible()) << Outside;
        EXPECT_EQ(Status(), "");
    }
}

TEST_F(FormFuncTest, AnUnsolvedPositionHidesTheLineAndLeavesTheMechanism) {
    AnimateSliderOnHighGuide({0, 0.3, 1.0, 0.3, 0});
    ASSERT_FALSE(Gear.GearCache().IsValidPosition(2));
    Check("GST");
    ExactX(64);
    MouseAt(2.5);
    EXPECT_TRUE(Form.IntervalLine().Visible());
    ExpectJointsInRow(1);
    MouseAt(3.5);
    EXPECT_FALSE(Form.IntervalLine().Visible());
    EXPECT_EQ(Status(), "");
    ExpectJointsInRow(1);
}

TEST_F(FormFuncTest, AClickHighlightsTheEntrysSerieOnly) {
    Animate(90, FullTurn(12));
    Check("GST");
    Check(CrankAngle());
    QWidget* View = YList().viewport();
    auto Click = [&](int Row) {
        QTest::mouseClick(View, Qt::LeftButton, {},
                          YList().visualItemRect(YList().item(Row)).center());
    };
    Click(Row(CrankAngle()));
    EXPECT_EQ(Form.GetItemSerie(0)->Width(), 1);
    EXPECT_EQ(Form.GetItemSerie(Row(CrankAngle()))->Width(), 2);
    EXPECT_EQ(YList().item(Row(CrankAngle()))->checkState(), Qt::Checked);
    Click(Row("[Antrieb] Phi 2/1"));
    EXPECT_EQ(Form.GetItemSerie(0)->Width(), 1);
    EXPECT_EQ(Form.GetItemSerie(Row(CrankAngle()))->Width(), 1);
}

TEST_F(FormFuncTest, ADoubleClickChoosesTheSeriesColourAndAnUncheckedEntryAsksNothing) {
    Animate(90, FullTurn(12));
    Check(CrankAngle());
    TMMDataSerie& Serie = *Form.GetItemSerie(Row(CrankAngle()));
    const TColor Before = Serie.Color();
    std::vector<TColor> Preset;
    int Answer = QDialog::Rejected;
    TScopedModalRunner Runner([&](QDialog& D) {
        EXPECT_EQ(&D, &Form.FormColorSelect());
        Preset.push_back(Form.FormColorSelect().cbColor()->Selected());
        Form.FormColorSelect().cbColor()->SetSelected(clBlue);
        return Answer;
    });
    QWidget* View = YList().viewport();
    // As a mouse sends it: a click, then the double click and its release.
    auto DoubleClick = [&](int Row) {
        const QPoint At = YList().visualItemRect(YList().item(Row)).center();
        QTest::mouseClick(View, Qt::LeftButton, {}, At);
        QTest::mouseDClick(View, Qt::LeftButton, {}, At);
        QTest::mouseRelease(View, Qt::LeftButton, {}, At);
    };
    DoubleClick(Row(CrankAngle()));
    ASSERT_EQ(Preset.size(), 1u);
    EXPECT_EQ(Serie.Color(), Before) << "cancelled";
    Answer = QDialog::Accepted;
    DoubleClick(Row(CrankAngle()));
    EXPECT_EQ(Serie.Color(), clBlue);
    DoubleClick(Row("GST"));
    EXPECT_EQ(Preset, (std::vector<TColor>{Before, Before}));
}

TEST_F(FormFuncTest, EachZoomButtonIsUndoneByTheOtherOfItsRow) {
    Animate(90, FullTurn(12));
    Check("GST");
    const TMMRect Start = Plot().ViewRect();
    const double W = Plot().XMax() - Plot().XMin();
    Form.SpeedButton1()->click();
    EXPECT_NEAR(Plot().XMin(), Start.Left - W / 4, 1e-9);
    EXPECT_NEAR(Plot().XMax(), Start.Right + W / 4, 1e-9);
    EXPECT_EQ(Plot().YMin(), Start.Bottom);
    Form.SpeedButton3()->click();
    ExpectView(Start.Left, Start.Right, Start.Bottom, Start.Top);
    Form.SpeedButton4()->click();
    Form.SpeedButton2()->click();
    ExpectView(Start.Left, Start.Right, Start.Bottom, Start.Top);
}

TEST_F(FormFuncTest, TypedLimitsApplyWhatConvertsAndKeepEachAxisTheRightWayRound) {
    Animate(90, FullTurn(12));
    Check("GST");
    Plot().SetMMRect(MMRect(2.5, 20.25, 11.5, -3.5));
    struct TCase {
        const char* Fields[4];
        int Answer;
        TMMRect Expected; // Left, Top, Right, Bottom
    };
    const TCase Cases[] = {
        {{"abc", "30", "-5", "50,5"}, QDialog::Accepted, MMRect(2.5, 50.5, 30, -5)},
        {{"1", "30", "-5", "50"}, QDialog::Rejected, MMRect(2.5, 20.25, 11.5, -3.5)},
        {{"40", "30", "-5", "1e999"}, QDialog::Accepted, MMRect(2.5, 20.25, 11.5, -5)},
        {{"12", "", "30", ""}, QDialog::Accepted, MMRect(2.5, 20.25, 11.5, -3.5)},
        {{"", "4.5", "", "-4"}, QDialog::Accepted, MMRect(2.5, 20.25, 4.5, -3.5)},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Fields[0]);
        Plot().SetMMRect(MMRect(2.5, 20.25, 11.5, -3.5));
        TFormCoordRect& Dialog = Form.FormCoordRect();
        TScopedModalRunner Runner([&](QDialog& D) {
            EXPECT_EQ(&D, &Dialog);
            EXPECT_EQ(Dialog.eGSTmin()->text().toStdString(), "2");
            EXPECT_EQ(Dialog.eGSTmax()->text().toStdString(), "12");
            EXPECT_EQ(Dialog.eYMin()->text().toStdString(), FormatFixed(-3.5, 3));
            EXPECT_EQ(Dialog.eYmax()->text().toStdString(), FormatFixed(20.25, 3));
            QLineEdit* Edits[] = {Dialog.eGSTmin(), Dialog.eGSTmax(), Dialog.eYMin(),
                                  Dialog.eYmax()};
            for (int I = 0; I < 4; ++I)
                Edits[I]->setText(QString::fromLatin1(C.Fields[I]));
            return C.Answer;
        });
        Form.Button1()->click();
        EXPECT_EQ(Plot().ViewRect(), C.Expected);
    }
}

TEST_F(FormFuncTest, TheScrollBarsPanByTheirChangeInPixels) {
    Animate(90, FullTurn(12));
    const TMMRect Start = Plot().ViewRect();
    const double ScaleX = Plot().ScaleX();
    const double ScaleY = Plot().ScaleY();
    QScrollBar* Horizontal = Form.FFuncDiagram1()->HorizScrollBar();
    ASSERT_EQ(Horizontal->value(), 200);
    Horizontal->setValue(190);
    EXPECT_NEAR(Plot().XMin(), Start.Left - 10 / ScaleX, 1e-9);
    EXPECT_NEAR(Plot().XMax(), Start.Right - 10 / ScaleX, 1e-9);
    Horizontal->setValue(200);
    EXPECT_NEAR(Plot().XMin(), Start.Left, 1e-9);
    QScrollBar* Vertical = Form.FFuncDiagram1()->VertScrollBar();
    Vertical->setValue(230);
    EXPECT_NEAR(Plot().YMin(), Start.Bottom - 30 / ScaleY, 1e-9);
    EXPECT_NEAR(Plot().YMax(), Start.Top - 30 / ScaleY, 1e-9);
}

TEST_F(FormFuncTest, TheSettingsReachTheFramesSurfaceGridAxesAndDiagram) {
    TApplyTargets Targets;
    Form.AddApplyTargets(Targets);
    TFFuncDiagram& Frame = *Form.FFuncDiagram1();
    EXPECT_EQ(Targets.Func.Surface, &Frame.MMSurface());
    EXPECT_EQ(Targets.Func.Grid, &Frame.MMGrid());
    EXPECT_EQ(Targets.Func.Coord, &Frame.MMCoord1());
    EXPECT_EQ(Targets.Diagram, &Frame.MMDiagram());
    EXPECT_EQ(Targets.Main.Surface, nullptr);
}

TEST_F(FormFuncTest, ShowsTwoSeriesAndTheCursorLine) {
    Animate(90, FullTurn(36));
    // Red, then blue, again and again.
    const int Channels[] = {7, 0, 0, 0, 0, 7};
    int Drawn = 0;
    TScopedRandomSource Scripted([&](int) { return Channels[Drawn++ % 6]; });
    ChooseX("GST");
    Check("GST");
    Check(CrankAngle());
    MouseAt(18.4, 100);
    ASSERT_TRUE(Form.IntervalLine().Visible());
    const QImage Shown = Form.grab().toImage();
    const QImage Plotted = Form.FFuncDiagram1()->PaintBox1()->grab().toImage();
    auto Count = [&Plotted](QColor C) {
        int N = 0;
        for (int Y = 0; Y < Plotted.height(); ++Y)
            for (int X = 0; X < Plotted.width(); ++X)
                N += Plotted.pixelColor(X, Y) == C;
        return N;
    };
    EXPECT_GT(Count(QColor(176, 64, 64)), 50) << "GST in red";
    EXPECT_GT(Count(QColor(64, 64, 176)), 50) << "the crank angle in blue";
    const int LineX = Plot().MMToPixelX(18, true);
    int Black = 0;
    for (int Y = 0; Y < Plotted.height(); ++Y)
        Black += Plotted.pixelColor(LineX, Y) == QColor(Qt::black);
    EXPECT_GT(Black, Plotted.height() / 3) << "the dash-dot-dot cursor";
    EXPECT_LT(Black, Plotted.height()) << "with its gaps";
    EXPECT_FALSE(Shown.isNull());
}

} // namespace
