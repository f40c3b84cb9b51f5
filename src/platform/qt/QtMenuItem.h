// The Qt backend of a menu item: its sub-items appear as the actions of a QMenu, in order.
#pragma once

#include "platform/MenuItem.h"

#include <QAction>
#include <QMenu>
#include <QPointer>
#include <QString>

#include <vector>

class TQtMenuItem : public TMenuItem {
public:
    // Menu is not owned; when Qt frees it first, the sub-items simply have no actions any more.
    explicit TQtMenuItem(QMenu* Menu, TComponent* AOwner = nullptr);
    ~TQtMenuItem() override;

    QMenu* Menu() const { return FMenu; }

protected:
    void SubItemInserted(int Index, TMenuItem& Item) override;
    void SubItemRemoved(int Index, TMenuItem& Item) override;
    void SubItemChanged(int Index, TMenuItem& Item) override;

private:
    QPointer<QMenu> FMenu;
    std::vector<QPointer<QAction>> FActions;
};

// The caption as a Qt action text: an "&" shows literally instead of marking a shortcut key.
QString MenuActionText(const std::string& Caption);
