// The link property dialog, played as the user plays it.
#include "ui/fmLinkEdit.h"

#include "gear/GearRig.h"
#include "support/DialogDriver.h"
#include "support/GearFixture.h"
#include "ui/ColorBox.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

namespace {

std::string Refused(const char* What) {
    return std::string("Die Eingabe für ") + What +
           " ist nicht zulässig.\n\rBitte korrigieren Sie das!";
}
const char* const LinkNumberTaken = "Es gibt schon ein Getriebeglied mit dieser Nummer.";
const char* const JointNumberTaken = "Es gibt schon ein Gelenk mit dieser Nummer.";

using TField = QLineEdit* TFormLinkEdit::*;

class LinkEdit : public ::testing::Test {
protected:
    // The crank-rocker: frame joints A0(0,0) and B0(45,0), crank A0-A(0,10) driven at A0,
    // coupler A-B(24,28) (length 30, at 36.87 degrees), rocker B0-B.
    LinkEdit() {
        Rig.CrankRocker();
        Rig.TurnOnce(36);
        Rig.Adopt();
        Rig.G().OnDataChanged = [this](TObject*) { ++DataChanges; };
    }

    // As the main window's properties action shows the dialog.
    int Edit(TCustomLink* Link, std::function<void()> Script) {
        Scripts.On(Form, std::move(Script));
        Form.SetLink(Link);
        return RunModal(Form);
    }
    std::vector<std::string> Messages() { return TakeInformationTexts(Rig.Platform().Scripted()); }
    std::string Shown(TField Field) const { return (Form.*Field)->text().toStdString(); }
    std::vector<TMMPoint> Places() const {
        std::vector<TMMPoint> P;
        for (const TJoint* J : Rig.Gear->GearData().Joints())
            P.push_back(J->Position());
        return P;
    }

    QApplication& App = QtTestApp();
    TGearRig Rig;
    std::vector<TDrive*> EditedDrives;
    TFormLinkEdit Form{*Rig.Gear, [this](TDrive& D) {
                           EditedDrives.push_back(&D);
                           return true;
                       }};
    TDialogScripts Scripts;
    int DataChanges = 0;
};

TEST_F(LinkEdit, ShowsALinkWithItsJoints) {
    Rig.Coupler->SetIdentifier("Koppel");
    Rig.Coupler->SetLineColor(clRed);
    const int Id = Rig.Coupler->ID();
    const int Result = Edit(Rig.Coupler, [&] {
        EXPECT_EQ(Form.windowTitle().toStdString(), "Getriebeglied- Eigenschaften");
        EXPECT_EQ(Form.pcProperties->currentWidget(), Form.tsLinkProperties);
        EXPECT_EQ(Shown(&TFormLinkEdit::eLinkID), std::to_string(Id));
        EXPECT_EQ(Shown(&TFormLinkEdit::eLinkIdentifier), "Koppel");
        EXPECT_EQ(Shown(&TFormLinkEdit::eLinkLength), "30.000");
        EXPECT_EQ(Shown(&TFormLinkEdit::eLinkAngle), "36.870");
        ASSERT_EQ(Form.cbLinkRefJoint->count(), 2);
        EXPECT_EQ(Form.cbLinkRefJoint->itemText(1).toStdString(), Rig.B->GetDisplayText());
        EXPECT_EQ(Form.cbLinkRefJoint->currentIndex(), 0);
        EXPECT_EQ(Form.cbColor->Selected(), clRed);
        ASSERT_EQ(Form.cbJoints->count(), 2);
        EXPECT_EQ(Form.cbJoints->itemText(0).toStdString(), Rig.A->GetDisplayText());
        EXPECT_EQ(Form.cbJoints->currentIndex(), 0);
        EXPECT_EQ(Form.lblJointXk->text().toStdString(), "X(" + std::to_string(Id) + ")=");
        EXPECT_EQ(Form.lblJointYk->text().toStdString(), "Y(" + std::to_string(Id) + ")=");
        EXPECT_EQ(Shown(&TFormLinkEdit::eJointID), std::to_string(Rig.A->ID()));
        EXPECT_EQ(Shown(&TFormLinkEdit::eJointX), "0.000");
        EXPECT_EQ(Shown(&TFormLinkEdit::eJointY), "10.000");
        // The reference joint is the origin of the link's own coordinates.
        EXPECT_EQ(Shown(&TFormLinkEdit::eJointXk), "0.000");
        EXPECT_EQ(Shown(&TFormLinkEdit::eJointYk), "0.000");
        Pick(Form.cbJoints, 1);
        EXPECT_EQ(Shown(&TFormLinkEdit::eJointX), "24.000");
        EXPECT_EQ(Shown(&TFormLinkEdit::eJointXk), "30.000");
        EXPECT_EQ(Shown(&TFormLinkEdit::eJointYk), "0.000");
        // No drive uses the coupler.
        EXPECT_FALSE(Form.btnDriveProperties->isEnabled());
        Click(Form.bbtnCancel);
    });
    EXPECT_EQ(Result, QDialog::Rejected);
    EXPECT_EQ(Form.Link(), nullptr);
}

TEST_F(LinkEdit, UnchangedOkWritesOnlyTheColour) {
    Rig.B->SetX(24.0001234); // shown rounded
    const std::vector<TMMPoint> Before = Places();
    const int Id = Rig.Coupler->ID();
    const int Result = Edit(Rig.Coupler, [&] {
        Pick(Form.cbColor, 12); // Blau
        Click(Form.bbtnOK);
    });
    EXPECT_EQ(Result, QDialog::Accepted);
    EXPECT_EQ(Form.Link(), nullptr);
    EXPECT_EQ(Rig.Coupler->LineColor(), clBlue);
    EXPECT_EQ(Rig.Coupler->ID(), Id);
    EXPECT_EQ(Rig.Coupler->ReferenceJointID(), 0);
    EXPECT_EQ(Places(), Before);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(LinkEdit, TheNumberMustBeAFreeWholeNumber) {
    const int Own = Rig.Coupler->ID();
    const int Free = Rig.G().NextFreeLinkID();
    struct TCase {
        std::string Text;
        std::string Message; // empty: accepted
        std::string Left;    // the field's text afterwards, when refused
    };
    const TCase Cases[] = {
        {std::to_string(Rig.Rocker->ID()), LinkNumberTaken, std::to_string(Own)},
        {"1", LinkNumberTaken, std::to_string(Own)}, // the frame's
        {"0", Refused("die Gliednummer"), "0"},
        {"-3", Refused("die Gliednummer"), "-3"},
        {"2,5", Refused("die Gliednummer"), "2,5"},
        {"2147483648", Refused("die Gliednummer"), "2147483648"},
        {"2147483647", "", ""},
        {std::to_string(Own), "", ""},
        {std::to_string(Free), "", ""},
    };
    for (const TCase& Case : Cases) {
        SCOPED_TRACE(Case.Text);
        const int Before = Rig.Coupler->ID();
        const int Result = Edit(Rig.Coupler, [&] {
            Type(Form.eLinkID, QString::fromStdString(Case.Text));
            Type(Form.eLinkLength, "50");
            Click(Form.bbtnOK);
            if (!Case.Message.empty()) {
                EXPECT_EQ(Shown(&TFormLinkEdit::eLinkID), Case.Left);
                EXPECT_EQ(Form.focusWidget(), Form.eLinkID);
                Click(Form.bbtnCancel);
            }
        });
        if (Case.Message.empty()) {
            EXPECT_EQ(Result, QDialog::Accepted);
            EXPECT_EQ(Rig.Coupler->ID(), std::stoi(Case.Text));
            EXPECT_TRUE(Messages().empty());
        } else {
            EXPECT_EQ(Result, QDialog::Rejected);
            EXPECT_EQ(Messages(), std::vector<std::string>{Case.Message});
            EXPECT_EQ(Rig.Coupler->ID(), Before);
            EXPECT_NEAR(Rig.Coupler->Length(), 30, Eps); // nothing after the number applied
        }
        Rig.Coupler->SetLength(30);
    }
    EXPECT_EQ(Rig.Coupler->ID(), Free);
}

TEST_F(LinkEdit, LengthAndAngleAreReadWithEitherSeparator) {
    struct TCase {
        TField Field;
        const char* Text;
        std::string Message; // empty: accepted
    };
    const TCase Cases[] = {
        {&TFormLinkEdit::eLinkLength, "40,5", ""},
        {&TFormLinkEdit::eLinkLength, "40.5", ""},
        {&TFormLinkEdit::eLinkLength, "vierzig", Refused("die Länge")},
        {&TFormLinkEdit::eLinkLength, "1e999", Refused("die Länge")},
        // No link inside the bounds of a mechanism is longer.
        {&TFormLinkEdit::eLinkLength, "2000000000,5", Refused("die Länge")},
        {&TFormLinkEdit::eLinkAngle, "90", ""},
        {&TFormLinkEdit::eLinkAngle, "9O", Refused("den Winkel")},
    };
    for (const TCase& Case : Cases) {
        SCOPED_TRACE(Case.Text);
        Rig.B->SetX(24);
        Rig.B->SetY(28);
        const std::vector<TMMPoint> Before = Places();
        const int Result = Edit(Rig.Coupler, [&] {
            Type(Form.*Case.Field, Case.Text);
            Click(Form.bbtnOK);
            if (!Case.Message.empty()) {
                EXPECT_EQ(Form.focusWidget(), Form.*Case.Field);
                Click(Form.bbtnCancel);
            }
        });
        if (!Case.Message.empty()) {
            EXPECT_EQ(Result, QDialog::Rejected);
            EXPECT_EQ(Messages(), std::vector<std::string>{Case.Message});
            EXPECT_EQ(Places(), Before);
            continue;
        }
        EXPECT_EQ(Result, QDialog::Accepted);
        ExpectAt(Rig.A, 0, 10);
        if (Case.Field == &TFormLinkEdit::eLinkLength)
            EXPECT_NEAR(Rig.Coupler->Length(), 40.5, Eps);
        else
            ExpectAt(Rig.B, 0, 40); // along the world y axis from A
    }
}

TEST_F(LinkEdit, AnotherReferenceJointTurnsTheAngleAndCancelRestoresTheFirst) {
    const int Result = Edit(Rig.Coupler, [&] {
        Pick(Form.cbLinkRefJoint, 1);
        EXPECT_EQ(Rig.Coupler->ReferenceJointID(), 1); // at once
        EXPECT_EQ(Shown(&TFormLinkEdit::eLinkLength), "30.000");
        EXPECT_EQ(Shown(&TFormLinkEdit::eLinkAngle), "216.870");
        EXPECT_EQ(Shown(&TFormLinkEdit::eJointXk), "30.000"); // A seen from B
        Pick(Form.cbLinkRefJoint, 0);
        Pick(Form.cbLinkRefJoint, 1);
        Click(Form.bbtnCancel);
    });
    EXPECT_EQ(Result, QDialog::Rejected);
    EXPECT_EQ(Rig.Coupler->ReferenceJointID(), 0);
    ExpectAt(Rig.B, 24, 28);

    Edit(Rig.Coupler, [&] {
        Pick(Form.cbLinkRefJoint, 1);
        QTest::keyClick(&Form, Qt::Key_Escape);
    });
    EXPECT_EQ(Rig.Coupler->ReferenceJointID(), 0);

    Edit(Rig.Coupler, [&] {
        Pick(Form.cbLinkRefJoint, 1);
        Click(Form.bbtnOK);
    });
    EXPECT_EQ(Rig.Coupler->ReferenceJointID(), 1);
}

TEST_F(LinkEdit, LinkCoordinatesMoveTheJointAlongTheLink) {
    Edit(Rig.Coupler, [&] {
        Pick(Form.cbJoints, 1);
        Type(Form.eJointXk, "40");
        Click(Form.bbtnAssume);
        // Shown again from the joint's new place.
        EXPECT_EQ(Shown(&TFormLinkEdit::eJointX), "32.000");
        EXPECT_EQ(Shown(&TFormLinkEdit::eJointY), "34.000");
        Click(Form.bbtnOK);
    });
    ExpectAt(Rig.B, 32, 34);
    ExpectAt(Rig.A, 0, 10);
    EXPECT_EQ(DataChanges, 1);

    // Far out in the link's coordinates is beyond any number in the world's.
    const int Result = Edit(Rig.Coupler, [&] {
        Type(Form.eJointXk, "1.7e308");
        Type(Form.eJointYk, "1.7e308");
        Click(Form.bbtnOK);
        Click(Form.bbtnCancel);
    });
    EXPECT_EQ(Result, QDialog::Rejected);
    EXPECT_EQ(Messages(), std::vector<std::string>{Refused("die X-Koordinate")});
    ExpectAt(Rig.A, 0, 10);
}

TEST_F(LinkEdit, TheChosenJointIsWrittenAfterThePage) {
    const int Free = Rig.G().NextFreeJointID();
    Rig.B->SetY(28.0004321); // shown rounded
    const double BY = Rig.B->Y();
    struct TCase {
        TField Field;
        std::string Text;
        std::string Message; // empty: accepted
    };
    const TCase Cases[] = {
        {&TFormLinkEdit::eJointID, std::to_string(Rig.A->ID()), JointNumberTaken},
        {&TFormLinkEdit::eJointID, "0", Refused("die Gelenknummer")},
        {&TFormLinkEdit::eJointX, "x", Refused("die X-Koordinate")},
        {&TFormLinkEdit::eJointYk, "", Refused("die Y-Koordinate")},
        // Beyond the bounds of a mechanism, in the world's and in the link's coordinates.
        {&TFormLinkEdit::eJointX, "-1000000000,001", Refused("die X-Koordinate")},
        {&TFormLinkEdit::eJointYk, "1000000000,5", Refused("die Y-Koordinate")},
        {&TFormLinkEdit::eJointID, std::to_string(Free), ""},
        {&TFormLinkEdit::eJointX, "26,5", ""},
    };
    for (const TCase& Case : Cases) {
        SCOPED_TRACE(Case.Text);
        const int Result = Edit(Rig.Coupler, [&] {
            Pick(Form.cbJoints, 1);
            Type(Form.eLinkIdentifier, QString::fromStdString(Case.Text));
            Type(Form.*Case.Field, QString::fromStdString(Case.Text));
            Click(Form.bbtnOK);
            if (!Case.Message.empty()) {
                EXPECT_EQ(Form.focusWidget(), Form.*Case.Field);
                Click(Form.bbtnCancel);
            }
        });
        // The page was written before the joint.
        EXPECT_EQ(Rig.Coupler->Identifier(), Case.Text);
        if (Case.Message.empty()) {
            EXPECT_EQ(Result, QDialog::Accepted);
            EXPECT_TRUE(Messages().empty());
        } else {
            EXPECT_EQ(Result, QDialog::Rejected);
            EXPECT_EQ(Messages(), std::vector<std::string>{Case.Message});
        }
    }
    EXPECT_EQ(Rig.B->ID(), Free);
    EXPECT_EQ(Rig.B->X(), 26.5);
    EXPECT_EQ(Rig.B->Y(), BY); // exactly: only x was read
}

TEST_F(LinkEdit, ACouplerPointIsAddedAtTheOriginAndStays) {
    const int Free = Rig.G().NextFreeJointID();
    const int Result = Edit(Rig.Coupler, [&] {
        Click(Form.BitBtn4);
        EXPECT_EQ(Form.cbJoints->count(), 3);
        EXPECT_EQ(Form.cbJoints->currentIndex(), 2);
        EXPECT_EQ(Shown(&TFormLinkEdit::eJointID), std::to_string(Free));
        EXPECT_EQ(Shown(&TFormLinkEdit::eJointX), "0.000");
        EXPECT_EQ(Shown(&TFormLinkEdit::eJointY), "0.000");
        Click(Form.bbtnCancel);
    });
    EXPECT_EQ(Result, QDialog::Rejected);
    ASSERT_EQ(Rig.Coupler->Joints().Count(), 3);
    TJoint* Added = Rig.Coupler->Joints().Last();
    EXPECT_EQ(Added->ID(), Free);
    ExpectAt(Added, 0, 0);
    EXPECT_TRUE(Rig.G().Joints().Contains(Added));
}

TEST_F(LinkEdit, TheDriveButtonOpensTheDriveOfTheLink) {
    Edit(Rig.Crank, [&] {
        ASSERT_TRUE(Form.btnDriveProperties->isEnabled());
        Click(Form.btnDriveProperties);
        Click(Form.bbtnCancel);
    });
    EXPECT_EQ(EditedDrives, std::vector<TDrive*>{Rig.Drive});
}

TEST_F(LinkEdit, TheFramePageShowsItsNumberFixed) {
    TRack* Frame = Rig.G().Rack();
    const std::vector<TMMPoint> Before = Places();
    const int Result = Edit(Frame, [&] {
        EXPECT_EQ(Form.pcProperties->currentWidget(), Form.tsRackProperties);
        EXPECT_EQ(Shown(&TFormLinkEdit::eRackID), "1");
        EXPECT_FALSE(Form.eRackID->isEnabled());
        EXPECT_EQ(Form.cbJoints->count(), 2);
        Type(Form.eRackIdentifier, "Boden");
        Pick(Form.cbColor, 9); // Rot
        Click(Form.bbtnOK);
    });
    EXPECT_EQ(Result, QDialog::Accepted);
    EXPECT_EQ(Frame->LineColor(), clRed);
    EXPECT_EQ(Frame->Identifier(), "Boden");
    EXPECT_EQ(Frame->ID(), 1);
    EXPECT_EQ(Places(), Before);
}

TEST_F(LinkEdit, AFrameWithoutJointsIsAcceptedWithOk) {
    Rig.Gear->Clear();
    TRack* Frame = Rig.G().Rack();
    ASSERT_TRUE(Frame && Frame->Joints().Empty());
    const int Result = Edit(Frame, [&] {
        EXPECT_FALSE(Form.gbJoints->isEnabled());
        Click(Form.bbtnOK);
    });
    EXPECT_EQ(Result, QDialog::Accepted);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(LinkEdit, ASliderShowsItsSlideLinkOrNone) {
    TCheckedBuilder More(Rig.G());
    TLink* Slide = More.Link({More.Joint(60, 0), More.Joint(100, 0)});
    Slide->SetIdentifier("Schiene");
    TSlider* On = More.Slider(Slide, 80, 0);
    TSlider* Off = More.Slider(nullptr, 70, 70);

    Edit(On, [&] {
        EXPECT_EQ(Form.pcProperties->currentWidget(), Form.tsSliderProperties);
        EXPECT_EQ(Shown(&TFormLinkEdit::eSliderID), std::to_string(On->ID()));
        EXPECT_EQ(Shown(&TFormLinkEdit::eSliderLink), std::to_string(Slide->ID()) + " (Schiene)");
        EXPECT_EQ(Shown(&TFormLinkEdit::eSliderRefJoint),
                  Slide->Joints().First()->GetDisplayText());
        EXPECT_EQ(Shown(&TFormLinkEdit::eSliderAngle), "0.000");
        EXPECT_EQ(Shown(&TFormLinkEdit::eSliderEccentricity), "0.000");
        EXPECT_EQ(Shown(&TFormLinkEdit::eSlideDistance), "20.000");
        EXPECT_TRUE(Form.eSliderAngle->isEnabled());
        EXPECT_FALSE(Form.eSliderEccentricity->isEnabled());
        Click(Form.bbtnCancel);
    });
    // Shown right after the one above, so nothing of that is left over.
    Edit(Off, [&] {
        EXPECT_EQ(Shown(&TFormLinkEdit::eSliderLink), "keine");
        EXPECT_EQ(Shown(&TFormLinkEdit::eSliderRefJoint), "");
        EXPECT_EQ(Shown(&TFormLinkEdit::eSliderEccentricity), "0");
        EXPECT_EQ(Shown(&TFormLinkEdit::eSliderAngle), "0");
        EXPECT_EQ(Shown(&TFormLinkEdit::eSlideDistance), "0");
        EXPECT_FALSE(Form.eSliderAngle->isEnabled());
        // The pin only: the virtual joint is not offered.
        ASSERT_EQ(Form.cbJoints->count(), 1);
        EXPECT_EQ(Form.cbJoints->itemText(0).toStdString(),
                  TMechanismBuilder::Pin(Off)->GetDisplayText());
        Click(Form.bbtnCancel);
    });

    // The slider's angle turns its slide link about the link's reference joint.
    Edit(On, [&] {
        Type(Form.eSliderAngle, "90");
        Type(Form.eSliderID, "0");
        Click(Form.bbtnOK);
        EXPECT_EQ(Messages(), std::vector<std::string>{Refused("die Gliednummer")});
        Type(Form.eSliderID, "77");
        Click(Form.bbtnOK);
    });
    EXPECT_EQ(On->ID(), 77);
    EXPECT_NEAR(Slide->Angle(), std::numbers::pi / 2, Eps);
    ExpectAt(Slide->Joints().First(), 60, 0);
}

TEST_F(LinkEdit, InAnimationModeNothingMovesOrGrows) {
    Rig.Gear->SetAnimating(true);
    ASSERT_TRUE(Rig.Gear->Animating());
    const int Joints = Rig.G().Joints().Count();
    Edit(Rig.Crank, [&] {
        for (QWidget* Off : std::initializer_list<QWidget*>{
                 Form.eLinkLength, Form.eLinkAngle, Form.eJointX, Form.eJointY, Form.eJointXk,
                 Form.eJointYk, Form.BitBtn4, Form.btnDriveProperties})
            EXPECT_FALSE(Off->isEnabled()) << Off->objectName().toStdString();
        EXPECT_TRUE(Form.eLinkID->isEnabled());
        EXPECT_TRUE(Form.eJointID->isEnabled());
        Type(Form.eLinkIdentifier, "Kurbel");
        Click(Form.bbtnOK);
    });
    EXPECT_EQ(Rig.Crank->Identifier(), "Kurbel");
    EXPECT_EQ(Rig.G().Joints().Count(), Joints);
}

TEST_F(LinkEdit, ALinkOfAnotherKindShowsNoPageOfItsOwnAndOkKeepsIt) {
    TMoveLog Log;
    TSpyLink Other(Log, "Fremd");
    const std::vector<TMMPoint> Before = Places();
    const int Result = Edit(&Other, [&] { Click(Form.bbtnOK); });
    EXPECT_EQ(Result, QDialog::Accepted);
    EXPECT_EQ(Other.Identifier(), "Fremd");
    EXPECT_EQ(Places(), Before);
    EXPECT_TRUE(Messages().empty());
}

} // namespace
