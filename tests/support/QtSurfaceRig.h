// A real Qt drawing surface for offscreen tests: the Qt platform installed for the rig's lifetime,
// a shown widget of a given size, its control and a surface bound to it.
#pragma once

#include "platform/qt/QtControl.h"
#include "platform/qt/QtPlatform.h"
#include "support/QtTestApp.h"
#include "surface/MMSurface.h"

#include <QWidget>

#include <memory>

// The Qt platform, installed while the object lives.
class TInstalledQtPlatform : public TQtPlatform {
    TScopedService<TPlatform> FInstalled{PlatformSlot(), *this};
};

template <class TWidget = QWidget> class TQtSurfaceRig {
public:
    TQtSurfaceRig(int Width, int Height, const TMMRect& View, bool Square) {
        Widget.resize(Width, Height);
        Widget.show(); // a hidden widget gets its resize events only when shown
        Control = std::make_unique<TQtControl>(&Widget);
        Surface = std::make_unique<TMMSurface>();
        Surface->SetSquare(Square);
        Surface->SetControl(Control.get());
        Surface->SetMMRect(View);
    }
    ~TQtSurfaceRig() {
        Surface.reset();
        Control.reset();
    }
    TQtSurfaceRig(const TQtSurfaceRig&) = delete;
    TQtSurfaceRig& operator=(const TQtSurfaceRig&) = delete;

    QApplication& App = QtTestApp(); // before any widget
    TInstalledQtPlatform Platform;
    TWidget Widget;
    std::unique_ptr<TQtControl> Control;
    std::unique_ptr<TMMSurface> Surface;
};
