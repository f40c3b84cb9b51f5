// A point of the mechanism: frame joint, joint between links, coupler point or a slider's virtual
// joint. It tells its links when it is moved interactively and draws itself as a small circle.
#pragma once

#include "gear/uGearPart.h"
#include "surface/MMTypes.h"

#include <cstdint>
#include <string>

// The joints' same-place rule: two places are one when both coordinate differences are strictly
// below 1e-10.
constexpr double SamePlaceTolerance = 1e-10;
bool IsSamePlace(TMMPoint A, TMMPoint B);

class TJoint : public TGearPart {
public:
    explicit TJoint(TComponent* AOwner = nullptr);
    ~TJoint() override;

    bool IsVirtual() const { return FIsVirtual; }
    // A virtual joint is invisible (set without a repaint request).
    void SetIsVirtual(bool Value);
    TLinkList& Links() { return FLinks; }
    const TLinkList& Links() const { return FLinks; }
    // The joint's links report to the same model.
    void SetListing(TPartListing* Listing) override;

    // Plain stores: nobody is told (building, files, solvers, cached positions).
    double X() const { return FX; }
    void SetX(double Value) { Stored(FX, Value); }
    double Y() const { return FY; }
    void SetY(double Value) { Stored(FY, Value); }
    TMMPoint Position() const { return MMPoint(FX, FY); }

    bool ShowMiddle() const { return FShowMiddle; }
    void SetShowMiddle(bool Value) { FShowMiddle = Value; }
    int Radius() const { return FRadius; }
    void SetRadius(int Value);
    bool ShowMPol() const { return FShowMPol; }
    void SetShowMPol(bool Value) { FShowMPol = Value; }
    int SmallRadius() const { return FSmallRadius; }
    void SetSmallRadius(int Value) { FSmallRadius = Value; }

    // Interactive moves: every link of the joint except Source hears of it through JointMoved.
    // A move within 1e-9 in both coordinates is no move at all.
    void SetPosition(TObject* Source, double AX, double AY);
    // Always notifies, even for a zero move.
    void MoveBy(TObject* Source, double DX, double DY);

    void AddLink(TCustomLink* Link);
    void RemoveLink(TCustomLink* Link);

    double DistanceTo(double AX, double AY) const;
    double DistanceToJoint(const TJoint& Other) const;
    // IsSamePlace of the two positions.
    bool IsSamePosition(const TJoint& Other) const;

    // The relative poles of the links that meet here, as "%d%d " pieces.
    std::string MPol() const;
    std::string GetDisplayText() const override;

    void GetBounds(TMMRect& R) override;
    void Paint() override;

    // Notifications nest no deeper than this; beyond it links are no longer told, so a cyclic
    // arrangement ends instead of overflowing the stack.
    static constexpr int MaxNotifyDepth = 256;
    // A joint tells its links of at most this many moves within one move from outside the
    // cascade: arrangements that never settle (sliders sharing a pin on several links) fan out
    // far beyond the nesting limit, and this keeps the work of a move linear in the joints.
    static constexpr int MaxNotifiesPerMove = 4 * MaxNotifyDepth;

private:
    void NotifyLinks(TObject* Source);
    // The circle radius in force: Radius with two or more links, else SmallRadius.
    int CurrentRadius() const;
    void PaintLabels(TCanvas& Canvas, TPoint P, int R) const;

    bool FIsVirtual = false;
    TLinkList FLinks;
    double FX = 0.0;
    double FY = 0.0;
    bool FShowMiddle = false;
    int FRadius = 5;
    bool FShowMPol = true;
    int FSmallRadius = 3;
    // The outside move this joint last told its links of, and how often it did within it.
    std::uint64_t FNotifyMove = 0;
    int FNotifies = 0;
};
