#include "gear/uGearData.h"

#include "gear/uDrive.h"
#include "gear/uGearPrefs.h"
#include "gear/uJoint.h"
#include "gear/uLink.h"
#include "gear/uLinkKind.h"
#include "gear/uRack.h"
#include "gear/uSlider.h"
#include "platform/Platform.h"
#include "surface/MMSurface.h"

#include <algorithm>
#include <cassert>
#include <exception>
#include <functional>
#include <memory>

namespace {

// The extremes of a mechanism without joints.
constexpr double NoExtreme = 1e20;

// The coordinate of the joints that beats all others, Start without joints.
template <class Beats>
double JointExtreme(const TJointList& Joints, double (TJoint::*Coordinate)() const, double Start,
                    Beats Better) {
    double Best = Start;
    for (const TJoint* J : Joints)
        if (Better((J->*Coordinate)(), Best))
            Best = (J->*Coordinate)();
    return Best;
}

} // namespace

TGearData::TGearData(TComponent* AOwner) : TComponent(AOwner) {
    FGearInfo.SetRevision(&FRevision);
    FJoints.SetRevision(&FRevision);
    FLinks.SetRevision(&FRevision);
    FDrives.SetRevision(&FRevision);
}

TGearData::~TGearData() {
    OnJointSelected = nullptr;
    OnLinkSelected = nullptr;
    OnDataChanged = nullptr;
    Clear(false);
    SetMMSurface(nullptr);
}

void TGearData::SetMMSurface(TMMSurface* Surface) {
    FMMSurface = Surface;
}

TRack* TGearData::Rack() const {
    return FLinks.Empty() ? nullptr : AsRack(FLinks.First());
}

// Creation

TJoint* TGearData::NewJoint(TPlacement Where, double X, double Y) {
    TJoint* Joint = FParts.AddNew<TJoint>();
    Joint->SetX(X);
    Joint->SetY(Y);
    Joint->SetID(NextFreeJointID());
    ApplyToJoint(*Joint);
    if (Where.OnSurface)
        Joint->SetMMSurface(FMMSurface);
    if (Where.InModel)
        AddJoint(Joint);
    Joint->Paint();
    return Joint;
}

TLink* TGearData::NewLink(TPlacement Where, const std::string& Identifier) {
    TLink* Link = FParts.AddNew<TLink>();
    ApplyToLink(*Link);
    Link->SetIdentifier(Identifier);
    Link->SetID(NextFreeLinkID());
    if (Where.OnSurface)
        Link->SetMMSurface(FMMSurface);
    if (Where.InModel)
        AddLink(Link);
    return Link;
}

TRack* TGearData::NewRack(TPlacement Where, const std::string& Identifier) {
    TRack* Frame = FParts.AddNew<TRack>();
    ApplyToLink(*Frame);
    Frame->SetIdentifier(Identifier);
    Frame->SetID(1);
    if (Where.OnSurface)
        Frame->SetMMSurface(FMMSurface);
    if (Where.InModel)
        AddRack(Frame);
    return Frame;
}

TSlider* TGearData::NewSlider(TPlacement Where, const std::string& Identifier,
                              bool WithVirtualJoint) {
    TSlider* Slider = FParts.AddNew<TSlider>();
    ApplyToLink(*Slider);
    Slider->SetIdentifier(Identifier);
    Slider->SetID(NextFreeLinkID());
    if (WithVirtualJoint) {
        TJoint* Virtual = NewJoint(Where, 0, 0);
        Virtual->SetIsVirtual(true);
        Slider->AddJoint(Virtual);
    }
    if (Where.OnSurface)
        Slider->SetMMSurface(FMMSurface);
    if (Where.InModel)
        AddLink(Slider);
    return Slider;
}

TDrive* TGearData::NewDrive(TPlacement Where) {
    TDrive* Drive = FParts.AdoptDrive(std::make_unique<TDrive>());
    ApplyToDrive(*Drive);
    if (Where.OnSurface)
        Drive->SetMMSurface(FMMSurface);
    if (Where.InModel)
        AddDrive(Drive);
    return Drive;
}

// Adding

void TGearData::AddJoint(TJoint* Joint) {
    ListJoint(Joint);
    if (!Joint->MMSurface())
        Joint->SetMMSurface(FMMSurface);
}

void TGearData::AddLink(TCustomLink* Link) {
    if (auto* Frame = AsRack(Link)) {
        AddRack(Frame);
        return;
    }
    // Appended first, so that the joint's own provisional number counts as taken.
    for (TJoint* Joint : Link->Joints())
        if (!FJoints.Contains(Joint)) {
            ListJoint(Joint);
            Joint->SetID(NextFreeJointID());
        }
    ListLink(Link, FLinks.Count());
    if (!Link->MMSurface())
        Link->SetMMSurface(FMMSurface);
}

void TGearData::AddRack(TRack* Frame) {
    TMMUpdateBracket Bracket(FMMSurface);
    TRack* Old = Rack();
    // A link listed before its frame stays in the model: the frame goes in front of it.
    ListLink(Frame, 0);
    if (Old) {
        DetachAllJoints(Old);
        FreeLink(Old);
        RemoveInvalidDrives();
    }
    if (Frame->ID() != 1) {
        auto Holder = std::find_if(FLinks.begin() + 1, FLinks.end(),
                                   [](const TCustomLink* L) { return L->ID() == 1; });
        if (Holder != FLinks.end())
            (*Holder)->SetID(NextFreeLinkID());
        Frame->SetID(1);
    }
    if (!Frame->MMSurface())
        Frame->SetMMSurface(FMMSurface);
}

void TGearData::AddDrive(TDrive* Drive) {
    ListDrive(Drive);
    if (!Drive->MMSurface())
        Drive->SetMMSurface(FMMSurface);
}

void TGearData::AttachJointToRack(TJoint* Joint) {
    TRack* Frame = Rack();
    assert(Frame && "a frame joint needs a frame");
    if (!Frame)
        return;
    if (!FJoints.Contains(Joint))
        ListJoint(Joint);
    Frame->AddJoint(Joint);
}

// Numbering and lookup

int TGearData::NextFreeJointID() const {
    const int ID = FJointNumbers.SmallestFree();
    assert(!JointIDExists(ID) && "a joint changed its number unseen");
    return ID;
}

int TGearData::NextFreeLinkID() const {
    const int ID = FLinkNumbers.SmallestFree();
    assert(!LinkIDExists(ID) && "a link changed its number unseen");
    return ID;
}

void TGearData::ListJoint(TJoint* Joint) {
    FJoints.Add(Joint);
    FJointNumbers.Add(Joint->ID());
    Joint->SetListing(&FJointListing);
}

void TGearData::UnlistJoint(TJoint* Joint) {
    if (FJoints.Remove(Joint) < 0)
        return;
    Joint->SetListing(nullptr);
    FJointNumbers.Remove(Joint->ID());
}

void TGearData::UnlistAllJoints() {
    for (TJoint* Joint : FJoints)
        Joint->SetListing(nullptr);
    FJoints.Clear();
    FJointNumbers.Clear();
}

void TGearData::ListLink(TCustomLink* Link, int Index) {
    FLinks.Insert(Index, Link);
    FLinkNumbers.Add(Link->ID());
    Link->SetListing(&FLinkListing);
}

void TGearData::UnlistLink(TCustomLink* Link) {
    if (FLinks.Remove(Link) < 0)
        return;
    Link->SetListing(nullptr);
    FLinkNumbers.Remove(Link->ID());
}

void TGearData::UnlistAllLinks() {
    for (TCustomLink* Link : FLinks)
        Link->SetListing(nullptr);
    FLinks.Clear();
    FLinkNumbers.Clear();
}

void TGearData::ListDrive(TDrive* Drive) {
    FDrives.Add(Drive);
    Drive->SetRevision(&FRevision);
}

bool TGearData::JointIDExists(int ID) const {
    return FJoints.FindByID(ID) != nullptr;
}

bool TGearData::LinkIDExists(int ID) const {
    return FLinks.FindByID(ID) != nullptr;
}

bool TGearData::IsFrameJoint(const TJoint* Joint) const {
    const TLinkList& Links = Joint->Links();
    return std::any_of(Links.begin(), Links.end(),
                       [](const TCustomLink* L) { return AsRack(L) != nullptr; });
}

bool TGearData::IsSlideLink(const TCustomLink* Link) const {
    if (AsSlider(Link))
        return false;
    const TJointList& Joints = Link->Joints();
    return std::any_of(Joints.begin(), Joints.end(),
                       [](const TJoint* J) { return J->IsVirtual(); });
}

TSlider* TGearData::FindSliderOfJoint(const TJoint* Joint) const {
    for (TCustomLink* Link : Joint->Links())
        if (auto* Slider = AsSlider(Link))
            return Slider;
    return nullptr;
}

TCustomLink* TGearData::FindSlideLink(const TSlider* Slider) const {
    const TJointList& Joints = Slider->Joints();
    auto Virtual =
        std::find_if(Joints.begin(), Joints.end(), [](const TJoint* J) { return J->IsVirtual(); });
    if (Virtual == Joints.end())
        return nullptr;
    for (TCustomLink* Link : (*Virtual)->Links())
        if (Link != Slider)
            return Link;
    return nullptr;
}

TJoint* TGearData::FindCommonJoint(const TCustomLink* LinkA, const TCustomLink* LinkB) const {
    if (!LinkA || !LinkB)
        return nullptr;
    const TJointList& Joints = LinkA->Joints();
    for (int I = Joints.Count() - 1; I >= 0; --I)
        if (LinkB->Joints().Contains(Joints.Items(I)))
            return Joints.Items(I);
    return nullptr;
}

TCustomLink* TGearData::FindCommonLink(const TJoint* JointA, const TJoint* JointB) const {
    if (!JointA || !JointB)
        return nullptr;
    for (TCustomLink* Link : JointA->Links())
        if (JointB->Links().Contains(Link))
            return Link;
    return nullptr;
}

bool TGearData::HasRotaryDrive(const TJoint* Joint) const {
    int I = FDrives.IndexOfJoint(Joint);
    return I >= 0 && FDrives.Items(I)->DriveType() == dtRotary;
}

int TGearData::PositionCount() const {
    return FDrives.Empty() ? 1 : FDrives.First()->Intervals();
}

double TGearData::MaxJointX() const {
    return JointExtreme(FJoints, &TJoint::X, -NoExtreme, std::greater<>());
}

double TGearData::MaxJointY() const {
    return JointExtreme(FJoints, &TJoint::Y, -NoExtreme, std::greater<>());
}

double TGearData::MinJointX() const {
    return JointExtreme(FJoints, &TJoint::X, NoExtreme, std::less<>());
}

double TGearData::MinJointY() const {
    return JointExtreme(FJoints, &TJoint::Y, NoExtreme, std::less<>());
}

// Drives

bool TGearData::CanAddRotaryDrive(const TJoint* Joint, bool Flag) const {
    if (Flag || !Joint || Joint->Links().Count() < 2 || HasRotaryDrive(Joint))
        return false;
    const TCustomLink* L0 = Joint->Links().Items(0);
    const TCustomLink* L1 = Joint->Links().Items(1);
    return (AsRack(L0) && AsBar(L1)) || (AsRack(L1) && AsBar(L0));
}

bool TGearData::CanAddDriveToLink(const TCustomLink* Link, bool IsSlider) const {
    if (!Link || FDrives.FindByLink(Link))
        return false;
    if (IsSlider) {
        return IsSliderOnSlideLink(Link);
    }
    return FindCommonJoint(Rack(), Link) != nullptr;
}

TDrive* TGearData::AddRotaryDrive(TJoint* Joint, bool AddToData) {
    if (!Joint || HasRotaryDrive(Joint) || Joint->Links().Count() < 2)
        return nullptr;
    TDrive* Drive = AddToData ? CreateDrive() : CreateDriveOnSurface();
    Drive->SetDriveType(dtRotary);
    Drive->SetJoint(Joint);
    Drive->SetLink0(Joint->Links().Items(0));
    Drive->SetLink1(Joint->Links().Items(1));
    return Drive;
}

TDrive* TGearData::AddRotaryDriveToLink(TCustomLink* Link, bool AddToData) {
    TJoint* Common = FindCommonJoint(Rack(), Link);
    if (!Common)
        return nullptr;
    TDrive* Drive = AddToData ? CreateDrive() : CreateDriveOnSurface();
    Drive->SetDriveType(dtRotary);
    Drive->SetLink0(Rack());
    Drive->SetLink1(Link);
    Drive->SetJoint(Common);
    return Drive;
}

TDrive* TGearData::AddSlidingDrive(TSlider* Slider, bool AddToData) {
    TCustomLink* SlideLink = Slider ? FindSlideLink(Slider) : nullptr;
    if (!SlideLink) {
        MessageDlg("Der Gleitstein befindet sich auf keiner Schubgeraden.",
                   TMsgDlgType::mtInformation, mbOK);
        return nullptr;
    }
    TDrive* Drive = AddToData ? CreateDrive() : CreateDriveOnSurface();
    Drive->SetDriveType(dtSliding);
    Drive->SetLink0(Slider);
    Drive->SetLink1(SlideLink);
    return Drive;
}

void TGearData::RemoveDrive(TDrive* Drive) {
    if (FDrives.Remove(Drive) >= 0)
        Drive->SetRevision(nullptr);
}

// Change notification

void TGearData::UpdateFrameLink() {
    for (TCustomLink* Link : FLinks) {
        if (AsRack(Link))
            continue;
        const TJointList& Joints = Link->Joints();
        auto FrameJoints = std::count_if(Joints.begin(), Joints.end(),
                                         [this](const TJoint* J) { return IsFrameJoint(J); });
        if (FrameJoints >= 2 && Link->ID() != 1) {
            Link->SetID(1);
            Link->SetIdentifier("Gestell");
        } else if (FrameJoints <= 1 && Link->ID() == 1) {
            Link->SetID(NextFreeLinkID());
            Link->SetIdentifier("Glied");
        }
    }
}

void TGearData::DataChanged() {
    if (FChangeScopes > 0) {
        FChangeWaiting = true;
        return;
    }
    UpdateFrameLink();
    Raise(OnDataChanged, this);
}

TGearData::TChangeScope::TChangeScope(TGearData& Data)
    : FData(Data), FExceptions(std::uncaught_exceptions()) {
    ++FData.FChangeScopes;
}

TGearData::TChangeScope::~TChangeScope() noexcept(false) {
    if (--FData.FChangeScopes > 0 || !FData.FChangeWaiting)
        return;
    FData.FChangeWaiting = false;
    if (std::uncaught_exceptions() == FExceptions)
        FData.DataChanged();
}

bool TGearData::Edit(const std::function<bool()>& Steps) {
    bool Made = false;
    {
        const TChangeScope Scope(*this);
        Made = Steps();
        if (Made)
            DataChanged();
    }
    if (Made)
        ShowEdits();
    return Made;
}

void TGearData::RenamePart(TGearPart& Part, const std::string& Identifier) {
    Part.SetIdentifier(Identifier);
    DataChanged();
    ShowEdits();
}

void TGearData::ShowEdits() {
    if (FMMSurface)
        FMMSurface->Repaint(false);
}
