// The mechanism data model: every joint, link and drive of the open mechanism, their numbering,
// the questions the editor and the kinematics ask of the structure, hit tests and the selection
// (uGearDataSelect.cpp) and the structural edits (uGearDataEdit.cpp), with events that tell the
// application of changes.
#pragma once

#include "gear/uGearInfo.h"
#include "gear/uGearPart.h"
#include "platform/Component.h"
#include "platform/Events.h"
#include "platform/Watched.h"

#include <functional>
#include <string>

class TMMSurface;

class TGearData : public TComponent {
public:
    explicit TGearData(TComponent* AOwner = nullptr);
    // Empties the model with its events unbound: the handlers' window may be going already.
    ~TGearData() override;

    // The surface new parts are registered with; nil until bound.
    TMMSurface* MMSurface() const { return FMMSurface; }
    // Parts created before keep their own surface.
    void SetMMSurface(TMMSurface* Surface);

    // Moves on with every change of what a mechanism file of the model would hold.
    const TModelRevision& Revision() const { return FRevision; }
    TGearInfo& GearInfo() { return FGearInfo; }
    const TGearInfo& GearInfo() const { return FGearInfo; }
    // The owner of every joint, link and drive made for the model; the lists only refer to them.
    TGearPartlist& Parts() { return FParts; }
    const TGearPartlist& Parts() const { return FParts; }
    const TJointList& Joints() const { return FJoints; }
    const TLinkList& Links() const { return FLinks; }
    const TDriveList& Drives() const { return FDrives; }
    // Read-only: the selection changes only through the selection operations, which raise its
    // events, and through the edits that free a selected part.
    const TLinkList& SelectedLinks() const { return FSelectedLinks; }
    const TJointList& SelectedJoints() const { return FSelectedJoints; }
    // The frame: the first link when it is a TRack, else nil.
    TRack* Rack() const;

    TNotifyEvent OnJointSelected;
    TNotifyEvent OnLinkSelected;
    TNotifyEvent OnDataChanged;

    // Creation. Parts holds every object made here until it is cleared or the object is taken
    // out of it (which frees the object unless the caller keeps it). Create… registers the new
    // object with MMSurface and adds it to the model's lists; …OnSurface only registers it, for a
    // part the mouse is still drawing, added when it is finished; …OffSurface only adds it, and
    // CreateLoose… does neither.
    TJoint* CreateJoint(double X, double Y) { return NewJoint(Everywhere, X, Y); }
    TJoint* CreateJointOnSurface(double X, double Y) { return NewJoint(SurfaceOnly, X, Y); }
    TJoint* CreateJointOffSurface(double X, double Y) { return NewJoint(ModelOnly, X, Y); }
    TJoint* CreateLooseJoint(double X, double Y) { return NewJoint(Nowhere, X, Y); }
    TLink* CreateLink(const std::string& Identifier) { return NewLink(Everywhere, Identifier); }
    TLink* CreateLinkOnSurface(const std::string& Identifier) {
        return NewLink(SurfaceOnly, Identifier);
    }
    TLink* CreateLooseLink(const std::string& Identifier) { return NewLink(Nowhere, Identifier); }
    TRack* CreateRack(const std::string& Identifier) { return NewRack(Everywhere, Identifier); }
    TRack* CreateRackOnSurface(const std::string& Identifier) {
        return NewRack(SurfaceOnly, Identifier);
    }
    TRack* CreateRackOffSurface(const std::string& Identifier) {
        return NewRack(ModelOnly, Identifier);
    }
    // The virtual joint goes where the slider goes.
    TSlider* CreateSlider(const std::string& Identifier, bool WithVirtualJoint) {
        return NewSlider(Everywhere, Identifier, WithVirtualJoint);
    }
    TSlider* CreateSliderOnSurface(const std::string& Identifier, bool WithVirtualJoint) {
        return NewSlider(SurfaceOnly, Identifier, WithVirtualJoint);
    }
    TDrive* CreateDrive() { return NewDrive(Everywhere); }
    TDrive* CreateDriveOnSurface() { return NewDrive(SurfaceOnly); }
    TDrive* CreateDriveOffSurface() { return NewDrive(ModelOnly); }
    TDrive* CreateLooseDrive() { return NewDrive(Nowhere); }

    // Adding objects made by the creation operations to the model's lists.
    void AddJoint(TJoint* Joint);
    // Numbers the link's joints that are new to the model; a frame goes to AddRack.
    void AddLink(TCustomLink* Link);
    // Puts the frame at index 0 with ID 1; an earlier frame is freed.
    void AddRack(TRack* Frame);
    void AddDrive(TDrive* Drive);
    // Makes the joint a frame joint; the caller makes sure a frame exists.
    void AttachJointToRack(TJoint* Joint);

    // Numbering and lookup.
    int NextFreeJointID() const;
    int NextFreeLinkID() const;
    bool JointIDExists(int ID) const;
    bool LinkIDExists(int ID) const;
    bool IsEmpty() const { return FJoints.Empty(); }
    bool IsFrameJoint(const TJoint* Joint) const;
    bool IsSlideLink(const TCustomLink* Link) const;
    TSlider* FindSliderOfJoint(const TJoint* Joint) const;
    TCustomLink* FindSlideLink(const TSlider* Slider) const;
    // The last joint of LinkA that LinkB also has.
    TJoint* FindCommonJoint(const TCustomLink* LinkA, const TCustomLink* LinkB) const;
    // The first link of JointA that JointB also has.
    TCustomLink* FindCommonLink(const TJoint* JointA, const TJoint* JointB) const;
    bool HasRotaryDrive(const TJoint* Joint) const;
    // The gear positions, set by the first drive; 1 without drives.
    int PositionCount() const;
    double MaxJointX() const;
    double MaxJointY() const;
    double MinJointX() const;
    double MinJointY() const;

    // Hit tests at pixel positions of the surface's control; nil when nothing is near enough.
    TJoint* FindJointAt(int X, int Y) const;
    TCustomLink* FindLinkAt(int X, int Y) const;
    // The joint the dragged joint would be merged into.
    TJoint* FindSnapJoint(const TJoint* Joint) const;
    // The link the slider would be put onto.
    TCustomLink* FindSnapLink(const TSlider* Slider) const;
    // A plain link is never attached by dropping it.
    TCustomLink* FindSnapLinkForLink(const TCustomLink* Link) const;

    // Selection: links and joints are never selected together.
    void SelectJoint(TJoint* Joint, bool Add);
    void SelectLink(TCustomLink* Link, bool Add);
    void DeselectJoints();
    void DeselectLinks();

    // Drives. Flag only forces False.
    bool CanAddRotaryDrive(const TJoint* Joint, bool Flag) const;
    bool CanAddDriveToLink(const TCustomLink* Link, bool IsSlider) const;
    TDrive* AddRotaryDrive(TJoint* Joint, bool AddToData);
    TDrive* AddRotaryDriveToLink(TCustomLink* Link, bool AddToData);
    // Tells the user when the slider is on no slide link.
    TDrive* AddSlidingDrive(TSlider* Slider, bool AddToData);
    // Takes the drive out of Drives without freeing it: Parts still holds it.
    void RemoveDrive(TDrive* Drive);

    // Links fixed to the frame by two joints become "Gestell" with ID 1; links that lost that
    // become "Glied" with a number of their own.
    void UpdateFrameLink();
    // Raises OnDataChanged, or lets the open change scope raise it at its end.
    void DataChanged();

    // Edits made in a batch (reading a file, a command of several steps) raise one change: what
    // the edits inside the outermost scope raise waits for its end.
    class TChangeScope {
    public:
        explicit TChangeScope(TGearData& Data);
        TChangeScope(const TChangeScope&) = delete;
        TChangeScope& operator=(const TChangeScope&) = delete;
        // An error leaving the scope drops the change: the edit did not end.
        ~TChangeScope() noexcept(false);

    private:
        TGearData& FData;
        int FExceptions;
    };
    // Runs Steps, edits made outside the model (a dialog writing its fields into parts), as one
    // edit, whose change is raised at its end when Steps reports the edit made; the drawing then
    // shows it.
    bool Edit(const std::function<bool()>& Steps);
    // The identifier a user gave a part, raised as a change and shown.
    void RenamePart(TGearPart& Part, const std::string& Identifier);
    // Names, colours and labels are stored without a repaint of their own: after edits of them
    // the surface repaints, so that the drawing shows them.
    void ShowEdits();

    // Structural edits (uGearDataEdit.cpp). Each brackets itself in the surface's update counter,
    // so a whole edit repaints once and never while a list still names a freed part.
    void Clear(bool CreateRack);
    // Without Force the frame is only deselected.
    void DeleteLink(TCustomLink* Link, bool Force);
    // Stops when a deletion leaves the list as it was: only the selection lists lose each part
    // deleted.
    void DeleteLinks(TLinkList& List, bool Force);
    void DeleteJoint(TJoint* Joint);
    void DeleteJoints(TJointList& List);
    // The selected links, or the selected joints when no link is selected; the frame is only
    // deselected.
    void DeleteSelection();
    void DetachJoint(TCustomLink* Link, TJoint* Joint);
    void RemoveOrphans();
    void RemoveLooseLinks();
    void RemoveLooseJoints();
    void RemoveInvalidDrives();
    // Joint1 goes, Joint2 takes its place in all its links.
    void MergeJoints(TJoint* Joint1, TJoint* Joint2);
    void ConnectSliderToLink(TSlider* Slider, TCustomLink* Link);
    // LinkB gets a joint of its own in place of the common joint.
    void SeparateLinks(TCustomLink* LinkA, TCustomLink* LinkB);
    // Separates the two selected links, or the first and the last link of the one selected
    // joint, and lets go of the selected links.
    void SeparateSelection();
    // False, with nothing moved, when a joint would leave the bounds of a mechanism.
    bool MoveOriginToJoint(TJoint* Joint);
    // Replaces the whole mechanism by Source's parts, lists and information, which move over
    // onto this model's surface; Source is left empty. Raises OnDataChanged.
    void TakeOver(TGearData& Source);

private:
    // Where a new part goes besides Parts.
    struct TPlacement {
        bool OnSurface;
        bool InModel;
    };
    static constexpr TPlacement Everywhere{true, true};
    static constexpr TPlacement SurfaceOnly{true, false};
    static constexpr TPlacement ModelOnly{false, true};
    static constexpr TPlacement Nowhere{false, false};
    TJoint* NewJoint(TPlacement Where, double X, double Y);
    TLink* NewLink(TPlacement Where, const std::string& Identifier);
    TRack* NewRack(TPlacement Where, const std::string& Identifier);
    TSlider* NewSlider(TPlacement Where, const std::string& Identifier, bool WithVirtualJoint);
    TDrive* NewDrive(TPlacement Where);

    // The accepted hit distance in mm for a pixel setting of the Edit category.
    double PixelSetting(const char* Name) const;
    // Takes a joint or link out of every list of the model, then out of the registry, which frees
    // it.
    void FreeJoint(TJoint* Joint);
    void FreeLink(TCustomLink* Link);
    // Lets go of the selection and frees every part and drive.
    void FreeAllParts();
    // Drives that stand on a part about to be freed go before it; none keeps naming it.
    void ReleaseDrives(const TGearPart* Part);
    void DetachAllJoints(TCustomLink* Link);
    // Parts and drives join the lists through these, which bind them to the model's revision;
    // links leave through them as well, which keeps the link numbers indexed.
    void ListJoint(TJoint* Joint);
    void ListLink(TCustomLink* Link, int Index);
    void UnlistLink(TCustomLink* Link);
    void UnlistJoint(TJoint* Joint);
    void UnlistAllJoints();
    void UnlistAllLinks();
    void ListDrive(TDrive* Drive);
    // One pass of each sweep; true when it removed something.
    bool SweepLooseLinks();
    bool SweepLooseJoints();

    TWatched<TMMSurface> FMMSurface;
    // What the parts report to; it outlives them, as they report until they are freed.
    TModelRevision FRevision;
    TPartNumbers FJointNumbers;
    TPartNumbers FLinkNumbers;
    TPartListing FJointListing{FRevision, &FJointNumbers};
    TPartListing FLinkListing{FRevision, &FLinkNumbers};
    TGearInfo FGearInfo;
    // Declared before the lists, so that they let go of the parts before it frees them.
    TGearPartlist FParts;
    TJointList FJoints;
    TLinkList FLinks;
    TDriveList FDrives;
    TLinkList FSelectedLinks;
    TJointList FSelectedJoints;
    int FChangeScopes = 0;
    bool FChangeWaiting = false;
};
