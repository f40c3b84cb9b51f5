// A millimetre scale beside a drawing area: a labelled major tick at every multiple of the
// surface's scala increment and nine minor ticks between, lined up with the pixels of the
// surface's control. It draws on a panel control of its own, through a buffer it presents.
#pragma once

#include "platform/Canvas.h"
#include "platform/Component.h"
#include "platform/Control.h"
#include "platform/Events.h"
#include "platform/Watched.h"
#include "surface/ControlHook.h"

#include <memory>

class TMMSurface;
class TNotifyChangeLink;

enum class TRulerOrientation { roHorizontal, roVertical };
// The edge the ticks grow from: top or left, bottom or right. The labels sit along the other.
enum class TScalaOrientation { soTopLeft, soBottomRight };

class TMMRuler : public TComponent {
public:
    explicit TMMRuler(TComponent* AOwner = nullptr);
    ~TMMRuler() override;

    // The panel: the ruler takes over its window procedure for painting (nullptr: none).
    TControl* Control() const { return FHook.Control(); }
    void SetControl(TControl* C);
    // Where the ruler draws; shown on the panel when a paint ends.
    TCanvas& Canvas() const { return FBuffer->Canvas(); }

    TMMSurface* MMSurface() const { return FMMSurface; }
    // Follows S's view from now on and paints at once.
    void SetMMSurface(TMMSurface* S);
    TRulerOrientation RulerOrientation() const { return FRulerOrientation; }
    void SetRulerOrientation(TRulerOrientation Value);
    TScalaOrientation ScalaOrientation() const { return FScalaOrientation; }
    void SetScalaOrientation(TScalaOrientation Value);
    // The panel's colour, the background of the scale.
    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { FColor = Value; }

    // DrawRuler, then OnPaint, then shows the result on the panel.
    void Paint();
    // Draws the scale into the buffer (only the background without a surface or increment).
    void DrawRuler();

    TNotifyEvent OnPaint;

private:
    void WndProc(TMessage& Message);
    void Present();
    TRect PanelRect() const;
    void ClearBackground();
    void DrawScale();

    TControlHook FHook;
    std::unique_ptr<TBitmap> FBuffer;
    TWatched<TMMSurface> FMMSurface;
    std::unique_ptr<TNotifyChangeLink> FChangeLink;
    TRulerOrientation FRulerOrientation = TRulerOrientation::roVertical;
    TScalaOrientation FScalaOrientation = TScalaOrientation::soTopLeft;
    TColor FColor;
};
