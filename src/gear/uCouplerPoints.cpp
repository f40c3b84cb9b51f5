#include "gear/uCouplerPoints.h"

#include "gear/uGearData.h"
#include "gear/uGearUtils.h"
#include "gear/uJoint.h"
#include "gear/uLink.h"
#include "gear/uLinkKind.h"

#include <cassert>

namespace {

// A link's coupler points in its own coordinates, to be put back after its joints moved.
class TCouplerPlaces {
public:
    explicit TCouplerPlaces(TCustomLink& Link) : FLink(&Link) {
        const TJoint* Reference = Link.ReferenceJoint();
        for (const TJoint* Point : CouplerPoints(Link))
            FLocal.push_back(ToLocalCoords(Point->Position(), Reference->Position(), Link.Angle()));
    }
    void Restore() const {
        const TJoint* Reference = FLink->ReferenceJoint();
        const std::vector<TJoint*> Points = CouplerPoints(*FLink);
        for (std::size_t I = 0; I < Points.size(); ++I) {
            const TMMPoint P = ToGlobalCoords(FLocal[I], Reference->Position(), FLink->Angle());
            Points[I]->SetPosition(nullptr, P.X, P.Y);
        }
    }

private:
    TCustomLink* FLink;
    std::vector<TMMPoint> FLocal;
};

} // namespace

std::vector<TJoint*> CouplerPoints(const TCustomLink& Link) {
    std::vector<TJoint*> Points;
    for (int I = 2; I < Link.Joints().Count(); ++I)
        Points.push_back(Link.Joints().Items(I));
    return Points;
}

bool HasSharedCouplerPoint(const TCustomLink& Link) {
    for (const TJoint* Point : CouplerPoints(Link))
        if (Point->Links().Count() > 1)
            return true;
    return false;
}

TJoint* AddCouplerPoint(TGearData& Data, TCustomLink& Link) {
    TMMPoint Local = MMPoint(50, 50);
    if (const TLink* Bar = AsBar(&Link)) {
        if (Data.IsSlideLink(&Link))
            return nullptr;
        Local = MMPoint(Bar->Length() / 2, Bar->Length() / 4);
    }
    const TMMPoint At = Link.LocalToGlobal(Local);
    TJoint* Point = Data.CreateJoint(At.X, At.Y);
    Link.AddJoint(Point);
    Data.DataChanged();
    return Point;
}

bool HasSecondAssemblyPosition(const TJoint& Joint) {
    if (Joint.Links().Count() != 2)
        return false;
    const TCustomLink* L0 = Joint.Links().Items(0);
    const TCustomLink* L1 = Joint.Links().Items(1);
    return (AsBar(L0) && AsBar(L1)) || (IsSliderOnSlideLink(L0) && AsBar(L1)) ||
           (AsSlider(L0) && IsSliderOnSlideLink(L1));
}

bool SecondAssemblyKeepsSharedPoints(const TJoint& Joint) {
    for (int I = 0; I < Joint.Links().Count(); ++I)
        if (HasSharedCouplerPoint(*Joint.Links().Items(I)))
            return true;
    return false;
}

void MoveToSecondAssemblyPosition(TGearData& Data, TJoint& Joint) {
    assert(Joint.Links().Count() == 2);
    TMMPoint P = Joint.Position();
    SecondAssemblyPosition(Joint, P);
    std::vector<TCouplerPlaces> Kept;
    for (int I = 0; I < 2; ++I) {
        TCustomLink& Link = *Joint.Links().Items(I);
        if (!HasSharedCouplerPoint(Link) && Link.ReferenceJoint())
            Kept.emplace_back(Link);
    }
    Joint.SetPosition(nullptr, P.X, P.Y);
    for (const TCouplerPlaces& Places : Kept)
        Places.Restore();
    Data.DataChanged();
}
