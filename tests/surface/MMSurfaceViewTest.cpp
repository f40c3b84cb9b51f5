// The world-to-pixel mapping, Square, the scala increments and the zoom and pan operations.
#include "support/FakeControl.h"
#include "surface/MMSurface.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <functional>
#include <limits>
#include <stdexcept>

namespace {

class SurfaceView : public ::testing::Test {
protected:
    // A surface on a W x H control showing R, Square as given.
    void Show(int W, int H, TMMRect R, bool Square) {
        Control.SetClientRect(Rect(0, 0, W, H));
        Surface.SetSquare(Square);
        Surface.SetMMRect(R);
    }
    TFakePlatform Platform;
    TFakeControl Control;
    TMMSurface Surface;
    void SetUp() override { Surface.SetControl(&Control); }
};

void ExpectRect(const TMMSurface& S, double XMin, double YMax, double XMax, double YMin) {
    EXPECT_NEAR(S.XMin(), XMin, 1e-9);
    EXPECT_NEAR(S.YMax(), YMax, 1e-9);
    EXPECT_NEAR(S.XMax(), XMax, 1e-9);
    EXPECT_NEAR(S.YMin(), YMin, 1e-9);
}

TEST(SurfaceCreation, StartsWithTheDefaultView) {
    TFakePlatform P;
    TMMSurface S;
    ExpectRect(S, -10, 10, 10, -10);
    EXPECT_TRUE(S.Square());
    EXPECT_EQ(S.BackGroundColor(), clWhite);
    EXPECT_EQ(S.UpdateCount(), 0);
    EXPECT_EQ(S.Buffer().Width(), 20);
    EXPECT_EQ(S.Buffer().Height(), 20);
    EXPECT_EQ(S.HorizScalaIncrement(), 0);
    EXPECT_EQ(S.GetCanvas(), nullptr);
    EXPECT_EQ(S.GetControlCanvas(), nullptr);
}

TEST_F(SurfaceView, SquareWidensTheAxisWithTheLargerScale) {
    Show(400, 300, MMRect(-10, 10, 10, -10), true);
    ExpectRect(Surface, -40.0 / 3, 10, 40.0 / 3, -10);
    EXPECT_DOUBLE_EQ(Surface.ScaleX(), 15);
    EXPECT_DOUBLE_EQ(Surface.ScaleY(), 15);
    EXPECT_EQ(Surface.Buffer().Width(), 400);
    EXPECT_EQ(Surface.Buffer().Height(), 300);

    Show(300, 400, MMRect(-10, 10, 10, -10), true);
    ExpectRect(Surface, -10, 40.0 / 3, 10, -40.0 / 3);

    // Equal scales take the y branch and change nothing.
    Show(200, 200, MMRect(-10, 10, 10, -10), true);
    ExpectRect(Surface, -10, 10, 10, -10);
}

TEST_F(SurfaceView, MapsWorldToPixelsRoundingTiesToEven) {
    Show(100, 100, MMRect(0, 100, 100, 0), false);
    struct Case {
        double X;
        int Pixel;
    } Cases[] = {{2.5, 2}, {3.5, 4}, {0, 0}, {-2.5, -2}, {99.4, 99}, {100, 100}};
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.X);
        EXPECT_EQ(Surface.MMToPixelX(C.X, true), C.Pixel);
    }
    // The y axis flips against the height.
    EXPECT_EQ(Surface.MMToPixelY(0, true), 100);
    EXPECT_EQ(Surface.MMToPixelY(100, true), 0);
    EXPECT_EQ(Surface.MMToPixelY(80, true), 20);
    // Lengths have neither offset nor flip.
    Show(200, 100, MMRect(10, 50, 110, 0), false);
    EXPECT_EQ(Surface.MMToPixelX(3, false), 6);
    EXPECT_EQ(Surface.MMToPixelY(3, false), 6);
    EXPECT_EQ(Surface.MMToPixel(MMPoint(10, 0), true), Point(0, 100));
    EXPECT_DOUBLE_EQ(Surface.PixelToMMX(6, false), 3);
    const TMMPoint P = Surface.PixelToMM(Point(20, 30), true);
    EXPECT_DOUBLE_EQ(P.X, 20);
    EXPECT_DOUBLE_EQ(P.Y, 35);
}

TEST_F(SurfaceView, PixelToWorldIsNotRounded) {
    Show(300, 300, MMRect(0, 7, 7, 0), false);
    for (double Y : {0.1, 1.234, 3.3333, 6.99}) {
        SCOPED_TRACE(Y);
        const double Back = Surface.PixelToMMY(Surface.MMToPixelY(Y, true), true);
        EXPECT_LE(std::fabs(Back - Y), 0.5 / Surface.ScaleY() + 1e-12);
    }
    EXPECT_DOUBLE_EQ(Surface.PixelToMMY(1, true), 7 - 7.0 / 300);
}

TEST_F(SurfaceView, HugeAndNonFiniteValuesSaturate) {
    Show(100, 100, MMRect(0, 100, 100, 0), false);
    EXPECT_EQ(Surface.MMToPixelX(1e300, true), INT_MAX);
    EXPECT_EQ(Surface.MMToPixelX(-1e300, true), INT_MIN);
    EXPECT_EQ(Surface.MMToPixelY(std::numeric_limits<double>::infinity(), true), INT_MIN);
    EXPECT_EQ(Surface.MMToPixelX(std::nan(""), true), 0);
}

TEST_F(SurfaceView, ZeroSpansAndSizesMapAtOnePixelPerMillimetre) {
    Show(100, 100, MMRect(5, 0, 5, 0), false);
    EXPECT_DOUBLE_EQ(Surface.ScaleX(), 1.0);
    EXPECT_DOUBLE_EQ(Surface.ScaleY(), 1.0);
    EXPECT_EQ(Surface.MMToPixelX(7, true), 2);
    Control.ThrowOnClientRect = true;
    EXPECT_EQ(Surface.GetClientRect(), TRect{});
    EXPECT_DOUBLE_EQ(Surface.ScaleX(), 1.0);
}

TEST(SurfaceWithoutControl, AppliesTheRectangleUnchangedAndEmptiesTheBuffer) {
    TFakePlatform P;
    TMMSurface S;
    S.SetSquare(true);
    S.SetMMRect(MMRect(0, 10, 40, 0));
    ExpectRect(S, 0, 10, 40, 0);
    EXPECT_EQ(S.Buffer().Width(), 0);
    EXPECT_EQ(S.Buffer().Height(), 0);
    EXPECT_EQ(S.UpdateCount(), 0);
}

TEST_F(SurfaceView, PicksTheFirstIncrementWhoseTenthIsLongerThanThreePixels) {
    struct Case {
        int Pixels;
        double Span;
        int Increment;
    } Cases[] = {
        {700, 100, 5},      // 0.7 x 5 = 3.5 > 3, 0.7 x 2 = 1.4 is not
        {1000, 10, 1},      // 10 px per unit
        {300, 100, 20},     // exactly 3 px at 10 is not enough
        {400, 10000, 1000}, // 0.004 x 1000 = 4
        {100, 1e9, 50000},  // nothing passes: the last one
        {100, -100, 50000}, // a reversed span never passes
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Pixels);
        Show(C.Pixels, C.Pixels, MMRect(0, C.Span, C.Span, 0), false);
        EXPECT_EQ(Surface.HorizScalaIncrement(), C.Increment);
        EXPECT_EQ(Surface.VertScalaIncrement(), C.Increment);
    }
}

TEST_F(SurfaceView, ZeroSpanOrZeroSizeKeepsTheIncrementsAndTheBatchBalanced) {
    Show(700, 700, MMRect(0, 100, 100, 0), false);
    Show(700, 700, MMRect(50, 100, 50, 0), false); // zero x span
    EXPECT_EQ(Surface.HorizScalaIncrement(), 5);
    EXPECT_EQ(Surface.VertScalaIncrement(), 5);
    EXPECT_EQ(Surface.UpdateCount(), 0);

    // With Square on, a control squeezed to nothing keeps the view it was given, so the view
    // comes back when the control grows again.
    Show(400, 300, MMRect(-10, 10, 10, -10), true);
    Control.Resize(0, 0);
    ExpectRect(Surface, -40.0 / 3, 10, 40.0 / 3, -10);
    EXPECT_EQ(Surface.HorizScalaIncrement(), 5); // 1.5 x 5 > 3; kept through the squeeze
    EXPECT_EQ(Surface.UpdateCount(), 0);
    Control.Resize(400, 0);
    Control.Resize(400, 300);
    ExpectRect(Surface, -40.0 / 3, 10, 40.0 / 3, -10);
}

TEST_F(SurfaceView, AThrowingFollowerLeavesNoBatchOpen) {
    TNotifyChangeLink Link;
    Link.OnChange = [](TObject*) { throw std::runtime_error("follower failed"); };
    Surface.RegisterChanges(&Link);
    EXPECT_THROW(Surface.SetMMRect(MMRect(0, 1, 1, 0)), std::runtime_error);
    EXPECT_EQ(Surface.UpdateCount(), 0);
    Surface.UnRegisterChanges(&Link);
}

TEST_F(SurfaceView, EdgeSettersAndRefreshNotifyFollowersInOrder) {
    Show(100, 100, MMRect(0, 100, 100, 0), false);
    std::vector<std::string> Log;
    TNotifyChangeLink A, B;
    A.OnChange = [&](TObject* S) {
        EXPECT_EQ(S, &Surface);
        Log.push_back("A");
    };
    B.OnChange = [&](TObject*) { Log.push_back("B"); };
    Surface.RegisterChanges(&A);
    Surface.RegisterChanges(&B);
    EXPECT_EQ(A.Sender(), &Surface);
    Surface.OnCoordsChanged = [&](TObject* S) {
        EXPECT_EQ(S, &Surface);
        Log.push_back("coords");
    };
    Surface.SetXMin(10);
    Surface.SetYMax(90);
    ExpectRect(Surface, 10, 90, 100, 0);
    Surface.Update();
    EXPECT_EQ(Log, (std::vector<std::string>{"A", "B", "coords", "A", "B", "coords", "A", "B",
                                             "coords"}));
    Surface.UnRegisterChanges(&A);
    EXPECT_EQ(A.Sender(), nullptr);
    Surface.UnRegisterChanges(&A); // not registered: nothing
}

TEST_F(SurfaceView, CentresScrollsAndZooms) {
    Show(200, 100, MMRect(0, 50, 100, 0), false); // 2 px per mm both ways
    Surface.CenterTo(MMPoint(0, 0));
    ExpectRect(Surface, -50, 25, 50, -25);
    Surface.ScrollX(20); // the picture moves right by 10 mm
    ExpectRect(Surface, -60, 25, 40, -25);
    Surface.ScrollY(20); // and down
    ExpectRect(Surface, -60, 35, 40, -15);
    Surface.CenterToPixel(Point(100, 50));
    ExpectRect(Surface, -60, 35, 40, -15);
    EXPECT_EQ(Surface.GetCenterPixel(), Point(100, 50));
    Control.SetClientRect(Rect(0, 0, 201, 101));
    EXPECT_EQ(Surface.GetCenterPixel(), Point(100, 50));
}

TEST_F(SurfaceView, ZoomInThenOutRestoresTheSpansAroundThePoint) {
    Show(200, 100, MMRect(0, 50, 100, 0), false);
    Surface.ZoomIn(30, 20, 1.25);
    ExpectRect(Surface, -10, 40, 70, 0);
    Surface.ZoomOut(30, 20, 1.25);
    ExpectRect(Surface, -20, 45, 80, -5);
    EXPECT_NEAR(Surface.GetMMWidth(), 100, 1e-9);
    EXPECT_NEAR(Surface.GetMMHeight(), 50, 1e-9);
    // About a pixel: that point becomes the centre.
    Surface.ZoomInAtPixel(Point(0, 100), 2);
    ExpectRect(Surface, -45, 7.5, 5, -17.5);
    Surface.ZoomOutAtPixel(Surface.GetCenterPixel(), 2);
    ExpectRect(Surface, -70, 20, 30, -30);
}

TEST_F(SurfaceView, ZoomToMMRectWidensNarrowSpansAndAddsMargins) {
    Show(200, 200, MMRect(0, 1, 1, 0), false);
    Surface.ZoomToMMRect(5, 5, 0, 10);
    ExpectRect(Surface, 3.8, 11, 6.2, -1);
    Surface.ZoomToPoints(Point(100, 100), Point(-50, -50));
    ExpectRect(Surface, -65, 115, 115, -65);
    // Square may widen one axis further.
    Surface.SetSquare(true);
    Surface.ZoomToMMRect(5, 5, 0, 10);
    ExpectRect(Surface, -1, 11, 11, -1);
}

// Zooming on and on stops where the view's span would leave 1e-6 to 1e12 mm: the scales and the
// mouse positions stay finite, and the zoom that would go beyond leaves the view as it is.
TEST_F(SurfaceView, ZoomStopsAtTheSaneSpans) {
    const struct {
        const char* Name;
        void (TMMSurface::*Zoom)(TPoint, double);
        double Limit;
        double (TMMSurface::*Span)() const; // the one that meets the limit first
    } Cases[] = {
        {"out", &TMMSurface::ZoomOutAtPixel, 1e12, &TMMSurface::GetMMWidth},
        {"in", &TMMSurface::ZoomInAtPixel, 1e-6, &TMMSurface::GetMMHeight},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        Show(400, 300, MMRect(-10, 10, 10, -10), true);
        for (int I = 0; I < 3200; ++I)
            (Surface.*C.Zoom)(Surface.GetCenterPixel(), 1.25);
        for (double Span : {Surface.GetMMWidth(), Surface.GetMMHeight()}) {
            EXPECT_GE(Span, 1e-6);
            EXPECT_LE(Span, 1e12);
        }
        // The last zoom that was done came within one step of the limit.
        EXPECT_NEAR(std::log((Surface.*C.Span)() / C.Limit), 0, std::log(1.25));
        for (double Scale : {Surface.ScaleX(), Surface.ScaleY()}) {
            EXPECT_TRUE(std::isfinite(Scale));
            EXPECT_GT(Scale, 0);
        }
        const TMMPoint Mouse = Surface.PixelToMM(Point(399, 299), true);
        EXPECT_TRUE(std::isfinite(Mouse.X) && std::isfinite(Mouse.Y));

        int Changes = 0;
        Surface.OnCoordsChanged = [&](TObject*) { ++Changes; };
        const TMMRect Before = Surface.ViewRect();
        (Surface.*C.Zoom)(Surface.GetCenterPixel(), 1.25);
        EXPECT_EQ(Surface.ViewRect(), Before);
        EXPECT_EQ(Changes, 0);
        // Back the other way the view follows again.
        if (C.Limit > 1)
            Surface.ZoomIn(0, 0, 1.25);
        else
            Surface.ZoomOut(0, 0, 1.25);
        EXPECT_NE(Surface.ViewRect(), Before);
        EXPECT_EQ(Changes, 1);
        Surface.OnCoordsChanged = nullptr;
    }
}

TEST_F(SurfaceView, RectanglesBeyondTheSaneSpansLeaveTheView) {
    const double Inf = std::numeric_limits<double>::infinity();
    const struct {
        const char* Name;
        std::function<void(TMMSurface&)> Set;
    } Refused[] = {
        {"infinite edge", [&](TMMSurface& S) { S.SetMMRect(MMRect(-Inf, 10, 10, -10)); }},
        {"undefined edge", [](TMMSurface& S) { S.SetMMRect(MMRect(0, std::nan(""), 10, 0)); }},
        {"span beyond 1e12", [](TMMSurface& S) { S.SetMMRect(MMRect(0, 10, 2e12, 0)); }},
        {"span below 1e-6", [](TMMSurface& S) { S.SetMMRect(MMRect(0, 10, 1e-7, 0)); }},
        {"overflowing span", [](TMMSurface& S) { S.SetMMRect(MMRect(-1e308, 10, 1e308, 0)); }},
        {"edge setter", [](TMMSurface& S) { S.SetXMin(-1e300); }},
        {"edge setter to infinity", [&](TMMSurface& S) { S.SetYMax(Inf); }},
        {"centre far out", [&](TMMSurface& S) { S.CenterTo(MMPoint(Inf, 0)); }},
    };
    for (const auto& C : Refused) {
        SCOPED_TRACE(C.Name);
        Show(100, 100, MMRect(0, 100, 100, 0), false);
        int Changes = 0;
        Surface.OnCoordsChanged = [&](TObject*) { ++Changes; };
        C.Set(Surface);
        ExpectRect(Surface, 0, 100, 100, 0);
        EXPECT_EQ(Changes, 0);
        EXPECT_EQ(Surface.UpdateCount(), 0);
        Surface.OnCoordsChanged = nullptr;
    }
    // The limits themselves, reversed spans and a zero span are views.
    Show(100, 100, MMRect(0, 1e12, 1e-6, 0), false);
    ExpectRect(Surface, 0, 1e12, 1e-6, 0);
    Show(100, 100, MMRect(10, 0, 0, 10), false);
    ExpectRect(Surface, 10, 0, 0, 10);
}

} // namespace
