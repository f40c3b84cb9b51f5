// Repainting: paint order, batches, the window hook's messages, print mode and destruction.
#include "support/FakeControl.h"
#include "surface/MMSurface.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// Logs its name whenever it is asked to paint and draws a line when it may.
class TLogItem : public TMMGraphicItem {
public:
    TLogItem(std::vector<std::string>& Log, std::string Name, int Order = 0)
        : FLog(Log), FName(std::move(Name)) {
        SetOrder(Order);
        SetVisible(true);
    }
    void Paint() override {
        FLog.push_back(FName);
        if (DuringPaint)
            DuringPaint();
        if (!Visible() || !MMSurface() || !MMSurface()->GetCanvas())
            return;
        TCanvas& C = *MMSurface()->GetCanvas();
        C.MoveTo(0, 0);
        C.LineTo(MMSurface()->MMToPixelX(1, true), MMSurface()->MMToPixelY(1, true));
    }
    std::function<void()> DuringPaint;

private:
    std::vector<std::string>& FLog;
    std::string FName;
};

class SurfaceRepaint : public ::testing::Test {
protected:
    SurfaceRepaint() {
        Rig.Surface->SetSquare(false);
        Rig.Surface->SetMMRect(MMRect(0, 100, 100, 0));
        Rig.Surface->OnPaint = [this](TObject*) { ++Paints; };
    }
    TMMSurface& Surface() { return *Rig.Surface; }
    // Pictures presented on the control so far.
    size_t Presented() const { return Rig.Control.Screen.Of("Draw").size(); }
    // Puts an item on the surface and forgets what its registration painted.
    std::unique_ptr<TLogItem> Add(const std::string& Name, int Order) {
        auto I = std::make_unique<TLogItem>(Log, Name, Order);
        I->SetMMSurface(&Surface());
        Log.clear();
        return I;
    }

    TSurfaceRig Rig{100, 100};
    std::vector<std::string> Log;
    int Paints = 0;
};

TEST_F(SurfaceRepaint, PaintsInAscendingOrderAndEqualOrdersInRegistrationOrder) {
    auto A = Add("A", 50);
    auto B = Add("B", 10);
    auto C = Add("C", 50);
    Surface().Repaint(false);
    EXPECT_EQ(Log, (std::vector<std::string>{"B", "A", "C"}));
    Log.clear();
    C->SetOrder(49); // moves under A, and repaints
    EXPECT_EQ(Log, (std::vector<std::string>{"B", "C", "A"}));
}

TEST_F(SurfaceRepaint, ARepaintClearsPaintsAndPresentsTheBuffer) {
    Surface().SetBackGroundColor(clYellow);
    auto A = Add("A", 0);
    Rig.BufferCanvas().ClearCalls();
    const size_t Before = Presented();
    Surface().Repaint(false);
    const auto& Calls = Rig.BufferCanvas().Calls;
    ASSERT_EQ(Calls.size(), 2u);
    EXPECT_EQ(Calls[0].Op, "FillRect");
    EXPECT_EQ(Calls[0].Points, (std::vector<TPoint>{{0, 0}, {100, 100}}));
    EXPECT_EQ(Calls[0].Brush, (TBrush{clYellow, TBrushStyle::bsSolid}));
    EXPECT_EQ(Calls[1].Op, "Line");
    EXPECT_EQ(Calls[1].Points, (std::vector<TPoint>{{0, 0}, {1, 99}}));
    ASSERT_EQ(Presented(), Before + 1);
    EXPECT_EQ(Rig.Control.Screen.Calls.back().Points, (std::vector<TPoint>{{0, 0}, {100, 100}}));
}

TEST_F(SurfaceRepaint, AnInvisibleItemIsStillAskedAndDeclines) {
    auto A = Add("A", 0);
    Rig.BufferCanvas().ClearCalls();
    A->SetVisible(false);
    EXPECT_EQ(Log, (std::vector<std::string>{"A"}));
    EXPECT_TRUE(Rig.BufferCanvas().Of("Line").empty());
    EXPECT_EQ(Surface().GraphicItems().Count(), 1);
}

TEST_F(SurfaceRepaint, ABatchRepaintsOnceAtItsEnd) {
    auto A = Add("A", 0);
    const int Before = Paints;
    Surface().BeginUpdate();
    Surface().BeginUpdate();
    for (int I = 0; I < 10; ++I)
        A->SetOrder(I);
    Surface().SetMMRect(MMRect(0, 50, 50, 0));
    Surface().EndUpdate();
    EXPECT_EQ(Paints, Before);
    EXPECT_TRUE(Surface().IsUpdating());
    Surface().EndUpdate();
    EXPECT_EQ(Paints, Before + 1);
    EXPECT_FALSE(Surface().IsUpdating());
}

TEST_F(SurfaceRepaint, AnUpdateBracketBatchesItsScopeAndReportsAFailingRepaint) {
    const int Before = Paints;
    {
        TMMUpdateBracket Outer(&Surface());
        {
            TMMUpdateBracket Inner(&Surface());
            Surface().SetMMRect(MMRect(0, 50, 50, 0));
        }
        EXPECT_EQ(Paints, Before);
    }
    EXPECT_EQ(Paints, Before + 1);

    Surface().OnPaint = [](TObject*) { throw std::runtime_error("paint failed"); };
    EXPECT_THROW({ TMMUpdateBracket Bracket(&Surface()); }, std::runtime_error);
    EXPECT_EQ(Surface().UpdateCount(), 0);
    // While another exception is on its way, the failing repaint gives way to it.
    EXPECT_THROW(
        {
            TMMUpdateBracket Bracket(&Surface());
            throw std::logic_error("edit failed");
        },
        std::logic_error);
    EXPECT_EQ(Surface().UpdateCount(), 0);
}

TEST_F(SurfaceRepaint, AnUnmatchedEndUpdateStaysAtZeroAndRepaints) {
    const int Before = Paints;
    Surface().EndUpdate();
    EXPECT_EQ(Surface().UpdateCount(), 0);
    EXPECT_EQ(Paints, Before + 1);
    // Repaint(true) clears an unbalanced batch.
    Surface().BeginUpdate();
    Surface().BeginUpdate();
    Surface().Repaint(true);
    EXPECT_EQ(Surface().UpdateCount(), 0);
    EXPECT_EQ(Paints, Before + 2);
}

TEST_F(SurfaceRepaint, APaintMessageRepaintsUnlessABatchIsOpen) {
    auto A = Add("A", 0);
    Paints = 0;
    EXPECT_FALSE(Rig.Control.Send(TMessageId::WM_PAINT));
    EXPECT_EQ(Log.size(), 1u);
    EXPECT_EQ(Paints, 2); // at the end of the repaint and for the message
    Surface().BeginUpdate();
    const size_t Before = Presented();
    Log.clear();
    Paints = 0;
    EXPECT_FALSE(Rig.Control.Send(TMessageId::WM_PAINT));
    EXPECT_TRUE(Log.empty());
    EXPECT_EQ(Paints, 1);
    EXPECT_EQ(Presented(), Before);
    EXPECT_FALSE(Rig.Control.Send(TMessageId::WM_ERASEBKGND));
    Surface().EndUpdate();
}

TEST_F(SurfaceRepaint, MouseMessagesReachTheEventsInMillimetresBeforeTheControl) {
    std::vector<std::string> Seen;
    Surface().OnMouseDown = [&](TObject* S, TMouseButton B, TShiftState Shift, int X, int Y,
                                double MMX, double MMY) {
        EXPECT_EQ(S, &Surface());
        EXPECT_EQ(B, TMouseButton::mbLeft);
        EXPECT_TRUE(Shift.Contains(TShiftState::ssShift));
        EXPECT_EQ(X, 10);
        EXPECT_EQ(Y, 20);
        EXPECT_DOUBLE_EQ(MMX, 10.0);
        EXPECT_DOUBLE_EQ(MMY, 80.0);
        EXPECT_TRUE(Rig.Control.Defaulted.empty()); // the control's turn comes after
        Seen.push_back("down");
    };
    EXPECT_TRUE(Rig.Control.Send(TMessageId::WM_LBUTTONDOWN, 10, 20,
                                 TShiftState(TShiftState::ssShift) | TShiftState::ssLeft));
    EXPECT_EQ(Rig.Control.Defaulted, std::vector<TMessageId>{TMessageId::WM_LBUTTONDOWN});

    struct Case {
        TMessageId Id;
        TMouseButton Button;
        bool Down;
    } Cases[] = {
        {TMessageId::WM_RBUTTONDOWN, TMouseButton::mbRight, true},
        {TMessageId::WM_MBUTTONDOWN, TMouseButton::mbMiddle, true},
        {TMessageId::WM_LBUTTONUP, TMouseButton::mbLeft, false},
        {TMessageId::WM_RBUTTONUP, TMouseButton::mbRight, false},
        {TMessageId::WM_MBUTTONUP, TMouseButton::mbMiddle, false},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(static_cast<int>(C.Id));
        std::vector<TMouseButton> Buttons;
        auto Record = [&](TObject*, TMouseButton B, TShiftState, int, int, double, double) {
            Buttons.push_back(B);
        };
        Surface().OnMouseDown = C.Down ? TMMMouseEvent(Record) : nullptr;
        Surface().OnMouseUp = C.Down ? nullptr : TMMMouseEvent(Record);
        EXPECT_TRUE(Rig.Control.Send(C.Id, -5, -7)); // outside: negative, as captured
        EXPECT_EQ(Buttons, std::vector<TMouseButton>{C.Button});
    }

    double MovedX = 0, MovedY = 0;
    Surface().OnMouseMove = [&](TObject*, TShiftState, int X, int Y, double MMX, double MMY) {
        EXPECT_EQ(X, -5);
        EXPECT_EQ(Y, 120);
        MovedX = MMX;
        MovedY = MMY;
    };
    EXPECT_TRUE(Rig.Control.Send(TMessageId::WM_MOUSEMOVE, -5, 120));
    EXPECT_DOUBLE_EQ(MovedX, -5.0);
    EXPECT_DOUBLE_EQ(MovedY, -20.0);
    EXPECT_TRUE(Rig.Control.Send(TMessageId::WM_OTHER)); // double clicks raise nothing
}

TEST_F(SurfaceRepaint, ASizeMessageUpdatesTheViewAndRaisesOnResize) {
    int Resized = 0;
    Surface().OnResize = [&](TObject* S) {
        EXPECT_EQ(S, &Surface());
        ++Resized;
    };
    Rig.Control.Resize(200, 50);
    EXPECT_EQ(Surface().Buffer().Width(), 200);
    EXPECT_EQ(Surface().Buffer().Height(), 50);
    EXPECT_DOUBLE_EQ(Surface().ScaleX(), 2);
    EXPECT_TRUE(Rig.Control.Send(TMessageId::WM_WINDOWPOSCHANGED));
    EXPECT_EQ(Resized, 2);
}

TEST_F(SurfaceRepaint, AChangeDuringPaintDefersOneRepaintWithoutResorting) {
    auto A = Add("A", 1);
    auto B = Add("B", 2);
    bool Once = true;
    A->DuringPaint = [&] {
        if (!Once)
            return;
        Once = false;
        B->SetOrder(0); // would reorder the list under the loop
        EXPECT_EQ(Surface().GraphicItems().Items(1), B.get());
    };
    Surface().Repaint(false);
    EXPECT_EQ(Log, (std::vector<std::string>{"A", "B", "B", "A"}));
    // Changing on every paint gives one extra pass, not an endless loop.
    Log.clear();
    B->DuringPaint = [&] { B->Changed(); };
    Surface().Repaint(false);
    EXPECT_EQ(Log, (std::vector<std::string>{"B", "A", "B", "A"}));
}

TEST_F(SurfaceRepaint, AThrowingPaintLeavesTheSurfaceUsable) {
    auto A = Add("A", 0);
    A->DuringPaint = [] { throw std::runtime_error("paint failed"); };
    EXPECT_THROW(Surface().Repaint(false), std::runtime_error);
    A->DuringPaint = nullptr;
    Log.clear();
    Surface().Repaint(false);
    EXPECT_EQ(Log, std::vector<std::string>{"A"});
}

TEST_F(SurfaceRepaint, PrintModeDrawsOnThePrintCanvasOnly) {
    auto A = Add("A", 0);
    TRecordingCanvas Page;
    Surface().SetPrinting(true); // no print canvas: stays off
    EXPECT_FALSE(Surface().Printing());

    Surface().SetPrintRect(Rect(0, 0, 1000, 500)); // still on screen: repaints there
    const size_t Before = Presented();
    Surface().SetPrintCanvas(&Page);
    Surface().SetPrinting(true);
    EXPECT_TRUE(Surface().Printing());
    EXPECT_EQ(Surface().GetCanvas(), &Page);
    EXPECT_EQ(Surface().GetControlCanvas(), &Page);
    EXPECT_EQ(Surface().GetClientRect(), Rect(0, 0, 1000, 500));
    EXPECT_EQ(Surface().Buffer().Width(), 100); // the buffer is left alone
    EXPECT_EQ(Presented(), Before);             // nothing reaches the screen
    ASSERT_EQ(Page.Of("FillRect").size(), 1u);
    EXPECT_EQ(Page.Of("FillRect")[0].Points[1], Point(1000, 500));
    EXPECT_EQ(Page.Of("Line").size(), 1u);
    EXPECT_TRUE(Page.Of("Draw").empty());

    Surface().SetPrinting(false);
    Surface().SetPrintCanvas(nullptr);
    EXPECT_EQ(Surface().GetCanvas(), &Surface().Buffer().Canvas());
    EXPECT_EQ(Presented(), Before + 1);
}

// A control canvas that fails to present, like a screen that is gone.
class TBrokenControl : public TFakeControl {
public:
    std::unique_ptr<TCanvas> CreateCanvas() override {
        struct TBroken : TRecordingCanvas {
            void Draw(int, int, const TBitmap&) override { throw std::runtime_error("gone"); }
        };
        return std::make_unique<TBroken>();
    }
};

TEST(SurfaceFailures, APresentingErrorIsSwallowed) {
    TFakePlatform P;
    TBrokenControl C;
    TMMSurface S;
    EXPECT_NO_THROW(S.SetControl(&C));
    EXPECT_NO_THROW(S.Repaint(false));
}

TEST(SurfaceHook, SettingAControlHooksAndUnhooksIt) {
    TFakePlatform P;
    TFakeControl C1(Rect(0, 0, 50, 50)), C2(Rect(0, 0, 80, 40));
    TMMSurface S;
    int Downs = 0;
    S.OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int, double, double) { ++Downs; };
    S.SetControl(&C1);
    C1.Send(TMessageId::WM_LBUTTONDOWN);
    S.SetControl(&C1); // again: unhooked and hooked anew, not twice
    C1.Send(TMessageId::WM_LBUTTONDOWN);
    EXPECT_EQ(Downs, 2);
    S.SetControl(&C2);
    EXPECT_EQ(S.Buffer().Width(), 80);
    EXPECT_TRUE(C1.Send(TMessageId::WM_PAINT)); // C1 has its own procedure back
    C1.Send(TMessageId::WM_LBUTTONDOWN);
    EXPECT_EQ(Downs, 2);
    C2.Send(TMessageId::WM_LBUTTONDOWN);
    EXPECT_EQ(Downs, 3);
}

TEST(SurfaceLifetime, DestroyingTheControlFirstLeavesTheSurfaceWithoutCanvas) {
    TFakePlatform P;
    TMMSurface S;
    std::vector<std::string> Log;
    TLogItem A(Log, "A");
    A.SetMMSurface(&S);
    {
        TFakeControl C;
        S.SetControl(&C);
        EXPECT_NE(S.GetCanvas(), nullptr);
    }
    EXPECT_EQ(S.Control(), nullptr);
    EXPECT_EQ(S.GetCanvas(), nullptr);
    EXPECT_EQ(S.GetControlCanvas(), nullptr);
    EXPECT_NO_THROW(S.Repaint(false));
    TFakeControl C2;
    S.SetControl(&C2);
    EXPECT_NE(S.GetCanvas(), nullptr);
}

TEST(SurfaceLifetime, DestroyingTheSurfaceFirstReleasesItemsLinksAndControl) {
    TFakePlatform P;
    TFakeControl C;
    std::vector<std::string> Log;
    TLogItem A(Log, "A"), B(Log, "B");
    TNotifyChangeLink Link;
    auto S = std::make_unique<TMMSurface>();
    S->SetControl(&C);
    A.SetMMSurface(S.get());
    B.SetMMSurface(S.get());
    S->RegisterChanges(&Link);
    S.reset();
    EXPECT_EQ(A.MMSurface(), nullptr);
    EXPECT_EQ(B.MMSurface(), nullptr);
    EXPECT_FALSE(A.OnChange);
    EXPECT_EQ(Link.Sender(), nullptr);
    EXPECT_TRUE(C.Send(TMessageId::WM_PAINT)); // the control has its own procedure back
    Log.clear();
    A.Paint();
    A.SetVisible(true);
    EXPECT_EQ(Log, std::vector<std::string>{"A"});
}

TEST(SurfaceLifetime, SurfaceOwnedItemsAndControlGoInAnyOrder) {
    TFakePlatform P;
    std::vector<std::string> Log;
    // The owner frees the last created first: here the surface before its control and items.
    TComponent Owner;
    auto* C = new TFakeControl(Rect(0, 0, 10, 10), &Owner);
    auto* I = new TLogItem(Log, "I");
    auto* S = new TMMSurface(&Owner);
    S->SetControl(C);
    I->SetMMSurface(S);
    delete I; // an item first
    EXPECT_EQ(S->GraphicItems().Count(), 0);
    auto* J = new TLogItem(Log, "J");
    J->SetMMSurface(S);
    delete C; // then the control
    EXPECT_EQ(S->Control(), nullptr);
    delete J;
}

} // namespace
