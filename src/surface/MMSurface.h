// The drawing surface: a world in millimetres (y up) bound to one window control (pixels, y down).
// It maps between the two, keeps both scales equal when Square is on, repaints its items into a
// back buffer and presents it, and takes over the control's window procedure for mouse input.
#pragma once

#include "platform/Canvas.h"
#include "platform/Component.h"
#include "platform/Control.h"
#include "platform/Events.h"
#include "surface/ControlHook.h"
#include "surface/MMGraphicItem.h"
#include "surface/MMTypes.h"

#include <memory>
#include <vector>

class TMMSurface : public TComponent {
public:
    explicit TMMSurface(TComponent* AOwner = nullptr);
    ~TMMSurface() override;

    // The view.
    TControl* Control() const { return FHook.Control(); }
    // Unhooks the old control and hooks C (nullptr: none).
    void SetControl(TControl* C);
    bool Square() const { return FSquare; }
    void SetSquare(bool Value) { FSquare = Value; } // takes effect at the next SetMMRect
    double XMin() const { return FViewRect.Left; }
    double XMax() const { return FViewRect.Right; }
    double YMin() const { return FViewRect.Bottom; }
    double YMax() const { return FViewRect.Top; }
    void SetXMin(double Value);
    void SetXMax(double Value);
    void SetYMin(double Value);
    void SetYMax(double Value);
    const TMMRect& ViewRect() const { return FViewRect; }
    TColor BackGroundColor() const { return FBackGroundColor; }
    void SetBackGroundColor(TColor Value) { FBackGroundColor = Value; }
    int VertScalaIncrement() const { return FVertScalaIncrement; }
    int HorizScalaIncrement() const { return FHorizScalaIncrement; }

    // Pixels and scales.
    TRect GetClientRect() const;
    int GetPixelWidth() const { return GetClientRect().Width(); }
    int GetPixelHeight() const { return GetClientRect().Height(); }
    double GetMMWidth() const { return XMax() - XMin(); }
    double GetMMHeight() const { return YMax() - YMin(); }
    double ScaleX() const;
    double ScaleY() const;

    // World to pixel (Absolute false: a length) and back.
    int MMToPixelX(double V, bool Absolute) const;
    int MMToPixelY(double V, bool Absolute) const;
    TPoint MMToPixel(TMMPoint P, bool Absolute) const;
    double PixelToMMX(int V, bool Absolute) const;
    double PixelToMMY(int V, bool Absolute) const;
    TMMPoint PixelToMM(TPoint P, bool Absolute) const;

    // Every change of the view passes through SetMMRect. A rectangle with an edge that is not
    // finite, or a span other than zero outside 1e-6 to 1e12 mm, is refused: the view stays.
    void SetMMRect(const TMMRect& R);
    void Update();
    void CenterTo(TMMPoint P);
    void CenterToPixel(TPoint P);
    void ScrollX(int DX);
    void ScrollY(int DY);
    void ZoomIn(double CX, double CY, double Factor);
    void ZoomOut(double CX, double CY, double Factor);
    void ZoomInAtPixel(TPoint P, double Factor);
    void ZoomOutAtPixel(TPoint P, double Factor);
    TPoint GetCenterPixel() const;
    void ZoomToMMRect(double AXMin, double AXMax, double AYMin, double AYMax);
    void ZoomToPoints(TPoint P1, TPoint P2);
    void AdjustScalaIncrement();

    // Batches and repainting.
    void BeginUpdate();
    void EndUpdate();
    bool IsUpdating() const { return FUpdateCount > 0; }
    int UpdateCount() const { return FUpdateCount; }
    void Repaint(bool ResetUpdates);
    void OnWillRepaint(TObject* Sender);
    void Clear();
    void BringBufferToFront();

    // Items and followers (neither owned).
    void RegisterGraphicItem(TMMGraphicItem* Item);
    void UnRegisterGraphicItem(TMMGraphicItem* Item);
    const TMMGraphicItemList& GraphicItems() const { return FGraphicItems; }
    void RegisterChanges(TNotifyChangeLink* Link);
    void UnRegisterChanges(TNotifyChangeLink* Link);
    void NotifyChange();

    // Where items draw, and the visible surface; nullptr when there is neither control nor print.
    TCanvas* GetCanvas() const;
    TCanvas* GetControlCanvas() const;
    TBitmap& Buffer() const { return *FBuffer; }

    // Print mode: the page's canvas and rectangle take the control's place.
    bool Printing() const { return FPrinting; }
    void SetPrintCanvas(TCanvas* C) { FPrintCanvas = C; }
    void SetPrintRect(const TRect& R);
    void SetPrinting(bool On);
    void UpdateClientRect();

    // The replacement window procedure of the control.
    void WndProc(TMessage& Message);

    TNotifyEvent OnCoordsChanged;
    TNotifyEvent OnPaint;
    TNotifyEvent OnResize;
    TMMMouseEvent OnMouseDown;
    TMMMouseEvent OnMouseUp;
    TMMMouseMoveEvent OnMouseMove;

protected:
    void DoOnCoordsChanged();
    void DoOnPaint();

private:
    void ApplySquare();
    void DoMouseButton(const TMessage& Message, const TMMMouseEvent& Event, TMouseButton Button);

    TControlHook FHook;
    bool FPrinting = false;
    TCanvas* FPrintCanvas = nullptr;
    TRect FPrintRect;
    std::unique_ptr<TBitmap> FBuffer;
    std::vector<TNotifyChangeLink*> FChangeLinks;
    TMMGraphicItemList FGraphicItems;
    TMMRect FViewRect = MMRect(-10, 10, 10, -10);
    bool FSquare = true;
    TColor FBackGroundColor = clWhite;
    int FUpdateCount = 0;
    int FVertScalaIncrement = 0;
    int FHorizScalaIncrement = 0;
    bool FPainting = false;     // the items are being painted
    bool FRepaintAgain = false; // an item changed while they were
};

// A batch on a surface (none without one) for the bracket's lifetime, so nested changes repaint
// once, at its end. That repaint may raise; while an exception is already on its way, a failing
// repaint gives way to it.
class TMMUpdateBracket {
public:
    explicit TMMUpdateBracket(TMMSurface* Surface);
    ~TMMUpdateBracket() noexcept(false);
    TMMUpdateBracket(const TMMUpdateBracket&) = delete;
    TMMUpdateBracket& operator=(const TMMUpdateBracket&) = delete;

private:
    TMMSurface* FSurface;
    int FExceptionsOnTheirWay;
};
