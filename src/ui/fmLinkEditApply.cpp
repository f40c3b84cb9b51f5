// Writing the link property dialog into the link and its chosen joint: changed fields only, in a
// fixed order, stopping at the first input refused.
#include "ui/fmLinkEdit.h"

#include "gear/uGear.h"
#include "gear/uGearUtils.h"
#include "gear/uJoint.h"
#include "gear/uLink.h"
#include "gear/uLinkKind.h"
#include "gear/uRack.h"
#include "gear/uSlider.h"
#include "ui/ColorBox.h"
#include "ui/DialogFields.h"

#include <QComboBox>
#include <QLineEdit>

#include <numbers>

namespace {

constexpr double RadiansPerDegree = std::numbers::pi / 180;

// The field's angle in radians, or nothing once refused.
std::optional<double> ReadAngle(QLineEdit& Field) {
    const auto Degrees = ReadDecimal(Field, "den Winkel");
    if (!Degrees)
        return std::nullopt;
    return *Degrees * RadiansPerDegree;
}

} // namespace

bool TFormLinkEdit::ApplyChanges() {
    if (!FLink)
        return true;
    // A link of another kind shows no page of its own, so none is applied.
    bool PageApplied = true;
    if (auto* Bar = AsBar(FLink))
        PageApplied = ApplyLinkProperties(*Bar);
    else if (auto* Frame = AsRack(FLink))
        PageApplied = ApplyRackProperties(*Frame);
    else if (auto* Slider = AsSlider(FLink))
        PageApplied = ApplySliderProperties(*Slider);
    return PageApplied && ApplyJointProperties();
}

bool TFormLinkEdit::ApplyLinkProperties(TLink& Link) {
    if (!ApplyLinkID(*eLinkID))
        return false;
    ApplyIdentifier(*eLinkIdentifier, Link);
    // A reference that the list cannot show (none, or a coupler point) is left as it is.
    if (cbLinkRefJoint->currentIndex() >= 0)
        Link.SetReferenceJointID(RealJointIndex(Link.Joints(), cbLinkRefJoint->currentIndex()));
    if (eLinkAngle->isModified()) {
        const auto Angle = ReadAngle(*eLinkAngle);
        if (!Angle)
            return false;
        Link.SetAngle(*Angle);
        eLinkAngle->setModified(false);
    }
    if (eLinkLength->isModified()) {
        const auto Length = ReadLength(*eLinkLength);
        if (!Length)
            return false;
        Link.SetLength(*Length);
        eLinkLength->setModified(false);
    }
    Link.SetLineColor(cbColor->Selected());
    return true;
}

bool TFormLinkEdit::ApplyRackProperties(TRack& Frame) {
    ApplyIdentifier(*eRackIdentifier, Frame);
    Frame.SetLineColor(cbColor->Selected());
    return true;
}

bool TFormLinkEdit::ApplySliderProperties(TSlider& Slider) {
    if (!ApplyLinkID(*eSliderID))
        return false;
    ApplyIdentifier(*eSliderIdentifier, Slider);
    TLink* Slide = Slider.SlideLink();
    if (eSliderAngle->isModified() && Slide) {
        const auto Angle = ReadAngle(*eSliderAngle);
        if (!Angle)
            return false;
        Slide->SetAngle(*Angle);
        eSliderAngle->setModified(false);
    }
    Slider.SetLineColor(cbColor->Selected());
    return true;
}

bool TFormLinkEdit::ApplyLinkID(QLineEdit& Field) {
    if (!Field.isModified())
        return true;
    const auto Number = ReadNumber(Field, "die Gliednummer");
    if (!Number)
        return false;
    if (*Number != FLink->ID() && FGear.GearData().LinkIDExists(*Number)) {
        Inform("Es gibt schon ein Getriebeglied mit dieser Nummer.");
        Field.setText(QString::number(FLink->ID()));
        Field.setFocus();
        return false;
    }
    FLink->SetID(*Number);
    Field.setModified(false);
    return true;
}

void TFormLinkEdit::ApplyIdentifier(QLineEdit& Field, TCustomLink& Link) {
    if (!Field.isModified())
        return;
    Link.SetIdentifier(Field.text().toStdString());
    Field.setModified(false);
}

bool TFormLinkEdit::ApplyJointProperties() {
    TJoint* Joint = ChosenJoint();
    // A link without joints to list (a frame with none yet) has nothing to apply here.
    if (!Joint)
        return cbJoints->count() == 0;
    if (!ApplyJointID(*Joint))
        return false;
    if (eJointIdentifier->isModified())
        Joint->SetIdentifier(eJointIdentifier->text().toStdString());
    if (!ApplyJointPosition(*Joint) || !ApplyJointLocalPosition(*Joint))
        return false;
    ShowChosenJoint();
    return true;
}

bool TFormLinkEdit::ApplyJointID(TJoint& Joint) {
    if (!eJointID->isModified())
        return true;
    const auto Number = ReadNumber(*eJointID, "die Gelenknummer");
    if (!Number)
        return false;
    if (*Number != Joint.ID() && FGear.GearData().JointIDExists(*Number)) {
        Inform("Es gibt schon ein Gelenk mit dieser Nummer.");
        eJointID->setText(QString::number(Joint.ID()));
        eJointID->setFocus();
        return false;
    }
    Joint.SetID(*Number);
    eJointID->setModified(false);
    return true;
}

bool TFormLinkEdit::ApplyJointPosition(TJoint& Joint) {
    if (!eJointX->isModified() && !eJointY->isModified())
        return true;
    TMMPoint P = Joint.Position();
    if (!ReadEditedPoint(*eJointX, *eJointY, P))
        return false;
    Joint.SetPosition(nullptr, P.X, P.Y);
    eJointX->setModified(false);
    eJointY->setModified(false);
    return true;
}

bool TFormLinkEdit::ApplyJointLocalPosition(TJoint& Joint) {
    if (!eJointXk->isModified() && !eJointYk->isModified())
        return true;
    TMMPoint Local = FLink->GlobalToLocal(Joint.Position());
    if (!ReadEditedPoint(*eJointXk, *eJointYk, Local))
        return false;
    const TMMPoint P = FLink->LocalToGlobal(Local);
    // Local coordinates inside the bounds may still put the joint beyond them.
    QLineEdit& Edited = eJointXk->isModified() ? *eJointXk : *eJointYk;
    const char* What = eJointXk->isModified() ? "die X-Koordinate" : "die Y-Koordinate";
    if (!CoordinateOrRefuse(P.X, Edited, What) || !CoordinateOrRefuse(P.Y, Edited, What))
        return false;
    Joint.SetPosition(nullptr, P.X, P.Y);
    eJointXk->setModified(false);
    eJointYk->setModified(false);
    return true;
}
