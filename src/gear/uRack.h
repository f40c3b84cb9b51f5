// The frame ("Gestell"): the link that never moves. Each of its joints is drawn as a bearing, a
// triangle standing on three hatch strokes.
#pragma once

#include "gear/uLink.h"

class TRack : public TCustomLink {
public:
    explicit TRack(TComponent* AOwner = nullptr);

    // Height and half width of the bearing triangle, pixels.
    int Size() const { return FSize; }
    void SetSize(int Value) { FSize = Value; }
    // Kept for the settings; drawing does not use it.
    int JointStyle() const { return FJointStyle; }
    void SetJointStyle(int Value) { FJointStyle = Value; }

    // The frame is never moved, not even when it is selected and dragged.
    void Move(TObject* Source, bool Relative, double X, double Y) override;
    void RemoveJoint(TJoint* Joint) override;
    // The distance to the nearest frame joint; 1e20 without joints.
    double DistanceTo(double X, double Y) const override;
    // The frame's coordinates are only shifted to the reference joint, never turned.
    TMMPoint GlobalToLocal(TMMPoint P) const override;
    TMMPoint LocalToGlobal(TMMPoint P) const override;
    void Paint() override;

private:
    void PaintBearing(TCanvas& Canvas, TJoint& Joint) const;

    int FSize = 10;
    int FJointStyle = 0;
};
