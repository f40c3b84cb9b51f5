// A drive of the mechanism: a rotary drive turns one link against another about a joint, a
// sliding drive moves a slider along its slide link. It holds one drive value per gear position
// and draws a small arrow symbol that points the way of its last value.
#pragma once

#include "gear/uModelRevision.h"
#include "platform/Canvas.h"
#include "surface/MMGraphicItem.h"

#include <cstdint>
#include <string>
#include <vector>

class TJoint;
class TCustomLink;

// Drive kinds as stored in DriveType.
constexpr std::uint8_t dtRotary = 0;
constexpr std::uint8_t dtSliding = 1;

class TDrive : public TMMGraphicItem {
public:
    explicit TDrive(TComponent* AOwner = nullptr);
    ~TDrive() override;

    // The revision of the model that lists the drive, moved on by every change; nil for none.
    void SetRevision(TModelRevision* Revision) { FRevision.Set(Revision); }

    const std::string& Identifier() const { return FIdentifier; }
    void SetIdentifier(const std::string& Value) { Stored(FIdentifier, Value); }

    // The value table: radians for rotary drives, thousandths of a millimetre for sliding ones.
    const std::vector<double>& Values() const { return FValues; }
    int Intervals() const { return FIntervals; }
    // Sizes the table to Value + 1 entries (kept entries stay, new ones are 0), at least one.
    void SetIntervals(int Value);
    // Sizes the table to Index + 1 entries (shortening it) and stores Value at Index; a negative
    // Index changes nothing.
    void SetValue(int Index, double Value);
    // The entry at Index, 0 outside the table.
    double GetValue(int Index) const;
    double ValueAt(int Index) const;
    int GetLastIndex() const { return static_cast<int>(FValues.size()) - 1; }
    bool IsLinear() const { return FIsLinear; }
    void SetIsLinear(bool Value) { Stored(FIsLinear, Value); }

    std::uint8_t DriveType() const { return FDriveType; }
    void SetDriveType(std::uint8_t Value) { Stored(FDriveType, Value); }
    // The joint of a rotary drive.
    TJoint* Joint() const { return FJoint; }
    void SetJoint(TJoint* Value) { Stored(FJoint, Value); }
    // Rotary: the holding link (the frame at a frame joint). Sliding: the slider.
    TCustomLink* Link0() const { return FLink0; }
    void SetLink0(TCustomLink* Value) { Stored(FLink0, Value); }
    // Rotary: the driven link. Sliding: the slide link.
    TCustomLink* Link1() const { return FLink1; }
    void SetLink1(TCustomLink* Value) { Stored(FLink1, Value); }
    // The drive joint: the slide link's reference joint for a sliding drive, else Joint.
    TJoint* GetJoint() const;
    // A sliding drive's value lengthens the slider's distance from the drive joint, so a slider
    // lying behind that joint moves against the slide link's Angle.
    bool SlidesAgainstLinkAngle() const;

    // Symbol settings, pixels and radians.
    int Radius() const { return FRadius; }
    void SetRadius(int Value) { FRadius = Value; }
    int LineThickness() const { return FLineThickness; }
    void SetLineThickness(int Value) { FLineThickness = Value; }
    double Angle1() const { return FAngle1; }
    void SetAngle1(double Value) { FAngle1 = Value; }
    double Angle2() const { return FAngle2; }
    void SetAngle2(double Value) { FAngle2 = Value; }
    // Length of the arrow head from base to tip.
    int ArrowWidth() const { return FArrowWidth; }
    void SetArrowWidth(int Value) { FArrowWidth = Value; }
    // Width of the arrow head's base.
    int ArrowHeight() const { return FArrowHeight; }
    void SetArrowHeight(int Value) { FArrowHeight = Value; }
    TColor LineColor() const { return FLineColor; }
    void SetLineColor(TColor Value) { FLineColor = Value; }

    // "[Dreh] Glied %d um %d" (higher link number first) or "[Schub] Gleitstein %d auf %d";
    // a missing link shows as "?".
    std::string GetDisplayText() const;

    void Paint() override;

private:
    template <class T, class V> void Stored(T& Field, const V& Value) {
        Field = Value;
        FRevision.Touch();
    }
    void PaintRotary(TCanvas& Canvas, double LastValue) const;
    void PaintSliding(TCanvas& Canvas, double LastValue) const;

    std::string FIdentifier;
    std::vector<double> FValues;
    int FIntervals = 20;
    bool FIsLinear = true;
    TJoint* FJoint = nullptr;
    std::uint8_t FDriveType = dtRotary;
    int FRadius = 20;
    int FLineThickness = 1;
    double FAngle1 = 0.17453292519943295;
    double FAngle2 = 3.0543261909900767;
    int FArrowWidth = 10;
    int FArrowHeight = 6;
    TColor FLineColor = clGreen;
    TCustomLink* FLink0 = nullptr;
    TCustomLink* FLink1 = nullptr;
    TRevisionLink FRevision;
};
