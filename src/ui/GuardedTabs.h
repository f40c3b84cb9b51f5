// Pages with visible tabs whose change the owner may refuse: the page being left is asked before
// the new one shows, so a refusal leaves everything as it was.
#pragma once

#include <QWidget>

#include <functional>

class QStackedWidget;
class QTabBar;

class TGuardedTabs : public QWidget {
public:
    explicit TGuardedTabs(QWidget* Parent = nullptr);

    void AddPage(QWidget* Page, const QString& Caption);
    // The page on show; while CanLeave runs, still the page being left.
    int CurrentIndex() const;
    // Shows the page without asking anyone (when the owner itself sets the page).
    void SetCurrentIndexQuietly(int Index);
    QTabBar* TabBar() const { return FBar; }

    // Asked before the page From is left for another; false keeps From.
    std::function<bool(int From)> CanLeave;
    // Told after the page To came up through the user.
    std::function<void(int To)> OnEntered;

private:
    void TabChosen(int To);

    QTabBar* FBar;
    QStackedWidget* FPages;
};
