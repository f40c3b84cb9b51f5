#include "platform/qt/QtRatioRedraw.h"

#include "platform/qt/QtGuard.h"

#include <QEvent>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace {

class TRatioRedraw : public QObject {
public:
    TRatioRedraw(QWidget& Window, std::function<void(qreal)> Draw)
        : QObject(&Window), FWindow(Window), FDraw(std::move(Draw)) {
        Redraw();
    }

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override {
        if (Watched == &FWindow && Event->type() == QEvent::Show)
            RunGuarded([this] {
                FollowScreen();
                Redraw();
            });
        return false;
    }

private:
    // The window's handle exists once it is shown; it tells of each move to another screen.
    void FollowScreen() {
        QWindow* Handle = FWindow.windowHandle();
        if (!Handle || Handle == FHandle)
            return;
        FHandle = Handle;
        GuardedConnect(Handle, &QWindow::screenChanged, this, [this] { Redraw(); });
    }

    void Redraw() {
        const qreal Ratio = FWindow.devicePixelRatioF();
        if (Ratio == FRatio)
            return;
        FRatio = Ratio;
        FDraw(Ratio);
    }

    QWidget& FWindow;
    std::function<void(qreal)> FDraw;
    QPointer<QWindow> FHandle;
    qreal FRatio = 0;
};

} // namespace

void RedrawAtWindowRatio(QWidget& Window, std::function<void(qreal Ratio)> Draw) {
    Window.installEventFilter(new TRatioRedraw(Window, std::move(Draw)));
}
