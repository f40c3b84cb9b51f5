#include "ui/uDataViewer.h"

#include "gear/uDrive.h"
#include "gear/uGear.h"
#include "gear/uGearPrefs.h"
#include "gear/uJoint.h"
#include "gear/uLink.h"
#include "xml/XMLPrefs.h"

#include <QCollator>
#include <QTreeWidget>

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

namespace {

constexpr int ItemRole = Qt::UserRole;

const void* ItemOf(const QTreeWidgetItem* Node) {
    return reinterpret_cast<const void*>(Node->data(0, ItemRole).value<quintptr>());
}

// The number a text begins with, after blanks and brackets: link and joint texts begin with
// their number, padded to two places.
std::optional<qulonglong> LeadingNumber(const QString& Text) {
    qsizetype I = 0;
    while (I < Text.size() && !Text[I].isLetterOrNumber())
        ++I;
    const qsizetype Start = I;
    while (I < Text.size() && Text[I].isDigit())
        ++I;
    if (I == Start)
        return std::nullopt;
    return Text.mid(Start, I - Start).toULongLong();
}

// By the leading number as a number (100 after 99, not before 11), else by the locale's
// case-sensitive order.
bool NodeTextLess(const QCollator& Collator, const QString& A, const QString& B) {
    const std::optional<qulonglong> NumberA = LeadingNumber(A);
    const std::optional<qulonglong> NumberB = LeadingNumber(B);
    if (NumberA && NumberB && *NumberA != *NumberB)
        return *NumberA < *NumberB;
    return Collator.compare(A, B) < 0;
}

// The entry of List that Item names, compared by address only: Item may be gone.
template <class TList> auto Find(const TList& List, const void* Item) {
    auto It = std::find_if(List.begin(), List.end(), [Item](const auto* P) { return P == Item; });
    return It == List.end() ? nullptr : *It;
}

} // namespace

TDataViewer::TDataViewer(QTreeWidget& TreeView, TGear& Gear, TActions Actions)
    : FTreeView(TreeView), FGear(Gear), FActions(std::move(Actions)) {
    FTreeView.setSelectionMode(QAbstractItemView::SingleSelection);
    FTreeView.setIndentation(19);
    FTreeView.setSortingEnabled(false);
    FTreeView.setEditTriggers(QAbstractItemView::SelectedClicked |
                              QAbstractItemView::EditKeyPressed);
    FLinksNode = AddRoot("Glieder");
    FJointsNode = AddRoot("Gelenke");
    FCouplesNode = AddRoot("Koppelpunkte");
    FDrivesNode = AddRoot("Antriebe");
    BindEvents();
}

TDataViewer::~TDataViewer() {
    UnbindEvents();
}

TGearData& TDataViewer::GearData() const {
    return FGear.GearData();
}

QTreeWidgetItem* TDataViewer::AddRoot(const char* Text) {
    return new QTreeWidgetItem(&FTreeView, QStringList(QString::fromUtf8(Text)));
}

void TDataViewer::BeginUpdate() {
    FUpdating = true;
}

void TDataViewer::EndUpdate() {
    FUpdating = false;
    Refresh();
}

void TDataViewer::Refresh() {
    if (FUpdating || FGear.LinkMover().Moving())
        return;
    RefreshNodes();
}

void TDataViewer::RemoveChildren(QTreeWidgetItem* Root,
                                 const std::function<bool(const void*)>& Keep) {
    for (int I = 0; I < Root->childCount();) {
        if (Keep(ItemOf(Root->child(I))))
            ++I;
        else
            delete Root->child(I);
    }
}

void TDataViewer::RemoveStaleNodes() {
    const bool WasUpdating = std::exchange(FUpdating, true);
    const TGearData& D = GearData();
    auto JointIn = [&D](const void* Item, bool Coupled) {
        const TJoint* J = Find(D.Joints(), Item);
        return J && (J->Links().Count() >= 2) == Coupled;
    };
    RemoveChildren(FLinksNode, [&D](const void* Item) { return Find(D.Links(), Item); });
    RemoveChildren(FJointsNode, [&](const void* Item) { return JointIn(Item, true); });
    RemoveChildren(FCouplesNode, [&](const void* Item) { return JointIn(Item, false); });
    RemoveChildren(FDrivesNode, [&D](const void* Item) { return Find(D.Drives(), Item); });
    FUpdating = WasUpdating;
    FTreeView.viewport()->repaint();
}

void TDataViewer::ShowItem(QTreeWidgetItem* Root, const void* Item, const std::string& Text) {
    const QString Shown = QString::fromStdString(Text);
    if (QTreeWidgetItem* Node = FindNode(Root, Item)) {
        if (Node->text(0) != Shown)
            Node->setText(0, Shown);
        return;
    }
    auto* Node = new QTreeWidgetItem(Root, QStringList(Shown));
    Node->setData(0, ItemRole, QVariant::fromValue(reinterpret_cast<quintptr>(Item)));
    if (Root != FDrivesNode)
        Node->setFlags(Node->flags() | Qt::ItemIsEditable);
}

void TDataViewer::RefreshNodes() {
    // What the tree does to itself here is no choice of the user's.
    const bool WasUpdating = std::exchange(FUpdating, true);
    RemoveStaleNodes();
    const TGearData& D = GearData();
    for (TCustomLink* L : D.Links())
        ShowItem(FLinksNode, L, L->GetDisplayText());
    for (TJoint* J : D.Joints())
        if (!J->IsVirtual())
            ShowItem(J->Links().Count() >= 2 ? FJointsNode : FCouplesNode, J, J->GetDisplayText());
    // Drive texts follow their links' numbers like every other node.
    for (TDrive* Dr : D.Drives())
        ShowItem(FDrivesNode, Dr, Dr->GetDisplayText());
    for (QTreeWidgetItem* Root : {FLinksNode, FJointsNode, FCouplesNode, FDrivesNode})
        SortChildren(Root);
    ExpandFromSettings();
    // A merge or a change of mode may have dropped the selection without telling the tree.
    ShowSelection();
    FUpdating = WasUpdating;
}

void TDataViewer::SortChildren(QTreeWidgetItem* Root) {
    std::vector<QTreeWidgetItem*> Sorted;
    for (int I = 0; I < Root->childCount(); ++I)
        Sorted.push_back(Root->child(I));
    QCollator Collator;
    Collator.setCaseSensitivity(Qt::CaseSensitive);
    std::stable_sort(Sorted.begin(), Sorted.end(), [&Collator](auto* A, auto* B) {
        return NodeTextLess(Collator, A->text(0), B->text(0));
    });
    // Only misplaced nodes move, and the current node stays current.
    QTreeWidgetItem* Current = FTreeView.currentItem();
    const bool WasUpdating = std::exchange(FUpdating, true);
    for (int I = 0; I < static_cast<int>(Sorted.size()); ++I) {
        QTreeWidgetItem* Wanted = Sorted[static_cast<std::size_t>(I)];
        if (Root->child(I) != Wanted)
            Root->insertChild(I, Root->takeChild(Root->indexOfChild(Wanted)));
    }
    if (Current && FTreeView.currentItem() != Current)
        FTreeView.setCurrentItem(Current);
    FUpdating = WasUpdating;
}

const char* TDataViewer::ExpandSetting(const QTreeWidgetItem* Root) const {
    if (Root == FLinksNode)
        return "ExpandLinks";
    if (Root == FJointsNode)
        return "ExpandJoints";
    if (Root == FCouplesNode)
        return "ExpandCouples";
    if (Root == FDrivesNode)
        return "ExpandDrives";
    return nullptr;
}

void TDataViewer::ExpandFromSettings() {
    for (QTreeWidgetItem* Root : {FLinksNode, FJointsNode, FCouplesNode, FDrivesNode})
        SetExpanded(Root, PreferenceStore().GetBoolean("Window", ExpandSetting(Root)));
}

void TDataViewer::SetExpanded(QTreeWidgetItem* Root, bool Expand) {
    Root->setExpanded(Expand);
}

QTreeWidgetItem* TDataViewer::FindNode(QTreeWidgetItem* Root, const void* Item) const {
    for (int I = 0; I < Root->childCount(); ++I)
        if (ItemOf(Root->child(I)) == Item)
            return Root->child(I);
    return nullptr;
}

void TDataViewer::SyncSelection() {
    BeginUpdate();
    ShowSelection();
    EndUpdate();
    FTreeView.setFocus();
}

void TDataViewer::ShowSelection() {
    // The part selected last wins, as in a tree that selects one node.
    QTreeWidgetItem* Shown = FLinksNode;
    const TGearData& D = GearData();
    for (TCustomLink* L : D.SelectedLinks())
        if (QTreeWidgetItem* Node = FindNode(FLinksNode, L))
            Shown = Node;
    for (TJoint* J : D.SelectedJoints()) {
        QTreeWidgetItem* Node = FindNode(FJointsNode, J);
        if (!Node)
            Node = FindNode(FCouplesNode, J);
        if (Node)
            Shown = Node;
    }
    // Unchanged, the tree is not scrolled to the node again, only opened where it is hidden.
    if (FTreeView.currentItem() != Shown || !Shown->isSelected())
        FTreeView.setCurrentItem(Shown);
    else if (Shown->parent() && !Shown->parent()->isExpanded())
        FTreeView.scrollToItem(Shown);
}

bool TDataViewer::IsChild(const QTreeWidgetItem* Node) const {
    return Node && Node->parent();
}

TCustomLink* TDataViewer::LinkOf(const QTreeWidgetItem* Node) const {
    if (!IsChild(Node) || Node->parent() != FLinksNode)
        return nullptr;
    return Find(GearData().Links(), ItemOf(Node));
}

TJoint* TDataViewer::JointOf(const QTreeWidgetItem* Node) const {
    if (!IsChild(Node) || (Node->parent() != FJointsNode && Node->parent() != FCouplesNode))
        return nullptr;
    return Find(GearData().Joints(), ItemOf(Node));
}

TDrive* TDataViewer::DriveOf(const QTreeWidgetItem* Node) const {
    if (!IsChild(Node) || Node->parent() != FDrivesNode)
        return nullptr;
    return Find(GearData().Drives(), ItemOf(Node));
}

TGearPart* TDataViewer::PartOf(const QTreeWidgetItem* Node) const {
    if (TCustomLink* L = LinkOf(Node))
        return L;
    return JointOf(Node);
}
