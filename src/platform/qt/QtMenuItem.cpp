#include "platform/qt/QtMenuItem.h"

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
        // The sub-item outlives its action: removing it deletes the action first.
        TMenuItem* Target = &Item;
        QObject::connect(A, &QAction::triggered, [Target] { Target->Click(); });
    }
    FActions.insert(FActions.begin() + Index, A);
    SubItemChanged(Index, Item);
}

void TQtMenuItem::SubItemRemoved(int Index, TMenuItem&) {
    delete FActions[Index].data();
    FActions.erase(FActions.begin() + Index);
}

void TQtMenuItem::SubItemChanged(int Index, TMenuItem& Item) {
    if (QAction* A = FActions[Index]) {
        A->setText(MenuActionText(Item.Caption()));
        A->setEnabled(Item.Enabled());
    }
}
