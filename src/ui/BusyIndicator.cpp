#include "ui/BusyIndicator.h"

#include <QGuiApplication>
#include <QLabel>
#include <QWidget>

TBusyIndicator::TBusyIndicator(QLabel& Panel, const char* Doing)
    : FPanel(Panel), FShown(Panel.text()) {
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    FPanel.setText(QString::fromUtf8(Doing));
    // The event loop waits until the step is done: the window is painted now.
    FPanel.window()->repaint();
}

TBusyIndicator::~TBusyIndicator() {
    FPanel.setText(FShown);
    QGuiApplication::restoreOverrideCursor();
}
