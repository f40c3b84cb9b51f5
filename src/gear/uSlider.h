// A slider block running on a slide link: joint 0 is its virtual joint on the slide link, joint 1
// the pin other links attach to, later joints coupler points fixed to the block. It keeps both
// joints together, follows and turns its slide link, and draws itself aligned with it.
#pragma once

#include "gear/uLink.h"

#include <array>

class TSlider : public TCustomLink {
public:
    // The block outline in pixels: four corners and the first one again.
    using TCorners = std::array<TPoint, 5>;

    explicit TSlider(TComponent* AOwner = nullptr);

    const TCorners& Corners() const { return FCorners; }
    int SizeX() const { return FSizeX; }
    void SetSizeX(int Value) { FSizeX = Value; }
    int SizeY() const { return FSizeY; }
    void SetSizeY(int Value) { FSizeY = Value; }

    // The first TLink on joint 0 when joint 0 has two or more links, else nil.
    TLink* SlideLink() const;
    // Distance in mm from joint 0 to the slide link's reference joint; 0 without either.
    double GetSlideDistance() const;

    // The slide link's direction, 0 without a slide link.
    double Angle() const override;
    void JointMoved(TObject* Source, TJoint* Joint) override;
    void Move(TObject* Source, bool Relative, double X, double Y) override;
    // Adding the pin puts the virtual joint under it by plain stores.
    void AddJoint(TJoint* Joint) override;
    void RemoveJoint(TJoint* Joint) override;
    double DistanceTo(double X, double Y) const override;
    void Paint() override;

    // The outline for the surface's current mapping, centred on the pin; all zero without a
    // surface or a pin.
    TCorners CalcCorners() const;

private:
    // A thin line from the nearest corner to Q (pixels) with a solid mark in that corner.
    void DrawConnection(TCanvas& Canvas, TPoint Q) const;
    void PaintLabels(TCanvas& Canvas) const;

    TCorners FCorners{};
    int FSizeY = 16;
    int FSizeX = 30;
};
