// Helpers for tests of mechanism parts: a link that records what it is told, and a surface on a
// fake control with a known mapping whose canvas records every drawing call.
#pragma once

#include "gear/uLink.h"
#include "support/FakeControl.h"
#include "support/PreferencesFixture.h"
#include "support/RecordingCanvas.h"
#include "surface/MMSurface.h"

#include <functional>
#include <string>
#include <vector>

struct TMoveRecord {
    TCustomLink* Link;
    TObject* Source;
    TJoint* Joint;
};
using TMoveLog = std::vector<TMoveRecord>;

// A link that writes every JointMoved into a shared log (so the order across links shows) and
// then runs OnJointMoved when assigned. It moves nothing by itself.
class TSpyLink : public TCustomLink {
public:
    TSpyLink(TMoveLog& Log, std::string Name) : FLog(Log) { SetIdentifier(Name); }

    std::function<void(TJoint* Joint)> OnJointMoved;

    void JointMoved(TObject* Source, TJoint* Joint) override;
    void Move(TObject*, bool, double, double) override {}
    void RemoveJoint(TJoint* Joint) override { RemoveFromJoints(Joint); }
    double DistanceTo(double, double) const override { return 1e20; }
    TMMPoint GlobalToLocal(TMMPoint P) const override { return P; }
    TMMPoint LocalToGlobal(TMMPoint P) const override { return P; }
    void Paint() override {}

private:
    TMoveLog& FLog;
};

// A 200 x 200 pixel surface showing x and y from 0 to 100 mm: 2 pixels per mm, so the world
// point (x, y) lies at pixel (2x, 200 - 2y). Canvas() records what the parts draw. The default
// settings are installed for the drawing code that reads them.
struct TGearSurface {
    TGearSurface();
    TMMSurface& Surface() { return *Rig.Surface; }
    TRecordingCanvas& Canvas() { return Rig.BufferCanvas(); }
    static TPoint Px(double X, double Y);

    TPreferencesFixture Settings;
    TSurfaceRig Rig{200, 200};
};
