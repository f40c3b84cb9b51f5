// Links: the base every link shares (its joints, its reference joint, the move protocol and the
// common drawing settings) and the ordinary bar or coupler plate, which keeps the sliders that run
// on it on its line.
#pragma once

#include "gear/uGearPart.h"
#include "surface/MMTypes.h"

#include <functional>
#include <string>

class TCustomLink;
using TLinkMoveEvent = std::function<void(TCustomLink* Link)>;

class TCustomLink : public TGearPart {
public:
    explicit TCustomLink(TComponent* AOwner = nullptr);
    ~TCustomLink() override;

    TJointList& Joints() { return FJoints; }
    const TJointList& Joints() const { return FJoints; }
    // The link's joints report to the same model.
    void SetListing(TPartListing* Listing) override;
    int ReferenceJointID() const { return FReferenceJointID; }
    void SetReferenceJointID(int Value) { Stored(FReferenceJointID, Value); }
    // The line colour from the settings; remembered, so a colour chosen later is told apart.
    void SetSettingsLineColor(TColor Value) { SetLineColor(FSettingsLineColor = Value); }
    // The line colour differs from the one the settings gave last: the user or a file chose it.
    bool HasOwnLineColor() const { return LineColor() != FSettingsLineColor; }
    // Nil when the index is negative or past the end.
    TJoint* ReferenceJoint() const;
    // Stores the joint's index (-1 when it is not on the link); nil changes nothing.
    void SetReferenceJoint(TJoint* Joint);
    // True while MoveUpdating runs.
    bool IsMoving() const { return FIsMoving; }

    bool ThinCoupleLines() const { return FThinCoupleLines; }
    void SetThinCoupleLines(bool Value) { FThinCoupleLines = Value; }
    int ThinLineThickness() const { return FThinLineThickness; }
    void SetThinLineThickness(int Value) { FThinLineThickness = Value; }
    bool ShowLinkCoord() const { return FShowLinkCoord; }
    void SetShowLinkCoord(bool Value) { FShowLinkCoord = Value; }
    TColor CoordColor() const { return FCoordColor; }
    void SetCoordColor(TColor Value) { FCoordColor = Value; }
    bool SolidEdges() const { return FSolidEdges; }
    void SetSolidEdges(bool Value) { FSolidEdges = Value; }
    int SolidEdgeSize() const { return FSolidEdgeSize; }
    void SetSolidEdgeSize(int Value) { FSolidEdgeSize = Value; }

    // Raised by TLink::Move.
    TLinkMoveEvent OnMove;

    std::string GetDisplayText() const override;
    void GetBounds(TMMRect& R) override;

    // Direction of the link in radians; the base has none.
    virtual double Angle() const;
    virtual void SetAngle(double Value);
    // One of the link's joints was moved by Source; the base only asks for a repaint.
    virtual void JointMoved(TObject* Source, TJoint* Joint);
    virtual void Move(TObject* Source, bool Relative, double X, double Y) = 0;
    // Appends the joint unless it is already there; the first joint becomes the reference.
    virtual void AddJoint(TJoint* Joint);
    virtual void RemoveJoint(TJoint* Joint) = 0;
    // Hit distance in mm.
    virtual double DistanceTo(double X, double Y) const = 0;
    // Never more than DistanceTo, and cheap: the hit test at every mouse move passes over links
    // that are farther than this.
    virtual double DistanceBound(double, double) const { return 0.0; }
    // The link's own coordinates: origin at the reference joint, x along Angle; a link without
    // a reference joint converts nothing.
    virtual TMMPoint GlobalToLocal(TMMPoint P) const;
    virtual TMMPoint LocalToGlobal(TMMPoint P) const;

    // Move inside one surface batch, so a whole cascade repaints once.
    void MoveUpdating(TObject* Source, bool Relative, double X, double Y);
    void BeginMove();
    void EndMove();

protected:
    // Takes the joint out of Joints and keeps the reference on the same joint when one in front
    // of it leaves. Returns the joint's former index, -1 when it was not on the link; when it was
    // the reference itself, the index is left for the caller's rule.
    int RemoveFromJoints(TJoint* Joint);
    // The pen width of coupler and connection lines.
    int CoupleLineThickness() const {
        return FThinCoupleLines ? FThinLineThickness : LineThickness();
    }

private:
    TJointList FJoints;
    int FReferenceJointID = -1;
    TColor FSettingsLineColor = clBlack;
    bool FIsMoving = false;
    bool FThinCoupleLines = true;
    int FThinLineThickness = 1;
    bool FShowLinkCoord = false;
    TColor FCoordColor = clBlack;
    bool FSolidEdges = false;
    int FSolidEdgeSize = 13;
};

// A bar or coupler plate: joints 0 and 1 span its line, later joints are coupler points or the
// virtual joints of sliders running on it.
class TLink : public TCustomLink {
public:
    explicit TLink(TComponent* AOwner = nullptr);

    // The distance between joints 0 and 1 (0 with fewer joints).
    double Length() const;
    // Moves the end that is not the fixed end along the link's direction.
    void SetLength(double Value);
    double Eccentricity() const { return FEccentricity; }
    void SetEccentricity(double Value) { FEccentricity = Value; }

    // Joint 1 when Joint is joint 0, otherwise joint 0; nil with fewer than two joints.
    TJoint* OtherJoint(const TJoint* Joint) const;

    double Angle() const override;
    void SetAngle(double Value) override;
    void JointMoved(TObject* Source, TJoint* Joint) override;
    void Move(TObject* Source, bool Relative, double X, double Y) override;
    void RemoveJoint(TJoint* Joint) override;
    double DistanceTo(double X, double Y) const override;
    // The distance to the box around the joints, which holds every line of the link.
    double DistanceBound(double X, double Y) const override;
    void Paint() override;

    // The end that stays put when the link turns or changes length, and from which the angle is
    // measured: joint 1 when it is the reference, otherwise joint 0.
    int FixedEndIndex() const { return ReferenceJointID() == 1 ? 1 : 0; }

private:
    void TurnToVirtualJoint(TJoint* Moved);
    void PutVirtualJointsOnLine(TJoint* Moved);

    // Drawing (uLinkPaint.cpp); Paint calls them only with two joints or more.
    TPoint PixelOf(const TJoint& Joint) const;
    void PaintCoordCross(TCanvas& Canvas) const;
    // The bar and the coupler lines or corner marks.
    void PaintBody(TCanvas& Canvas) const;
    // Dotted lines out to the sliders beyond either end.
    void PaintExtensions(TCanvas& Canvas) const;
    void PaintLabels(TCanvas& Canvas) const;

    double FEccentricity = 0.0;
};
