// The data model's hit tests at pixel positions and its selection rules.
#include "gear/uGearData.h"

#include "gear/uGearPrefs.h"
#include "gear/uJoint.h"
#include "gear/uLink.h"
#include "gear/uLinkKind.h"
#include "gear/uSlider.h"
#include "surface/MMSurface.h"
#include "xml/XMLPrefs.h"

namespace {

constexpr double NoDistance = 1e20;

// The candidate nearest to the point by Distance, the first of equally near ones; nil when the
// nearest is farther than Limit. Bound, never above Distance, lets far candidates be passed over
// without measuring them.
template <class List, class Accept, class Distance, class LowerBound>
auto Nearest(const List& Candidates, Accept Accepts, Distance DistanceOf, double Limit,
             LowerBound Bound) -> decltype(Candidates.Items(0)) {
    decltype(Candidates.Items(0)) Best = nullptr;
    double BestDistance = NoDistance;
    for (auto* Candidate : Candidates) {
        if (!Accepts(Candidate))
            continue;
        const double Least = Bound(Candidate);
        if (Least > Limit || Least >= BestDistance)
            continue;
        double D = DistanceOf(Candidate);
        if (D < BestDistance) {
            BestDistance = D;
            Best = Candidate;
        }
    }
    return BestDistance <= Limit ? Best : nullptr;
}

template <class List, class Accept, class Distance>
auto Nearest(const List& Candidates, Accept Accepts, Distance DistanceOf, double Limit)
    -> decltype(Candidates.Items(0)) {
    return Nearest(Candidates, Accepts, DistanceOf, Limit, [](const auto*) { return 0.0; });
}

} // namespace

// Hit tests

double TGearData::PixelSetting(const char* Name) const {
    return PreferenceStore().GetInteger("Edit", Name) / FMMSurface->ScaleX();
}

TJoint* TGearData::FindJointAt(int X, int Y) const {
    if (!FMMSurface)
        return nullptr;
    double WX = FMMSurface->PixelToMMX(X, true);
    double WY = FMMSurface->PixelToMMY(Y, true);
    return Nearest(
        FJoints, [](const TJoint* J) { return !J->IsVirtual(); },
        [WX, WY](const TJoint* J) { return J->DistanceTo(WX, WY); },
        PixelSetting("MaxSelectDistance"));
}

TCustomLink* TGearData::FindLinkAt(int X, int Y) const {
    if (!FMMSurface)
        return nullptr;
    double WX = FMMSurface->PixelToMMX(X, true);
    double WY = FMMSurface->PixelToMMY(Y, true);
    return Nearest(
        FLinks, [](const TCustomLink*) { return true; },
        [WX, WY](const TCustomLink* L) { return L->DistanceTo(WX, WY); },
        PixelSetting("MaxSelectDistance"),
        [WX, WY](const TCustomLink* L) { return L->DistanceBound(WX, WY); });
}

TJoint* TGearData::FindSnapJoint(const TJoint* Joint) const {
    if (!FMMSurface || !Joint)
        return nullptr;
    return Nearest(
        FJoints, [Joint](const TJoint* J) { return J != Joint && !J->IsVirtual(); },
        [Joint](const TJoint* J) { return J->DistanceTo(Joint->X(), Joint->Y()); },
        PixelSetting("MaxSnapDistance"));
}

TCustomLink* TGearData::FindSnapLink(const TSlider* Slider) const {
    if (!FMMSurface || !Slider || Slider->Joints().Count() < 2)
        return nullptr;
    const TJoint* Pin = Slider->Joints().Items(1);
    TCustomLink* Best = Nearest(
        FLinks,
        [Slider, Pin](const TCustomLink* L) {
            return L != Slider && AsBar(L) && !Pin->Links().Contains(L);
        },
        [Pin](const TCustomLink* L) { return L->DistanceTo(Pin->X(), Pin->Y()); }, NoDistance);
    // Compared in pixels here, not in millimetres.
    if (Best && FMMSurface->ScaleX() * Best->DistanceTo(Pin->X(), Pin->Y()) <=
                    PreferenceStore().GetInteger("Edit", "MaxSnapDistance"))
        return Best;
    return nullptr;
}

TCustomLink* TGearData::FindSnapLinkForLink(const TCustomLink*) const {
    return nullptr;
}

// Selection

void TGearData::SelectJoint(TJoint* Joint, bool Add) {
    TMMUpdateBracket Bracket(FMMSurface);
    if (Joint && FJoints.Contains(Joint)) {
        DeselectLinks();
        if (!FSelectedJoints.Contains(Joint)) {
            if (!Add)
                DeselectJoints();
            FSelectedJoints.Add(Joint);
            Joint->SetSelected(true);
        }
    } else if (!Add) {
        DeselectJoints();
    }
    Raise(OnJointSelected, this);
}

void TGearData::SelectLink(TCustomLink* Link, bool Add) {
    if (!Link)
        return;
    TMMUpdateBracket Bracket(FMMSurface);
    if (FLinks.Contains(Link)) {
        DeselectJoints();
        if (!FSelectedLinks.Contains(Link)) {
            if (!Add)
                DeselectLinks();
            FSelectedLinks.Add(Link);
            Link->SetSelected(true);
        }
    } else if (!Add) {
        DeselectLinks();
    }
    Raise(OnLinkSelected, this);
}

void TGearData::DeselectJoints() {
    TMMUpdateBracket Bracket(FMMSurface);
    for (TJoint* J : FJoints)
        J->SetSelected(false);
    FSelectedJoints.Clear();
}

void TGearData::DeselectLinks() {
    TMMUpdateBracket Bracket(FMMSurface);
    for (TCustomLink* L : FLinks)
        L->SetSelected(false);
    FSelectedLinks.Clear();
}
