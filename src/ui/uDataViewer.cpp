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
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

namespace {

constexpr int ItemRole = Qt::UserRole;
// Up to this many nodes leave or move one by one.
constexpr std::size_t FewNodes = 32;

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

void TDataViewer::RefreshNodes() {
    // What the tree does to itself here is no choice of the user's.
    const bool WasUpdating = std::exchange(FUpdating, true);
    ++FPass;
    const TGearData& D = GearData();
    for (TCustomLink* L : D.Links())
        ShowItem(FLinksNode, L, L->GetDisplayText());
    for (TJoint* J : D.Joints())
        if (!J->IsVirtual())
            ShowItem(J->Links().Count() >= 2 ? FJointsNode : FCouplesNode, J, J->GetDisplayText());
    // Drive texts follow their links' numbers like every other node.
    for (TDrive* Dr : D.Drives())
        ShowItem(FDrivesNode, Dr, Dr->GetDisplayText());
    RemoveStaleNodes();
    for (QTreeWidgetItem* Root : {FLinksNode, FJointsNode, FCouplesNode, FDrivesNode}) {
        TRootChanges& Changes = FChanges[Root];
        if (!Changes.Added.empty())
            Root->addChildren(std::exchange(Changes.Added, {}));
        if (std::exchange(Changes.Reorder, false))
            SortChildren(Root);
    }
    ExpandFromSettings();
    // A merge or a change of mode may have dropped the selection without telling the tree.
    ShowSelection();
    FUpdating = WasUpdating;
}

void TDataViewer::ShowItem(QTreeWidgetItem* Root, const void* Item, const std::string& Text) {
    auto [It, New] = FNodes.try_emplace(Item);
    TNode& N = It->second;
    N.Pass = FPass;
    if (!New && N.Root == Root) {
        if (N.Text != Text) {
            N.Text = Text;
            N.Node->setText(0, QString::fromStdString(Text));
            FChanges[Root].Reorder = true;
        }
        return;
    }
    if (!New) // a joint that became a coupler point, or the other way round
        TakeNode(N);
    N.Root = Root;
    N.Text = Text;
    N.Node = new QTreeWidgetItem(QStringList(QString::fromStdString(Text)));
    N.Node->setData(0, ItemRole, QVariant::fromValue(reinterpret_cast<quintptr>(Item)));
    if (Root != FDrivesNode)
        N.Node->setFlags(N.Node->flags() | Qt::ItemIsEditable);
    FChanges[Root].Added.append(N.Node);
    FChanges[Root].Reorder = true;
}

void TDataViewer::TakeNode(const TNode& N) {
    QTreeWidgetItem* Root = N.Node->parent();
    if (Root)
        Root->removeChild(N.Node);
    else
        FChanges[N.Root].Added.removeOne(N.Node);
    delete N.Node;
}

void TDataViewer::RemoveStaleNodes() {
    std::unordered_set<const QTreeWidgetItem*> Stale;
    for (auto It = FNodes.begin(); It != FNodes.end();) {
        if (It->second.Pass == FPass) {
            ++It;
            continue;
        }
        Stale.insert(It->second.Node);
        It = FNodes.erase(It);
    }
    if (Stale.empty())
        return;
    for (QTreeWidgetItem* Root : {FLinksNode, FJointsNode, FCouplesNode, FDrivesNode}) {
        std::vector<QTreeWidgetItem*> Kept;
        for (int I = 0; I < Root->childCount(); ++I)
            if (!Stale.count(Root->child(I)))
                Kept.push_back(Root->child(I));
        if (static_cast<int>(Kept.size()) != Root->childCount())
            PlaceChildren(Root, Kept);
    }
    FTreeView.viewport()->repaint();
}

void TDataViewer::SortChildren(QTreeWidgetItem* Root) {
    struct TKey {
        std::optional<qulonglong> Number;
        QString Text;
        QTreeWidgetItem* Node;
    };
    std::vector<TKey> Keys;
    Keys.reserve(static_cast<std::size_t>(Root->childCount()));
    for (int I = 0; I < Root->childCount(); ++I) {
        QString Text = Root->child(I)->text(0);
        Keys.push_back({LeadingNumber(Text), std::move(Text), Root->child(I)});
    }
    QCollator Collator;
    Collator.setCaseSensitivity(Qt::CaseSensitive);
    // By the leading number as a number (100 after 99, not before 11), else by the locale's
    // case-sensitive order.
    std::stable_sort(Keys.begin(), Keys.end(), [&Collator](const TKey& A, const TKey& B) {
        if (A.Number && B.Number && *A.Number != *B.Number)
            return *A.Number < *B.Number;
        return Collator.compare(A.Text, B.Text) < 0;
    });
    std::vector<QTreeWidgetItem*> Sorted;
    Sorted.reserve(Keys.size());
    for (const TKey& K : Keys)
        Sorted.push_back(K.Node);
    PlaceChildren(Root, Sorted);
}

void TDataViewer::PlaceChildren(QTreeWidgetItem* Root,
                                const std::vector<QTreeWidgetItem*>& Wanted) {
    const std::unordered_set<const QTreeWidgetItem*> Keep(Wanted.begin(), Wanted.end());
    const std::size_t Leaving = static_cast<std::size_t>(Root->childCount()) - Wanted.size();
    QTreeWidgetItem* Current = FTreeView.currentItem();
    const bool WasUpdating = std::exchange(FUpdating, true);
    if (Leaving <= FewNodes)
        for (int I = Root->childCount() - 1; I >= 0; --I)
            if (!Keep.count(Root->child(I)))
                delete Root->child(I);
    std::vector<std::size_t> Moving;
    if (Leaving <= FewNodes)
        Moving = NodesToMove(Root, Wanted);
    if (Leaving > FewNodes || Moving.size() > FewNodes) {
        // One by one, many nodes would cost the tree a pass over all of its nodes each.
        for (QTreeWidgetItem* Node : Root->takeChildren())
            if (!Keep.count(Node))
                delete Node;
        Root->addChildren(QList<QTreeWidgetItem*>(Wanted.begin(), Wanted.end()));
    } else {
        // Only misplaced nodes move, each behind the one it follows.
        for (std::size_t K : Moving) {
            QTreeWidgetItem* Node = Root->takeChild(Root->indexOfChild(Wanted[K]));
            Root->insertChild(K == 0 ? 0 : Root->indexOfChild(Wanted[K - 1]) + 1, Node);
        }
    }
    // The current node stays current.
    if (Current && Keep.count(Current) && FTreeView.currentItem() != Current)
        FTreeView.setCurrentItem(Current);
    FUpdating = WasUpdating;
}

std::vector<std::size_t> TDataViewer::NodesToMove(QTreeWidgetItem* Root,
                                                  const std::vector<QTreeWidgetItem*>& Wanted) {
    // The nodes off a longest run that is already in order, in the wanted order.
    std::unordered_map<const QTreeWidgetItem*, int> Now;
    for (int I = 0; I < Root->childCount(); ++I)
        Now.emplace(Root->child(I), I);
    std::vector<std::size_t> Tails, Before(Wanted.size());
    auto NowOf = [&](std::size_t K) { return Now.at(Wanted[K]); };
    for (std::size_t K = 0; K < Wanted.size(); ++K) {
        const auto At = std::lower_bound(Tails.begin(), Tails.end(), NowOf(K),
                                         [&](std::size_t T, int V) { return NowOf(T) < V; });
        Before[K] = At == Tails.begin() ? Wanted.size() : *(At - 1);
        if (At == Tails.end())
            Tails.push_back(K);
        else
            *At = K;
    }
    std::vector<bool> Stays(Wanted.size(), false);
    for (std::size_t K = Tails.empty() ? Wanted.size() : Tails.back(); K < Wanted.size();
         K = Before[K])
        Stays[K] = true;
    std::vector<std::size_t> Moving;
    for (std::size_t K = 0; K < Wanted.size(); ++K)
        if (!Stays[K])
            Moving.push_back(K);
    return Moving;
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
    const auto It = FNodes.find(Item);
    if (It == FNodes.end() || It->second.Node->parent() != Root)
        return nullptr;
    return It->second.Node;
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
