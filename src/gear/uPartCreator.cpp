#include "gear/uPartCreator.h"

#include "gear/uGearData.h"
#include "gear/uGearLimits.h"
#include "gear/uGearPrefs.h"
#include "gear/uJoint.h"
#include "gear/uLink.h"
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

void TRubberBand::SetFrom(TJoint* From) {
    if (FFrom == From)
        return;
    if (FFrom)
        RemoveFreeNotification(FFrom);
    FFrom = From;
    if (FFrom)
        FreeNotification(FFrom);
}

void TRubberBand::Notification(TComponent* AComponent, TOperation Operation) {
    TMMGraphicItem::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == FFrom)
        FFrom = nullptr;
}

void TRubberBand::Show(TMMSurface& Surface, TJoint& From, TPoint To, TColor Color) {
    SetFrom(&From);
    FTo = To;
    FColor = Color;
    if (MMSurface() == &Surface)
        Changed();
    else
        SetMMSurface(&Surface); // repaints
}

void TRubberBand::Hide() {
    SetMMSurface(nullptr);
    SetFrom(nullptr);
}

// --- TPartWatch

TPartWatch::~TPartWatch() {
    Watch(nullptr);
}

void TPartWatch::Watch(TGearPart* Part) {
    if (FPart == Part)
        return;
    if (FPart)
        RemoveFreeNotification(FPart);
    FPart = Part;
    if (FPart)
        FreeNotification(FPart);
}

void TPartWatch::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == FPart)
        FPart = nullptr;
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
    if (FPart.Part())
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
    if (!FPart.Part())
        FClickCount = 0;
    if (FClickCount == 0) {
        switch (FPartType) {
        case TGearPartType::ptNone:
            Reset();
            break;
        case TGearPartType::ptRackJoint:
            FPart.Watch(FGearData.CreateJoint(true, false, 0, 0));
            break;
        case TGearPartType::ptLink:
            FPart.Watch(FGearData.CreateLink(true, false, FIdentifier));
            break;
        case TGearPartType::ptSlider:
            FPart.Watch(FGearData.CreateSlider(true, false, FIdentifier, true));
            break;
        case TGearPartType::ptJoint:
        case TGearPartType::ptSolidLink:
            break;
        }
    }
    TMMUpdateBracket Batch(Surface);
    if (FPartType == TGearPartType::ptRackJoint) {
        if (auto* Joint = dynamic_cast<TJoint*>(FPart.Part())) {
            Joint->SetX(WX);
            Joint->SetY(WY);
            FinishCreation();
        }
    } else if (FPartType == TGearPartType::ptLink) {
        if (auto* Link = dynamic_cast<TLink*>(FPart.Part())) {
            Link->AddJoint(FGearData.CreateJoint(true, false, WX, WY));
            if (++FClickCount >= 2)
                FinishCreation();
        }
    } else if (FPartType == TGearPartType::ptSlider) {
        if (auto* Slider = dynamic_cast<TSlider*>(FPart.Part())) {
            // Puts the virtual joint on the pin.
            Slider->AddJoint(FGearData.CreateJoint(true, false, WX, WY));
            if (++FClickCount >= 1)
                FinishCreation();
        }
    }
}

void TGearPartCreator::MouseMove(int X, int Y) {
    TMMSurface* Surface = FGearData.MMSurface();
    if (!FIsCreating || !FPart.Part() || !Surface || !Surface->GetControlCanvas())
        return;
    if (TJoint* From = BandStart())
        FBand.Show(*Surface, *From, TPoint{X, Y}, BandColor());
}

void TGearPartCreator::FinishCreation() {
    FIsCreating = false;
    // Before the handler: it may free the joint the band starts at.
    FBand.Hide();
    if (OnPartCreated)
        OnPartCreated(this, FPart.Part(), FPartType);
    else if (FPart.Part())
        DiscardPartUnderConstruction();
    Reset();
}

void TGearPartCreator::Reset() {
    FBand.Hide();
    FPart.Watch(nullptr);
    FClickCount = 0;
    FPartType = TGearPartType::ptNone;
    FIsCreating = false;
    FIdentifier.clear();
}

TJoint* TGearPartCreator::BandStart() const {
    const auto* Link = dynamic_cast<const TLink*>(FPart.Part());
    if (!Link || FClickCount == 0 || Link->Joints().Empty())
        return nullptr;
    return Link->Joints().First();
}

void TGearPartCreator::DiscardPartUnderConstruction() {
    std::vector<TJoint*> Placed;
    if (const auto* Link = dynamic_cast<const TCustomLink*>(FPart.Part()))
        Placed.assign(Link->Joints().begin(), Link->Joints().end());
    // One repaint once all are gone, so none paints with a freed neighbour.
    TMMUpdateBracket Batch(FGearData.MMSurface());
    DiscardPart(FPart.Part());
    FPart.Watch(nullptr);
    for (TJoint* Joint : Placed)
        DiscardPart(Joint);
}

void TGearPartCreator::DiscardPart(TGearPart* Part) {
    FGearData.Parts().Remove(Part); // frees it
}
