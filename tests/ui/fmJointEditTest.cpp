// The joint property dialog and its link choice, played as the user plays them.
#include "ui/fmJointEdit.h"

#include "gear/GearRig.h"
#include "support/DialogDriver.h"
#include "ui/fmSelLink.h"

#include <QCheckBox>
#include <QPushButton>
#include <QSpinBox>
#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

const char* const NumberTaken = "Es gibt schon ein Gelenk mit dieser Nummer.";
const char* const BadX = "Die Eingabe für die X-Koordinate ist nicht zulässig.\n\r"
                         "Bitte korrigieren Sie das!";
const char* const BadY = "Die Eingabe für die Y-Koordinate ist nicht zulässig.\n\r"
                         "Bitte korrigieren Sie das!";

class JointEdit : public ::testing::Test {
protected:
    // The crank-rocker: A0(0,0) and B0(45,0) on the frame, A(0,10), B(24,28); C a coupler point
    // on the coupler only, Loose a joint without links.
    JointEdit() {
        Rig.CrankRocker();
        Rig.TurnOnce(36);
        C = Rig.Joint(10.123456789, 20.987654321);
        Rig.Coupler->AddJoint(C);
        Loose = Rig.Joint(50, 50);
        Rig.Adopt();
        Rig.G().OnDataChanged = [this](TObject*) { ++DataChanges; };
    }

    // As the main window's properties action shows the dialog.
    int Edit(TJoint* Joint, std::function<void()> Script) {
        Scripts.On(Form, std::move(Script));
        Form.SetJoint(Joint);
        return RunModal(Form);
    }
    std::vector<std::string> Messages() { return TakeInformationTexts(Rig.Platform().Scripted()); }

    QApplication& App = QtTestApp();
    TGearRig Rig;
    TJoint* C = nullptr;
    TJoint* Loose = nullptr;
    TFormJointEdit Form{*Rig.Gear};
    TDialogScripts Scripts;
    int DataChanges = 0;
};

TEST_F(JointEdit, ShowsTheJointAndAnUnchangedOkKeepsEverything) {
    Rig.B->SetIdentifier("Knie");
    TCurve* Curve = Rig.Gear->GetCurve(Rig.B);
    TPlane* Plane = Rig.Gear->GetPlane(Rig.B, Rig.Coupler);
    const TMMPoint Before = C->Position();

    const int Result = Edit(Rig.B, [&] {
        EXPECT_EQ(Form.windowTitle().toStdString(), "Gelenk - Eigenschaften");
        EXPECT_EQ(Form.seJointID->value(), Rig.B->ID());
        EXPECT_EQ(Form.eJointIdentifier->text().toStdString(), "Knie");
        EXPECT_EQ(Form.eX->text().toStdString(), "24.000");
        EXPECT_EQ(Form.eY->text().toStdString(), "28.000");
        EXPECT_TRUE(Form.cbCurve->isChecked());
        EXPECT_TRUE(Form.cbShowPlanes->isChecked());
        EXPECT_TRUE(Form.eX->isEnabled());
        Click(Form.BitBtn1);
    });

    EXPECT_EQ(Result, QDialog::Accepted);
    EXPECT_EQ(Form.Joint(), nullptr);
    EXPECT_EQ(Rig.Gear->Curves().FindByJoint(Rig.B), Curve);
    EXPECT_EQ(Rig.Gear->Planes().Find(Rig.B, Rig.Coupler), Plane);
    EXPECT_EQ(Rig.Gear->Planes().Count(), 1);
    EXPECT_EQ(C->Position(), Before);
    EXPECT_EQ(DataChanges, 1);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(JointEdit, OnlyTheEditedCoordinateIsRead) {
    const double X0 = C->X(), Y0 = C->Y();
    struct TCase {
        QLineEdit* TFormJointEdit::*Field;
        const char* Text;
        double X, Y;
    };
    const TCase Cases[] = {
        {&TFormJointEdit::eJointIdentifier, "Koppelpunkt", X0, Y0},
        {&TFormJointEdit::eY, "5", X0, 5},
        {&TFormJointEdit::eX, "12,5", 12.5, Y0},
        {&TFormJointEdit::eX, "12.5", 12.5, Y0},
        {&TFormJointEdit::eX, "-1000000000", -1e9, Y0}, // at the bound
    };
    for (const TCase& Case : Cases) {
        SCOPED_TRACE(Case.Text);
        C->SetX(X0);
        C->SetY(Y0);
        Edit(C, [&] {
            Type(Form.*Case.Field, QString::fromUtf8(Case.Text));
            Click(Form.BitBtn1);
        });
        EXPECT_EQ(C->X(), Case.X);
        EXPECT_EQ(C->Y(), Case.Y);
    }
    EXPECT_EQ(C->Identifier(), "Koppelpunkt");
    EXPECT_TRUE(Messages().empty());
}

TEST_F(JointEdit, TheNumberMustBeFree) {
    const int Own = C->ID();
    const int Taken = Rig.A->ID();
    const int Free = Rig.G().NextFreeJointID();
    EXPECT_EQ(Form.seJointID->minimum(), 1);

    // Its own number is no conflict.
    EXPECT_EQ(Edit(C, [&] { Click(Form.BitBtn1); }), QDialog::Accepted);

    // Another joint's number: told, set back, nothing applied, still open.
    const int Result = Edit(C, [&] {
        Form.seJointID->setValue(Taken);
        Type(Form.eJointIdentifier, "Neu");
        Type(Form.eX, "1");
        Click(Form.BitBtn1);
        EXPECT_EQ(Form.seJointID->value(), Own);
    });
    EXPECT_EQ(Result, TDialogScripts::LeftOpen);
    EXPECT_EQ(Messages(), std::vector<std::string>{NumberTaken});
    EXPECT_EQ(C->ID(), Own);
    EXPECT_EQ(C->Identifier(), "");
    EXPECT_EQ(C->X(), 10.123456789);
    EXPECT_EQ(DataChanges, 1);

    EXPECT_EQ(Edit(C,
                   [&] {
                       Form.seJointID->setValue(Free);
                       Click(Form.BitBtn1);
                   }),
              QDialog::Accepted);
    EXPECT_EQ(C->ID(), Free);
}

TEST_F(JointEdit, ARefusedCoordinateKeepsTheDialogOpenAndThePlace) {
    struct TCase {
        QLineEdit* TFormJointEdit::*Field;
        const char* Text;
        const char* Message;
    };
    const TCase Cases[] = {
        {&TFormJointEdit::eX, "abc", BadX},
        {&TFormJointEdit::eY, "1e999", BadY},
        {&TFormJointEdit::eY, "", BadY},
        {&TFormJointEdit::eX, "1.000,5", BadX},
        // Beyond the bounds of a mechanism, which a file could not hold.
        {&TFormJointEdit::eX, "2000000000", BadX},
        {&TFormJointEdit::eY, "-1000000000,001", BadY},
    };
    const TMMPoint Before = C->Position();
    for (const TCase& Case : Cases) {
        SCOPED_TRACE(Case.Text);
        Rig.Platform().Scripted().Asked.clear();
        C->SetIdentifier("");
        const int Result = Edit(C, [&] {
            Type(Form.eJointIdentifier, "Neu");
            Type(Form.*Case.Field, Case.Text);
            Click(Form.BitBtn1);
            EXPECT_EQ(Form.focusWidget(), Form.*Case.Field);
        });
        EXPECT_EQ(Result, TDialogScripts::LeftOpen);
        EXPECT_EQ(Messages(), std::vector<std::string>{Case.Message});
        EXPECT_EQ(C->Identifier(), "Neu"); // applied before the coordinates
        EXPECT_EQ(C->Position(), Before);
    }
    EXPECT_EQ(DataChanges, 0);
}

TEST_F(JointEdit, PlanePositionsAreDrawnForTheLinkChosen) {
    TFormSelLink& Choice = Form.FormSelLink();
    const TLinkList& Links = Rig.B->Links();
    ASSERT_EQ(Links.Count(), 2);
    Scripts.On(Choice, [&] {
        EXPECT_EQ(Choice.windowTitle().toStdString(), "Ebenelage - Gliedauswahl");
        ASSERT_EQ(Choice.cbLinks->count(), 2);
        for (int I = 0; I < 2; ++I)
            EXPECT_EQ(Choice.cbLinks->itemText(I).toStdString(), Links.Items(I)->GetDisplayText());
        EXPECT_EQ(Choice.cbLinks->currentIndex(), 0);
        Pick(Choice.cbLinks, 1);
        Click(Choice.findChild<QPushButton*>("Button1"));
    });
    Edit(Rig.B, [&] {
        Click(Form.cbCurve);
        Click(Form.cbShowPlanes);
        Click(Form.BitBtn1);
    });
    EXPECT_EQ(Scripts.Shown, (std::vector<QDialog*>{&Form, &Choice}));
    EXPECT_EQ(Rig.Gear->Planes().Count(), 1);
    EXPECT_NE(Rig.Gear->Planes().Find(Rig.B, Links.Items(1)), nullptr);
    EXPECT_TRUE(Rig.Gear->Curves().HasCurve(Rig.B));

    // Switched off again: gone.
    Edit(Rig.B, [&] {
        Click(Form.cbCurve);
        Click(Form.cbShowPlanes);
        Click(Form.BitBtn1);
    });
    EXPECT_FALSE(Rig.Gear->Planes().HasPlane(Rig.B));
    EXPECT_FALSE(Rig.Gear->Curves().HasCurve(Rig.B));
}

TEST_F(JointEdit, WithoutALinkChosenNoPlanePositionsAreMade) {
    TFormSelLink& Choice = Form.FormSelLink();
    Scripts.On(Choice, [&] { Click(Choice.findChild<QPushButton*>("Button2")); });
    struct TCase {
        TJoint* Joint;
        bool Asked;
    };
    const TCase Cases[] = {{Rig.B, true}, {Loose, false}};
    for (const TCase& Case : Cases) {
        SCOPED_TRACE(Case.Joint->ID());
        Scripts.Shown.clear();
        const int Result = Edit(Case.Joint, [&] {
            Click(Form.cbShowPlanes);
            Click(Form.BitBtn3);
            EXPECT_FALSE(Form.cbShowPlanes->isChecked());
            Click(Form.BitBtn2);
        });
        EXPECT_EQ(Result, QDialog::Rejected);
        EXPECT_EQ(Scripts.Shown.size(), Case.Asked ? 2u : 1u);
        EXPECT_EQ(Rig.Gear->Planes().Count(), 0);
    }
}

TEST_F(JointEdit, AJointOnOneLinkTakesThatLinkWithoutAsking) {
    Edit(C, [&] {
        Click(Form.cbShowPlanes);
        Click(Form.BitBtn1);
    });
    EXPECT_EQ(Scripts.Shown, std::vector<QDialog*>{&Form});
    EXPECT_NE(Rig.Gear->Planes().Find(C, Rig.Coupler), nullptr);
}

TEST_F(JointEdit, ApplyKeepsTheDialogOpenAndCancellingUndoesNothing) {
    for (auto Close : {+[](TFormJointEdit& F) { Click(F.BitBtn2); },
                       +[](TFormJointEdit& F) { QTest::keyClick(&F, Qt::Key_Escape); }}) {
        DataChanges = 0;
        const int Result = Edit(C, [&] {
            Type(Form.eY, "7");
            Click(Form.BitBtn3);
            EXPECT_TRUE(Form.isVisible());
            EXPECT_EQ(Form.Joint(), C);
            EXPECT_EQ(DataChanges, 1);
            Type(Form.eY, "9");
            Close(Form);
        });
        EXPECT_EQ(Result, QDialog::Rejected);
        EXPECT_EQ(Form.Joint(), nullptr);
        EXPECT_EQ(C->Y(), 7);
        EXPECT_EQ(DataChanges, 1);
    }
}

TEST_F(JointEdit, InAnimationModeThePlaceCannotBeEdited) {
    Rig.G().DeleteJoint(Loose); // a loose joint keeps the mechanism from moving
    Rig.Gear->SetAnimating(true);
    ASSERT_TRUE(Rig.Gear->Animating());
    Edit(Rig.B, [&] {
        EXPECT_FALSE(Form.eX->isEnabled());
        EXPECT_FALSE(Form.eY->isEnabled());
        EXPECT_TRUE(Form.eJointIdentifier->isEnabled());
        EXPECT_TRUE(Form.cbCurve->isEnabled());
        Click(Form.BitBtn2);
    });
    Rig.Gear->SetEditing(true);
    Edit(Rig.B, [&] {
        EXPECT_TRUE(Form.eX->isEnabled());
        Click(Form.BitBtn2);
    });
}

} // namespace
