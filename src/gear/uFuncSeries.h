// The data side of the transfer functions: the quantities of the animated mechanism offered for
// the two axes, their values over the gear positions taken from the position cache, the diagram's
// series built from one x quantity and the checked y quantities, the view fitted to them, and the
// gear position under a world x of the plot.
#pragma once

#include <optional>
#include <string>
#include <vector>

class TCustomLink;
class TDrive;
class TGearCache;
class TGearData;
class TMMCoord;
class TMMDataSerie;
class TMMDiagram;

enum class TFuncQuantity { Position, LinkAngle, SlideDistance, RotaryDrive, SlidingDrive };

// One entry of an axis list: the gear position itself, or the model object behind the quantity.
struct TFuncItem {
    TFuncQuantity Quantity = TFuncQuantity::Position;
    const TCustomLink* Link = nullptr;
    const TDrive* Drive = nullptr;
    std::string Text;
};

class TFuncSeries {
public:
    // The diagram's surface is the view that ZoomToFit sets; Coord takes the axis labels.
    TFuncSeries(TGearData& GearData, TGearCache& Cache, TMMDiagram& Diagram, TMMCoord& Coord);
    ~TFuncSeries();
    TFuncSeries(const TFuncSeries&) = delete;
    TFuncSeries& operator=(const TFuncSeries&) = delete;

    // The cache is filled, has rows, and its rows match the model's links.
    bool HasCalculatedData() const;
    // "GST" first, then the quantities of the model when there is data.
    void FillXAxisList();
    // The same quantities, "GST" among them only when there is data.
    void FillYAxisList();
    const std::vector<TFuncItem>& XItems() const { return FXItems; }
    const std::vector<TFuncItem>& YItems() const { return FYItems; }

    // Puts the mechanism into gear position 0 and rebuilds the diagram: one series per checked y
    // entry over x entry XIndex (none: an empty diagram), then the labels and the fit.
    void BuildSeries(int XIndex, const std::vector<bool>& YChecked);
    // The series of y entry YIndex; nil when the entry has none.
    TMMDataSerie* GetItemSerie(int YIndex) const;
    // The view around the valid points with 1 % margins; x 1..360, y 0..360 without series.
    void ZoomToFit();
    // Empties both lists and the diagram.
    void ClearDiagram();

    // The gear position (0-based) whose x values enclose X, the smaller x of the two winning;
    // nothing without series, outside the data, or at a position that was not solved.
    std::optional<int> PositionAt(double X) const;

private:
    struct TBuiltSerie;

    std::vector<TFuncItem> ListedItems() const;
    // False when the entry's object has left the model.
    bool InModel(const TFuncItem& Item) const;
    // The value of the quantity in every cache row.
    std::vector<double> Values(const TFuncItem& Item) const;
    double StartValue(const TFuncItem& Item) const;
    // The row's value is the cache's, which holds zeros where it could not solve.
    static bool FromRow(const TFuncItem& Item);
    // A jump of more than 200 degrees between neighbours is a wrap around the circle.
    static bool Wraps(const TFuncItem& Item);
    static bool Jumps(const std::vector<double>& V, int Row);
    bool RowValid(int Row) const;
    void BuildSerie(const TFuncItem& Item, const std::vector<double>& Y, bool ValidWithRow);
    void SetYLabel();
    // Neighbours K - 1 and K may form a pair of the cursor scans.
    bool Pairs(int K) const;
    void DropSeries();

    TGearData& FGearData;
    TGearCache& FCache;
    TMMDiagram& FDiagram;
    TMMCoord& FCoord;
    std::vector<TFuncItem> FXItems;
    std::vector<TFuncItem> FYItems;
    // The x of the last build: its entry, its value per row, and which rows hold data.
    TFuncItem FX;
    std::vector<double> FXValues;
    std::vector<TBuiltSerie> FBuilt;
    // Per y entry the index into FBuilt, -1 without a series.
    std::vector<int> FSerieOfItem;
};
