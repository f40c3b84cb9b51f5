#include "gear/uFuncSeries.h"

#include "gear/uDrive.h"
#include "gear/uGearCache.h"
#include "gear/uGearData.h"
#include "gear/uLink.h"
#include "gear/uLinkKind.h"
#include "gear/uSlider.h"
#include "platform/Random.h"
#include "surface/MMCoord.h"
#include "surface/MMDiagram.h"
#include "surface/MMSurface.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>

namespace {

constexpr double Degrees = 180.0 / std::numbers::pi;
// Neighbouring angles further apart than this have wrapped around the circle.
constexpr double WrapJump = 200.0;

std::string Number(const TCustomLink* Link) {
    return Link ? std::to_string(Link->ID()) : std::string("-");
}

// The larger link number first.
std::string DrivePair(const TDrive& Drive) {
    const TCustomLink* A = Drive.Link0();
    const TCustomLink* B = Drive.Link1();
    if (A && B && A->ID() < B->ID())
        std::swap(A, B);
    return Number(A) + "/" + Number(B);
}

double AngleOf(const TCustomLink* Link) {
    return Link ? Link->Angle() : 0.0;
}

const char* AxisWord(TFuncQuantity Q) {
    switch (Q) {
    case TFuncQuantity::Position:
        return "GST";
    case TFuncQuantity::SlideDistance:
    case TFuncQuantity::SlidingDrive:
        return "mm";
    default:
        return "Grad";
    }
}

TColor RandomSerieColor() {
    auto Channel = [] { return static_cast<TColor>(64 + 16 * Random(8)); };
    const TColor R = Channel();
    const TColor G = Channel();
    const TColor B = Channel();
    return R | G << 8 | B << 16;
}

} // namespace

struct TFuncSeries::TBuiltSerie {
    TMMDataSerie* Serie;
    // Per element: inserted to break the line, standing for no gear position.
    std::vector<bool> Gap;
};

TFuncSeries::TFuncSeries(TGearData& GearData, TGearCache& Cache, TMMDiagram& Diagram,
                         TMMCoord& Coord)
    : FGearData(GearData), FCache(Cache), FDiagram(Diagram), FCoord(Coord) {}

TFuncSeries::~TFuncSeries() {
    DropSeries();
}

bool TFuncSeries::HasCalculatedData() const {
    return FCache.Filled() && FCache.PositionCount() > 0 &&
           FCache.LinkCount() == FGearData.Links().Count();
}

std::vector<TFuncItem> TFuncSeries::ListedItems() const {
    std::vector<TFuncItem> Items;
    for (const TCustomLink* Link : FGearData.Links()) {
        if (const auto* Slider = AsSlider(Link))
            Items.push_back({TFuncQuantity::SlideDistance, Link, nullptr,
                             "[Strecke] s " + Number(Slider) + "/" + Number(Slider->SlideLink())});
        else if (AsBar(Link))
            Items.push_back(
                {TFuncQuantity::LinkAngle, Link, nullptr, "[Winkel] Phi " + Number(Link) + "/1"});
    }
    for (const TDrive* Drive : FGearData.Drives()) {
        if (Drive->DriveType() == dtSliding)
            Items.push_back(
                {TFuncQuantity::SlidingDrive, nullptr, Drive, "[Antrieb] s " + DrivePair(*Drive)});
        else
            Items.push_back(
                {TFuncQuantity::RotaryDrive, nullptr, Drive, "[Antrieb] Phi " + DrivePair(*Drive)});
    }
    return Items;
}

void TFuncSeries::FillXAxisList() {
    FXItems = {TFuncItem{TFuncQuantity::Position, nullptr, nullptr, "GST"}};
    if (!HasCalculatedData())
        return;
    std::vector<TFuncItem> Listed = ListedItems();
    FXItems.insert(FXItems.end(), Listed.begin(), Listed.end());
}

void TFuncSeries::FillYAxisList() {
    FYItems.clear();
    if (!HasCalculatedData())
        return;
    FYItems = ListedItems();
    FYItems.insert(FYItems.begin(), TFuncItem{TFuncQuantity::Position, nullptr, nullptr, "GST"});
}

bool TFuncSeries::InModel(const TFuncItem& Item) const {
    if (Item.Link)
        return FGearData.Links().IndexOf(Item.Link) >= 0;
    if (Item.Drive)
        return FGearData.Drives().Contains(Item.Drive);
    return Item.Quantity == TFuncQuantity::Position;
}

double TFuncSeries::StartValue(const TFuncItem& Item) const {
    if (Item.Quantity == TFuncQuantity::RotaryDrive)
        return (AngleOf(Item.Drive->Link1()) - AngleOf(Item.Drive->Link0())) * Degrees;
    if (Item.Quantity == TFuncQuantity::SlidingDrive) {
        return SlideDistanceOf(Item.Drive->Link0());
    }
    return 0.0;
}

std::vector<double> TFuncSeries::Values(const TFuncItem& Item) const {
    const int N = FCache.PositionCount();
    const double Start = StartValue(Item);
    const int Link = Item.Link ? FGearData.Links().IndexOf(Item.Link) : -1;
    std::vector<double> V(static_cast<std::size_t>(N));
    for (int I = 0; I < N; ++I) {
        double& Value = V[static_cast<std::size_t>(I)];
        switch (Item.Quantity) {
        case TFuncQuantity::Position:
            Value = I + 1;
            break;
        case TFuncQuantity::LinkAngle:
            Value = FCache.Row(I).Links()[static_cast<std::size_t>(Link)].Angle * Degrees;
            break;
        case TFuncQuantity::SlideDistance:
            Value = FCache.Row(I).Links()[static_cast<std::size_t>(Link)].SlideDistance;
            break;
        case TFuncQuantity::RotaryDrive:
            Value = Item.Drive->ValueAt(I) * Degrees + Start;
            break;
        case TFuncQuantity::SlidingDrive:
            Value = Item.Drive->ValueAt(I) / 1000 + Start;
            break;
        }
    }
    return V;
}

bool TFuncSeries::FromRow(const TFuncItem& Item) {
    return Item.Quantity == TFuncQuantity::LinkAngle ||
           Item.Quantity == TFuncQuantity::SlideDistance;
}

bool TFuncSeries::Wraps(const TFuncItem& Item) {
    return Item.Quantity == TFuncQuantity::LinkAngle || Item.Quantity == TFuncQuantity::RotaryDrive;
}

bool TFuncSeries::Jumps(const std::vector<double>& V, int Row) {
    return std::abs(V[static_cast<std::size_t>(Row - 1)] - V[static_cast<std::size_t>(Row)]) >
           WrapJump;
}

bool TFuncSeries::RowValid(int Row) const {
    return FCache.IsValidPosition(Row);
}

void TFuncSeries::BuildSeries(int XIndex, const std::vector<bool>& YChecked) {
    if (!HasCalculatedData())
        return;
    FCache.ApplyPosition(0);
    TMMUpdateBracket Batch(FDiagram.MMSurface());
    DropSeries();
    FDiagram.Changed();
    if (XIndex < 0 || XIndex >= static_cast<int>(FXItems.size()) || !InModel(FXItems[XIndex]))
        return;
    FX = FXItems[static_cast<std::size_t>(XIndex)];
    FXValues = Values(FX);
    FCoord.SetXLabel(AxisWord(FX.Quantity));
    FSerieOfItem.assign(FYItems.size(), -1);
    for (std::size_t J = 0; J < FYItems.size() && J < YChecked.size(); ++J) {
        if (!YChecked[J])
            continue;
        const TFuncItem& Item = FYItems[J];
        if (!InModel(Item))
            break;
        FSerieOfItem[J] = static_cast<int>(FBuilt.size());
        BuildSerie(Item, Values(Item), FromRow(FX) || FromRow(Item));
    }
    SetYLabel();
    ZoomToFit();
}

void TFuncSeries::BuildSerie(const TFuncItem& Item, const std::vector<double>& Y,
                             bool ValidWithRow) {
    auto Serie = std::make_unique<TMMDataSerie>();
    Serie->SetName(Item.Text);
    Serie->SetVisible(true);
    Serie->SetColor(RandomSerieColor());
    TBuiltSerie Built{Serie.get(), {}};
    for (int I = 0; I < static_cast<int>(Y.size()); ++I) {
        if (I > 0 && ((Wraps(Item) && Jumps(Y, I)) || (Wraps(FX) && Jumps(FXValues, I)))) {
            TMMDataElement Gap(0, 0);
            Gap.SetValid(false);
            Serie->Add(Gap);
            Built.Gap.push_back(true);
        }
        TMMDataElement E(FXValues[static_cast<std::size_t>(I)], Y[static_cast<std::size_t>(I)]);
        E.SetValid(!ValidWithRow || RowValid(I));
        Serie->Add(E);
        Built.Gap.push_back(false);
    }
    FDiagram.Series().Add(std::move(Serie));
    FBuilt.push_back(std::move(Built));
}

void TFuncSeries::SetYLabel() {
    auto Built = [this](std::initializer_list<TFuncQuantity> Kinds) {
        for (std::size_t J = 0; J < FSerieOfItem.size(); ++J)
            if (FSerieOfItem[J] >= 0 &&
                std::find(Kinds.begin(), Kinds.end(), FYItems[J].Quantity) != Kinds.end())
                return true;
        return false;
    };
    std::string Label;
    auto Append = [&Label](const char* Word) {
        Label += (Label.empty() ? "" : ", ") + std::string(Word);
    };
    if (Built({TFuncQuantity::Position}))
        Append("GST");
    if (Built({TFuncQuantity::SlideDistance, TFuncQuantity::SlidingDrive}))
        Append("mm");
    if (Built({TFuncQuantity::LinkAngle, TFuncQuantity::RotaryDrive}))
        Append("Grad");
    FCoord.SetYLabel(Label);
}

TMMDataSerie* TFuncSeries::GetItemSerie(int YIndex) const {
    if (YIndex < 0 || YIndex >= static_cast<int>(FSerieOfItem.size()))
        return nullptr;
    const int Built = FSerieOfItem[static_cast<std::size_t>(YIndex)];
    return Built < 0 ? nullptr : FBuilt[static_cast<std::size_t>(Built)].Serie;
}

void TFuncSeries::ZoomToFit() {
    TMMSurface* Surface = FDiagram.MMSurface();
    if (!Surface)
        return;
    double MinX = 1e99, MaxX = -1e99, MinY = 1e99, MaxY = -1e99;
    auto Take = [&](bool OnlyValid) {
        for (const TBuiltSerie& B : FBuilt)
            for (int I = 0; I < B.Serie->Count(); ++I) {
                const TMMDataElement& E = B.Serie->GetElement(I);
                if (B.Gap[static_cast<std::size_t>(I)] || (OnlyValid && !E.Valid()) ||
                    !std::isfinite(E.X()) || !std::isfinite(E.Y()))
                    continue;
                MinX = std::min(MinX, E.X());
                MaxX = std::max(MaxX, E.X());
                MinY = std::min(MinY, E.Y());
                MaxY = std::max(MaxY, E.Y());
            }
    };
    Take(true);
    // Without a single solved point the values of the unsolved ones still show where to look.
    if (MinX > MaxX)
        Take(false);
    if (MinX > MaxX) {
        Surface->SetMMRect(MMRect(1, 360, 360, 0));
        return;
    }
    const double WX = std::max(2.0, MaxX - MinX);
    const double WY = std::max(2.0, MaxY - MinY);
    Surface->SetMMRect(
        MMRect(MinX - 0.01 * WX, MaxY + 0.01 * WY, MaxX + 0.01 * WX, MinY - 0.01 * WY));
}

void TFuncSeries::DropSeries() {
    for (const TBuiltSerie& B : FBuilt)
        FDiagram.Series().Remove(B.Serie);
    FBuilt.clear();
    FSerieOfItem.clear();
}

void TFuncSeries::ClearDiagram() {
    FXItems.clear();
    FYItems.clear();
    FXValues.clear();
    DropSeries();
    FDiagram.Series().Clear();
    FDiagram.Changed();
}

bool TFuncSeries::Pairs(int K) const {
    if (FromRow(FX) && !(RowValid(K - 1) && RowValid(K)))
        return false;
    return !(Wraps(FX) && Jumps(FXValues, K));
}

std::optional<int> TFuncSeries::PositionAt(double X) const {
    const int M = static_cast<int>(FXValues.size());
    if (FBuilt.empty() || M < 2)
        return std::nullopt;
    auto XAt = [this](int K) { return FXValues[static_cast<std::size_t>(K)]; };
    std::optional<int> P;
    for (int K = 0; K + 1 < M && !P; ++K)
        if (Pairs(K + 1) && XAt(K) <= X && X <= XAt(K + 1))
            P = K;
    if (!P || *P == M - 2)
        for (int K = M - 1; K >= 1; --K)
            if (Pairs(K) && XAt(K - 1) >= X && X >= XAt(K)) {
                P = K;
                break;
            }
    if (P && *P + 1 <= FGearData.PositionCount() && FCache.IsValidPosition(*P))
        return P;
    return std::nullopt;
}
