// The mechanism component: owns every model service of the open mechanism, binds them to the
// drawing surface, turns the surface's mouse input into selecting, creating, dragging, merging
// and connecting (uGearMouse.cpp), and switches between edit mode and animation mode.
#pragma once

#include "gear/uAnimator.h"
#include "gear/uCrvPln.h"
#include "gear/uGearCache.h"
#include "gear/uGearCalc.h"
#include "gear/uGearData.h"
#include "gear/uGearDocument.h"
#include "gear/uLinkMover.h"
#include "gear/uPartCreator.h"
#include "platform/Component.h"
#include "platform/Types.h"
#include "platform/Watched.h"

#include <functional>
#include <memory>

class TCustomLink;
class TJoint;
class TMMSurface;

using TOnAcceptJointConnection =
    std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y,
                       double MMX, double MMY, TJoint* Joint1, TJoint* Joint2, bool& Accept)>;
using TOnAcceptLinkConnection =
    std::function<void(TObject* Sender, TCustomLink* Link1, TCustomLink* Link2, bool& Accept)>;
using TOnMouseEnterJoint =
    std::function<void(TObject* Sender, TJoint* Joint, int X, int Y, double MMX, double MMY)>;
using TOnMouseExitJoint = TOnMouseEnterJoint;
using TOnMouseEnterLink =
    std::function<void(TObject* Sender, TCustomLink* Link, int X, int Y, double MMX, double MMY)>;
using TOnMouseExitLink = TOnMouseEnterLink;

class TGear : public TComponent {
public:
    // The services are made in the order they depend on each other; no mechanism is made yet
    // (Clear starts one). MakeDocument makes the document manager for the model.
    TGear(TComponent* AOwner, const TGearDocumentFactory& MakeDocument);
    // Lets go of the surface and the hovered parts, then frees the services in reverse order.
    ~TGear() override;

    TGearData& GearData() const { return *FGearData; }
    TGearCalculator& Calculator() const { return *FCalculator; }
    TGearCache& GearCache() const { return *FGearCache; }
    TAnimator& Animator() const { return *FAnimator; }
    TGearDocument& FileManager() const { return *FFileManager; }
    TGearPartCreator& PartCreator() const { return *FPartCreator; }
    TLinkMover& LinkMover() const { return *FLinkMover; }
    TPlaneList& Planes() const { return *FPlanes; }
    TCurveList& Curves() const { return *FCurves; }

    // The surface whose mouse input the component handles. Its mouse events are bound to the
    // component until the surface is changed or the component freed.
    TMMSurface* MMSurface() const { return FMMSurface; }
    void SetMMSurface(TMMSurface* Surface);

    bool Editing() const { return FEditing; }
    // Leaving edit mode prepares and fills the position cache; whatever fails on the way goes
    // back to edit mode with the edit-mode coordinates. Either switch ends a drag.
    void SetEditing(bool Value);
    bool Animating() const { return !FEditing; }
    void SetAnimating(bool Value) { SetEditing(!Value); }
    // The mechanism passed the checks and the plan, and its cache was filled, at the last
    // leaving of edit mode.
    bool CanAnimate() const { return FCanAnimate; }
    bool CanMoveItems() const { return FCanMoveItems; }
    void SetCanMoveItems(bool Value);

    TJoint* HoverJoint() const { return FHoverJoint; }
    TCustomLink* HoverLink() const { return FHoverLink; }
    // The last pixel of the mouse over the surface.
    TPoint MousePos() const { return FMousePos; }

    // Starts a new, untitled mechanism with only the frame, in edit mode, showing -50..100 mm.
    void Clear();
    // The joint's coupler curve, made and listed when it has none; nil without a joint.
    TCurve* GetCurve(TJoint* Joint);
    // The plane position of the joint on the link, made and listed when missing; nil without
    // both.
    TPlane* GetPlane(TJoint* Joint, TCustomLink* Link);
    // Deletes the selected links, or the selected joints when no link is selected, and then the
    // planes and curves left without their joint or link. Each delete raises the model's change.
    void DeleteSelection();
    void DeleteLink(TCustomLink& Link);
    void DeleteJoint(TJoint& Joint);
    void DeleteDrive(TDrive& Drive);

    TOnMouseEnterJoint OnMouseEnterJoint;
    TOnMouseExitJoint OnMouseExitJoint;
    TOnMouseEnterLink OnMouseEnterLink;
    TOnMouseExitLink OnMouseExitLink;
    // Asked before a dragged joint is merged into the one it was dropped on.
    TOnAcceptJointConnection OnAcceptJointConnection;
    // Asked before a dragged slider is put on a link.
    TOnAcceptLinkConnection OnAcceptLinkConnection;
    TMMMouseEvent OnMouseDown;
    TMMMouseEvent OnMouseUp;
    TMMMouseMoveEvent OnMouseMove;

private:
    // A deletion in one repaint and one change, with the planes and curves it left orphaned.
    void Delete(const std::function<void()>& Deletion);
    // A surface event bound to Method of a component; its type and Gear tell whose it is.
    template <auto Method> struct TBound;
    template <auto Method, class TEvent> void UnbindIfMine(TEvent& Event) const;
    void BindSurface();
    void UnbindSurface();

    void LeaveEditing();
    void ReturnToEditing();
    // Forgets the drag and the part its mouse-down hit.
    void EndDrag();

    // The surface's mouse events (uGearMouse.cpp).
    void SurfaceMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y,
                          double MMX, double MMY);
    void SurfaceMouseMove(TObject* Sender, TShiftState Shift, int X, int Y, double MMX, double MMY);
    void SurfaceMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y,
                        double MMX, double MMY);
    // The merge or connection a drop asks for; true when the model changed.
    bool DropJoint(TMouseButton Button, TShiftState Shift, int X, int Y, double MMX, double MMY);
    bool DropSlider();
    void HoverJointAt(TJoint* Joint, int X, int Y, double MMX, double MMY);
    void HoverLinkAt(TCustomLink* Link, int X, int Y, double MMX, double MMY);
    void SetHoverJoint(TJoint* Joint);
    void SetHoverLink(TCustomLink* Link);
    void DropHovers();
    // Size-all exactly while editing with CanMoveItems and a joint or link hovered.
    void UpdateCursor() const;
    void HoverFreed();

    TWatched<TMMSurface> FMMSurface;
    std::unique_ptr<TGearData> FGearData;
    std::unique_ptr<TGearCalculator> FCalculator;
    std::unique_ptr<TGearCache> FGearCache;
    std::unique_ptr<TAnimator> FAnimator;
    std::unique_ptr<TGearDocument> FFileManager;
    std::unique_ptr<TGearPartCreator> FPartCreator;
    std::unique_ptr<TLinkMover> FLinkMover;
    std::unique_ptr<TPlaneList> FPlanes;
    std::unique_ptr<TCurveList> FCurves;
    // A hovered part that leaves the model is let go of; the pointer follows what is left.
    TWatched<TJoint> FHoverJoint{[this] { HoverFreed(); }};
    TWatched<TCustomLink> FHoverLink{[this] { HoverFreed(); }};
    TPoint FMousePos;
    bool FEditing = true;
    bool FCanAnimate = false;
    bool FCanMoveItems = true;
    // The mouse-down of the running drag hit a joint or link, so its mouse-up may merge.
    bool FDownHitPart = false;
};
