#include "support/GearFixture.h"

void TSpyLink::JointMoved(TObject* Source, TJoint* Joint) {
    FLog.push_back(TMoveRecord{this, Source, Joint});
    TCustomLink::JointMoved(Source, Joint);
    if (OnJointMoved)
        OnJointMoved(Joint);
}
