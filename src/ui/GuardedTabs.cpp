#include "ui/GuardedTabs.h"
#include "platform/qt/QtGuard.h"

#include <QSignalBlocker>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

TGuardedTabs::TGuardedTabs(QWidget* Parent)
    : QWidget(Parent), FBar(new QTabBar(this)), FPages(new QStackedWidget(this)) {
    auto* Layout = new QVBoxLayout(this);
    Layout->setContentsMargins(0, 0, 0, 0);
    Layout->setSpacing(0);
    Layout->addWidget(FBar);
    Layout->addWidget(FPages);
    // A click on a tab takes the focus, so a cell being edited is committed before it is asked.
    FBar->setFocusPolicy(Qt::StrongFocus);
    FBar->setDrawBase(true);
    GuardedConnect(FBar, &QTabBar::currentChanged, this, &TGuardedTabs::TabChosen);
}

void TGuardedTabs::AddPage(QWidget* Page, const QString& Caption) {
    const QSignalBlocker Quiet(FBar);
    FPages->addWidget(Page);
    FBar->addTab(Caption);
    FBar->setCurrentIndex(FPages->currentIndex());
}

int TGuardedTabs::CurrentIndex() const {
    return FPages->currentIndex();
}

void TGuardedTabs::SetCurrentIndexQuietly(int Index) {
    const QSignalBlocker Quiet(FBar);
    FBar->setCurrentIndex(Index);
    FPages->setCurrentIndex(Index);
}

void TGuardedTabs::TabChosen(int To) {
    const int From = FPages->currentIndex();
    if (To == From)
        return;
    if (CanLeave && !CanLeave(From)) {
        const QSignalBlocker Quiet(FBar);
        FBar->setCurrentIndex(From);
        return;
    }
    FPages->setCurrentIndex(To);
    if (OnEntered)
        OnEntered(To);
}
