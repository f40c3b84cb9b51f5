#include "platform/qt/QtMenuItem.h"
#include "platform/qt/QtGuard.h"

TQtMenuItem::TQtMenuItem(QMenu* Menu, TComponent* AOwner) : TMenuItem(AOwner), FMenu(Menu) {}

TQtMenuItem::~TQtMenuItem() {
    for (const QPointer<QAction>& A : FActions)
        delete A.data();
}

QString MenuActionText(const std::string& Caption) {
    return QString::fromStdString(Caption).replace(QLatin1Char('&'), QLatin1String("&&"));
}

void TQtMenuItem::SubItemInserted(int Index, TMenuItem& Item) {
    QAction* A = nullptr;
    if (FMenu) {
        A = new QAction(FMenu);
        QAction* Before =
            Index < static_cast<int>(FActions.size()) ? FActions[Index].data() : nullptr;
        FMenu->insertAction(Before, A);
        // Removing the sub-item disconnects its action first, so Target never dangles.
        TMenuItem* Target = &Item;
        GuardedConnect(A, &QAction::triggered, A, [Target] { Target->Click(); });
    }
    FActions.insert(FActions.begin() + Index, A);
    SubItemChanged(Index, Item);
}

void TQtMenuItem::SubItemRemoved(int Index, TMenuItem&) {
    // The action may be the one whose trigger is running: take it out now, free it later.
    if (QAction* A = FActions[Index]) {
        QObject::disconnect(A, nullptr, nullptr, nullptr);
        if (FMenu)
            FMenu->removeAction(A);
        A->deleteLater();
    }
    FActions.erase(FActions.begin() + Index);
}

void TQtMenuItem::SubItemChanged(int Index, TMenuItem& Item) {
    if (QAction* A = FActions[Index]) {
        A->setText(MenuActionText(Item.Caption()));
        A->setEnabled(Item.Enabled());
    }
}
