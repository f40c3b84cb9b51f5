#include "ui/MMPrinter.h"

#include "gear/uGearData.h"
#include "platform/Printer.h"
#include "platform/Round.h"
#include "surface/MMSurface.h"
#include "xml/XMLPrefs.h"

#include <algorithm>
#include <utility>

namespace {

// The pixel-sized drawing settings. Planes/Length is a length in world millimetres: enlarging it
// would change the drawing, not only its pixels.
constexpr std::pair<const char*, const char*> SizeSettings[] = {
    {"View", "IDTextHeight"},
    {"View", "IdentifierTextHeight"},
    {"Joints", "Radius"},
    {"Joints", "SmallRadius"},
    {"Joints", "LineThickness"},
    {"Joints", "TextHeight"},
    {"Joints", "IDTextHeight"},
    {"Links", "LineThickness"},
    {"Links", "ThinLineThickness"},
    {"Links", "TextHeight"},
    {"Links", "SolidEdgeSize"},
    {"Rack", "Size"},
    {"Rack", "LineThickness"},
    {"Slider", "SizeX"},
    {"Slider", "SizeY"},
    {"Drives", "Radius"},
    {"Drives", "ArrowWidth"},
    {"Drives", "ArrowHeight"},
    {"Drives", "LineThickness"},
    {"Curves", "LineThickness"},
    {"Planes", "LineThickness"},
};

// The screen's text height of the mechanism's labels, enlarged like them.
constexpr int TitleTextHeight = 16;
constexpr double MillimetresPerInch = 25.4;

} // namespace

TMMPrinter::TMMPrinter(TPrinter& Printer, TCustomXMLPreferences& Prefs,
                       std::function<void()> ApplyToAll)
    : FPrinter(Printer), FPrefs(Prefs), FApplyToAll(std::move(ApplyToAll)) {}

double TMMPrinter::PageFactor(int ScreenW, int ScreenH, int PageW, int PageH) {
    if (ScreenW <= 0 || ScreenH <= 0)
        return 1;
    return std::min(static_cast<double>(PageW) / ScreenW, static_cast<double>(PageH) / ScreenH);
}

void TMMPrinter::Print() {
    TMMSurface* Surface = MMSurface();
    if (!Surface || !FGearData)
        return;
    const int ScreenW = Surface->GetPixelWidth();
    const int ScreenH = Surface->GetPixelHeight();
    const TMMRect ScreenView = Surface->ViewRect();
    std::vector<TSavedSize> Saved;
    bool Scaled = false;
    try {
        double Factor = 1;
        {
            // One batch from entering print mode on: the page is painted once, enlarged.
            TMMUpdateBracket Batch(Surface);
            BeginPrint();
            Factor =
                PageFactor(ScreenW, ScreenH, Surface->GetPixelWidth(), Surface->GetPixelHeight());
            Saved = SaveSizes();
            Scaled = true;
            ScalePreferences(Factor);
            ApplyPrintView();
        }
        PrintTitleText(Factor);
        EndPrint();
    } catch (...) {
        FPrinter.Abort();
        Finish(ScreenView, Scaled ? &Saved : nullptr);
        throw;
    }
    Finish(ScreenView, &Saved);
}

void TMMPrinter::BeginPrint() {
    FPrinter.SetTitle(FPrintTitle);
    FPrinter.BeginDoc();
    TMMSurface* Surface = MMSurface();
    if (!Surface)
        return;
    Surface->SetPrintRect(Rect(0, 0, FPrinter.PageWidth(), FPrinter.PageHeight()));
    Surface->SetPrintCanvas(&FPrinter.Canvas());
    Surface->SetPrinting(true);
}

void TMMPrinter::EndPrint() {
    FPrinter.EndDoc();
}

void TMMPrinter::ScalePreferences(double Factor) {
    for (const auto& [Category, Name] : SizeSettings)
        if (TPreferenceItem* Item = FPrefs.FindItem(Category, Name))
            Item->SetValue(TVariant(FPrefs.GetDouble(Category, Name) * Factor));
    if (FApplyToAll)
        FApplyToAll();
}

std::vector<TMMPrinter::TSavedSize> TMMPrinter::SaveSizes() const {
    std::vector<TSavedSize> Saved;
    for (const auto& [Category, Name] : SizeSettings)
        if (TPreferenceItem* Item = FPrefs.FindItem(Category, Name))
            Saved.push_back({Item, Item->Default(), Item->Value()});
    return Saved;
}

void TMMPrinter::RestoreSizes(const std::vector<TSavedSize>& Saved) {
    for (const TSavedSize& S : Saved)
        S.Item->RestoreState(S.Default, S.Value);
    if (FApplyToAll)
        FApplyToAll();
}

void TMMPrinter::Finish(const TMMRect& ScreenView, const std::vector<TSavedSize>* Saved) {
    TMMSurface* Surface = MMSurface();
    if (!Surface)
        return;
    TMMUpdateBracket Batch(Surface);
    Surface->SetPrinting(false);
    Surface->SetMMRect(ScreenView);
    Surface->SetPrintCanvas(nullptr);
    if (Saved)
        RestoreSizes(*Saved);
}

void TMMPrinter::PrintTitleText(double Factor) {
    TCanvas& C = FPrinter.Canvas();
    C.Font() = TFont{};
    C.Font().Height = std::max(1, Round(TitleTextHeight * Factor));
    C.SetTextTransparent(true);
    C.TextOut(0, 0, FPrintTitle);
}

void TMMPrinter::ApplyPrintView() {
    switch (FPrintView) {
    case TMMPrintViewType::pvActualView:
        break;
    case TMMPrintViewType::pvScalePage:
        FitJoints();
        break;
    case TMMPrintViewType::pvScale1:
        TrueScale();
        break;
    }
}

void TMMPrinter::FitJoints() {
    if (!MMSurface() || !FGearData || FGearData->Joints().Empty())
        return;
    MMSurface()->ZoomToMMRect(FGearData->MinJointX(), FGearData->MaxJointX(),
                              FGearData->MinJointY(), FGearData->MaxJointY());
}

void TMMPrinter::TrueScale() {
    TMMSurface* Surface = MMSurface();
    const int Dpi = FPrinter.Resolution();
    if (!Surface || Dpi <= 0)
        return;
    const TMMRect& View = Surface->ViewRect();
    double CX = (View.Left + View.Right) / 2;
    double CY = (View.Top + View.Bottom) / 2;
    if (FGearData && !FGearData->Joints().Empty()) {
        CX = (FGearData->MinJointX() + FGearData->MaxJointX()) / 2;
        CY = (FGearData->MinJointY() + FGearData->MaxJointY()) / 2;
    }
    const double HalfW = Surface->GetPixelWidth() * MillimetresPerInch / Dpi / 2;
    const double HalfH = Surface->GetPixelHeight() * MillimetresPerInch / Dpi / 2;
    Surface->SetMMRect(MMRect(CX - HalfW, CY + HalfH, CX + HalfW, CY - HalfH));
}
