// The options dialog as the user meets it: what each page offers, the way each kind of control
// shows and stores its setting, and what a wrong plane value does.
#include "ui/fmOptions.h"

#include "files/ApplyPreferences.h"
#include "support/MechanismRigs.h"
#include "support/QtTestApp.h"
#include "ui/ColorBox.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

#include <cstdint>
#include <functional>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr double Pi = std::numbers::pi;

// Members are public: the table rows act on the fixture.
class FormOptionsTest : public ::testing::Test {
public:
    FormOptionsTest() { Targets.GearData = &Rig.D(); }

    // The settings installed last: those of the rig's surface.
    static TPreferences& Prefs() { return Preferences(); }
    template <typename T> T* Child(const char* Name) const {
        T* Found = Form.findChild<T*>(QString::fromLatin1(Name));
        EXPECT_NE(Found, nullptr) << Name;
        return Found;
    }
    void Show() {
        Form.show();
        QApplication::setActiveWindow(&Form);
    }
    void Press(const char* Button) {
        QTest::mouseClick(Child<QPushButton>(Button), Qt::LeftButton);
    }
    // Replaces the text as typed.
    void Type(const char* Field, const char* Text) {
        QLineEdit* Edit = Child<QLineEdit>(Field);
        Edit->selectAll();
        QTest::keyClicks(Edit, QString::fromUtf8(Text));
    }
    // Clears the spin field's text as typed, after a value other than its minimum.
    void Empty(const char* Spin) {
        QSpinBox* Field = Child<QSpinBox>(Spin);
        Field->setValue(17);
        Field->setFocus();
        QTest::keyClick(Field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(Field, Qt::Key_Backspace);
        EXPECT_EQ(Field->text().toStdString(), "");
    }
    void Pick(const char* Box, int Index) {
        TColorBox* Colors = Child<TColorBox>(Box);
        Colors->setCurrentIndex(Index);
        emit Colors->activated(Index);
    }
    std::string Shown(const char* Field) const {
        return Child<QLineEdit>(Field)->text().toStdString();
    }
    std::vector<TAskedMessage>& Asked() { return Rig.View.Rig.Platform.Scripted().Asked; }

    bool AppReady = (QtTestApp(), true);
    TModelRig Rig;
    TApplyTargets Targets;
    int Applied = 0;
    TFormOptions Form{[this] {
        ++Applied;
        Prefs().ApplyToAll(Targets);
    }};
};

// The label a control carries: its buddy's text.
std::string LabelOf(const QWidget* Control) {
    for (const QLabel* Label : Control->window()->findChildren<QLabel*>())
        if (Label->buddy() == Control)
            return Label->text().toStdString();
    return "";
}

std::vector<std::string> TabTexts(const QTabWidget* Tabs) {
    std::vector<std::string> Texts;
    for (int I = 0; I < Tabs->count(); ++I)
        Texts.push_back(Tabs->tabText(I).toStdString());
    return Texts;
}

TEST_F(FormOptionsTest, OffersItsPagesAndButtons) {
    Show();
    EXPECT_EQ(Form.windowTitle().toStdString(), "Einstellungen");
    EXPECT_TRUE(Form.windowFlags().testFlag(Qt::Tool));
    EXPECT_EQ(TabTexts(Child<QTabWidget>("pcOptions")),
              (std::vector<std::string>{"Ansicht", "Animation", "Farben/Abmessungen", "Programm"}));
    EXPECT_EQ(TabTexts(Child<QTabWidget>("pcColorDetails")),
              (std::vector<std::string>{"Glied", "Gelenk", "Bahnkurve", "Ebenenlage",
                                        "Koordinatensystem"}));
    EXPECT_EQ(Child<QPushButton>("bbtnOK")->text().toStdString(), "OK");
    EXPECT_TRUE(Child<QPushButton>("bbtnOK")->isDefault());
    EXPECT_EQ(Child<QPushButton>("bBtnCancel")->text().toStdString(), "Abbrechen");
    EXPECT_EQ(Child<QPushButton>("BitBtn1")->text().toStdString(), "Übernehmen");
    QTest::keyClick(&Form, Qt::Key_Escape);
    EXPECT_FALSE(Form.isVisible());
    EXPECT_EQ(Form.result(), QDialog::Rejected);
    EXPECT_EQ(Applied, 0);
}

struct TCheckCase {
    const char* Control;
    const char* Caption;
    const char* Category;
    const char* Name;
};

TEST_F(FormOptionsTest, EveryCheckBoxShowsAndStoresItsSetting) {
    const TCheckCase Cases[] = {
        {"cbShowLinkID", "Gliednummer anzeigen", "Links", "ShowID"},
        {"cbShowLinkDescription", "Gliedbeschreibung anzeigen", "Links", "ShowIdentifier"},
        {"cbShowLinkCoord", "Gang-Koordinatensysteme anzeigen", "Links", "ShowLinkCoord"},
        {"cbSmallCoupleLink", "Koppelpunkte mit dünnen Linien", "Links", "ThinCoupleLines"},
        {"cbSolidEdge", "Feste Ecken anstatt Koppeldreiecke", "Links", "SolidEdges"},
        {"cbShowJointID", "Gelenknummer anzeigen", "Joints", "ShowID"},
        {"cbShowJointDescription", "Gelenkbeschreibung anzeigen", "Joints", "ShowIdentifier"},
        {"cbMPol", "Momentalpole in den Gelenken anzeigen", "Joints", "ShowMPol"},
        {"cbJointInnerPoint", "Punkt im Mittelpunkt des Gelenks", "Joints", "ShowMiddle"},
        {"cbShowGrid", "Koordinatengitter anzeigen", "MMGrid", "Visible"},
        {"cbShowCoord", "Koordinatensystem anzeigen", "MMCoord", "Visible"},
        {"cbAnimContinous", "Animation fortlaufend", "Animator", "Continuously"},
        {"cbLoadFirstIfStopped", "Nach Stop zu 1. Interval", "Animator", "JumpToFirstIfStoppped"},
        {"cbDirectlyDrawAll", "Alle Ebenen und Bahnen sofort zeichnen", "Animator",
         "DirectlyDrawAll"},
        {"cbShowSplashScreen", "Eröffnungsbildschirm zeigen", "Program", "ShowSplashScreen"},
        {"cbSaveWindowPos", "Fensterposition merken", "Program", "SaveWindowPos"},
        {"cbStartMaximized", "Maximiert starten", "Program", "StartMaximized"},
        {"cbConfirmClose", "Programm beenden", "Program", "ConfirmExit"},
    };
    for (const TCheckCase& C : Cases) {
        SCOPED_TRACE(C.Control);
        const bool Before = Prefs().GetBoolean(C.Category, C.Name);
        Show();
        QCheckBox* Box = Child<QCheckBox>(C.Control);
        EXPECT_EQ(Box->text().toStdString(), C.Caption);
        EXPECT_EQ(Box->isChecked(), Before);
        Box->click();
        Press("bbtnOK");
        EXPECT_FALSE(Form.isVisible());
        const TVariant Stored = Prefs().GetValue(C.Category, C.Name);
        EXPECT_EQ(Stored.VarType(), varBoolean);
        EXPECT_EQ(Stored.AsBoolean(), !Before);
    }
}

struct TSpinCase {
    const char* Control;
    const char* Label;
    const char* Category; // nullptr: bound to no setting
    const char* Name;
    int Min, Max;
};

TEST_F(FormOptionsTest, EverySpinFieldHasItsLabelRangeAndSetting) {
    const TSpinCase Cases[] = {
        {"seLinkThickness", "Linienstärke:", "Links", "LineThickness", 1, 100},
        {"seLinkThickness2", "Breite für \"Dünne Koppellinien\":", "Links", "ThinLineThickness", 0,
         100},
        {"seLinkTextHeight", "Texthöhe für Bezeichnung:", "Links", "TextHeight", 10, 100},
        {"seLinkIDTextHeight", "Texthöhe für Nummer:", nullptr, nullptr, 10, 100},
        {"seSliderHeight", "Höhe:", "Slider", "SizeY", 10, 100},
        {"seSliderWidth", "Breite:", "Slider", "SizeX", 15, 100},
        {"seRackSize", "Grösse:", "Rack", "Size", 10, 100},
        {"seRackThickness", "Linienstärke:", "Rack", "LineThickness", 1, 100},
        {"seJointRadius", "Radius:", "Joints", "Radius", 2, 100},
        {"seJointTextHeight", "Texthöhe für Bezeichnung:", "Joints", "TextHeight", 10, 100},
        {"seJointIDTextHeight", "Texthöhe für Gelenknummer:", "Joints", "IDTextHeight", 10, 100},
        {"seCurveThickness", "Linienstärke:", "Curves", "LineThickness", 1, 100},
        {"sePlaneThickness", "Linienstärke:", "Planes", "LineThickness", 1, 100},
    };
    Show();
    for (const TSpinCase& C : Cases) {
        SCOPED_TRACE(C.Control);
        QSpinBox* Spin = Child<QSpinBox>(C.Control);
        EXPECT_EQ(LabelOf(Spin), C.Label);
        EXPECT_EQ(Spin->minimum(), C.Min);
        EXPECT_EQ(Spin->maximum(), C.Max);
        if (C.Category)
            EXPECT_EQ(Spin->value(), Prefs().GetInteger(C.Category, C.Name));
        else
            EXPECT_EQ(Spin->value(), 10);
        Spin->setValue(C.Min + 7);
    }
    Press("BitBtn1");
    for (const TSpinCase& C : Cases)
        if (C.Category) {
            SCOPED_TRACE(C.Control);
            EXPECT_EQ(Prefs().GetValue(C.Category, C.Name), TVariant(C.Min + 7));
        }
}

TEST_F(FormOptionsTest, ColourBoxesAndPlaneFieldsCarryTheirLabels) {
    const std::pair<const char*, const char*> Cases[] = {
        {"cbLinkColor", "Linienfarbe:"},     {"cbJointColor", "Randfarbe:"},
        {"cbInnerJointColor", "Füllfarbe:"}, {"cbCurveColor", "Farbe:"},
        {"cbPlaneColor", "Farbe:"},          {"cbCoordColor", "Achsenfarbe:"},
        {"cbGridColor", "Gitterfarbe:"},
    };
    for (const auto& [Name, Label] : Cases) {
        SCOPED_TRACE(Name);
        EXPECT_EQ(LabelOf(Child<TColorBox>(Name)), Label);
    }
    EXPECT_EQ(LabelOf(Child<QLineEdit>("ePlaneBeta")), "Beta:");
    EXPECT_EQ(LabelOf(Child<QLineEdit>("ePlaneLength")), "Länge:");
    QSlider* Speed = Child<QSlider>("tbAnimSpeed");
    EXPECT_EQ(Speed->minimum(), 1);
    EXPECT_EQ(Speed->maximum(), 1000);
    EXPECT_EQ(Speed->pageStep(), 10);
    EXPECT_EQ(Speed->tickInterval(), 50);
}

// One row per kind of control: what the user does, then what is stored and shown next time.
struct TRoundTrip {
    const char* Name;
    std::function<void(FormOptionsTest&)> Before; // settings before the showing
    std::function<void(FormOptionsTest&)> Act;
    const char* Category;
    const char* Setting;
    TVariant Stored;
    std::function<void(FormOptionsTest&)> ShownNextTime;
};

TEST_F(FormOptionsTest, EachKindOfControlStoresWhatItShows) {
    TSeparatorGuard German(',');
    const auto Nothing = [](FormOptionsTest&) {};
    const TRoundTrip Rows[] = {
        {"check box", Nothing,
         [](FormOptionsTest& F) { F.Child<QCheckBox>("cbShowGrid")->click(); }, "MMGrid", "Visible",
         true,
         [](FormOptionsTest& F) { EXPECT_TRUE(F.Child<QCheckBox>("cbShowGrid")->isChecked()); }},
        {"spin field out of range",
         [](FormOptionsTest& F) { F.Prefs().SetValue("Joints", "Radius", TVariant::Byte(1)); },
         [](FormOptionsTest& F) { EXPECT_EQ(F.Child<QSpinBox>("seJointRadius")->value(), 2); },
         "Joints", "Radius", std::int32_t{2},
         [](FormOptionsTest& F) { EXPECT_EQ(F.Child<QSpinBox>("seJointRadius")->value(), 2); }},
        // A text that is no whole number counts as the field's minimum, not as the last value.
        {"emptied spin field", Nothing, [](FormOptionsTest& F) { F.Empty("seJointRadius"); },
         "Joints", "Radius", std::int32_t{2},
         [](FormOptionsTest& F) { EXPECT_EQ(F.Child<QSpinBox>("seJointRadius")->value(), 2); }},
        {"emptied spin field from 0", Nothing,
         [](FormOptionsTest& F) { F.Empty("seLinkThickness2"); }, "Links", "ThinLineThickness",
         std::int32_t{0},
         [](FormOptionsTest& F) { EXPECT_EQ(F.Child<QSpinBox>("seLinkThickness2")->value(), 0); }},
        {"standard colour", Nothing, [](FormOptionsTest& F) { F.Pick("cbCurveColor", 2); },
         "Curves", "LineColor", static_cast<std::int32_t>(clGreen),
         [](FormOptionsTest& F) {
             EXPECT_EQ(F.Child<TColorBox>("cbCurveColor")->currentIndex(), 2);
         }},
        {"custom colour", Nothing,
         [](FormOptionsTest& F) {
             F.Child<TColorBox>("cbGridColor")->ChooseCustomColor = [](TColor) {
                 return TColor(0x123456);
             };
             F.Pick("cbGridColor", TColorBox::CustomIndex);
         },
         "MMGrid", "GridColor", std::int32_t{0x123456},
         [](FormOptionsTest& F) {
             EXPECT_EQ(F.Child<TColorBox>("cbGridColor")->currentIndex(), TColorBox::CustomIndex);
             EXPECT_EQ(F.Child<TColorBox>("cbGridColor")->Selected(), TColor(0x123456));
         }},
        {"track bar", Nothing,
         [](FormOptionsTest& F) {
             F.Child<QSlider>("tbAnimSpeed")->setValue(250);
             EXPECT_EQ(F.Child<QLabel>("lblAnimSpeed")->text().toStdString(),
                       "250 Millisekunden pro Getriebestellung");
         },
         "Animator", "TimerInterval", std::int32_t{250},
         [](FormOptionsTest& F) {
             EXPECT_EQ(F.Child<QSlider>("tbAnimSpeed")->value(), 250);
             EXPECT_EQ(F.Child<QLabel>("lblAnimSpeed")->text().toStdString(),
                       "250 Millisekunden pro Getriebestellung");
         }},
    };
    for (const TRoundTrip& Row : Rows) {
        SCOPED_TRACE(Row.Name);
        Row.Before(*this);
        Show();
        Row.Act(*this);
        Press("bbtnOK");
        EXPECT_FALSE(Form.isVisible());
        EXPECT_EQ(Prefs().GetValue(Row.Category, Row.Setting), Row.Stored);
        Show();
        Row.ShownNextTime(*this);
        Press("bBtnCancel");
    }
}

TEST_F(FormOptionsTest, AnAngleOf45WithEitherSeparatorIsAQuarterTurn) {
    TSeparatorGuard German(',');
    for (const char* Typed : {"45", "45,0", "45.0"}) {
        SCOPED_TRACE(Typed);
        Prefs().SetValue("Planes", "Beta", 0.1);
        Show();
        Type("ePlaneBeta", Typed);
        Press("bbtnOK");
        EXPECT_EQ(Prefs().GetValue("Planes", "Beta"), TVariant(Pi / 4));
        Show();
        EXPECT_EQ(Shown("ePlaneBeta"), "45,000");
        Press("bBtnCancel");
    }
}

TEST_F(FormOptionsTest, ApplyThenCancelKeepsWhatWasApplied) {
    Show();
    Child<QSlider>("tbAnimSpeed")->setValue(40);
    Press("BitBtn1");
    EXPECT_TRUE(Form.isVisible());
    EXPECT_EQ(Applied, 1);
    Child<QSlider>("tbAnimSpeed")->setValue(70);
    Press("bBtnCancel");
    EXPECT_EQ(Prefs().GetInteger("Animator", "TimerInterval"), 40);
    EXPECT_EQ(Applied, 1);
}

TEST_F(FormOptionsTest, OpensOnTheFirstPagesWithWhatIsStoredNow) {
    Show();
    Child<QTabWidget>("pcOptions")->setCurrentIndex(3);
    Child<QTabWidget>("pcColorDetails")->setCurrentIndex(4);
    Type("ePlaneLength", "99");
    Press("bBtnCancel");
    Prefs().SetValue("Planes", "Length", 7.5);
    Show();
    EXPECT_EQ(Child<QTabWidget>("pcOptions")->currentWidget()->objectName(), "tsView");
    EXPECT_EQ(Child<QTabWidget>("pcColorDetails")->currentWidget()->objectName(), "tsJoint");
    TSeparatorGuard Point('.');
    Show();
    EXPECT_EQ(Shown("ePlaneLength"), "7.500");
}

TEST_F(FormOptionsTest, ARestoreFromMinimisedKeepsWhatWasTyped) {
    Show();
    Child<QTabWidget>("pcOptions")->setCurrentWidget(Child<QWidget>("tsColors"));
    Type("ePlaneLength", "99");
    Child<QSpinBox>("seJointRadius")->setValue(17);
    Form.showMinimized();
    QApplication::processEvents();
    Form.showNormal();
    QApplication::processEvents();
    EXPECT_EQ(Shown("ePlaneLength"), "99");
    EXPECT_EQ(Child<QSpinBox>("seJointRadius")->value(), 17);
    EXPECT_EQ(Child<QTabWidget>("pcOptions")->currentWidget()->objectName(), "tsColors");
    // Shown anew, it starts again from what is stored.
    Press("bBtnCancel");
    Show();
    EXPECT_NE(Shown("ePlaneLength"), "99");
    EXPECT_EQ(Child<QSpinBox>("seJointRadius")->value(), Prefs().GetInteger("Joints", "Radius"));
}

struct TBadPlaneCase {
    const char* Field;
    const char* Message;
};

TEST_F(FormOptionsTest, AWrongPlaneValueStopsStoringAndShowsTheField) {
    const TBadPlaneCase Cases[] = {
        {"ePlaneBeta",
         "Die Eingabe für den Winkel ist nicht zulässig.\r\nBitte korrigieren Sie das!"},
        {"ePlaneLength",
         "Die Eingabe für die Länge ist nicht zulässig.\r\nBitte korrigieren Sie das!"},
    };
    for (const TBadPlaneCase& C : Cases) {
        SCOPED_TRACE(C.Field);
        Asked().clear();
        Prefs().SetValue("Program", "StartMaximized", true);
        Prefs().SetValue("Planes", "Beta", Pi / 7);
        Prefs().SetValue("Planes", "Length", 12.34567);
        Prefs().SetValue("Links", "ShowID", true);
        const int AppliedBefore = Applied;
        Show();
        Child<QCheckBox>("cbShowLinkID")->click();
        Child<QSpinBox>("seJointRadius")->setValue(9);
        Child<QCheckBox>("cbStartMaximized")->click();
        Child<QTabWidget>("pcOptions")->setCurrentIndex(3);
        Type(C.Field, "zwanzig");
        Press("bbtnOK");
        ASSERT_EQ(Asked().size(), 1u);
        EXPECT_EQ(Asked()[0].Text, C.Message);
        EXPECT_EQ(Asked()[0].Type, TMsgDlgType::mtInformation);
        EXPECT_EQ(Asked()[0].Buttons, TMsgDlgButtons(mbOK));
        EXPECT_TRUE(Form.isVisible());
        EXPECT_EQ(Child<QTabWidget>("pcOptions")->currentWidget()->objectName(), "tsColors");
        EXPECT_EQ(Child<QTabWidget>("pcColorDetails")->currentWidget()->objectName(), "tsPlane");
        EXPECT_EQ(QApplication::focusWidget(), Child<QLineEdit>(C.Field));
        EXPECT_FALSE(Prefs().GetBoolean("Links", "ShowID"));
        EXPECT_EQ(Prefs().GetInteger("Joints", "Radius"), 9);
        EXPECT_TRUE(Prefs().GetBoolean("Program", "StartMaximized"));
        EXPECT_EQ(Prefs().GetDouble("Planes", "Beta"), Pi / 7); // untouched or refused
        EXPECT_EQ(Prefs().GetDouble("Planes", "Length"), 12.34567);
        EXPECT_EQ(Applied, AppliedBefore + 1); // applied all the same
        Press("bBtnCancel");
    }
}

TEST_F(FormOptionsTest, OKWithUntouchedPlaneFieldsKeepsTheirFullPrecision) {
    Prefs().SetValue("Planes", "Beta", Pi / 7);
    Prefs().SetValue("Planes", "Length", 12.34567);
    Prefs().SetValue("Rack", "JointStyle", TVariant::Byte(3));
    Show();
    Press("bbtnOK");
    EXPECT_FALSE(Form.isVisible());
    EXPECT_EQ(Prefs().GetValue("Planes", "Beta"), TVariant(Pi / 7));
    EXPECT_EQ(Prefs().GetValue("Planes", "Length"), TVariant(12.34567));
    EXPECT_EQ(Prefs().GetValue("Rack", "JointStyle"), TVariant::Byte(0));
}

TEST_F(FormOptionsTest, CouplerLinesWithoutThinLinesTakeTheLinkThickness) {
    TJoint* A = Rig.Joint(10, 10);
    TJoint* B = Rig.Joint(60, 10);
    TJoint* C = Rig.Joint(30, 40);
    Rig.Link({A, B, C});
    Show();
    Child<QCheckBox>("cbSmallCoupleLink")->setChecked(false);
    Press("bbtnOK");
    EXPECT_FALSE(Prefs().GetBoolean("Links", "ThinCoupleLines"));
    Rig.View.Canvas().ClearCalls();
    Rig.Surface().Repaint(true);
    const TPoint PA = TModelRig::Px(10, 10), PC = TModelRig::Px(30, 40);
    int CouplerLines = 0;
    for (const TCanvasCall& Line : Rig.View.Canvas().Of("Line"))
        if (Line.Points == std::vector<TPoint>{PA, PC}) {
            ++CouplerLines;
            EXPECT_EQ(Line.Pen.Width, Prefs().GetInteger("Links", "LineThickness"));
        }
    EXPECT_EQ(CouplerLines, 1);
    Show();
    EXPECT_FALSE(Child<QCheckBox>("cbSmallCoupleLink")->isChecked());
}

} // namespace
