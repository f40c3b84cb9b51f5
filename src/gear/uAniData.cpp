#include "gear/uAniData.h"

#include "gear/uJoint.h"

void TAniData::UpdateVirtualJoint() {
    if (FVirtualJoint) {
        FVirtualJoint->SetX(FJoint.X());
        FVirtualJoint->SetY(FJoint.Y());
    }
}
