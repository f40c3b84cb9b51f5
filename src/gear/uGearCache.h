// The position cache of the mechanism component: every gear position solved once when animation
// starts, one row per position with the joint coordinates and link states, and the edit-mode
// coordinates to go back to. Animation, coupler curves, plane positions and the transfer
// function read positions only from here.
#pragma once

#include "surface/MMTypes.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <span>
#include <vector>

class TCustomLink;
class TGearCalculator;
class TGearData;
class TSlider;

// The state of a link in one position: its angle (radians; 0 for the frame) and, for a slider,
// its distance in mm from the slide link's reference joint (0 for other links).
struct TLinkState {
    double Angle = 0.0;
    double SlideDistance = 0.0;
    friend bool operator==(const TLinkState&, const TLinkState&) = default;
};

// A view of one row of the cache: joint j is GearData.Joints[j], link l GearData.Links[l] as they
// were numbered when the cache was filled. An invalid row holds zeros throughout.
class TCacheRow {
public:
    TCacheRow(bool Valid, std::span<const TMMPoint> Joints, std::span<const TLinkState> Links)
        : FValid(Valid), FJoints(Joints), FLinks(Links) {}
    bool Valid() const { return FValid; }
    std::span<const TMMPoint> Joints() const { return FJoints; }
    std::span<const TLinkState> Links() const { return FLinks; }

private:
    bool FValid;
    std::span<const TMMPoint> FJoints;
    std::span<const TLinkState> FLinks;
};

class TGearCache {
public:
    // The most the rows may take by default: half the physical memory, so that a fill never
    // drives the machine into swapping or the out-of-memory killer.
    static std::size_t DefaultMemoryLimit();

    TGearCache(TGearData& GearData, TGearCalculator& Calculator,
               std::size_t MemoryLimit = DefaultMemoryLimit());
    ~TGearCache();
    TGearCache(const TGearCache&) = delete;
    TGearCache& operator=(const TGearCache&) = delete;

    bool Filled() const { return FFilled; }
    // The number of rows: the gear positions of the last fill, 0 when empty.
    int PositionCount() const { return FPositionCount; }
    int JointCount() const { return FJointCount; }
    int LinkCount() const { return FLinkCount; }
    // Row Index, 0 <= Index < PositionCount.
    TCacheRow Row(int Index) const;

    // Drops the rows; the saved edit-mode coordinates stay.
    void Clear();
    // Solves every gear position into its row; a position that cannot be solved leaves its row
    // invalid. Afterwards the joints stand in position 0, or at the coordinates they had before
    // when position 0 is invalid. False, with the cache empty and the joints untouched, when the
    // rows would not fit into the memory limit or cannot be allocated.
    bool Calculate();
    // The joints' current coordinates and link states into row Index, which becomes valid; an
    // Index outside the rows does nothing.
    void StorePosition(int Index);
    static TLinkState GetLinkState(const TCustomLink& Link);
    bool IsValidPosition(int Index) const;
    // Puts the joints into a valid position (plain stores, no link is told), then repaints,
    // valid or not. Joints beyond the row's count keep their place.
    void ApplyPosition(int Index);
    // Remembers the edit-mode coordinates of every joint.
    void SaveJointPositions();
    // Puts the joints back to the saved coordinates as far as both counts reach, then repaints.
    void RestoreJointPositions();
    // The rectangle enclosing every joint of every valid row; none without a valid row.
    std::optional<TMMRect> GetCachedBounds() const;

private:
    struct TFreeBuffer {
        void operator()(std::byte* Buffer) const;
    };
    // How the fill learns a link's state: a bar or plate measures its angle between two joints
    // of the row, from the fixed end (From) to the other (To); any other link is asked.
    struct TLinkSource {
        const TCustomLink* Link;
        const TSlider* Slider;
        int From = -1;
        int To = -1;
        bool MeasuredInRow() const { return From >= 0 && To >= 0; }
    };

    // Makes room for zero-filled rows of the model's current numbering; false when it cannot.
    bool Allocate(int Positions);
    void PlanLinkSources();
    // StorePosition for the fill, which leaves the model's numbering as it found it: the joints
    // and the states of links that are asked; the angles measured in the row come when it is
    // first read.
    void StoreSolvedRow(int Index);
    // Measures the angles of the bars and plates in row Index from its joints. A fill leaves
    // this to the row's first reading: entering animation needs only the joints.
    void MeasureLinkAngles(int Index) const;
    // The flag of each row.
    static constexpr std::byte Invalid{0};
    static constexpr std::byte Valid{1};
    static constexpr std::byte AnglesToMeasure{2};
    TMMPoint* JointsOf(int Index) const;
    TLinkState* LinksOf(int Index) const;
    std::byte* ValidFlags() const;
    // Sets the joints to the points, as far as both reach, and repaints.
    void PlaceJoints(std::span<const TMMPoint> Points);
    void RepaintSurface() const;

    TGearData& FGearData;
    TGearCalculator& FCalculator;
    std::size_t FMemoryLimit;
    // All rows in one block: row after row of joint points and link states, then one valid flag
    // per row.
    std::unique_ptr<std::byte[], TFreeBuffer> FBuffer;
    int FPositionCount = 0;
    int FJointCount = 0;
    int FLinkCount = 0;
    std::size_t FRowBytes = 0;
    std::vector<TLinkSource> FLinkSources;
    bool FFilled = false;
    std::vector<TMMPoint> FSavedJoints;
};
