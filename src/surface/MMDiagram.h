// Data series drawn as polylines in world coordinates: a point may be marked invalid to break its
// line. The diagram owns its series and each series holds its points by value.
#pragma once

#include "platform/Canvas.h"
#include "platform/Types.h"
#include "surface/MMGraphicItem.h"
#include "surface/MMTypes.h"

#include <cmath>
#include <memory>
#include <string>
#include <vector>

class TMMDataElement {
public:
    TMMDataElement(double AX, double AY) : FX(AX), FY(AY) {}
    explicit TMMDataElement(TMMPoint P) : TMMDataElement(P.X, P.Y) {}

    double X() const { return FX; }
    double Y() const { return FY; }
    bool Valid() const { return FValid; }
    void SetValid(bool Value) { FValid = Value; }
    // Valid and at a finite place: a point that lines and fits may use.
    bool Plottable() const { return FValid && std::isfinite(FX) && std::isfinite(FY); }

private:
    double FX;
    double FY;
    bool FValid = true;
};

// None of the setters repaints: whoever changes a series repaints the surface.
class TMMDataSerie {
public:
    int Count() const { return static_cast<int>(FElements.size()); }
    const TMMDataElement& GetElement(int Index) const { return FElements.at(Index); }
    TMMDataElement& GetElement(int Index) { return FElements.at(Index); }
    const std::vector<TMMDataElement>& Elements() const { return FElements; }
    void Add(const TMMDataElement& Element) { FElements.push_back(Element); }

    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { FColor = Value; }
    const std::string& Name() const { return FName; }
    void SetName(const std::string& Value) { FName = Value; }
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value) { FVisible = Value; }
    int Width() const { return FWidth; }
    void SetWidth(int Value) { FWidth = Value; }

private:
    std::vector<TMMDataElement> FElements;
    TColor FColor = clRed;
    std::string FName;
    bool FVisible = false;
    int FWidth = 1;
};

// The diagram's series in drawing order; a series leaves the list only to be freed.
class TMMDataSeries {
public:
    int Count() const { return static_cast<int>(FSeries.size()); }
    TMMDataSerie* Items(int Index) const { return FSeries.at(Index).get(); }
    // Takes the series over and returns it.
    TMMDataSerie* Add(std::unique_ptr<TMMDataSerie> Serie);
    // Frees the series; false when it is not in the list.
    bool Remove(const TMMDataSerie* Serie);
    void Clear() { FSeries.clear(); }

private:
    std::vector<std::unique_ptr<TMMDataSerie>> FSeries;
};

class TMMDiagram : public TMMGraphicItem {
public:
    explicit TMMDiagram(TComponent* AOwner = nullptr);
    ~TMMDiagram() override;

    TMMDataSeries& Series() { return FSeries; }
    const TMMDataSeries& Series() const { return FSeries; }

    // Extremes over every element of every series, visible or not, valid or not; with no
    // elements 1e20 for the minima and -1e20 for the maxima.
    double GetMinX() const;
    double GetMaxX() const;
    double GetMinY() const;
    double GetMaxY() const;

    void Paint() override;

private:
    void SurfaceChanged(TObject* Sender);
    void DrawSeries(TCanvas& C) const;
    void DrawSerie(TCanvas& C, const TMMDataSerie& Serie) const;

    TMMDataSeries FSeries;
};
