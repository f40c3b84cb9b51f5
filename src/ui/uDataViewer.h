// The mechanism tree of the main window: one root each for the links, the joints, the coupler
// points and the drives, a child per part. It follows the model, carries the selection both ways,
// remembers which roots are open, and lets the user rename a part in place, open its dialog by
// double click and delete it with the Delete key.
#pragma once

#include "ui/fmMainSeams.h"

#include <QList>

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class QAbstractItemDelegate;
class QObject;
class QTreeWidgetItem;
class TGearData;
class TGearPart;

class TDataViewer : public TGearTreeView {
public:
    // What a double click opens; the main window supplies both.
    struct TActions {
        // The properties command of the selected link or joint.
        std::function<void()> OnProperties;
        // The drive dialog for the drive; true when it was left with OK.
        std::function<bool(TDrive&)> EditDrive;
    };

    // The tree stays its window's: the viewer only fills it and empties it again when it goes.
    TDataViewer(QTreeWidget& TreeView, TGear& Gear, TActions Actions);
    ~TDataViewer() override;
    TDataViewer(const TDataViewer&) = delete;
    TDataViewer& operator=(const TDataViewer&) = delete;

    void BeginUpdate() override;
    void EndUpdate() override;
    // Skipped while updating or while a link is dragged: the tree catches up at the next change.
    void Refresh() override;
    void SyncSelection() override;

    // Brings the nodes of the parts that changed up to date, and sorts a root only when one of
    // its nodes came or changed its text.
    void RefreshNodes();
    // The child of Root that shows Item (a part or a drive); nil when there is none.
    QTreeWidgetItem* FindNode(QTreeWidgetItem* Root, const void* Item) const;
    bool HasNode(QTreeWidgetItem* Root, const void* Item) const {
        return FindNode(Root, Item) != nullptr;
    }
    // The root alone; its children keep their own state.
    void SetExpanded(QTreeWidgetItem* Root, bool Expand);

    QTreeWidgetItem* LinksNode() const { return FLinksNode; }
    QTreeWidgetItem* JointsNode() const { return FJointsNode; }
    QTreeWidgetItem* CouplesNode() const { return FCouplesNode; }
    QTreeWidgetItem* DrivesNode() const { return FDrivesNode; }
    bool Updating() const { return FUpdating; }

    // What a child node shows, looked up in the model: nil for roots and for parts that left it.
    TCustomLink* LinkOf(const QTreeWidgetItem* Node) const;
    TJoint* JointOf(const QTreeWidgetItem* Node) const;
    TDrive* DriveOf(const QTreeWidgetItem* Node) const;
    // The link or joint a node shows, the parts that can be renamed.
    TGearPart* PartOf(const QTreeWidgetItem* Node) const;

    // The in-place editor's text and its commit (uDataViewerEdit.cpp).
    std::string IdentifierOf(const QTreeWidgetItem* Node) const;
    void Rename(QTreeWidgetItem* Node, const std::string& Identifier);

private:
    class TEventFilter;
    class TRenameDelegate;

    TGearData& GearData() const;
    // A part's or drive's node, and what the tree knew of it at the last refresh.
    struct TNode {
        QTreeWidgetItem* Node = nullptr;
        QTreeWidgetItem* Root = nullptr;
        std::string Text;
        unsigned Pass = 0; // the refresh that met the item last
    };
    // What a refresh does to a root once it has met every item.
    struct TRootChanges {
        QList<QTreeWidgetItem*> Added;
        bool Reorder = false;
    };

    QTreeWidgetItem* AddRoot(const char* Text);
    // Makes a node for the item under Root (added with the root's other new nodes at the end of
    // the refresh) or brings its text up to date.
    void ShowItem(QTreeWidgetItem* Root, const void* Item, const std::string& Text);
    // Frees the node of an item that moves to another root.
    void TakeNode(const TNode& N);
    // Frees the nodes of the items that the refresh did not meet.
    void RemoveStaleNodes();
    void SortChildren(QTreeWidgetItem* Root);
    // Root's children become Wanted, in that order (a subset of them): the others are freed.
    void PlaceChildren(QTreeWidgetItem* Root, const std::vector<QTreeWidgetItem*>& Wanted);
    // The indices into Wanted of the children that must move to bring them into that order.
    static std::vector<std::size_t> NodesToMove(QTreeWidgetItem* Root,
                                                const std::vector<QTreeWidgetItem*>& Wanted);
    // The node of the model's selection becomes current, or "Glieder", which names no part.
    void ShowSelection();
    void ExpandFromSettings();
    const char* ExpandSetting(const QTreeWidgetItem* Root) const;
    bool IsChild(const QTreeWidgetItem* Node) const;

    // The tree's events (uDataViewerEdit.cpp).
    void BindEvents();
    void UnbindEvents();
    void TreeChange(QTreeWidgetItem* Node);
    void TreeDblClick();
    void TreeExpandedOrCollapsed(QTreeWidgetItem* Node, bool Expanded);
    void TreeDeleteKey();

    QTreeWidget& FTreeView;
    TGear& FGear;
    TActions FActions;
    QTreeWidgetItem* FJointsNode = nullptr;
    QTreeWidgetItem* FLinksNode = nullptr;
    QTreeWidgetItem* FDrivesNode = nullptr;
    QTreeWidgetItem* FCouplesNode = nullptr;
    bool FUpdating = false;
    std::unordered_map<const void*, TNode> FNodes;
    std::unordered_map<const QTreeWidgetItem*, TRootChanges> FChanges;
    unsigned FPass = 0;
    // Receives the tree's signals and keys; freeing it ends every connection.
    std::unique_ptr<QObject> FEvents;
    std::unique_ptr<QAbstractItemDelegate> FDelegate;
    QAbstractItemDelegate* FOldDelegate = nullptr;
};
