#include "support/GearFixture.h"

#include "platform/Round.h"

void TSpyLink::JointMoved(TObject* Source, TJoint* Joint) {
    FLog.push_back(TMoveRecord{this, Source, Joint});
    TCustomLink::JointMoved(Source, Joint);
    if (OnJointMoved)
        OnJointMoved(Joint);
}

TGearSurface::TGearSurface() {
    Surface().SetMMRect(MMRect(0, 100, 100, 0));
    Canvas().ClearCalls();
}

TPoint TGearSurface::Px(double X, double Y) {
    return Point(Round(2 * X), Round(200 - 2 * Y));
}
