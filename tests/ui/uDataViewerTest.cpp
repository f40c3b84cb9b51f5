// The mechanism tree as the user meets it: what it lists, the selection both ways, renaming in
// place, the Delete key and the remembered state of its roots.
#include "ui/uDataViewer.h"

#include "gear/GearRig.h"
#include "gear/uGearPrefs.h"
#include "support/QtTestApp.h"
#include "support/ScratchDir.h"

#include <QLineEdit>
#include <QTest>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QWidget>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using TLines = std::vector<std::string>;

// The tree on a shown window beside a line edit that holds the focus at first, wired to the
// mechanism component as the main window wires it. Members are public: table rows act on it.
class DataViewerTest : public ::testing::Test {
public:
    DataViewerTest() {
        auto* Layout = new QVBoxLayout(&Window);
        Layout->addWidget(Tree);
        Layout->addWidget(Other);
        Window.resize(320, 480);
        Window.show();
        QApplication::setActiveWindow(&Window);
        Other->setFocus();
        MakeViewer();
    }
    ~DataViewerTest() override {
        Unwire();
        Viewer.reset();
    }

    void MakeViewer() {
        Viewer = std::make_unique<TDataViewer>(*Tree, *Rig.Gear,
                                               TDataViewer::TActions{[this] { ++Properties; },
                                                                     [this](TDrive& D) {
                                                                         EditedDrives.push_back(&D);
                                                                         return DriveDialogOk;
                                                                     }});
        Rig.G().OnDataChanged = [this](TObject*) { Viewer->Refresh(); };
        Rig.G().OnJointSelected = [this](TObject*) { Viewer->SyncSelection(); };
        Rig.G().OnLinkSelected = [this](TObject*) { Viewer->SyncSelection(); };
        Viewer->Refresh();
    }
    void Unwire() {
        Rig.G().OnDataChanged = nullptr;
        Rig.G().OnJointSelected = nullptr;
        Rig.G().OnLinkSelected = nullptr;
    }

    // Each root, then its children indented by two blanks.
    TLines Contents() const {
        TLines Lines;
        for (int R = 0; R < Tree->topLevelItemCount(); ++R) {
            QTreeWidgetItem* Root = Tree->topLevelItem(R);
            Lines.push_back(Root->text(0).toStdString());
            for (int C = 0; C < Root->childCount(); ++C)
                Lines.push_back("  " + Root->child(C)->text(0).toStdString());
        }
        return Lines;
    }
    QTreeWidgetItem* NodeOf(QTreeWidgetItem* Root, const void* Item) const {
        QTreeWidgetItem* Node = Viewer->FindNode(Root, Item);
        EXPECT_NE(Node, nullptr);
        return Node;
    }
    QTreeWidgetItem* LinkNode(const TCustomLink* L) const { return NodeOf(Viewer->LinksNode(), L); }
    QTreeWidgetItem* JointNode(const TJoint* J) const {
        QTreeWidgetItem* Node = Viewer->FindNode(Viewer->JointsNode(), J);
        return Node ? Node : NodeOf(Viewer->CouplesNode(), J);
    }
    QTreeWidgetItem* DriveNode(const TDrive* D) const { return NodeOf(Viewer->DrivesNode(), D); }

    void Click(QTreeWidgetItem* Node) {
        Tree->scrollToItem(Node);
        QTest::mouseClick(Tree->viewport(), Qt::LeftButton, {},
                          Tree->visualItemRect(Node).center());
    }
    // The press and release of the first click, then the second press as a double click.
    void DoubleClick(QTreeWidgetItem* Node) {
        Click(Node);
        QTest::mouseDClick(Tree->viewport(), Qt::LeftButton, {},
                           Tree->visualItemRect(Node).center());
    }
    // Makes the node current without telling the model, as a stale node may be.
    void PointAt(QTreeWidgetItem* Node) {
        Viewer->BeginUpdate();
        Tree->setCurrentItem(Node);
        Viewer->EndUpdate();
    }
    void PressKey(Qt::Key Key) { QTest::keyClick(Tree, Key); }
    QLineEdit* Editor() const {
        for (QLineEdit* E : Tree->viewport()->findChildren<QLineEdit*>())
            if (E->isVisible())
                return E;
        return nullptr;
    }
    // The crank-rocker A0-A-B-B0 with its drive at A0, as the component's mechanism.
    void CrankRocker() {
        Rig.CrankRocker();
        Rig.Adopt();
    }

    bool AppReady = (QtTestApp(), true);
    TGearRig Rig;
    QWidget Window;
    QTreeWidget* Tree = new QTreeWidget(&Window);
    QLineEdit* Other = new QLineEdit(&Window);
    int Properties = 0;
    std::vector<TDrive*> EditedDrives;
    bool DriveDialogOk = true;
    std::unique_ptr<TDataViewer> Viewer;
};

TEST_F(DataViewerTest, TheTreeIsSetUpAsTheWindowNeedsIt) {
    EXPECT_EQ(Tree->selectionMode(), QAbstractItemView::SingleSelection);
    EXPECT_EQ(Tree->indentation(), 19);
    EXPECT_FALSE(Tree->isSortingEnabled());
    // A click on the selected node or F2 renames; a double click opens the dialog instead.
    EXPECT_EQ(Tree->editTriggers(),
              QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
    Viewer.reset();
    EXPECT_EQ(Tree->topLevelItemCount(), 0); // the widget stays, emptied
    MakeViewer();
    EXPECT_EQ(Tree->topLevelItemCount(), 4);
}

struct TContentStep {
    const char* Name;
    std::function<void(TGearRig&)> Change;
    TLines Expected;
};

TEST_F(DataViewerTest, ListsEveryPartUnderItsRootInNumberOrder) {
    TCheckedBuilder Build(Rig.G());
    TJoint *A = nullptr, *B = nullptr;
    const TContentStep Steps[] = {
        {"new mechanism",
         [](TGearRig& R) { R.Gear->Clear(); },
         {"Glieder", "   1 - \"Gestell\"", "Gelenke", "Koppelpunkte", "Antriebe"}},
        {"a link drawn",
         [&](TGearRig&) {
             A = Build.Joint(10, 10);
             B = Build.Joint(40, 10);
             Build.Link({A, B});
         },
         {"Glieder", "   1 - \"Gestell\"", "   2 - \"Glied\"", "Gelenke", "Koppelpunkte",
          "  ( 1) 1-", "  ( 2) 2-", "Antriebe"}},
        {"its end merged onto a second link",
         [&](TGearRig& R) {
             TJoint* C = Build.Joint(40, 12);
             Build.Link({C, Build.Joint(70, 30)});
             R.G().MergeJoints(C, B);
         },
         {"Glieder", "   1 - \"Gestell\"", "   2 - \"Glied\"", "   3 - \"Glied\"", "Gelenke",
          "  ( 2) 23 ", "Koppelpunkte", "  ( 1) 1-", "  ( 4) 4-", "Antriebe"}},
        {"a slider with a drive",
         [&](TGearRig& R) {
             TLink* Slide = Build.Link({Build.FrameJoint(0, 50), Build.Joint(90, 50)});
             R.G().AddSlidingDrive(Build.Slider(Slide, 30, 50), true);
         },
         {"Glieder", "   1 - \"Gestell\"", "   2 - \"Glied\"", "   3 - \"Glied\"",
          "   4 - \"Glied\"", "   5 - \"Gleitstein\"", "Gelenke", "  ( 2) 23 ", "  ( 3) 14 ",
          "Koppelpunkte", "  ( 1) 1-", "  ( 4) 4-", "  ( 5) 5-", "  ( 7) 7-", "Antriebe",
          "  [Schub] Gleitstein 5 auf 4"}},
        {"joints numbered 9, 10, 11 and 100",
         [&](TGearRig& R) {
             while (R.G().NextFreeJointID() < 13)
                 Build.Joint(5 * R.G().NextFreeJointID(), 80);
             R.G().Joints().Last()->SetID(100);
         },
         {"Glieder",          "   1 - \"Gestell\"", "   2 - \"Glied\"",
          "   3 - \"Glied\"", "   4 - \"Glied\"",   "   5 - \"Gleitstein\"",
          "Gelenke",          "  ( 2) 23 ",         "  ( 3) 14 ",
          "Koppelpunkte",     "  ( 1) 1-",          "  ( 4) 4-",
          "  ( 5) 5-",        "  ( 7) 7-",          "  ( 8) 8-",
          "  ( 9) 9-",        "  (10) 10-",         "  (11) 11-",
          "  (100) 100-",     "Antriebe",           "  [Schub] Gleitstein 5 auf 4"}},
    };
    for (const TContentStep& Step : Steps) {
        SCOPED_TRACE(Step.Name);
        Step.Change(Rig);
        Rig.G().DataChanged();
        EXPECT_EQ(Contents(), Step.Expected);
    }
}

TEST_F(DataViewerTest, SelectionGoesBothWays) {
    CrankRocker();
    Rig.G().DataChanged();
    // A click on the canvas selects the joint's node and gives the tree the focus.
    ASSERT_TRUE(Other->hasFocus());
    Rig.Press(TGearRig::Px(24, 28));
    Rig.Release(TGearRig::Px(24, 28));
    ASSERT_TRUE(Rig.G().SelectedJoints().Contains(Rig.B));
    EXPECT_EQ(Tree->currentItem(), JointNode(Rig.B));
    EXPECT_TRUE(Tree->hasFocus());
    // A click on a node selects its part.
    Click(LinkNode(Rig.Coupler));
    EXPECT_TRUE(Rig.G().SelectedLinks().Contains(Rig.Coupler));
    EXPECT_TRUE(Rig.G().SelectedJoints().Empty());
    EXPECT_EQ(Tree->currentItem(), LinkNode(Rig.Coupler));
    Click(JointNode(Rig.A));
    EXPECT_TRUE(Rig.G().SelectedJoints().Contains(Rig.A));
    EXPECT_EQ(Tree->currentItem(), JointNode(Rig.A));
    // A right click selects as well.
    Tree->scrollToItem(LinkNode(Rig.Rocker));
    QTest::mouseClick(Tree->viewport(), Qt::RightButton, {},
                      Tree->visualItemRect(LinkNode(Rig.Rocker)).center());
    EXPECT_TRUE(Rig.G().SelectedLinks().Contains(Rig.Rocker));
    Click(JointNode(Rig.A));
    // Roots and drives select nothing.
    for (QTreeWidgetItem* Node : {Viewer->CouplesNode(), DriveNode(Rig.Drive)}) {
        Click(Node);
        EXPECT_EQ(Rig.G().SelectedJoints().Count(), 1);
        EXPECT_TRUE(Rig.G().SelectedJoints().Contains(Rig.A));
        EXPECT_TRUE(Rig.G().SelectedLinks().Empty());
    }
    // After the delete command has removed the selection, "Glieder" is the selected node.
    Rig.G().DeleteSelection();
    Viewer->SyncSelection();
    EXPECT_EQ(Tree->currentItem(), Viewer->LinksNode());
    EXPECT_TRUE(Viewer->LinksNode()->isSelected());
}

TEST_F(DataViewerTest, F2RenamesLinksAndJointsByTheirBareIdentifier) {
    CrankRocker();
    Rig.Coupler->SetIdentifier("Koppel");
    Rig.B->SetIdentifier("Knie");
    Rig.G().DataChanged();
    int Changes = 0;
    Rig.G().OnDataChanged = [&](TObject*) {
        ++Changes;
        Viewer->Refresh();
    };
    struct TCase {
        TGearPart* Part;
        QTreeWidgetItem* Node;
        const char* Before;
    };
    const TCase Cases[] = {{Rig.Coupler, LinkNode(Rig.Coupler), "Koppel"},
                           {Rig.B, JointNode(Rig.B), "Knie"},
                           {Rig.A, JointNode(Rig.A), ""}};
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Before);
        Tree->setCurrentItem(C.Node);
        PressKey(Qt::Key_F2);
        QLineEdit* Edit = Editor();
        ASSERT_NE(Edit, nullptr);
        EXPECT_EQ(Edit->text().toStdString(), C.Before);
        Edit->selectAll();
        QTest::keyClicks(Edit, "Neu");
        QTest::keyClick(Edit, Qt::Key_Return);
        QCoreApplication::processEvents(); // the view commits queued
        EXPECT_EQ(C.Part->Identifier(), "Neu");
        EXPECT_EQ(C.Node->text(0).toStdString(), C.Part->GetDisplayText());
    }
    EXPECT_EQ(Changes, 3);
    // Roots and drives refuse the editor.
    for (QTreeWidgetItem* Node : {Viewer->LinksNode(), DriveNode(Rig.Drive)}) {
        Tree->setCurrentItem(Node);
        PressKey(Qt::Key_F2);
        EXPECT_EQ(Editor(), nullptr);
    }
    EXPECT_EQ(Changes, 3);
}

TEST_F(DataViewerTest, DoubleClickOpensTheDialogsInEditMode) {
    CrankRocker();
    Rig.G().DataChanged();
    int Changes = 0;
    Rig.G().OnDataChanged = [&](TObject*) {
        ++Changes;
        Viewer->Refresh();
    };
    Tree->setCurrentItem(LinkNode(Rig.Crank));
    DoubleClick(LinkNode(Rig.Crank));
    EXPECT_EQ(Properties, 1);
    EXPECT_EQ(Editor(), nullptr);
    DoubleClick(JointNode(Rig.B));
    EXPECT_EQ(Properties, 2);
    // The drive dialog's OK tells the model, so the node text follows the changed drive.
    Rig.Drive->SetLink1(Rig.Rocker);
    DoubleClick(DriveNode(Rig.Drive));
    ASSERT_EQ(EditedDrives, std::vector<TDrive*>{Rig.Drive});
    EXPECT_EQ(Changes, 1);
    EXPECT_EQ(DriveNode(Rig.Drive)->text(0).toStdString(), Rig.Drive->GetDisplayText());
    DriveDialogOk = false;
    DoubleClick(DriveNode(Rig.Drive));
    EXPECT_EQ(EditedDrives.size(), 2u);
    EXPECT_EQ(Changes, 1);
    DoubleClick(Viewer->JointsNode());
    EXPECT_EQ(Properties, 2);
    ASSERT_TRUE((Rig.Gear->SetAnimating(true), Rig.Gear->Animating()));
    DoubleClick(LinkNode(Rig.Crank));
    DoubleClick(DriveNode(Rig.Drive));
    EXPECT_EQ(Properties, 2);
    EXPECT_EQ(EditedDrives.size(), 2u);
}

struct TDeleteCase {
    const char* Name;
    std::function<QTreeWidgetItem*(DataViewerTest&)> Arrange; // the node Delete is pressed on
    std::function<void(DataViewerTest&)> Expect;
};

bool Lists(const TLines& Lines, const std::string& Text) {
    return std::find(Lines.begin(), Lines.end(), "  " + Text) != Lines.end();
}

TEST_F(DataViewerTest, DeleteRemovesTheNodesPartInEditMode) {
    std::string Gone; // the text of the node Delete was pressed on
    const auto Remember = [&Gone](QTreeWidgetItem* Node) {
        Gone = Node->text(0).toStdString();
        return Node;
    };
    const TDeleteCase Cases[] = {
        {"link", [&](DataViewerTest& F) { return Remember(F.LinkNode(F.Rig.Coupler)); },
         [&](DataViewerTest& F) {
             EXPECT_EQ(F.Rig.G().Links().Count(), 3);
             EXPECT_FALSE(Lists(F.Contents(), Gone));
         }},
        {"frame",
         [](DataViewerTest& F) {
             F.Rig.G().SelectLink(F.Rig.G().Rack(), false);
             return F.LinkNode(F.Rig.G().Rack());
         },
         [](DataViewerTest& F) {
             EXPECT_EQ(F.Rig.G().Links().Count(), 4);
             EXPECT_FALSE(F.Rig.G().Rack()->Selected());
             EXPECT_TRUE(F.Rig.G().SelectedLinks().Empty());
         }},
        {"joint with a coupler curve",
         [&](DataViewerTest& F) {
             F.Rig.Gear->GetCurve(F.Rig.B);
             return Remember(F.JointNode(F.Rig.B));
         },
         [&](DataViewerTest& F) {
             EXPECT_EQ(F.Rig.Gear->Curves().Count(), 0);
             EXPECT_FALSE(Lists(F.Contents(), Gone));
         }},
        {"drive", [](DataViewerTest& F) { return F.DriveNode(F.Rig.Drive); },
         [](DataViewerTest& F) {
             EXPECT_TRUE(F.Rig.G().Drives().Empty());
             EXPECT_EQ(F.Viewer->DrivesNode()->childCount(), 0);
             const TMMGraphicItemList& Drawn = F.Rig.Surface().GraphicItems();
             for (int I = 0; I < Drawn.Count(); ++I)
                 EXPECT_EQ(dynamic_cast<TDrive*>(Drawn.Items(I)), nullptr);
         }},
        {"animation mode",
         [](DataViewerTest& F) {
             F.Rig.Gear->SetAnimating(true);
             EXPECT_TRUE(F.Rig.Gear->Animating());
             return F.LinkNode(F.Rig.Coupler);
         },
         [](DataViewerTest& F) {
             EXPECT_EQ(F.Rig.G().Links().Count(), 4);
             EXPECT_EQ(F.Rig.G().Joints().Count(), 4);
             EXPECT_EQ(F.Rig.G().Drives().Count(), 1);
         }},
    };
    for (const TDeleteCase& C : Cases) {
        SCOPED_TRACE(C.Name);
        Unwire();
        Viewer.reset();
        Rig.Gear->SetEditing(true);
        Rig.Gear->Clear();
        Rig.D().Clear(true);
        Rig.B0 = nullptr;
        CrankRocker();
        MakeViewer();
        QTreeWidgetItem* Node = C.Arrange(*this);
        Tree->setCurrentItem(Node);
        const int PaintsBefore = Rig.Paints;
        PressKey(Qt::Key_Delete);
        // One repaint at the end: none sees a curve or drive that names a freed part.
        EXPECT_LE(Rig.Paints - PaintsBefore, 1);
        C.Expect(*this);
    }
}

TEST_F(DataViewerTest, ANodeWhosePartLeftDoesNothing) {
    CrankRocker();
    Rig.G().DataChanged();
    QTreeWidgetItem* Node = LinkNode(Rig.Coupler);
    Viewer->BeginUpdate(); // as while a file is opened: the tree is not refreshed
    Rig.G().DeleteLink(Rig.Coupler, true);
    ASSERT_EQ(Rig.G().Links().Count(), 3);
    Tree->setCurrentItem(Node);
    PressKey(Qt::Key_Delete);
    DoubleClick(Node);
    PressKey(Qt::Key_F2);
    EXPECT_EQ(Editor(), nullptr);
    EXPECT_EQ(Properties, 0);
    EXPECT_EQ(Rig.G().Links().Count(), 3);
    EXPECT_EQ(Rig.G().Joints().Count(), 4);
    Viewer->EndUpdate();
    EXPECT_EQ(Viewer->LinksNode()->childCount(), 3);
}

TEST_F(DataViewerTest, RootsRememberWhetherTheyAreOpen) {
    TScratchDir Dir;
    CrankRocker();
    Rig.G().DataChanged();
    TCustomXMLPreferences& Prefs = PreferenceStore();
    EXPECT_TRUE(Viewer->LinksNode()->isExpanded());
    EXPECT_FALSE(Viewer->CouplesNode()->isExpanded());
    Tree->setCurrentItem(Viewer->LinksNode());
    PressKey(Qt::Key_Left);
    EXPECT_FALSE(Viewer->LinksNode()->isExpanded());
    EXPECT_FALSE(Prefs.GetBoolean("Window", "ExpandLinks"));
    Tree->setCurrentItem(Viewer->JointsNode());
    PressKey(Qt::Key_Right);
    EXPECT_TRUE(Prefs.GetBoolean("Window", "ExpandJoints"));
    Rig.G().DeleteLink(Rig.Crank, true);
    Rig.G().DataChanged();
    EXPECT_FALSE(Viewer->LinksNode()->isExpanded());
    EXPECT_TRUE(Viewer->JointsNode()->isExpanded());
    // A root that empties keeps its setting.
    Rig.Gear->Clear();
    EXPECT_EQ(Viewer->JointsNode()->childCount(), 0);
    EXPECT_TRUE(Prefs.GetBoolean("Window", "ExpandJoints"));
    // The next start reads the settings file.
    ASSERT_TRUE(Prefs.SaveToFile(Dir.File("settings.xml")));
    Unwire();
    Viewer.reset();
    TPreferences Restarted;
    Restarted.LoadFromFile(Dir.File("settings.xml"));
    TScopedService<TCustomXMLPreferences> Installed(PreferencesSlot(), Restarted);
    MakeViewer();
    EXPECT_FALSE(Viewer->LinksNode()->isExpanded());
    EXPECT_TRUE(Viewer->JointsNode()->isExpanded());
    EXPECT_FALSE(Viewer->DrivesNode()->isExpanded());
    Unwire();
    Viewer.reset();
}

TEST_F(DataViewerTest, WhileALinkIsDraggedTheTreeStaysAsItWas) {
    CrankRocker();
    Rig.G().DataChanged();
    const TLines Before = Contents();
    Rig.Press(TGearRig::Px(24, 28));
    ASSERT_TRUE(Rig.Gear->LinkMover().Moving());
    Rig.Coupler->SetIdentifier("Koppel");
    Rig.G().DataChanged();
    EXPECT_EQ(Contents(), Before);
    Rig.Release(TGearRig::Px(24, 28));
    Rig.G().DataChanged();
    EXPECT_EQ(LinkNode(Rig.Coupler)->text(0).toStdString(), Rig.Coupler->GetDisplayText());
}

// Every root, then each child, with the highlight: what a user reads off the tree. Whether a root
// is open is left out: showing the selected part opens its root.
TLines Picture(const QTreeWidget& Tree) {
    TLines Lines;
    for (int R = 0; R < Tree.topLevelItemCount(); ++R) {
        QTreeWidgetItem* Root = Tree.topLevelItem(R);
        const std::string Mark = Root == Tree.currentItem() ? " <" : "";
        Lines.push_back(Root->text(0).toStdString() + Mark);
        for (int C = 0; C < Root->childCount(); ++C) {
            QTreeWidgetItem* Node = Root->child(C);
            Lines.push_back("  " + Node->text(0).toStdString() + (Node->isSelected() ? " *" : "") +
                            (Node == Tree.currentItem() ? " <" : ""));
        }
    }
    return Lines;
}

struct TEditCase {
    const char* Name;
    std::function<void(DataViewerTest&)> Edit;
};

// The tree follows each edit only where the edit changed something; what it shows is still what
// a tree built afresh on the same mechanism shows.
TEST_F(DataViewerTest, AfterEachEditTheTreeIsTheOneBuiltAfresh) {
    CrankRocker();
    Rig.G().DataChanged();
    TCheckedBuilder Build(Rig.G());
    std::vector<TJoint*> Many;
    // Past the few nodes that move one by one.
    const auto AddMany = [&](DataViewerTest&) {
        TJoint* Hub = Build.Joint(50, 95);
        for (int I = 0; I < 40; ++I) {
            TJoint* J = Build.Joint(2 * I, 90);
            Build.Link({Hub, J});
            Many.push_back(J);
        }
    };
    const TEditCase Cases[] = {
        {"a link drawn",
         [&](DataViewerTest& F) {
             Build.Link({F.Rig.A, Build.Joint(5, 60)});
         }},
        {"a link renamed", [](DataViewerTest& F) { F.Rig.Coupler->SetIdentifier("Koppel"); }},
        {"a joint renumbered to the end", [](DataViewerTest& F) { F.Rig.A->SetID(50); }},
        {"a joint renumbered to the front", [](DataViewerTest& F) { F.Rig.A->SetID(0); }},
        {"a link renumbered, and its drive with it",
         [](DataViewerTest& F) { F.Rig.G().Links().Items(1)->SetID(60); }},
        {"a link selected", [](DataViewerTest& F) { F.Rig.G().SelectLink(F.Rig.Rocker, false); }},
        {"a joint selected", [](DataViewerTest& F) { F.Rig.G().SelectJoint(F.Rig.B, false); }},
        {"the selection dropped", [](DataViewerTest& F) { F.Rig.G().DeselectJoints(); }},
        {"a joint dragged",
         [](DataViewerTest& F) { F.Rig.Drag(TGearRig::Px(24, 28), TGearRig::Px(26, 30)); }},
        {"a coupler point merged into a joint",
         [&](DataViewerTest& F) {
             TJoint* C = Build.Joint(60, 60);
             Build.Link({C, Build.Joint(80, 70)});
             F.Rig.G().MergeJoints(C, F.Rig.B);
         }},
        {"a joint that becomes a coupler point",
         [](DataViewerTest& F) { F.Rig.G().DeleteLink(F.Rig.Rocker, true); }},
        {"a drive added", [](DataViewerTest& F) { F.Rig.G().AddRotaryDrive(F.Rig.B, true); }},
        {"a drive deleted",
         [](DataViewerTest& F) {
             TDrive* Drive = F.Rig.G().Drives().Last();
             F.Rig.G().RemoveDrive(Drive);
             F.Rig.G().Parts().Remove(Drive);
         }},
        {"many parts drawn", AddMany},
        {"many joints renumbered in reverse",
         [&](DataViewerTest&) {
             for (std::size_t I = 0; I < Many.size(); ++I)
                 Many[I]->SetID(static_cast<int>(500 - I));
         }},
        {"one of many deleted",
         [&](DataViewerTest& F) {
             F.Rig.G().DeleteJoint(Many[20]);
             Many.erase(Many.begin() + 20);
         }},
        {"many deleted",
         [&](DataViewerTest& F) {
             F.Rig.G().SelectJoint(Many.front(), false);
             for (TJoint* J : Many)
                 F.Rig.G().DeleteJoint(J);
             Many.clear();
         }},
        {"a new mechanism", [](DataViewerTest& F) { F.Rig.Gear->Clear(); }},
        {"a mechanism of many parts", AddMany},
    };
    for (const TEditCase& C : Cases) {
        SCOPED_TRACE(C.Name);
        C.Edit(*this);
        Rig.G().DataChanged();
        QTreeWidget Afresh;
        {
            TDataViewer Fresh(Afresh, *Rig.Gear, {});
            Fresh.Refresh();
            EXPECT_EQ(Picture(*Tree), Picture(Afresh));
        }
    }
}

} // namespace
