// The drive dialog as users meet it: what it shows of a drive, what OK writes, what it refuses,
// the questions at a switch between "Linear" and "Tabelle", and the fill of table rows.
#include "ui/fmDriveEdit.h"

#include "gear/uGearLimits.h"
#include "support/FakePlatform.h"
#include "support/MechanismRigs.h"
#include "support/QtTestApp.h"
#include "ui/GuardedTabs.h"
#include "ui/ModalSeam.h"
#include "ui/fmDriveEditValues.h"
#include "ui/fmSelFill.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabBar>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr double Pi = std::numbers::pi;
constexpr double Deg = Pi / 180.0;
using TTexts = std::vector<std::string>;

const char* const SameLink =
    "Der Antrieb muss sich zwischen 2 unterschiedlichen Gliedern befinden.";
const char* const NoFrame =
    "Es sind nur Antriebe in Gestellpunkten möglich.\n\rBitte korrigieren Sie das.";
const char* const LeaveLinear =
    "Sie haben Änderungen vorgenommen.\n\rSollen diese Änderungen übernommen werden?";
const char* const LeaveTable = "Wenn Sie zu \"Linear\" wechseln gehen die selbst festgelegten "
                               "Daten aus der Tabelle verloren.\n\rWollen Sie fortfahren?";

std::string BadInput(const std::string& What) {
    return "Die Eingabe für " + What + " ist nicht zulässig.\n\rBitte korrigieren Sie das!";
}

// Everything of a drive that the dialog may write.
struct TDriveState {
    std::vector<double> Values;
    int Intervals;
    bool IsLinear;
    TCustomLink* Link0;
    TCustomLink* Link1;
    bool operator==(const TDriveState&) const = default;
};

void ExpectValues(const std::vector<double>& Actual, const std::vector<double>& Expected) {
    ASSERT_EQ(Actual.size(), Expected.size());
    for (std::size_t I = 0; I < Expected.size(); ++I)
        EXPECT_NEAR(Actual[I], Expected[I], 1e-9) << I;
}

TDriveState StateOf(const TDrive& D) {
    return {D.Values(), D.Intervals(), D.IsLinear(), D.Link0(), D.Link1()};
}

class DriveEdit : public ::testing::Test {
public:
    DriveEdit() {
        // A frame joint A with the frame, a crank at 30 degrees and a second bar; a slider
        // 12.5 mm from the reference joint of its slide link.
        A = Rig.FrameJoint(10, 10);
        Crank =
            Rig.Link({A, Rig.Joint(10 + 20 * std::cos(30 * Deg), 10 + 20 * std::sin(30 * Deg))});
        Crank->SetIdentifier("Kurbel");
        Bar = Rig.Link({A, Rig.Joint(40, 10)});
        Rotary = Rig.RotaryDrive(A);
        SlideLink = Rig.Link({Rig.FrameJoint(0, 50), Rig.Joint(100, 50)});
        SlideLink->SetIdentifier("Bahn");
        Slider = Rig.Slider(SlideLink, 12.5, 50);
        Slider->SetIdentifier("Stein");
        Sliding = Rig.SlidingDrive(Slider);
    }

    // Opens the drive as the main window does and runs Script while the dialog is up.
    bool Edit(TDrive& Drive, const std::function<void()>& Script) {
        Inside = Script;
        return Form.Edit(Drive);
    }

    TDriveValuesPage& Page(const TDrive& D) {
        return D.DriveType() == dtSliding ? *Form.Slide : *Form.Rotate;
    }
    TTexts Cells(const TDrive& D) {
        TTexts Texts;
        QTableWidget* Grid = Page(D).sgValues;
        for (int Row = 0; Row < Grid->rowCount(); ++Row)
            Texts.push_back(Grid->item(Row, 1)->text().toStdString());
        return Texts;
    }
    TTexts Numbers(const TDrive& D) {
        TTexts Texts;
        QTableWidget* Grid = Page(D).sgValues;
        for (int Row = 0; Row < Grid->rowCount(); ++Row)
            Texts.push_back(Grid->item(Row, 0)->text().toStdString());
        return Texts;
    }
    // Types into a cell's editor and commits it with Enter, as the user does.
    void TypeCell(const TDrive& D, int Row, const char* Text) {
        QTableWidget* Grid = Page(D).sgValues;
        Grid->setCurrentCell(Row, 1);
        Grid->editItem(Grid->item(Row, 1));
        auto* Editor = qobject_cast<QLineEdit*>(Grid->indexWidget(Grid->model()->index(Row, 1)));
        ASSERT_NE(Editor, nullptr);
        Editor->selectAll();
        QTest::keyClick(Editor, Qt::Key_Delete);
        QTest::keyClicks(Editor, QString::fromUtf8(Text));
        QTest::keyClick(Editor, Qt::Key_Return);
        // The delegate commits an Enter through the event queue.
        QCoreApplication::processEvents();
    }
    static void Type(QLineEdit* Field, const char* Text) {
        Field->selectAll();
        QTest::keyClicks(Field, QString::fromUtf8(Text));
    }
    void ChooseData(const TDrive& D, int PageIndex) {
        QTabBar* Bar = Page(D).pcData->TabBar();
        QTest::mouseClick(Bar, Qt::LeftButton, {}, Bar->tabRect(PageIndex).center());
    }
    int DataPage(const TDrive& D) { return Page(D).pcData->CurrentIndex(); }
    TTexts Asked() {
        TTexts Texts;
        for (const TAskedMessage& M : Messages.Asked)
            Texts.push_back(M.Text);
        return Texts;
    }
    void Answer(std::initializer_list<TModalResult> Answers) {
        Messages.Answers.assign(Answers.begin(), Answers.end());
    }
    QWidget* Focused() const { return Form.focusWidget(); }

    QApplication& App = QtTestApp();
    TModelRig Rig;
    // The rig's surface brings the platform that answers the messages.
    TScriptedMessages& Messages = Rig.Platform().Scripted();
    TJoint* A;
    TLink* Crank;
    TLink* Bar;
    TDrive* Rotary;
    TLink* SlideLink;
    TSlider* Slider;
    TDrive* Sliding;

    TFormSelFill SelFill;
    TFormDriveEdit Form{SelFill};
    std::function<void()> Inside;
    // What the user does in "Zeilen wählen"; unset: the fill is cancelled.
    std::function<int()> InFill;
    int FillsShown = 0;
    TScopedModalRunner Runner{[this](QDialog& Dialog) {
        if (&Dialog == &SelFill) {
            ++FillsShown;
            return InFill ? InFill() : int(QDialog::Rejected);
        }
        Dialog.show();
        // Active as a modal dialog is, so the focus moves as the user sees it.
        Dialog.activateWindow();
        QCoreApplication::processEvents();
        if (Inside)
            Inside();
        const int Result = Dialog.result();
        Dialog.hide();
        return Result;
    }};
};

// With the positions of the other drives, no more than all drives together may hold is taken: the
// count is refused with its field's message and the drive stays as it was.
TEST_F(DriveEdit, TheCountIsRefusedWhereAllDrivesTogetherWouldPassTheirBound) {
    Form.OtherDrivesIntervals = [](const TDrive&) { return MaxDriveValues - 10LL; };
    for (TDrive* Drive : {Rotary, Sliding})
        for (int Count : {11, 10}) {
            SCOPED_TRACE(Count);
            Drive->SetIntervals(2);
            Messages.Asked.clear();
            const bool Accepted = Edit(*Drive, [&] {
                Page(*Drive).seIntervals->setValue(Count);
                Form.bbtnOK->click();
                if (Count == 11) {
                    EXPECT_EQ(Focused(), Page(*Drive).seIntervals);
                    Form.bbtnCancel->click();
                }
            });
            EXPECT_EQ(Accepted, Count == 10);
            EXPECT_EQ(Drive->Intervals(), Count == 10 ? 10 : 2);
            EXPECT_EQ(Asked(), Count == 10 ? TTexts{}
                                           : TTexts{"Die Eingabe für die Anzahl der Intervalle "
                                                    "ist nicht zulässig.\n\rBitte korrigieren "
                                                    "Sie das!"});
        }
}

TEST_F(DriveEdit, ShowsARotaryDriveWithItsLinksStartAndValues) {
    Rotary->SetIntervals(3);
    for (int I = 0; I < 3; ++I)
        Rotary->SetValue(I, I * 45 * Deg);
    EXPECT_FALSE(Edit(*Rotary, [&] {
        EXPECT_EQ(Form.windowTitle().toStdString(), "Antrieb - Eigenschaften");
        EXPECT_EQ(Form.pcDrive->currentWidget(), Form.tsRotate);
        EXPECT_EQ(Form.eJoint->text().toStdString(), A->GetDisplayText());
        ASSERT_EQ(Form.cbLink0->count(), 3);
        EXPECT_EQ(Form.cbLink0->itemText(0).toStdString(), "1 (Gestell)");
        EXPECT_EQ(Form.cbLink1->itemText(1).toStdString(),
                  std::to_string(Crank->ID()) + " (Kurbel)");
        EXPECT_EQ(Form.cbLink0->currentIndex(), 0);
        EXPECT_EQ(Form.cbLink1->currentIndex(), 1);
        EXPECT_EQ(Form.findChild<QLabel*>("lblRotaionAngle")->text().toStdString(), "30.000");
        EXPECT_EQ(Form.findChild<QLineEdit*>("eRotationAngle")->text().toStdString(), "90.000");
        EXPECT_EQ(Form.findChild<QSpinBox*>("seRotateIntervals")->value(), 3);
        EXPECT_EQ(DataPage(*Rotary), TDriveValuesPage::LinearPage);
        QTableWidget* Grid = Form.findChild<QTableWidget*>("sgValues");
        EXPECT_EQ(Grid->horizontalHeaderItem(0)->text().toStdString(), "Interval");
        EXPECT_EQ(Grid->horizontalHeaderItem(1)->text().toStdString(), "[Grad]");
        EXPECT_EQ(Numbers(*Rotary), (TTexts{"1", "2", "3"}));
        EXPECT_EQ(Cells(*Rotary), (TTexts{"30.000", "75.000", "120.000"}));
        Form.bbtnCancel->click();
    }));
}

TEST_F(DriveEdit, ShowsASlidingDriveInMillimetres) {
    Sliding->SetIntervals(2);
    Sliding->SetValue(0, 0);
    Sliding->SetValue(1, 2 * Pi * 1000);
    Sliding->SetIsLinear(false);
    Edit(*Sliding, [&] {
        EXPECT_EQ(Form.pcDrive->currentWidget(), Form.tsSlide);
        EXPECT_EQ(Form.eSlider->text().toStdString(), "Stein");
        EXPECT_EQ(Form.eLink->text().toStdString(), "Bahn");
        EXPECT_EQ(Form.eRefJoint->text().toStdString(),
                  std::to_string(SlideLink->ReferenceJoint()->ID()));
        EXPECT_EQ(Form.findChild<QLabel*>("lblSlideDistance")->text().toStdString(), "12.500");
        EXPECT_EQ(Form.findChild<QLineEdit*>("eSlideDistance")->text().toStdString(), "6.283");
        EXPECT_EQ(DataPage(*Sliding), TDriveValuesPage::TablePage);
        EXPECT_EQ(Form.findChild<QTableWidget*>("sgSlideValues")
                      ->horizontalHeaderItem(1)
                      ->text()
                      .toStdString(),
                  "[mm]");
        EXPECT_EQ(Cells(*Sliding), (TTexts{"12.500", "18.783"}));
    });
}

TEST_F(DriveEdit, ShowsAFullTurnAs360AndNoPositionsAsZero) {
    Rotary->SetIntervals(4);
    Rotary->SetValue(3, 2 * Pi);
    Edit(*Rotary, [&] { EXPECT_EQ(Form.Rotate->eTotal->text().toStdString(), "360.000"); });
    Rotary->SetIntervals(0);
    Edit(*Rotary, [&] {
        EXPECT_EQ(Form.Rotate->eTotal->text().toStdString(), "0.000");
        EXPECT_EQ(Form.Rotate->sgValues->rowCount(), 0);
    });
}

// What OK writes, for both kinds and both ways of entering values.
struct TWriteCase {
    const char* Name;
    bool Sliding;
    bool Linear;
    int Count;
    const char* Total; // typed on the linear page
    TTexts CellsTyped; // typed into rows 1.. on the table page
    std::vector<double> Expected;
};

std::vector<double> Ramp(int Count, double Step) {
    std::vector<double> Values;
    for (int I = 0; I < Count; ++I)
        Values.push_back(I * Step);
    return Values;
}

TEST_F(DriveEdit, OkWritesCountKindAndValues) {
    const TWriteCase Cases[] = {
        {"rotary linear", false, true, 10, "90", {}, Ramp(10, 10 * Deg)},
        {"rotary cell", false, false, 1, nullptr, {"45"}, {15 * Deg}},
        {"rotary cell, comma", false, false, 1, nullptr, {"45,0"}, {15 * Deg}},
        {"rotary cell, point", false, false, 1, nullptr, {"45.0"}, {15 * Deg}},
        {"rotary linear, one position", false, true, 1, "90", {}, {0.0}},
        {"sliding cell", true, false, 2, nullptr, {"20", "12.5"}, {7500, 0}},
        {"sliding linear", true, true, 6, "5", {}, Ramp(6, 1000)},
        {"sliding linear, one position", true, true, 1, "5", {}, {0.0}},
        {"sliding negative stroke", true, true, 3, "-4,5", {}, {0, -2250, -4500}},
    };
    for (const TWriteCase& C : Cases) {
        SCOPED_TRACE(C.Name);
        TDrive& Drive = C.Sliding ? *Sliding : *Rotary;
        Drive.SetIsLinear(!C.Linear); // the dialog must change it
        Messages.Asked.clear();
        EXPECT_TRUE(Edit(Drive, [&] {
            TDriveValuesPage& P = Page(Drive);
            P.pcData->SetCurrentIndexQuietly(C.Linear ? TDriveValuesPage::LinearPage
                                                      : TDriveValuesPage::TablePage);
            P.seIntervals->setValue(C.Count);
            if (C.Total)
                Type(P.eTotal, C.Total);
            for (std::size_t Row = 0; Row < C.CellsTyped.size(); ++Row)
                TypeCell(Drive, static_cast<int>(Row), C.CellsTyped[Row].c_str());
            Form.bbtnOK->click();
        }));
        EXPECT_TRUE(Asked().empty());
        EXPECT_EQ(Drive.Intervals(), C.Count);
        EXPECT_EQ(Drive.IsLinear(), C.Linear);
        ExpectValues(Drive.Values(), C.Expected);
    }
    // The linear rotary case as the table shows it afterwards.
    Rotary->SetIntervals(10);
    Rotary->SetIsLinear(true);
    Edit(*Rotary, [&] {
        Type(Form.Rotate->eTotal, "90");
        Form.bbtnOK->click();
    });
    Edit(*Rotary, [&] {
        EXPECT_EQ(Cells(*Rotary), (TTexts{"30.000", "40.000", "50.000", "60.000", "70.000",
                                          "80.000", "90.000", "100.000", "110.000", "120.000"}));
    });
}

// An emptied count is no whole number: it counts as 0 positions, on either page, not as the last
// count.
TEST_F(DriveEdit, AnEmptiedCountIsNoPositions) {
    for (TDrive* Drive : {Rotary, Sliding}) {
        SCOPED_TRACE(Drive == Rotary ? "rotary" : "sliding");
        Drive->SetIntervals(5);
        EXPECT_TRUE(Edit(*Drive, [&] {
            QSpinBox* Count = Page(*Drive).seIntervals;
            Count->setFocus();
            QTest::keyClick(Count, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(Count, Qt::Key_Backspace);
            ASSERT_EQ(Count->text().toStdString(), "");
            Type(Page(*Drive).eTotal, "90");
            // Enter takes the default button without leaving the field.
            Count->setFocus();
            QTest::keyClick(Count, Qt::Key_Return);
        }));
        EXPECT_EQ(Drive->Intervals(), 0);
    }
}

TEST_F(DriveEdit, UntouchedInputsKeepTheDrivesExactValues) {
    const std::vector<double> Exact{0.0, 0.123456789012345, -1.0 / 3.0};
    Rotary->SetIntervals(3);
    for (int I = 0; I < 3; ++I)
        Rotary->SetValue(I, Exact[static_cast<std::size_t>(I)]);
    Rotary->SetIsLinear(false);
    // The table shows only three decimals; OK without a touch does not read them back.
    EXPECT_TRUE(Edit(*Rotary, [&] { Form.bbtnOK->click(); }));
    EXPECT_EQ(Rotary->Values(), Exact);
    EXPECT_FALSE(Rotary->IsLinear());

    // On "Linear", the untouched total is the last value itself, not the "-19.099" shown.
    EXPECT_TRUE(Edit(*Rotary, [&] {
        Form.Rotate->pcData->SetCurrentIndexQuietly(TDriveValuesPage::LinearPage);
        Form.bbtnOK->click();
    }));
    EXPECT_EQ(Rotary->Values(), (std::vector<double>{0.0, -1.0 / 6.0, -1.0 / 3.0}));
    EXPECT_TRUE(Rotary->IsLinear());
}

TEST_F(DriveEdit, CountChangesTheTableButNotTheDrive) {
    Rotary->SetIntervals(5);
    Rotary->SetIsLinear(false);
    const TDriveState Before = StateOf(*Rotary);
    EXPECT_FALSE(Edit(*Rotary, [&] {
        TypeCell(*Rotary, 4, "77");
        QSpinBox* Count = Form.Rotate->seIntervals;
        Count->setValue(8);
        EXPECT_EQ(Numbers(*Rotary), (TTexts{"1", "2", "3", "4", "5", "6", "7", "8"}));
        EXPECT_EQ(Cells(*Rotary), (TTexts{"30.000", "30.000", "30.000", "30.000", "77", "0.000",
                                          "0.000", "0.000"}));
        Count->setValue(3);
        EXPECT_EQ(Cells(*Rotary), (TTexts{"30.000", "30.000", "30.000"}));
        // A count typed digit by digit takes effect when entered: "12" never cuts to one row.
        Count->findChild<QLineEdit*>()->selectAll();
        QTest::keyClicks(Count, "12");
        EXPECT_EQ(Form.Rotate->sgValues->rowCount(), 3);
        QTest::keyClick(Count, Qt::Key_Tab);
        Count->interpretText();
        EXPECT_EQ(Cells(*Rotary).size(), 12u);
        EXPECT_EQ(Cells(*Rotary)[2], "30.000");
        EXPECT_EQ(StateOf(*Rotary), Before);
        EXPECT_EQ(Count->maximum(), 99999);
        EXPECT_EQ(Count->minimum(), 0);
        Form.bbtnCancel->click();
    }));
    EXPECT_EQ(StateOf(*Rotary), Before);
}

TEST_F(DriveEdit, FillSpreadsValuesBetweenTheChosenRows) {
    struct TCase {
        const char* Name;
        int First, Last;
        const char* FirstValue;
        const char* LastValue;
        TTexts Expected;
    };
    const TCase Cases[] = {
        {"rows 1 to 5", 1, 5, "0", "40", {"0.000", "10.000", "20.000", "30.000", "40.000"}},
        {"neighbours", 1, 2, "0", "40", {"0.000", "40.000", "x", "x", "x"}},
        {"backwards", 5, 1, "0", "40", {"40.000", "30.000", "20.000", "10.000", "0.000"}},
        {"one row", 3, 3, "1", "2,5", {"x", "x", "2.500", "x", "x"}},
    };
    Rotary->SetIntervals(5);
    Rotary->SetIsLinear(false);
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Name);
        InFill = [&] {
            // What the dialog offers before the user chooses.
            EXPECT_EQ(SelFill.seFirst->value(), 1);
            EXPECT_EQ(SelFill.seLast->value(), 5);
            EXPECT_EQ(SelFill.seFirst->minimum(), 1);
            EXPECT_EQ(SelFill.seLast->maximum(), 5);
            EXPECT_EQ(SelFill.eFirstValue->text().toStdString(), "x");
            SelFill.seFirst->setValue(C.First);
            SelFill.seLast->setValue(C.Last);
            SelFill.eFirstValue->setText(C.FirstValue);
            SelFill.eLastValue->setText(C.LastValue);
            return int(QDialog::Accepted);
        };
        Edit(*Rotary, [&] {
            for (int Row = 0; Row < 5; ++Row)
                TypeCell(*Rotary, Row, "x");
            Form.Rotate->btnFill->click();
            EXPECT_EQ(Cells(*Rotary), C.Expected);
        });
    }
    EXPECT_EQ(FillsShown, 4);
    EXPECT_TRUE(Asked().empty());
}

TEST_F(DriveEdit, FillRefusesUnreadableValuesAndFillsNothing) {
    struct TCase {
        bool Sliding;
        const char* FirstValue;
        const char* LastValue;
        const char* Input;
    };
    const TCase Cases[] = {
        {false, "abc", "40", "den Winkel"},
        {true, "0", "", "die Strecke"},
        // Both readable, but the step between them is not a number.
        {true, "-1e308", "1e308", "die Strecke"},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.FirstValue);
        TDrive& Drive = C.Sliding ? *Sliding : *Rotary;
        Drive.SetIntervals(3);
        Drive.SetIsLinear(false);
        Messages.Asked.clear();
        InFill = [&] {
            SelFill.eFirstValue->setText(C.FirstValue);
            SelFill.eLastValue->setText(C.LastValue);
            return int(QDialog::Accepted);
        };
        const TDriveState Before = StateOf(Drive);
        Edit(Drive, [&] {
            const TTexts Shown = Cells(Drive);
            Page(Drive).btnFill->click();
            EXPECT_EQ(Cells(Drive), Shown);
            EXPECT_EQ(Asked(), (TTexts{BadInput(C.Input)}));
            // Nothing was filled, so leaving the table asks nothing.
            ChooseData(Drive, TDriveValuesPage::LinearPage);
            EXPECT_EQ(DataPage(Drive), TDriveValuesPage::LinearPage);
            EXPECT_EQ(Asked().size(), 1u);
        });
        EXPECT_EQ(StateOf(Drive), Before);
    }
}

TEST_F(DriveEdit, FillIsCancellableAndNeedsRows) {
    Rotary->SetIntervals(0);
    Rotary->SetIsLinear(false);
    Edit(*Rotary, [&] { Form.Rotate->btnFill->click(); });
    EXPECT_EQ(FillsShown, 0);

    Rotary->SetIntervals(2);
    Edit(*Rotary, [&] {
        Form.Rotate->btnFill->click(); // cancelled
        EXPECT_EQ(Cells(*Rotary), (TTexts{"30.000", "30.000"}));
        ChooseData(*Rotary, TDriveValuesPage::LinearPage);
        EXPECT_TRUE(Asked().empty());
    });
    EXPECT_EQ(FillsShown, 1);
}

TEST_F(DriveEdit, FilledRowsAreNotLostWithoutTheQuestion) {
    Rotary->SetIntervals(3);
    Rotary->SetIsLinear(false);
    InFill = [&] {
        SelFill.eFirstValue->setText("30");
        SelFill.eLastValue->setText("50");
        return int(QDialog::Accepted);
    };
    Answer({TModalResult::mrNo});
    const TDriveState Before = StateOf(*Rotary);
    Edit(*Rotary, [&] {
        Form.Rotate->btnFill->click();
        ChooseData(*Rotary, TDriveValuesPage::LinearPage);
        EXPECT_EQ(Asked(), (TTexts{LeaveTable}));
        EXPECT_EQ(DataPage(*Rotary), TDriveValuesPage::TablePage);
        Form.bbtnOK->click();
    });
    ExpectValues(Rotary->Values(), {0, 10 * Deg, 20 * Deg});
    EXPECT_NE(StateOf(*Rotary), Before);
}

// Each refusal keeps the dialog open with its inputs and the drive exactly as it was.
struct TRefusalCase {
    const char* Name;
    bool Sliding;
    std::function<void(DriveEdit&)> Do; // set up inside the open dialog
    std::string Message;
    const char* Focus;
    int SelectedRow = -1; // the grid's row that the refusal selects
};

class DriveEditRefusals : public DriveEdit {
public:
    void Check(const TRefusalCase& C) {
        SCOPED_TRACE(C.Name);
        TDrive& Drive = C.Sliding ? *Sliding : *Rotary;
        const TDriveState Before = StateOf(Drive);
        Messages.Asked.clear();
        EXPECT_FALSE(Edit(Drive, [&] {
            C.Do(*this);
            const TTexts Shown = Cells(Drive);
            const int Link0 = Form.cbLink0->currentIndex();
            const int Link1 = Form.cbLink1->currentIndex();
            Form.bbtnOK->click();
            EXPECT_TRUE(Form.isVisible());
            EXPECT_EQ(Asked(), (TTexts{C.Message}));
            ASSERT_NE(Focused(), nullptr);
            EXPECT_EQ(Focused()->objectName().toStdString(), C.Focus);
            if (C.SelectedRow >= 0) {
                EXPECT_EQ(Page(Drive).sgValues->currentRow(), C.SelectedRow);
            }
            EXPECT_EQ(Cells(Drive), Shown);
            EXPECT_EQ(Form.cbLink0->currentIndex(), Link0);
            EXPECT_EQ(Form.cbLink1->currentIndex(), Link1);
            EXPECT_EQ(StateOf(Drive), Before);
            Form.bbtnCancel->click();
        }));
        EXPECT_EQ(StateOf(Drive), Before);
    }

    static void Table(DriveEdit& T, TDrive& D) {
        T.Page(D).pcData->SetCurrentIndexQuietly(TDriveValuesPage::TablePage);
    }
};

TEST_F(DriveEditRefusals, LeaveTheDriveAsItWas) {
    const TRefusalCase Cases[] = {
        {"same link", false,
         [](DriveEdit& T) {
             T.Form.Rotate->seIntervals->setValue(7);
             T.Form.cbLink1->setCurrentIndex(0);
         },
         SameLink, "cbLink0"},
        {"no frame", false,
         [](DriveEdit& T) {
             T.Form.cbLink0->setCurrentIndex(2);
             T.Form.cbLink1->setCurrentIndex(1);
         },
         NoFrame, "cbLink0"},
        {"rotary total", false, [](DriveEdit& T) { Type(T.Form.Rotate->eTotal, "9O"); },
         BadInput("den Winkel"), "eRotationAngle"},
        {"rotary cell", false,
         [](DriveEdit& T) {
             Table(T, *T.Rotary);
             T.TypeCell(*T.Rotary, 3, "1..2");
             T.TypeCell(*T.Rotary, 0, "50");
         },
         BadInput("die Anzahl der Antriebsintervalle"), "sgValues", 3},
        {"sliding total", true, [](DriveEdit& T) { Type(T.Form.Slide->eTotal, "zwei"); },
         BadInput("die Schubstrecke"), "eSlideDistance"},
        {"sliding total beyond doubles", true,
         [](DriveEdit& T) { Type(T.Form.Slide->eTotal, "1e307"); }, BadInput("die Schubstrecke"),
         "eSlideDistance"},
        {"sliding cells", true,
         [](DriveEdit& T) {
             Table(T, *T.Sliding);
             // One message for all of them; the first is where the user starts.
             T.TypeCell(*T.Sliding, 1, "");
             T.TypeCell(*T.Sliding, 2, "x");
             T.TypeCell(*T.Sliding, 4, "13");
         },
         BadInput("die Strecke"), "sgSlideValues", 1},
        {"sliding cell beyond doubles", true,
         [](DriveEdit& T) {
             Table(T, *T.Sliding);
             T.TypeCell(*T.Sliding, 4, "1e306");
         },
         BadInput("die Strecke"), "sgSlideValues", 4},
    };
    Rotary->SetIntervals(5);
    Sliding->SetIntervals(5);
    for (const TRefusalCase& C : Cases)
        Check(C);
}

TEST_F(DriveEditRefusals, ALinkThatLeftTheJointIsNoChoice) {
    // The crank was separated from the drive joint: the drive still names it.
    Rotary->SetLink1(SlideLink);
    Check({"lost link", false, [](DriveEdit& T) { EXPECT_EQ(T.Form.cbLink1->currentIndex(), -1); },
           SameLink, "cbLink1"});
    // Choosing links again makes it good.
    EXPECT_TRUE(Edit(*Rotary, [&] {
        Form.cbLink1->setCurrentIndex(2);
        Form.bbtnOK->click();
    }));
    EXPECT_EQ(Rotary->Link1(), Bar);
}

TEST_F(DriveEdit, OkWritesTheChosenLinks) {
    EXPECT_TRUE(Edit(*Rotary, [&] {
        Form.cbLink0->setCurrentIndex(2);
        Form.cbLink1->setCurrentIndex(0);
        Form.bbtnOK->click();
    }));
    EXPECT_EQ(Rotary->Link0(), Bar);
    EXPECT_EQ(Rotary->Link1(), Rig.D().Rack());
}

// Switches between "Linear" and "Tabelle", on both kinds of drive.
class DriveEditSwitch : public DriveEdit, public ::testing::WithParamInterface<bool> {
protected:
    TDrive& Drive() { return GetParam() ? *Sliding : *Rotary; }
    TDriveValuesPage& P() { return Page(Drive()); }
    double Start() const { return GetParam() ? 12.5 : 30.0; }
    double Units() const { return GetParam() ? 1000.0 : Deg; }
};

INSTANTIATE_TEST_SUITE_P(BothKinds, DriveEditSwitch, ::testing::Bool());

TEST_P(DriveEditSwitch, EditedTableAndNoStaysOnTheTable) {
    Drive().SetIntervals(3);
    Drive().SetIsLinear(false);
    const TDriveState Before = StateOf(Drive());
    Answer({TModalResult::mrNo});
    EXPECT_FALSE(Edit(Drive(), [&] {
        TypeCell(Drive(), 1, "40");
        ChooseData(Drive(), TDriveValuesPage::LinearPage);
        EXPECT_EQ(Asked(), (TTexts{LeaveTable}));
        EXPECT_EQ(DataPage(Drive()), TDriveValuesPage::TablePage);
        EXPECT_EQ(P().pcData->TabBar()->currentIndex(), TDriveValuesPage::TablePage);
        EXPECT_EQ(Cells(Drive())[1], "40");
        Form.bbtnCancel->click();
    }));
    EXPECT_EQ(StateOf(Drive()), Before);
}

TEST_P(DriveEditSwitch, EditedTableAndYesWritesAtOnce) {
    Drive().SetIntervals(3);
    Drive().SetIsLinear(false);
    Answer({TModalResult::mrYes});
    EXPECT_FALSE(Edit(Drive(), [&] {
        TypeCell(Drive(), 2, "40");
        ChooseData(Drive(), TDriveValuesPage::LinearPage);
        EXPECT_EQ(DataPage(Drive()), TDriveValuesPage::LinearPage);
        ExpectValues(Drive().Values(), {0, 0, (40 - Start()) * Units()});
        EXPECT_FALSE(Drive().IsLinear());
        // The total shown is the one the table ended with.
        EXPECT_EQ(P().eTotal->text().toStdString(), GetParam() ? "27.500" : "10.000");
        // Nothing is left unsaved: back and forth asks nothing more.
        ChooseData(Drive(), TDriveValuesPage::TablePage);
        ChooseData(Drive(), TDriveValuesPage::LinearPage);
        EXPECT_EQ(Asked().size(), 1u);
        Form.bbtnCancel->click();
    }));
    // "Abbrechen" does not take back what "Ja" wrote.
    EXPECT_NEAR(Drive().Values().back(), (40 - Start()) * Units(), 1e-9);
}

TEST_P(DriveEditSwitch, EditedTableAndARefusedYesKeepsTheTable) {
    Drive().SetIntervals(3);
    Drive().SetIsLinear(false);
    const TDriveState Before = StateOf(Drive());
    Answer({TModalResult::mrYes, TModalResult::mrOk});
    Edit(Drive(), [&] {
        TypeCell(Drive(), 0, "44");
        TypeCell(Drive(), 2, "vier");
        ChooseData(Drive(), TDriveValuesPage::LinearPage);
        EXPECT_EQ(Asked().size(), 2u);
        EXPECT_EQ(DataPage(Drive()), TDriveValuesPage::TablePage);
        EXPECT_EQ(P().pcData->TabBar()->currentIndex(), TDriveValuesPage::TablePage);
        EXPECT_EQ(Cells(Drive())[0], "44");
        EXPECT_EQ(Cells(Drive())[2], "vier");
        EXPECT_EQ(Focused(), P().sgValues);
        EXPECT_TRUE(P().TableEdited());
    });
    EXPECT_EQ(StateOf(Drive()), Before);
}

TEST_P(DriveEditSwitch, EditedTotalAndYesShowsTheSpreadInTheTable) {
    Drive().SetIntervals(3);
    Answer({TModalResult::mrYes});
    Edit(Drive(), [&] {
        Type(P().eTotal, "20");
        ChooseData(Drive(), TDriveValuesPage::TablePage);
        EXPECT_EQ(Asked(), (TTexts{LeaveLinear}));
        EXPECT_EQ(DataPage(Drive()), TDriveValuesPage::TablePage);
        EXPECT_TRUE(Drive().IsLinear());
        EXPECT_DOUBLE_EQ(Drive().Values().back(), 20 * Units());
        EXPECT_EQ(Cells(Drive()), (GetParam() ? TTexts{"12.500", "22.500", "32.500"}
                                              : TTexts{"30.000", "40.000", "50.000"}));
        ChooseData(Drive(), TDriveValuesPage::LinearPage);
        ChooseData(Drive(), TDriveValuesPage::TablePage);
        EXPECT_EQ(Asked().size(), 1u);
    });
}

TEST_P(DriveEditSwitch, EditedTotalAndNoSwitchesAndAsksAgain) {
    Drive().SetIntervals(3);
    const TDriveState Before = StateOf(Drive());
    Answer({TModalResult::mrNo, TModalResult::mrNo});
    Edit(Drive(), [&] {
        Type(P().eTotal, "20");
        ChooseData(Drive(), TDriveValuesPage::TablePage);
        EXPECT_EQ(DataPage(Drive()), TDriveValuesPage::TablePage);
        EXPECT_EQ(StateOf(Drive()), Before);
        ChooseData(Drive(), TDriveValuesPage::LinearPage);
        ChooseData(Drive(), TDriveValuesPage::TablePage);
        EXPECT_EQ(Asked(), (TTexts{LeaveLinear, LeaveLinear}));
    });
    EXPECT_EQ(StateOf(Drive()), Before);
}

TEST_P(DriveEditSwitch, EditedTotalAndARefusedYesStaysOnLinear) {
    Drive().SetIntervals(3);
    const TDriveState Before = StateOf(Drive());
    Answer({TModalResult::mrYes, TModalResult::mrOk});
    Edit(Drive(), [&] {
        Type(P().eTotal, "1,2,3");
        ChooseData(Drive(), TDriveValuesPage::TablePage);
        EXPECT_EQ(Asked().size(), 2u);
        EXPECT_EQ(DataPage(Drive()), TDriveValuesPage::LinearPage);
        EXPECT_EQ(Focused(), P().eTotal);
        EXPECT_EQ(P().eTotal->text().toStdString(), "1,2,3");
    });
    EXPECT_EQ(StateOf(Drive()), Before);
}

TEST_F(DriveEdit, ShowingTheNextDriveAsksNothing) {
    Rotary->SetIsLinear(false);
    Sliding->SetIsLinear(false);
    EXPECT_FALSE(Edit(*Rotary, [&] {
        TypeCell(*Rotary, 0, "5");
        Type(Form.Rotate->eTotal, "5");
        Form.bbtnCancel->click();
    }));
    Edit(*Rotary, [&] {
        ChooseData(*Rotary, TDriveValuesPage::LinearPage);
        ChooseData(*Rotary, TDriveValuesPage::TablePage);
    });
    Edit(*Sliding, [&] { ChooseData(*Sliding, TDriveValuesPage::LinearPage); });
    EXPECT_TRUE(Asked().empty());
}

TEST_F(DriveEdit, EscapeAndTheCloseBoxWriteNothing) {
    const TDriveState Before = StateOf(*Rotary);
    EXPECT_FALSE(Edit(*Rotary, [&] {
        Type(Form.Rotate->eTotal, "45");
        QTest::keyClick(&Form, Qt::Key_Escape);
    }));
    EXPECT_FALSE(Edit(*Rotary, [&] {
        Type(Form.Rotate->eTotal, "45");
        Form.close();
    }));
    EXPECT_EQ(StateOf(*Rotary), Before);
}

TEST_F(DriveEdit, NumbersFollowTheLocalesSeparator) {
    TSeparatorGuard Comma(',');
    Rotary->SetIntervals(2);
    Rotary->SetValue(1, Pi / 2);
    Edit(*Rotary, [&] {
        EXPECT_EQ(Form.findChild<QLabel*>("lblRotaionAngle")->text().toStdString(), "30,000");
        EXPECT_EQ(Form.Rotate->eTotal->text().toStdString(), "90,000");
        EXPECT_EQ(Cells(*Rotary), (TTexts{"30,000", "120,000"}));
    });
}

} // namespace
