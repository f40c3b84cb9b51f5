// What the main window's commands do to the mechanism, its view and its animation.
#include "MainWindowRig.h"
#include "gear/uGearUtils.h"
#include "gear/uPartCreator.h"

#include <QScrollBar>
#include <QTest>

#include <functional>
#include <stdexcept>

namespace {

// The tree as the window drives it: counts what it is told, and fails on request.
struct TTreeLog {
    int Refreshes = 0;
    int Syncs = 0;
    int Updating = 0;
    bool FailRefresh = false;
};

class TRecordingTree : public TGearTreeView {
public:
    explicit TRecordingTree(TTreeLog& Log) : FLog(Log) {}
    void BeginUpdate() override { ++FLog.Updating; }
    void EndUpdate() override { --FLog.Updating; }
    void Refresh() override {
        ++FLog.Refreshes;
        if (FLog.FailRefresh)
            throw std::runtime_error("tree broken");
    }
    void SyncSelection() override { ++FLog.Syncs; }

private:
    TTreeLog& FLog;
};

class TRecordingPrinter : public TViewPrinter {
public:
    explicit TRecordingPrinter(std::vector<std::string>& Log) : FLog(Log) {}
    void Print(const std::string& Title, int PrintView) override {
        FLog.push_back(Title + " " + std::to_string(PrintView));
        if (PrintView == 2)
            throw std::runtime_error("Kein Papier");
    }

private:
    std::vector<std::string>& FLog;
};

// The window with a recording tree and printer.
class FormMainCommands : public TMainWindowTest {
protected:
    FormMainCommands() {
        Seams.MakeDataViewer = [this](QTreeWidget&, TGear&, TFormMain&) {
            return std::make_unique<TRecordingTree>(Tree);
        };
        Seams.MakePrinter = [this](TMMSurface&, TGearData&) {
            return std::make_unique<TRecordingPrinter>(Printed);
        };
        Reopen();
        Tree = {};
    }

    TMMSurface& Surface() const { return Form->MMSurface1(); }
    TPoint PixelOf(double X, double Y) const { return Surface().MMToPixel(MMPoint(X, Y), true); }
    void Click(double X, double Y) const {
        const TPoint P = PixelOf(X, Y);
        Gear().PartCreator().MouseDown(P.X, P.Y);
    }

    TTreeLog Tree;
    std::vector<std::string> Printed;
};

TEST_F(FormMainCommands, SeperateSplitsAJointsFirstAndLastLinkOrTwoSelectedLinks) {
    TJoint* J = Build->Joint(0, 0);
    TLink* L1 = Build->Link({J, Build->Joint(10, 0)});
    TLink* L2 = Build->Link({J, Build->Joint(0, 10)});
    TLink* L3 = Build->Link({J, Build->Joint(-10, 0)});
    Changed();
    Select(J);
    Tree = {};
    Run("aSeperate");
    EXPECT_EQ(J->Links().Count(), 2);
    EXPECT_TRUE(J->Links().Contains(L1));
    EXPECT_TRUE(J->Links().Contains(L2));
    EXPECT_FALSE(L3->Joints().Contains(J));
    EXPECT_GE(Tree.Refreshes, 1);

    // Two selected links are separated, whichever joint they share.
    Model().SelectLink(L2, false);
    Model().SelectLink(L1, true);
    Force("aSeperate");
    EXPECT_EQ(J->Links().Count(), 1);
    EXPECT_TRUE(Model().SelectedLinks().Empty());
}

TEST_F(FormMainCommands, SecondMotionPointMirrorsTheJointAndKeepsCouplerPointsOnTheirLinks) {
    const TCrankRocker M = CrankRocker();
    TJoint* P = Build->Joint(30, 50); // a coupler point of the coupler only
    M.Coupler->AddJoint(P);
    Changed();
    const TMMPoint Local = M.Coupler->GlobalToLocal(P->Position());
    TMMPoint Expected = M.C->Position();
    SecondAssemblyPosition(*M.C, Expected);
    Select(M.C);
    ASSERT_TRUE(Action("a2ndMotionPoint")->isEnabled());
    Run("a2ndMotionPoint");
    ExpectAt(M.C, Expected.X, Expected.Y);
    const TMMPoint Now = M.Coupler->GlobalToLocal(P->Position());
    EXPECT_NEAR(Now.X, Local.X, 1e-9);
    EXPECT_NEAR(Now.Y, Local.Y, 1e-9);
    EXPECT_TRUE(Platform.Scripted().Asked.empty());
}

TEST_F(FormMainCommands, SecondMotionPointAnsweredNoLeavesSharedCouplerPointsAlone) {
    const TCrankRocker M = CrankRocker();
    TJoint* P = Build->Joint(30, 50);
    M.Coupler->AddJoint(P);
    Build->Link({P, Build->Joint(30, 80)}); // P drives a further link
    Changed();
    Select(M.C);
    Platform.Scripted().Answers = {TModalResult::mrNo, TModalResult::mrYes};
    Run("a2ndMotionPoint");
    ASSERT_EQ(Platform.Scripted().Asked.size(), 1u);
    EXPECT_EQ(Platform.Scripted().Asked[0].Text,
              "Steuerpunkte Q=A, K() oder S() für nachgeschaltete DGB behalten ihre "
              "Absolutkoordinaten.\n\nBewegungsbereich ändern?");
    ExpectAt(M.C, 60, 40);
    ExpectAt(P, 30, 50);
    // Yes: the joint moves, the shared point keeps its absolute place.
    Run("a2ndMotionPoint");
    EXPECT_NE(M.C->Position(), MMPoint(60, 40));
    ExpectAt(P, 30, 50);
}

TEST_F(FormMainCommands, ZoomFitNeedsALinkAndFitsEveryCachedPositionWhenAnimated) {
    const TMMRect Start = Surface().ViewRect();
    Run("aZoomFit");
    EXPECT_EQ(Surface().ViewRect(), Start);

    const TCrankRocker M = CrankRocker();
    Run("aZoomFit");
    EXPECT_NE(Surface().ViewRect(), Start);
    Run("aAnimate");
    ASSERT_TRUE(Gear().GearCache().Filled());
    ExpectAt(M.B, 0, 20);
    Run("aZoomFit");
    // The crank swings down to y = -20 in positions not shown now.
    EXPECT_LE(Surface().YMin(), -20);
    EXPECT_GE(Surface().YMax(), 40);
}

TEST_F(FormMainCommands, AnimStopAlwaysShowsTheFirstPosition) {
    const TCrankRocker M = CrankRocker();
    Gear().Animator().SetJumpToFirstIfStoppped(false);
    Run("aAnimate");
    Run("aAnimStart");
    Gear().Animator().Next();
    Gear().Animator().Next();
    ASSERT_NE(M.B->Position(), MMPoint(0, 20));
    Run("aAnimStop");
    EXPECT_EQ(Gear().Animator().ActualGearPosition(), 0);
    ExpectAt(M.B, 0, 20);
    EXPECT_FALSE(Gear().Animator().IsPlaying());
}

TEST_F(FormMainCommands, RotaryDriveFallsBackToTheSelectedJoint) {
    const TCrankRocker M = CrankRocker();
    // A coupler gives no drive; the joint the user selects after it takes the selection over.
    Select(M.Coupler);
    Select(M.D);
    Force("aAddRotDrive");
    ASSERT_EQ(Model().Drives().Count(), 2);
    EXPECT_EQ(Model().Drives().Last()->Joint(), M.D);
    EXPECT_EQ(DriveDialogs, 1);
}

TEST_F(FormMainCommands, CancelledDriveDialogLeavesNoDrive) {
    const TCrankRocker M = CrankRocker();
    TSlider* S = Build->Slider(Build->Link({Build->Joint(0, 80), Build->Joint(100, 80)}), 50, 80);
    Changed();
    DriveDialogAnswer = false;
    const int Items = Surface().GraphicItems().Count();
    for (TCustomLink* Link : {static_cast<TCustomLink*>(M.Rocker), static_cast<TCustomLink*>(S)}) {
        Select(Link);
        Run(Link == S ? "aAddSlideDrive" : "aAddRotDrive");
        EXPECT_EQ(Model().Drives().Count(), 1);
        EXPECT_EQ(Surface().GraphicItems().Count(), Items);
    }
    EXPECT_EQ(DriveDialogs, 2);
    // OK keeps it.
    DriveDialogAnswer = true;
    Run("aAddSlideDrive");
    EXPECT_EQ(Model().Drives().Count(), 2);
}

TEST_F(FormMainCommands, PrintAsksForTheViewAndReportsFailures) {
    const TCrankRocker M = CrankRocker();
    Select(M.B);
    std::optional<int> View;
    Seams.AskPrintView = [&View] { return View; };
    Tree = {};
    Run("aPrint");
    EXPECT_TRUE(Printed.empty());
    EXPECT_TRUE(Model().SelectedJoints().Empty());
    EXPECT_EQ(Tree.Refreshes, 1);

    View = 1;
    Run("aPrint");
    EXPECT_EQ(Printed, std::vector<std::string>{"Unbenannt1.kxw 1"});
    View = 2;
    Run("aPrint");
    ASSERT_EQ(Platform.Scripted().Asked.size(), 1u);
    EXPECT_EQ(Platform.Scripted().Asked[0].Text,
              "Das Getriebe konnte nicht gedruckt werden.\rFehler: Kein Papier");
    EXPECT_EQ(Platform.Scripted().Asked[0].Type, TMsgDlgType::mtError);
    EXPECT_EQ(Platform.Scripted().Asked[0].Buttons, unsigned{mbOK});
}

TEST_F(FormMainCommands, AddJointPlacesTheCouplerPointByTheLinkAndTellsTheModel) {
    TLink* Bar = Build->Link({Build->Joint(0, 0), Build->Joint(40, 0)});
    Changed();
    Select(Bar);
    Tree = {};
    Run("aAddJoint");
    ASSERT_EQ(Bar->Joints().Count(), 3);
    ExpectAt(Bar->Joints().Last(), 20, 10);
    EXPECT_TRUE(Model().Joints().Contains(Bar->Joints().Last()));
    EXPECT_EQ(Tree.Refreshes, 1);

    TSlider* S = Build->Slider(Bar, 20, 0);
    Changed();
    for (TCustomLink* Link :
         {static_cast<TCustomLink*>(Model().Rack()), static_cast<TCustomLink*>(S)}) {
        Select(Link);
        const int Before = Link->Joints().Count();
        const TMMPoint Expected = Link->LocalToGlobal(MMPoint(50, 50));
        Run("aAddJoint");
        ASSERT_EQ(Link->Joints().Count(), Before + 1);
        ExpectAt(Link->Joints().Last(), Expected.X, Expected.Y);
    }
    // The bar now carries the slider: no point is added to it, even when asked directly.
    Select(Bar);
    EXPECT_FALSE(Action("aAddJoint")->isEnabled());
    const int Joints = Model().Joints().Count();
    Force("aAddJoint");
    EXPECT_EQ(Model().Joints().Count(), Joints);
}

TEST_F(FormMainCommands, CreateCommandsAndModeSwitchesDiscardAHalfDrawnPart) {
    CrankRocker();
    const int Parts = Model().Parts().Count();
    Run("aCreateLink");
    Click(100, 100);
    ASSERT_GT(Model().Parts().Count(), Parts);
    Run("aCreateLink");
    EXPECT_EQ(Model().Parts().Count(), Parts);
    EXPECT_TRUE(Gear().PartCreator().IsCreating());
    EXPECT_TRUE(Action("aCreateLink")->isChecked());

    Click(100, 100);
    Run("aAnimate");
    EXPECT_EQ(Model().Parts().Count(), Parts);
    EXPECT_FALSE(Gear().PartCreator().IsCreating());
    Run("aEdit");
    Run("aCreateSlider");
    Run("aEdit");
    EXPECT_FALSE(Gear().PartCreator().IsCreating());
}

TEST_F(FormMainCommands, PropertiesEditTheSelectionOnlyInEditMode) {
    const TCrankRocker M = CrankRocker();
    Select(M.Coupler);
    const TPoint OnCoupler = PixelOf(30, 30);
    QTest::mouseDClick(Form->DrawArea(), Qt::LeftButton, {}, QPoint(OnCoupler.X, OnCoupler.Y));
    EXPECT_EQ(Edited, std::vector<std::string>{"link " + M.Coupler->GetDisplayText()});
    Edited.clear();
    Select(M.B);
    Form->aPropertiesExecute();
    EXPECT_EQ(Edited, std::vector<std::string>{"joint " + M.B->GetDisplayText()});
    Run("aAnimate");
    ASSERT_TRUE(Gear().Animating());
    // The tree still selects while animating.
    Select(M.B);
    Form->aPropertiesExecute();
    EXPECT_EQ(Edited.size(), 1u);
}

TEST_F(FormMainCommands, AFailingCommandLeavesTheViewLive) {
    const TCrankRocker M = CrankRocker();
    QToolButton* DeleteButton = nullptr;
    for (QToolButton* B : RightButtons())
        if (B->defaultAction() == Action("aDelete"))
            DeleteButton = B;
    ASSERT_NE(DeleteButton, nullptr);
    Tree.FailRefresh = true;
    TCaughtExceptions Caught;
    // The real action and the real button, again and again: the error reaches the report at the
    // boundary, and what Qt set up for the click is cleaned up each time.
    const struct {
        TLink* Link;
        std::function<void()> Command;
    } Cases[] = {
        {M.Coupler, [&] { Run("aDelete"); }},
        {M.Crank, [&] { QTest::mouseClick(DeleteButton, Qt::LeftButton); }},
        {M.Rocker, [&] { Run("aDelete"); }},
    };
    for (const auto& C : Cases) {
        Select(C.Link);
        ASSERT_TRUE(DeleteButton->isEnabled());
        C.Command();
        EXPECT_FALSE(Surface().IsUpdating());
        EXPECT_FALSE(Model().Links().Contains(C.Link));
    }
    EXPECT_EQ(Caught.Messages, std::vector<std::string>(3, "tree broken"));
}

TEST_F(FormMainCommands, ScrollBarsPanByTheirMove) {
    const TMMRect Start = Surface().ViewRect();
    const double MMPerPixel = 1 / Surface().ScaleX();
    Form->HorzScrollBar()->setValue(1010);
    EXPECT_NEAR(Surface().XMin() - Start.Left, 10 * MMPerPixel, 1e-6 * MMPerPixel);
    Form->VertScrollBar()->setValue(990);
    Form->HorzScrollBar()->setValue(1000);
    EXPECT_NEAR(Surface().XMin(), Start.Left, 1e-9);
    EXPECT_NE(Surface().YMin(), Start.Bottom);
    Form->VertScrollBar()->setValue(1000);
    EXPECT_NEAR(Surface().YMin(), Start.Bottom, 1e-9);
}

TEST_F(FormMainCommands, ZoomAndCentreWorkAboutTheViewsMiddleAndTheMouse) {
    const double Width = Surface().GetMMWidth();
    const TMMPoint Middle = Surface().PixelToMM(Surface().GetCenterPixel(), true);
    Run("aZoomIn");
    EXPECT_NEAR(Surface().GetMMWidth(), Width / 1.25, 1e-6 * Width);
    Run("aZoomOut");
    EXPECT_NEAR(Surface().GetMMWidth(), Width, 1e-6 * Width);
    const TMMPoint Still = Surface().PixelToMM(Surface().GetCenterPixel(), true);
    EXPECT_NEAR(Still.X, Middle.X, 0.01 * Width);
    EXPECT_NEAR(Still.Y, Middle.Y, 0.01 * Width);

    // Centred where the mouse last was over the canvas.
    const TPoint Mouse{20, 30};
    QTest::mouseMove(Form->DrawArea(), QPoint(Mouse.X, Mouse.Y));
    ASSERT_EQ(Gear().MousePos(), Mouse);
    const TMMPoint Target = Surface().PixelToMM(Mouse, true);
    Run("aCenterView");
    const TMMPoint Centre = Surface().PixelToMM(Surface().GetCenterPixel(), true);
    EXPECT_NEAR(Centre.X, Target.X, 0.01 * Width);
    EXPECT_NEAR(Centre.Y, Target.Y, 0.01 * Width);
}

TEST_F(FormMainCommands, DeleteTakesLinksBeforeJointsAndTheirCurvesWithThem) {
    const TCrankRocker M = CrankRocker();
    TJoint* P = Build->Joint(30, 50);
    M.Coupler->AddJoint(P);
    Changed();
    Select(M.Coupler);
    Run("aLinkCurves");
    EXPECT_TRUE(Gear().Curves().HasCurve(P));
    Run("aRemoveLinkCurves");
    EXPECT_FALSE(Gear().Curves().HasCurve(P));
    Run("aLinkCurves");
    Tree = {};
    Run("aDelete");
    EXPECT_FALSE(Model().Links().Contains(M.Coupler));
    EXPECT_EQ(Gear().Curves().FindByJoint(P), nullptr);
    EXPECT_EQ(Tree.Syncs, 1);
    EXPECT_GE(Tree.Refreshes, 1);
    Select(M.B);
    Run("aDelete");
    EXPECT_FALSE(Model().Joints().Contains(M.B));
}

TEST_F(FormMainCommands, OriginMovesIntoTheSelectedFrameJoint) {
    const TCrankRocker M = CrankRocker();
    Select(M.D);
    Run("aOriginInJoint");
    ExpectAt(M.D, 0, 0);
    ExpectAt(M.A, -60, 0);
}

// Joints that would leave the bounds of a mechanism, which a file could not hold, keep the origin.
TEST_F(FormMainCommands, TheOriginStaysWhereJointsWouldLeaveTheBounds) {
    const TCrankRocker M = CrankRocker();
    M.D->SetX(6e8);
    M.A->SetX(-6e8);
    Select(M.D);
    Run("aOriginInJoint");
    ExpectAt(M.D, 6e8, 0);
    ExpectAt(M.A, -6e8, 0);
    ASSERT_EQ(Platform.Scripted().Asked.size(), 1u);
    EXPECT_EQ(Platform.Scripted().Asked[0].Text,
              "Der Ursprung kann nicht in dieses Gelenk gelegt werden: andere Gelenke lägen dann "
              "außerhalb des zulässigen Bereichs.");
}

TEST_F(FormMainCommands, ToggleCanMoveSwitchesDragging) {
    ASSERT_TRUE(Gear().CanMoveItems());
    Run("aToggleCanMove");
    EXPECT_FALSE(Gear().CanMoveItems());
    EXPECT_FALSE(Action("aToggleCanMove")->isChecked());
    Run("aToggleCanMove");
    EXPECT_TRUE(Gear().CanMoveItems());
    EXPECT_TRUE(Action("aToggleCanMove")->isChecked());
}

TEST_F(FormMainCommands, OtherWindowsOpenThroughTheirSeams) {
    std::vector<std::string> Shown;
    Seams.ShowOptions = [&Shown] { Shown.push_back("options"); };
    Seams.ShowAbout = [&Shown] { Shown.push_back("about"); };
    Seams.ShowGearDescription = [&Shown] { Shown.push_back("description"); };
    Seams.PrinterSetup = [&Shown] { Shown.push_back("printer"); };
    const TCrankRocker M = CrankRocker();
    Seams.ShowTransferFunctions = [&] {
        Shown.push_back("functions");
        EXPECT_FALSE(Gear().Animator().IsPlaying());
        Gear().GearCache().ApplyPosition(5);
    };
    Run("aOptions");
    Run("aAbout");
    Run("aShowGearDescription");
    Form->findChild<QAction*>(QStringLiteral("Druckereinrichten1"))->trigger();
    Run("aAnimate");
    Run("aAnimStart");
    Run("aShowFunc");
    EXPECT_EQ(Shown, (std::vector<std::string>{"options", "about", "description", "printer",
                                               "functions"}));
    ExpectAt(M.B, 0, 20);
}

} // namespace
