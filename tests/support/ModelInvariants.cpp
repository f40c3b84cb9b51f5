#include "support/ModelInvariants.h"

#include "gear/uDrive.h"
#include "gear/uGearData.h"
#include "gear/uJoint.h"
#include "gear/uLink.h"
#include "gear/uRack.h"
#include "gear/uSlider.h"
#include "surface/MMSurface.h"

#include <set>
#include <sstream>
#include <string>

namespace {

class TChecker {
public:
    explicit TChecker(const TGearData& Data) : FData(Data) {}

    ::testing::AssertionResult Run() {
        CheckFrame();
        CheckJoints();
        CheckLinks();
        CheckRegistry();
        CheckSelection();
        CheckDrives();
        CheckSurface();
        if (FProblems.str().empty())
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "model inconsistent:" << FProblems.str();
    }

private:
    std::ostream& Problem() { return FProblems << "\n  - "; }
    static std::string Name(const TGearPart* P) {
        return P->GetDisplayText() + " (ID " + std::to_string(P->ID()) + ")";
    }

    void CheckFrame() {
        const TLinkList& Links = FData.Links();
        for (int I = 0; I < Links.Count(); ++I)
            if (dynamic_cast<TRack*>(Links.Items(I)) && I != 0)
                Problem() << "frame at index " << I;
        if (FData.Rack() && FData.Rack()->ID() != 1)
            Problem() << "frame has ID " << FData.Rack()->ID();
    }

    void CheckJoints() {
        std::set<int> IDs;
        for (const TJoint* J : FData.Joints()) {
            if (!IDs.insert(J->ID()).second)
                Problem() << "joint number " << J->ID() << " used twice";
            if (J->Links().Empty())
                Problem() << "joint " << Name(J) << " has no link";
            for (const TCustomLink* L : J->Links()) {
                if (!FData.Links().Contains(L))
                    Problem() << "joint " << Name(J) << " lists a link outside the model";
                else if (!L->Joints().Contains(J))
                    Problem() << "joint " << Name(J) << " lists link " << Name(L)
                              << ", which does not list it";
            }
            if (J->IsVirtual() && J->Links().Count() == 1 &&
                dynamic_cast<const TLink*>(J->Links().First()))
                Problem() << "virtual joint " << Name(J) << " alone on an ordinary link";
        }
    }

    void CheckLinks() {
        std::set<int> IDs;
        for (const TCustomLink* L : FData.Links()) {
            if (L->ID() != 1 && !IDs.insert(L->ID()).second)
                Problem() << "link number " << L->ID() << " used twice";
            if (!dynamic_cast<const TRack*>(L) && L->Joints().Count() < 2)
                Problem() << "link " << Name(L) << " has " << L->Joints().Count() << " joints";
            for (const TJoint* J : L->Joints()) {
                if (!FData.Joints().Contains(J))
                    Problem() << "link " << Name(L) << " lists a joint outside the model";
                else if (!J->Links().Contains(L))
                    Problem() << "link " << Name(L) << " lists joint " << Name(J)
                              << ", which does not list it";
            }
        }
    }

    void CheckRegistry() {
        for (const TJoint* J : FData.Joints())
            if (!FData.Parts().Contains(J))
                Problem() << "joint " << Name(J) << " missing from the registry";
        for (const TCustomLink* L : FData.Links())
            if (!FData.Parts().Contains(L))
                Problem() << "link " << Name(L) << " missing from the registry";
        int Expected = FData.Joints().Count() + FData.Links().Count();
        if (FData.Parts().Count() != Expected)
            Problem() << "registry holds " << FData.Parts().Count() << " parts, the model "
                      << Expected;
    }

    void CheckSelection() {
        for (const TJoint* J : FData.Joints())
            if (J->Selected() != FData.SelectedJoints().Contains(J))
                Problem() << "joint " << Name(J) << " Selected flag disagrees with the selection";
        for (const TCustomLink* L : FData.Links())
            if (L->Selected() != FData.SelectedLinks().Contains(L))
                Problem() << "link " << Name(L) << " Selected flag disagrees with the selection";
        for (const TJoint* J : FData.SelectedJoints())
            if (!FData.Joints().Contains(J))
                Problem() << "a selected joint is outside the model";
        for (const TCustomLink* L : FData.SelectedLinks())
            if (!FData.Links().Contains(L))
                Problem() << "a selected link is outside the model";
        if (!FData.SelectedJoints().Empty() && !FData.SelectedLinks().Empty())
            Problem() << "joints and links selected together";
    }

    void CheckDrives() {
        for (int I = 0; I < FData.Drives().Count(); ++I) {
            const TDrive* D = FData.Drives().Items(I);
            // The links first: a sliding drive reads its joint from its slide link.
            if (!FData.Links().Contains(D->Link0()) || !FData.Links().Contains(D->Link1())) {
                Problem() << "drive " << I << " names a link outside the model";
                continue;
            }
            if (!FData.Joints().Contains(D->GetJoint()))
                Problem() << "drive " << I << " names a joint outside the model";
            if (D->Joint() && !FData.Joints().Contains(D->Joint()))
                Problem() << "drive " << I << " keeps a joint outside the model";
        }
    }

    void CheckSurface() {
        const TMMSurface* Surface = FData.MMSurface();
        if (!Surface)
            return;
        const TMMGraphicItemList& Items = Surface->GraphicItems();
        for (int I = 0; I < Items.Count(); ++I) {
            const TMMGraphicItem* Item = Items.Items(I);
            if (auto* J = dynamic_cast<const TJoint*>(Item); J && !FData.Joints().Contains(J))
                Problem() << "surface holds a joint outside the model";
            if (auto* L = dynamic_cast<const TCustomLink*>(Item); L && !FData.Links().Contains(L))
                Problem() << "surface holds a link outside the model";
            if (auto* D = dynamic_cast<const TDrive*>(Item); D && !FData.Drives().Contains(D))
                Problem() << "surface holds a drive outside the model";
        }
    }

    const TGearData& FData;
    std::ostringstream FProblems;
};

} // namespace

::testing::AssertionResult ModelIsConsistent(const TGearData& Data) {
    return TChecker(Data).Run();
}
