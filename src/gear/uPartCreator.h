// Drawing new parts with the mouse: a frame joint with one click, a link with two (a rubber band
// follows the mouse from its first joint in between) and a slider with one. The parts are made
// by the data model without joining it; the finished part goes to whoever listens.
#pragma once

#include "platform/Object.h"
#include "platform/Types.h"
#include "platform/Watched.h"
#include "surface/MMGraphicItem.h"

#include <functional>
#include <string>

class TGearData;
class TGearPart;
class TJoint;

enum class TGearPartType { ptNone, ptRackJoint, ptJoint, ptLink, ptSlider, ptSolidLink };

// The handler takes the part over.
using TOnPartCreated =
    std::function<void(TObject* Sender, TGearPart* Part, TGearPartType PartType)>;

// The line from a link's first joint to the mouse. It is painted last with every repaint, so it
// never outlives a move and survives exposes; the joint paints itself again on top of it.
class TRubberBand : public TMMGraphicItem {
public:
    TRubberBand();

    // Shows the band from the joint to the pixel on the surface, or moves it there.
    void Show(TMMSurface& Surface, TJoint& From, TPoint To, TColor Color);
    // Takes the band off its surface; nothing when it is not shown.
    void Hide();
    void Paint() override;

private:
    // The joint may go with the whole mechanism (the model's Clear) while the band shows.
    TWatched<TJoint> FFrom;
    TPoint FTo;
    TColor FColor = clBlack;
};

class TGearPartCreator : public TObject {
public:
    explicit TGearPartCreator(TGearData& GearData);
    // Frees a part still under construction with the joints placed for it.
    ~TGearPartCreator() override;

    TGearPartType PartType() const { return FPartType; }
    bool IsCreating() const { return FIsCreating; }

    // Nothing is made before the first click; a running creation must be cancelled first.
    void StartCreation(TGearPartType PartType, const std::string& Identifier);
    // Frees the part under construction (with the joints placed for it), then idles.
    void CancelCreation();
    // X, Y in pixels of the data model's surface.
    void MouseDown(int X, int Y);
    void MouseMove(int X, int Y);
    // Hands the part to OnPartCreated; without a handler the part is discarded.
    void FinishCreation();
    // Idles without freeing anything.
    void Reset();

    TOnPartCreated OnPartCreated;

    // A finished part joins the model as its type says, a frame joint only once a frame exists;
    // any other leaves the surface and the registry with the joints placed for it. Raises the
    // model's change.
    void AddToModel(TGearPart* Part, TGearPartType PartType);

private:
    // The part's joints were all placed for it: they leave together.
    void DiscardPartUnderConstruction();
    // A finished part the model did not take: its joints of the model forget it.
    void DiscardFinished(TGearPart& Part);
    // The part leaves the registry and is freed.
    void DiscardPart(TGearPart* Part);
    // The link's first joint while a link waits for its second click, else nil.
    TJoint* BandStart() const;

    TGearData& FGearData;
    // The model's Clear frees every part it has registered, the one under construction too.
    TWatched<TGearPart> FPart;
    std::string FIdentifier;
    int FClickCount = 0;
    TGearPartType FPartType = TGearPartType::ptNone;
    bool FIsCreating = false;
    TRubberBand FBand;
};
