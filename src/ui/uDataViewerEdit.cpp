// The mechanism tree's events: selection, double click, renaming in place, the roots' open state
// and the Delete key. Every handler looks the node's part up in the model first, so a node whose
// part is gone does nothing.
#include "ui/uDataViewer.h"

#include "gear/uDrive.h"
#include "gear/uGear.h"
#include "gear/uGearPrefs.h"
#include "gear/uJoint.h"
#include "gear/uLink.h"
#include "platform/qt/QtGuard.h"
#include "surface/MMSurface.h"
#include "xml/XMLPrefs.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QStyledItemDelegate>
#include <QTreeWidget>

class TDataViewer::TEventFilter : public QObject {
public:
    explicit TEventFilter(TDataViewer& Viewer) : FViewer(Viewer) {}

protected:
    // The tree's own handling of the key follows.
    bool eventFilter(QObject* Watched, QEvent* Event) override {
        if (Event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(Event)->key() == Qt::Key_Delete)
            RunGuarded([this] { FViewer.TreeDeleteKey(); });
        return QObject::eventFilter(Watched, Event);
    }

private:
    TDataViewer& FViewer;
};

// Edits a link's or joint's bare identifier in place of the node's display text.
class TDataViewer::TRenameDelegate : public QStyledItemDelegate {
public:
    TRenameDelegate(TDataViewer& Viewer, QTreeWidget& Tree) : FViewer(Viewer), FTree(Tree) {}

    QWidget* createEditor(QWidget* Parent, const QStyleOptionViewItem& Option,
                          const QModelIndex& Index) const override {
        if (!FViewer.PartOf(NodeAt(Index)))
            return nullptr;
        return QStyledItemDelegate::createEditor(Parent, Option, Index);
    }
    void setEditorData(QWidget* Editor, const QModelIndex& Index) const override {
        if (auto* Line = qobject_cast<QLineEdit*>(Editor))
            Line->setText(QString::fromStdString(FViewer.IdentifierOf(NodeAt(Index))));
    }
    void setModelData(QWidget* Editor, QAbstractItemModel*,
                      const QModelIndex& Index) const override {
        if (auto* Line = qobject_cast<QLineEdit*>(Editor))
            RunGuarded([&] { FViewer.Rename(NodeAt(Index), Line->text().toStdString()); });
    }

private:
    // Every child hangs under a root.
    QTreeWidgetItem* NodeAt(const QModelIndex& Index) const {
        if (!Index.isValid() || !Index.parent().isValid())
            return nullptr;
        QTreeWidgetItem* Root = FTree.topLevelItem(Index.parent().row());
        return Root ? Root->child(Index.row()) : nullptr;
    }

    TDataViewer& FViewer;
    QTreeWidget& FTree;
};

void TDataViewer::BindEvents() {
    auto Filter = std::make_unique<TEventFilter>(*this);
    FTreeView.installEventFilter(Filter.get());
    QObject* Context = Filter.get();
    GuardedConnect(&FTreeView, &QTreeWidget::currentItemChanged, Context,
                   [this](QTreeWidgetItem* Node, QTreeWidgetItem*) { TreeChange(Node); });
    GuardedConnect(&FTreeView, &QTreeWidget::itemDoubleClicked, Context,
                   [this](QTreeWidgetItem*, int) { TreeDblClick(); });
    GuardedConnect(&FTreeView, &QTreeWidget::itemExpanded, Context,
                   [this](QTreeWidgetItem* Node) { TreeExpandedOrCollapsed(Node, true); });
    GuardedConnect(&FTreeView, &QTreeWidget::itemCollapsed, Context,
                   [this](QTreeWidgetItem* Node) { TreeExpandedOrCollapsed(Node, false); });
    FEvents = std::move(Filter);
    FOldDelegate = FTreeView.itemDelegate();
    FDelegate = std::make_unique<TRenameDelegate>(*this, FTreeView);
    FTreeView.setItemDelegate(FDelegate.get());
}

void TDataViewer::UnbindEvents() {
    FUpdating = true;
    FEvents.reset();
    // Emptying the tree first closes an open editor while its delegate still lives.
    FTreeView.clear();
    FTreeView.setItemDelegate(FOldDelegate);
    FDelegate.reset();
}

void TDataViewer::TreeChange(QTreeWidgetItem* Node) {
    if (FUpdating)
        return;
    if (TCustomLink* L = LinkOf(Node))
        GearData().SelectLink(L, false);
    else if (TJoint* J = JointOf(Node))
        GearData().SelectJoint(J, false);
}

void TDataViewer::TreeDblClick() {
    if (!FGear.Editing())
        return;
    QTreeWidgetItem* Node = FTreeView.currentItem();
    if (PartOf(Node)) {
        if (FActions.OnProperties)
            FActions.OnProperties();
    } else if (TDrive* Drive = DriveOf(Node)) {
        // The drive's text, the caption and the drawing follow what the dialog changed.
        if (FActions.EditDrive)
            GearData().Edit([&] { return FActions.EditDrive(*Drive); });
    }
}

std::string TDataViewer::IdentifierOf(const QTreeWidgetItem* Node) const {
    const TGearPart* Part = PartOf(Node);
    return Part ? Part->Identifier() : std::string();
}

void TDataViewer::Rename(QTreeWidgetItem* Node, const std::string& Identifier) {
    TGearPart* Part = PartOf(Node);
    if (!Part)
        return;
    // The node shows the new name before the change refreshes the tree.
    const TGearData::TChangeScope Scope(GearData());
    GearData().RenamePart(*Part, Identifier);
    Node->setText(0, QString::fromStdString(Part->GetDisplayText()));
}

void TDataViewer::TreeExpandedOrCollapsed(QTreeWidgetItem* Node, bool Expanded) {
    // Only the user's choice is kept, not a root opened to show the selected node.
    if (FUpdating)
        return;
    if (const char* Setting = ExpandSetting(Node))
        PreferenceStore().SetValue("Window", Setting, Expanded);
}

void TDataViewer::TreeDeleteKey() {
    if (!FGear.Editing())
        return;
    // The node is read before the edit: the refresh that follows deletes it.
    QTreeWidgetItem* Node = FTreeView.currentItem();
    TCustomLink* Link = LinkOf(Node);
    TJoint* Joint = JointOf(Node);
    TDrive* Drive = DriveOf(Node);
    if (!Link && !Joint && !Drive)
        return;
    if (Link)
        FGear.DeleteLink(*Link);
    else if (Joint)
        FGear.DeleteJoint(*Joint);
    else
        FGear.DeleteDrive(*Drive);
}
