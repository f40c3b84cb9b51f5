#include "gear/uPartCreator.h"

#include "gear/uGearData.h"
#include "gear/uGearLimits.h"
#include "gear/uGearPrefs.h"
#include "gear/uJoint.h"
#include "gear/uLink.h"
#include "gear/uLinkKind.h"
#include "gear/uSlider.h"
#include "surface/MMSurface.h"
#include "xml/XMLPrefs.h"

#include <limits>
#include <vector>

namespace {

// The band has the colour of new links.
TColor BandColor() {
    return static_cast<TColor>(PreferenceStore().GetInteger("Links", "LineColor"));
}

} // namespace

// --- TRubberBand

TRubberBand::TRubberBand() {
    // Above everything, as if drawn on the screen.
    SetOrder(std::numeric_limits<int>::max());
    SetVisible(true);
}

void TRubberBand::Show(TMMSurface& Surface, TJoint& From, TPoint To, TColor Color) {
    FFrom = &From;
    FTo = To;
    FColor = Color;
    if (MMSurface() == &Surface)
        Changed();
    else
        SetMMSurface(&Surface); // repaints
}

void TRubberBand::Hide() {
    SetMMSurface(nullptr);
    FFrom = nullptr;
}

void TRubberBand::Paint() {
    TMMSurface* Surface = MMSurface();
    // A band belongs on the screen, never on a printed page.
    if (!Visible() || !FFrom || !Surface || !Surface->GetCanvas() || Surface->Printing())
        return;
    TCanvas& Canvas = *Surface->GetCanvas();
    const TPoint P0 = Surface->MMToPixel(FFrom->Position(), true);
    Canvas.Pen() = TPen{FColor, 1, TPenStyle::psSolid};
    Canvas.MoveTo(P0.X, P0.Y);
    Canvas.LineTo(FTo.X, FTo.Y);
    // The band crosses the joint it starts at.
    FFrom->Paint();
}

// --- TGearPartCreator

TGearPartCreator::TGearPartCreator(TGearData& GearData) : FGearData(GearData) {}

TGearPartCreator::~TGearPartCreator() {
    CancelCreation();
}

void TGearPartCreator::StartCreation(TGearPartType PartType, const std::string& Identifier) {
    FPartType = PartType;
    FIdentifier = Identifier;
    FClickCount = 0;
    FIsCreating = true;
}

void TGearPartCreator::CancelCreation() {
    TMMUpdateBracket Batch(FGearData.MMSurface());
    FBand.Hide();
    if (FPart.Get())
        DiscardPartUnderConstruction();
    Reset();
}

void TGearPartCreator::MouseDown(int X, int Y) {
    TMMSurface* Surface = FGearData.MMSurface();
    if (!Surface)
        return;
    // A view zoomed far out may show points beyond the bounds of a mechanism.
    const double WX = ClampCoordinate(Surface->PixelToMMX(X, true));
    const double WY = ClampCoordinate(Surface->PixelToMMY(Y, true));
    // The model may have freed a part under construction (a new mechanism): start afresh.
    if (!FPart.Get())
        FClickCount = 0;
    if (FClickCount == 0) {
        switch (FPartType) {
        case TGearPartType::ptNone:
            Reset();
            break;
        case TGearPartType::ptRackJoint:
            FPart = FGearData.CreateJointOnSurface(0, 0);
            break;
        case TGearPartType::ptLink:
            FPart = FGearData.CreateLinkOnSurface(FIdentifier);
            break;
        case TGearPartType::ptSlider:
            FPart = FGearData.CreateSliderOnSurface(FIdentifier, true);
            break;
        case TGearPartType::ptJoint:
        case TGearPartType::ptSolidLink:
            break;
        }
    }
    TMMUpdateBracket Batch(Surface);
    if (FPartType == TGearPartType::ptRackJoint) {
        if (auto* Joint = dynamic_cast<TJoint*>(FPart.Get())) {
            Joint->SetX(WX);
            Joint->SetY(WY);
            FinishCreation();
        }
    } else if (FPartType == TGearPartType::ptLink) {
        if (auto* Link = AsBar(FPart.Get())) {
            Link->AddJoint(FGearData.CreateJointOnSurface(WX, WY));
            if (++FClickCount >= 2)
                FinishCreation();
        }
    } else if (FPartType == TGearPartType::ptSlider) {
        if (auto* Slider = AsSlider(FPart.Get())) {
            // Puts the virtual joint on the pin.
            Slider->AddJoint(FGearData.CreateJointOnSurface(WX, WY));
            if (++FClickCount >= 1)
                FinishCreation();
        }
    }
}

void TGearPartCreator::MouseMove(int X, int Y) {
    TMMSurface* Surface = FGearData.MMSurface();
    if (!FIsCreating || !FPart.Get() || !Surface || !Surface->GetControlCanvas())
        return;
    if (TJoint* From = BandStart())
        FBand.Show(*Surface, *From, TPoint{X, Y}, BandColor());
}

void TGearPartCreator::FinishCreation() {
    FIsCreating = false;
    // Before the handler: it may free the joint the band starts at.
    FBand.Hide();
    if (OnPartCreated)
        OnPartCreated(this, FPart.Get(), FPartType);
    else if (FPart.Get())
        DiscardPartUnderConstruction();
    Reset();
}

void TGearPartCreator::Reset() {
    FBand.Hide();
    FPart = nullptr;
    FClickCount = 0;
    FPartType = TGearPartType::ptNone;
    FIsCreating = false;
    FIdentifier.clear();
}

TJoint* TGearPartCreator::BandStart() const {
    const auto* Link = AsBar(FPart.Get());
    if (!Link || FClickCount == 0 || Link->Joints().Empty())
        return nullptr;
    return Link->Joints().First();
}

void TGearPartCreator::DiscardPartUnderConstruction() {
    std::vector<TJoint*> Placed;
    if (const auto* Link = AsLink(FPart.Get()))
        Placed.assign(Link->Joints().begin(), Link->Joints().end());
    // One repaint once all are gone, so none paints with a freed neighbour.
    TMMUpdateBracket Batch(FGearData.MMSurface());
    DiscardPart(FPart.Get());
    FPart = nullptr;
    for (TJoint* Joint : Placed)
        DiscardPart(Joint);
}

void TGearPartCreator::DiscardPart(TGearPart* Part) {
    FGearData.Parts().Remove(Part); // frees it
}

void TGearPartCreator::AddToModel(TGearPart* Part, TGearPartType PartType) {
    auto* Joint = dynamic_cast<TJoint*>(Part);
    auto* Link = AsLink(Part);
    if (PartType == TGearPartType::ptRackJoint && Joint && FGearData.Rack())
        FGearData.AttachJointToRack(Joint);
    else if ((PartType == TGearPartType::ptLink || PartType == TGearPartType::ptSlider) && Link)
        FGearData.AddLink(Link);
    else if (Part)
        DiscardFinished(*Part);
    FGearData.DataChanged();
}

void TGearPartCreator::DiscardFinished(TGearPart& Part) {
    std::vector<TJoint*> Placed;
    TMMUpdateBracket Batch(FGearData.MMSurface());
    if (auto* Link = AsLink(&Part))
        for (TJoint* Joint : Link->Joints()) {
            // A joint of the model forgets the link; the others go with it.
            Joint->RemoveLink(Link);
            if (!FGearData.Joints().Contains(Joint))
                Placed.push_back(Joint);
        }
    DiscardPart(&Part);
    for (TJoint* Joint : Placed)
        DiscardPart(Joint);
}
