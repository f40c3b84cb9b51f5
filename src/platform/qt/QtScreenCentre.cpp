#include "platform/qt/QtScreenCentre.h"

#include <QEvent>
#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>

namespace {

class TCentreWhenShown : public QObject {
public:
    explicit TCentreWhenShown(QWidget& Window) : QObject(&Window), FWindow(Window) {}

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override {
        // A restore from minimised stays where the user left the window.
        if (Watched == &FWindow && Event->type() == QEvent::Show && !Event->spontaneous())
            CentreOnScreen(FWindow, FWindow.parentWidget());
        return false;
    }

private:
    QWidget& FWindow;
};

} // namespace

void CentreOnScreen(QWidget& Window, const QWidget* Anchor) {
    const QWidget* Top = Anchor;
    while (Top && Top->parentWidget())
        Top = Top->parentWidget();
    QScreen* Screen = Top ? Top->screen() : Window.screen();
    if (!Screen)
        Screen = QGuiApplication::primaryScreen();
    if (!Screen)
        return;
    const QRect Area = Screen->availableGeometry();
    const QSize Size = Window.frameGeometry().size();
    Window.move(Area.x() + (Area.width() - Size.width()) / 2,
                Area.y() + (Area.height() - Size.height()) / 2);
}

void CentreWhenShown(QWidget& Window) {
    Window.installEventFilter(new TCentreWhenShown(Window));
}
