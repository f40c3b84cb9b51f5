// The main window's status bar, caption, merge question and the handling of finished parts.
#include "MainWindowRig.h"
#include "gear/uPartCreator.h"
#include "platform/FormatNumber.h"

#include <QMouseEvent>

#include <functional>
#include <regex>

namespace {

class FormMainStatus : public TMainWindowTest {
protected:
    TPoint PixelOf(const TJoint* J) const {
        return Form->MMSurface1().MMToPixel(J->Position(), true);
    }
    void MouseAt(TPoint P) const { Gear().OnMouseMove(&Gear(), TShiftState(), P.X, P.Y, 0, 0); }
    // Whether the window lets Joint1 be merged into Joint2 when dropped with Shift held.
    bool Accepts(TJoint* Joint1, TJoint* Joint2, TShiftState Shift = {}) const {
        bool Accept = true;
        Gear().OnAcceptJointConnection(&Gear(), TMouseButton::mbLeft, Shift, 0, 0, 0, 0, Joint1,
                                       Joint2, Accept);
        return Accept;
    }
    Qt::CursorShape CanvasCursor() const { return Form->DrawArea()->cursor().shape(); }

    TSeparatorGuard Comma{','};
};

TEST_F(FormMainStatus, PanelsShowMousePositionSelectionAndPartUnderTheMouseInGermanNumbers) {
    const TCrankRocker M = CrankRocker();
    const std::regex WorldForm("x=-?\\d+,\\d{3} mm  y=-?\\d+,\\d{3} mm");

    // A joint lies on two links: the joint is named.
    MouseAt(PixelOf(M.B));
    EXPECT_TRUE(std::regex_match(Panel(1), WorldForm)) << Panel(1);
    EXPECT_EQ(Panel(2), "");
    EXPECT_EQ(Panel(3), "Gelenk: " + M.B->GetDisplayText());
    // Half way along the coupler only the link is near.
    const TPoint Mid = Form->MMSurface1().MMToPixel(MMPoint(30, 30), true);
    MouseAt(Mid);
    EXPECT_EQ(Panel(3), "Glied: " + M.Coupler->GetDisplayText());
    MouseAt(Form->MMSurface1().MMToPixel(MMPoint(-40, 80), true));
    EXPECT_EQ(Panel(3), "");

    // One selected joint: its coordinates.
    Select(M.B);
    MouseAt(Mid);
    EXPECT_EQ(Panel(2), "x=0,000 mm  y=20,000 mm");
    // One selected link: the mouse in the link's coordinates, with its number twice.
    Select(M.Rocker);
    MouseAt(PixelOf(M.C));
    const std::string ID = std::to_string(M.Rocker->ID());
    const std::regex LinkForm("x\\(" + ID + "\\)=(-?\\d+),\\d{3} mm  y\\(" + ID +
                              "\\)=(-?\\d+),\\d{3} mm");
    const std::string Text = Panel(2);
    std::smatch Parts;
    ASSERT_TRUE(std::regex_match(Text, Parts, LinkForm)) << Text;
    // C lies 40 mm along the rocker from its reference joint D.
    EXPECT_NEAR(std::stod(Parts[1]), 40, 1);
    EXPECT_NEAR(std::stod(Parts[2]), 0, 1);
}

TEST_F(FormMainStatus, WithoutMousePositionTheMousePanelsKeepTheirTexts) {
    const TCrankRocker M = CrankRocker();
    Select(M.Rocker);
    MouseAt(PixelOf(M.C));
    const std::string Before[] = {Panel(1), Panel(2), Panel(3)};
    Form->UpdateStatusBar(TFormMain::NoMousePosition, TFormMain::NoMousePosition);
    EXPECT_EQ(Panel(1), Before[0]);
    EXPECT_EQ(Panel(2), Before[1]);
    EXPECT_EQ(Panel(3), Before[2]);
    // A selected joint's coordinates need no mouse.
    Select(M.C);
    Form->UpdateStatusBar(TFormMain::NoMousePosition, TFormMain::NoMousePosition);
    EXPECT_EQ(Panel(2), "x=60,000 mm  y=40,000 mm");
    EXPECT_EQ(Panel(1), Before[0]);
}

// Another mechanism in the window: the panels of the selection and of the part under the mouse
// follow it at once instead of naming a part of the one before.
TEST_F(FormMainStatus, PanelsFollowAnotherMechanismAtOnce) {
    const std::string Other = FourBar("other.kxw");
    const struct {
        const char* Name;
        std::function<void()> Change;
    } Cases[] = {
        {"another file opened", [&] { Form->OpenFile(Other); }},
        {"a new mechanism",
         [&] {
             Platform.Scripted().Answers = {TModalResult::mrNo};
             Form->Action("aFileNew")->trigger();
         }},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        const TCrankRocker M = CrankRocker();
        Select(M.C);
        MouseAt(PixelOf(M.C));
        ASSERT_EQ(Panel(2), "x=60,000 mm  y=40,000 mm");
        ASSERT_EQ(Panel(3), "Gelenk: " + M.C->GetDisplayText());
        C.Change();
        EXPECT_EQ(Panel(2), "");
        EXPECT_EQ(Panel(3), "");
    }
}

// A change of the selection alone refreshes panel 2: a link's form at the point panel 1 shows,
// empty while no mouse position is known, never the joint selected before.
TEST_F(FormMainStatus, PanelTwoFollowsTheSelectionWithoutAMouseMove) {
    for (bool MouseSeen : {false, true}) {
        SCOPED_TRACE(MouseSeen);
        Reopen();
        const TCrankRocker M = CrankRocker();
        if (MouseSeen)
            MouseAt(PixelOf(M.C));
        Select(M.C);
        EXPECT_EQ(Panel(2), "x=60,000 mm  y=40,000 mm");
        Select(M.Rocker);
        const std::string ID = std::to_string(M.Rocker->ID());
        if (MouseSeen)
            EXPECT_TRUE(std::regex_match(
                Panel(2), std::regex("x\\(" + ID + "\\)=.* mm  y\\(" + ID + "\\)=.* mm")))
                << Panel(2);
        else
            EXPECT_EQ(Panel(2), "");
        Model().DeselectLinks();
        Form->UpdateStatusBar(TFormMain::NoMousePosition, TFormMain::NoMousePosition);
        EXPECT_EQ(Panel(2), "");
    }
}

// While a joint is dragged its panel shows where the mouse has just taken it, not one step behind.
TEST_F(FormMainStatus, DuringADragTheSelectedJointsPanelShowsWhereItIsNow) {
    const TCrankRocker M = CrankRocker();
    Gear().SetCanMoveItems(true);
    QWidget* Canvas = Form->DrawArea();
    const auto Send = [&](QEvent::Type Type, QPoint At, Qt::MouseButtons Held) {
        QMouseEvent Event(Type, At, Canvas->mapToGlobal(At), Qt::LeftButton, Held, {});
        QApplication::sendEvent(Canvas, &Event);
    };
    const QPoint Start(PixelOf(M.B).X, PixelOf(M.B).Y);
    Send(QEvent::MouseButtonPress, Start, Qt::LeftButton);
    ASSERT_EQ(Model().SelectedJoints().First(), M.B);
    const TMMPoint Before = M.B->Position();
    for (int Step = 1; Step <= 3; ++Step) {
        SCOPED_TRACE(Step);
        Send(QEvent::MouseMove, Start + QPoint(10 * Step, 5 * Step), Qt::LeftButton);
        EXPECT_NE(M.B->Position(), Before);
        EXPECT_EQ(Panel(2),
                  "x=" + FormatFixed(M.B->X(), 3) + " mm  y=" + FormatFixed(M.B->Y(), 3) + " mm");
    }
    Send(QEvent::MouseButtonRelease, Start + QPoint(30, 15), Qt::NoButton);
}

TEST_F(FormMainStatus, ModePanelFollowsModesAndGearPositions) {
    EXPECT_EQ(Panel(4), "Editiermodus");
    CrankRocker();
    Run("aCreateLink");
    EXPECT_EQ(Panel(4), "Editiermodus");
    Run("aAnimate");
    ASSERT_TRUE(Gear().Animating());
    EXPECT_EQ(Panel(4), "Getriebestellung 1");
    Run("aAnimNext");
    EXPECT_EQ(Panel(4), "Getriebestellung 2");
    Run("aAnimStart");
    Gear().Animator().Next(); // a step of the timer
    EXPECT_EQ(Panel(4), "Getriebestellung 3");
    Run("aEdit");
    EXPECT_EQ(Panel(4), "Editiermodus");
}

TEST_F(FormMainStatus, CaptionStarsAModifiedDocumentButNotAnAnimatedOne) {
    EXPECT_EQ(Caption(), "KOPLAR für Windows - Unbenannt1.kxw*");
    const TCrankRocker M = CrankRocker();
    ASSERT_TRUE(Form->FileManager()->SaveAs(Scratch.File("crank.kxw")));
    Form->UpdateControls();
    EXPECT_EQ(Caption(), "KOPLAR für Windows - crank.kxw");
    Run("aAnimate");
    Run("aAnimNext");
    Run("aAnimNext");
    ASSERT_NE(M.B->Y(), 20);
    EXPECT_EQ(Caption(), "KOPLAR für Windows - crank.kxw");
    EXPECT_FALSE(Action("aFileSave")->isEnabled());
    Run("aEdit");
    EXPECT_EQ(Caption(), "KOPLAR für Windows - crank.kxw");
    // An edit made before animating still counts while animating.
    M.C->SetPosition(nullptr, 61, 40);
    Changed();
    EXPECT_EQ(Caption(), "KOPLAR für Windows - crank.kxw*");
    Run("aAnimate");
    EXPECT_EQ(Caption(), "KOPLAR für Windows - crank.kxw*");
    EXPECT_TRUE(Action("aFileSave")->isEnabled());
}

TEST_F(FormMainStatus, MergeIsAskedOnlyForJointsOfSeveralLinks) {
    const TCrankRocker M = CrankRocker();
    TJoint* Free1 = Build->Joint(100, 100);
    TJoint* Free2 = Build->Joint(120, 100);
    Build->Link({Free1, Build->Joint(100, 120)});
    Changed();
    auto& Asked = Platform.Scripted().Asked;

    // Joints of at most one link each merge unasked.
    EXPECT_TRUE(Accepts(Free1, Free2));
    EXPECT_TRUE(Asked.empty());
    // A joint of two links: asked, the dragged joint first.
    Platform.Scripted().Answers = {TModalResult::mrYes, TModalResult::mrNo};
    EXPECT_TRUE(Accepts(Free2, M.B));
    ASSERT_EQ(Asked.size(), 1u);
    EXPECT_EQ(Asked[0].Text, "Sollen die folgenden Punkte miteinander verbunden werden?\r\n     " +
                                 Free2->GetDisplayText() + "\r\n     " + M.B->GetDisplayText());
    EXPECT_EQ(Asked[0].Type, TMsgDlgType::mtConfirmation);
    EXPECT_EQ(Asked[0].Buttons, mbYes | mbNo);
    EXPECT_NE(CanvasCursor(), Qt::ForbiddenCursor);

    // No, held Ctrl, or joints of one link: refused, and the canvas says so; only No was asked.
    const std::function<bool()> Refusals[] = {
        [&] { return Accepts(M.B, Free2); },
        [&] { return Accepts(Free1, Free2, TShiftState::ssCtrl); },
        [&] { return Accepts(M.B, M.C); },
    };
    for (const auto& Refusal : Refusals) {
        Form->DrawArea()->unsetCursor();
        EXPECT_FALSE(Refusal());
        EXPECT_EQ(CanvasCursor(), Qt::ForbiddenCursor);
    }
    EXPECT_EQ(Asked.size(), 2u);
}

TEST_F(FormMainStatus, APartOfAnotherKindLeavesWithItsOwnJointsOnly) {
    TJoint* Kept = Build->Joint(0, 0);
    Changed();
    const int Parts = Model().Parts().Count();
    const int Items = Form->MMSurface1().GraphicItems().Count();
    TLink* Link = Model().CreateLinkOnSurface("Glied");
    Link->AddJoint(Kept);
    Link->AddJoint(Model().CreateJointOnSurface(10, 0));
    TGearPartCreator& Creator = Gear().PartCreator();
    Creator.OnPartCreated(&Creator, Link, TGearPartType::ptSolidLink);
    EXPECT_EQ(Model().Parts().Count(), Parts);
    EXPECT_EQ(Form->MMSurface1().GraphicItems().Count(), Items);
    EXPECT_TRUE(Kept->Links().Empty());
    EXPECT_TRUE(Model().Joints().Contains(Kept));
}

} // namespace
