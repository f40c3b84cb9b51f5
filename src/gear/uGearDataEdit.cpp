// The structural edits of the data model. Each ends in the clean-up, and every part leaves the
// registry, its own list and the selection before it is freed, so nothing names a freed part.
#include "gear/uGearData.h"

#include "gear/uDrive.h"
#include "gear/uGearLimits.h"
#include "gear/uGearUtils.h"
#include "gear/uJoint.h"
#include "gear/uLink.h"
#include "gear/uLinkKind.h"
#include "gear/uRack.h"
#include "gear/uSlider.h"
#include "surface/MMSurface.h"

namespace {

// Deletes the list's first part until the list is empty, or until a deletion did not take the
// part out of the list (a list that is not a selection list): its first part may be freed.
template <class List, class Delete> void DeleteUntilEmpty(List& Parts, Delete DeleteFirst) {
    while (!Parts.Empty()) {
        int Before = Parts.Count();
        DeleteFirst(Parts.First());
        if (Parts.Count() >= Before)
            break;
    }
}

} // namespace

void TGearData::FreeAllParts() {
    DeselectLinks();
    DeselectJoints();
    // The lists let go first; the registry then frees the drives before the parts, so that none
    // names a freed part even for a moment.
    FDrives.Clear();
    UnlistAllJoints();
    UnlistAllLinks();
    FParts.Clear();
}

void TGearData::Clear(bool CreateRack) {
    TMMUpdateBracket Bracket(FMMSurface);
    FreeAllParts();
    FGearInfo.Clear();
    if (CreateRack)
        this->CreateRack("Gestell");
    Raise(OnDataChanged, this);
}

void TGearData::DeleteLink(TCustomLink* Link, bool Force) {
    if (!Link || !FLinks.Contains(Link))
        return;
    TMMUpdateBracket Bracket(FMMSurface);
    if (AsRack(Link) && !Force) {
        Link->SetSelected(false);
        FSelectedLinks.Remove(Link);
        return;
    }
    // Out of the list while it gives up its joints, so that no clean-up on the way (separating a
    // slider's joint sweeps) frees it under our hands; a forced frame goes the same way.
    UnlistLink(Link);
    while (!Link->Joints().Empty()) {
        TJoint* J = Link->Joints().First();
        const TLinkList& Links = J->Links();
        if (J->IsVirtual() && !Links.Empty()) {
            // The other link of a slider's joint keeps a joint of its own at this place.
            if (Links.First() != Link)
                SeparateLinks(Link, Links.First());
            else if (Links.Count() >= 2 && Links.Items(1) != Link)
                SeparateLinks(Link, Links.Items(1));
        }
        // Read again: the separation's sweep may have taken J off the link already.
        if (!Link->Joints().Empty())
            DetachJoint(Link, Link->Joints().First());
    }
    FreeLink(Link);
    RemoveOrphans();
}

void TGearData::DeleteLinks(TLinkList& List, bool Force) {
    TMMUpdateBracket Bracket(FMMSurface);
    DeleteUntilEmpty(List, [this, Force](TCustomLink* Link) { DeleteLink(Link, Force); });
}

void TGearData::DeleteJoint(TJoint* Joint) {
    if (!Joint || !FJoints.Contains(Joint))
        return;
    TMMUpdateBracket Bracket(FMMSurface);
    while (!Joint->Links().Empty())
        DetachJoint(Joint->Links().First(), Joint);
    // The sweep frees the jointless joint: it leaves the lists and then the registry.
    RemoveOrphans();
}

void TGearData::DeleteJoints(TJointList& List) {
    TMMUpdateBracket Bracket(FMMSurface);
    DeleteUntilEmpty(List, [this](TJoint* Joint) { DeleteJoint(Joint); });
}

void TGearData::DeleteSelection() {
    if (FSelectedLinks.Empty())
        DeleteJoints(FSelectedJoints);
    else
        DeleteLinks(FSelectedLinks, false);
}

void TGearData::DetachJoint(TCustomLink* Link, TJoint* Joint) {
    Link->RemoveJoint(Joint);
    Joint->RemoveLink(Link);
}

void TGearData::DetachAllJoints(TCustomLink* Link) {
    while (!Link->Joints().Empty())
        DetachJoint(Link, Link->Joints().First());
}

void TGearData::FreeJoint(TJoint* Joint) {
    FSelectedJoints.Remove(Joint);
    UnlistJoint(Joint);
    ReleaseDrives(Joint);
    FParts.Remove(Joint);
}

void TGearData::FreeLink(TCustomLink* Link) {
    FSelectedLinks.Remove(Link);
    UnlistLink(Link);
    ReleaseDrives(Link);
    FParts.Remove(Link);
}

void TGearData::ReleaseDrives(const TGearPart* Part) {
    int I = 0;
    while (I < FDrives.Count()) {
        TDrive* Drive = FDrives.Items(I);
        // Read while the part still lives: a sliding drive's joint comes from its slide link.
        if (Drive->Link0() == Part || Drive->Link1() == Part || Drive->GetJoint() == Part) {
            RemoveDrive(Drive);
            FParts.Remove(Drive);
            continue;
        }
        // A sliding drive only keeps its stored joint; it stands on its links.
        if (Drive->Joint() == Part)
            Drive->SetJoint(nullptr);
        ++I;
    }
}

void TGearData::RemoveOrphans() {
    TMMUpdateBracket Bracket(FMMSurface);
    // A link that gives up both joints at once can leave a joint loose that the joint sweep has
    // passed, or a link loose that the link sweep has passed: repeat until nothing is left over.
    bool Removed = true;
    while (Removed) {
        Removed = SweepLooseLinks();
        Removed = SweepLooseJoints() || Removed;
    }
    RemoveInvalidDrives();
}

void TGearData::RemoveLooseLinks() {
    TMMUpdateBracket Bracket(FMMSurface);
    SweepLooseLinks();
}

void TGearData::RemoveLooseJoints() {
    TMMUpdateBracket Bracket(FMMSurface);
    SweepLooseJoints();
}

bool TGearData::SweepLooseLinks() {
    bool Removed = false;
    int I = 0;
    while (I < FLinks.Count()) {
        TCustomLink* Link = FLinks.Items(I);
        if (Link->Joints().Count() < 2 && !AsRack(Link)) {
            DetachAllJoints(Link);
            FreeLink(Link);
            Removed = true;
        } else {
            ++I;
        }
    }
    return Removed;
}

bool TGearData::SweepLooseJoints() {
    bool Removed = false;
    int I = 0;
    while (I < FJoints.Count()) {
        TJoint* Joint = FJoints.Items(I);
        const TLinkList& Links = Joint->Links();
        // A virtual joint left alone on an ordinary link marks a slider that is gone.
        bool Stray = Joint->IsVirtual() && Links.Count() == 1 && AsBar(Links.First());
        if (Stray)
            DetachJoint(Links.First(), Joint);
        if (Links.Empty()) {
            FreeJoint(Joint);
            Removed = true;
        } else {
            ++I;
        }
    }
    return Removed;
}

void TGearData::RemoveInvalidDrives() {
    TMMUpdateBracket Bracket(FMMSurface);
    int I = 0;
    while (I < FDrives.Count()) {
        TDrive* Drive = FDrives.Items(I);
        // The links first: a sliding drive's joint is read from its slide link.
        bool Valid = FLinks.Contains(Drive->Link0()) && FLinks.Contains(Drive->Link1()) &&
                     FJoints.Contains(Drive->GetJoint());
        if (Valid) {
            ++I;
        } else {
            RemoveDrive(Drive);
            FParts.Remove(Drive);
        }
    }
}

void TGearData::MergeJoints(TJoint* Joint1, TJoint* Joint2) {
    if (!Joint1 || !Joint2 || Joint1 == Joint2 || FindCommonLink(Joint1, Joint2))
        return;
    TMMUpdateBracket Bracket(FMMSurface);
    for (TCustomLink* Link : Joint1->Links()) {
        Joint2->AddLink(Link);
        TJointList& Joints = Link->Joints();
        Joints.SetItems(Joints.IndexOf(Joint1), Joint2);
    }
    Joint1->Links().Clear();
    // Joint2 now lies on every link the drives of Joint1 used.
    for (TDrive* Drive : FDrives)
        if (Drive->Joint() == Joint1)
            Drive->SetJoint(Joint2);
    FreeJoint(Joint1);
    DeselectJoints();
    SelectJoint(Joint2, false);
    DataChanged();
}

void TGearData::ConnectSliderToLink(TSlider* Slider, TCustomLink* Link) {
    if (!Slider || !Link || Slider->Joints().Empty() || Link->Joints().Count() < 2)
        return;
    TMMUpdateBracket Bracket(FMMSurface);
    TJoint* V = Slider->Joints().First();
    TJoint* A = Link->Joints().Items(0);
    TJoint* B = Link->Joints().Items(1);
    double Angle = JointDirection(*B, *A) - JointDirection(*V, *A);
    RotateJointAbout(Slider, *A, *V, Angle);
    Link->AddJoint(V);
    V->AddLink(Link);
    DataChanged();
}

void TGearData::SeparateLinks(TCustomLink* LinkA, TCustomLink* LinkB) {
    TJoint* J = FindCommonJoint(LinkA, LinkB);
    if (!J)
        return;
    TMMUpdateBracket Bracket(FMMSurface);
    TJoint* N = CreateJoint(J->X(), J->Y());
    N->SetIsVirtual(J->IsVirtual());
    TJointList& Joints = LinkB->Joints();
    int Index = Joints.IndexOf(J);
    LinkB->AddJoint(N);
    // N takes J's slot, so the reference index and the joint order keep their meaning.
    Joints.Exchange(Index, Joints.IndexOf(N));
    Joints.Remove(J);
    J->RemoveLink(LinkB);
    RemoveOrphans();
    DataChanged();
}

void TGearData::SeparateSelection() {
    const TChangeScope Scope(*this);
    if (FSelectedLinks.Count() == 2) {
        SeparateLinks(FSelectedLinks.Items(0), FSelectedLinks.Items(1));
    } else if (FSelectedJoints.Count() == 1) {
        const TJoint* Joint = FSelectedJoints.First();
        if (Joint->Links().Count() >= 2)
            SeparateLinks(Joint->Links().First(), Joint->Links().Last());
    }
    DeselectLinks();
    DataChanged();
}

bool TGearData::MoveOriginToJoint(TJoint* Joint) {
    if (!Joint)
        return true;
    double DX = Joint->X();
    double DY = Joint->Y();
    for (const TJoint* K : FJoints)
        if (!IsCoordinateInRange(K->X() - DX) || !IsCoordinateInRange(K->Y() - DY))
            return false;
    TMMUpdateBracket Bracket(FMMSurface);
    for (TJoint* K : FJoints)
        if (K != Joint) {
            K->SetX(K->X() - DX);
            K->SetY(K->Y() - DY);
        }
    Joint->SetX(0);
    Joint->SetY(0);
    // The bracket's end repaints once the whole mechanism is shifted.
    return true;
}

void TGearData::TakeOver(TGearData& Source) {
    assert(&Source != this);
    TMMUpdateBracket Bracket(FMMSurface);
    FreeAllParts();
    FGearInfo.SetAuthor(Source.FGearInfo.Author());
    FGearInfo.SetDescription(Source.FGearInfo.Description());
    Source.DeselectLinks();
    Source.DeselectJoints();
    // The registry hands its parts out from the last, so that no removal shifts the rest.
    std::vector<std::unique_ptr<TGearPart>> Moving;
    while (!Source.FParts.Empty())
        Moving.push_back(Source.FParts.Remove(Source.FParts.Items(Source.FParts.Count() - 1)));
    for (auto It = Moving.rbegin(); It != Moving.rend(); ++It) {
        (*It)->SetMMSurface(FMMSurface);
        FParts.Adopt(std::move(*It));
    }
    std::vector<std::unique_ptr<TDrive>> Drives;
    for (int I = Source.FDrives.Count() - 1; I >= 0; --I)
        Drives.push_back(Source.FParts.Remove(Source.FDrives.Items(I)));
    for (auto It = Drives.rbegin(); It != Drives.rend(); ++It) {
        (*It)->SetMMSurface(FMMSurface);
        ListDrive(FParts.AdoptDrive(std::move(*It)));
    }
    const std::vector<TJoint*> Joints(Source.FJoints.begin(), Source.FJoints.end());
    Source.UnlistAllJoints();
    for (TJoint* Joint : Joints)
        ListJoint(Joint);
    const std::vector<TCustomLink*> Links(Source.FLinks.begin(), Source.FLinks.end());
    Source.FDrives.Clear();
    Source.UnlistAllLinks();
    for (TCustomLink* Link : Links)
        ListLink(Link, FLinks.Count());
    Raise(OnDataChanged, this);
}
