#include "support/MechanismBuilder.h"

#include "gear/uGearData.h"

#include <string>

TMechanismBuilder::TMechanismBuilder(TMMSurface* Surface) : FSurface(Surface) {}

TMechanismBuilder::TMechanismBuilder(TGearData& Model) : FModel(&Model) {}

TMechanismBuilder::~TMechanismBuilder() {
    FreeParts();
}

void TMechanismBuilder::FreeParts() {
    // Off the surface first, so that no repaint meets a half-freed mechanism.
    for (TMMGraphicItem* Item : FItems)
        Item->SetMMSurface(nullptr);
    FItems.clear();
    FParts.Clear();
}

TJoint* TMechanismBuilder::Joint(double X, double Y) {
    if (FModel)
        return FModel->CreateJoint(X, Y);
    TJoint* J = NewPart<TJoint>();
    J->SetX(X);
    J->SetY(Y);
    return J;
}

TJoint* TMechanismBuilder::VirtualJoint(double X, double Y) {
    TJoint* J = Joint(X, Y);
    J->SetIsVirtual(true);
    return J;
}

TJoint* TMechanismBuilder::FrameJoint(double X, double Y) {
    TJoint* J = Joint(X, Y);
    Frame({J});
    return J;
}

TRack* TMechanismBuilder::Frame(std::initializer_list<TJoint*> Joints) {
    if (FModel) {
        TRack* Made = FModel->Rack() ? FModel->Rack() : FModel->CreateRack("Gestell");
        for (TJoint* J : Joints)
            FModel->AttachJointToRack(J);
        return Made;
    }
    if (!FFrame)
        FFrame = NewPart<TRack>();
    for (TJoint* J : Joints)
        FFrame->AddJoint(J);
    return FFrame;
}

TLink* TMechanismBuilder::Link(std::initializer_list<TJoint*> Joints) {
    if (!FModel)
        return Part<TLink>(Joints);
    TLink* Made = FModel->CreateLink("Glied");
    for (TJoint* J : Joints)
        Made->AddJoint(J);
    return Made;
}

TSlider* TMechanismBuilder::NewSlider() {
    if (FModel)
        return FModel->CreateSlider("Gleitstein", true);
    return Part<TSlider>({VirtualJoint(0, 0)});
}

TSlider* TMechanismBuilder::Slider(TCustomLink* Slide, double X, double Y) {
    TSlider* S = NewSlider();
    S->AddJoint(Joint(X, Y));
    if (Slide)
        PutOn(S, Slide);
    return S;
}

TSlider* TMechanismBuilder::Slider(TCustomLink* Slide, TJoint* Pin) {
    TSlider* S = NewSlider();
    S->AddJoint(Pin);
    if (Slide)
        PutOn(S, Slide);
    return S;
}

void TMechanismBuilder::PutOn(TSlider* S, TCustomLink* Slide) {
    Slide->AddJoint(Virtual(S));
}

TDrive* TMechanismBuilder::RotaryDrive(TJoint* J) {
    if (FModel) {
        TDrive* Made = FModel->AddRotaryDrive(J, true);
        if (!Made)
            Failed("no rotary drive possible at joint " + std::to_string(J->ID()));
        return Made;
    }
    if (J->Links().Count() < 2) {
        Failed("a rotary drive needs two links at joint " + std::to_string(J->ID()));
        return nullptr;
    }
    TDrive* Made = NewPart<TDrive>();
    Made->SetDriveType(dtRotary);
    Made->SetJoint(J);
    Made->SetLink0(J->Links().Items(0));
    Made->SetLink1(J->Links().Items(1));
    return Made;
}

TDrive* TMechanismBuilder::SlidingDrive(TSlider* S) {
    if (FModel) {
        TDrive* Made = FModel->AddSlidingDrive(S, true);
        if (!Made)
            Failed("the slider is on no slide link");
        return Made;
    }
    TDrive* Made = NewPart<TDrive>();
    Made->SetDriveType(dtSliding);
    Made->SetLink0(S);
    Made->SetLink1(S->SlideLink());
    return Made;
}
