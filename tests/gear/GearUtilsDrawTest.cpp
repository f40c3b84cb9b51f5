#include "gear/uGearUtils.h"

#include "support/PreferencesFixture.h"
#include "support/RecordingCanvas.h"
#include "xml/Variant.h"

#include <gtest/gtest.h>

#include <numbers>

namespace {
constexpr double Pi = std::numbers::pi;
const TPoint Corner{100, 100};

struct TSolidEdge : testing::Test {
    TPreferencesFixture Prefs;
    TRecordingCanvas Canvas;

    const TCanvasCall& DrawOne(TPoint P1, TPoint P2, double MaxAngle) {
        Canvas.ClearCalls();
        DrawSolidEdge(Canvas, Corner, P1, P2, MaxAngle, clRed, 13);
        EXPECT_EQ(Canvas.Calls.size(), 1u);
        return Canvas.Calls.back();
    }
};
} // namespace

TEST_F(TSolidEdge, NarrowCornersGiveTheTriangleOfTheEdgePoints) {
    struct Case {
        const char* Name;
        TPoint P1, P2;
        std::vector<TPoint> Triangle;
    } Cases[] = {
        {"right angle", {100, 150}, {150, 100}, {{100, 100}, {100, 113}, {113, 100}}},
        {"negative difference", {150, 100}, {100, 150}, {{100, 100}, {113, 100}, {100, 113}}},
        // The angles wrap to a difference of 3 pi / 2: the same right angle, not its reflex side.
        {"wrapped difference", {100, 50}, {150, 100}, {{100, 100}, {100, 87}, {113, 100}}},
        {"wide negative", {192, 138}, {50, 100}, {{100, 100}, {112, 105}, {87, 100}}},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        Canvas.Pen().Width = 2;
        const TCanvasCall& Call = DrawOne(C.P1, C.P2, 3 * Pi / 4);
        EXPECT_EQ(Call.Op, "Polygon");
        EXPECT_EQ(Call.Points, C.Triangle);
        EXPECT_EQ(Call.Pen.Color, clRed);
        EXPECT_EQ(Call.Brush.Color, clRed);
        EXPECT_EQ(Call.Pen.Width, 2);
    }
}

TEST_F(TSolidEdge, WideCornersGiveAPieSizedByTheJointSettings) {
    // Edges at pi and about 0.39: a corner of about 7 pi / 8.
    const TCanvasCall& Call = DrawOne({50, 100}, {192, 138}, 3 * Pi / 4);
    EXPECT_EQ(Call.Op, "Pie");
    // Radius 5 + 3 x line thickness 1.
    EXPECT_EQ(Call.Points, (std::vector<TPoint>{{92, 108}, {108, 92}, {87, 100}, {112, 105}}));
    EXPECT_EQ(Call.Brush.Color, clRed);

    // Read at every call, not kept.
    Prefs.Prefs().SetValue("Joints", "Radius", TVariant::Byte(10));
    Prefs.Prefs().SetValue("Joints", "LineThickness", TVariant::Byte(2));
    const TCanvasCall& Larger = DrawOne({50, 100}, {192, 138}, 3 * Pi / 4);
    EXPECT_EQ(Larger.Points[0], (TPoint{84, 116}));
    EXPECT_EQ(Larger.Points[1], (TPoint{116, 84}));

    // Whatever a settings file holds, the radius stays drawable.
    Prefs.Prefs().SetValue("Joints", "Radius", TVariant(std::int32_t{2000000000}));
    Prefs.Prefs().SetValue("Joints", "LineThickness", TVariant(std::int32_t{2000000000}));
    EXPECT_EQ(DrawOne({50, 100}, {192, 138}, 3 * Pi / 4).Points[0], (TPoint{-99900, 100100}));

    // A slider's limit of pi keeps the same corner a triangle.
    EXPECT_EQ(DrawOne({50, 100}, {192, 138}, Pi).Op, "Polygon");
}
