// Drives: the value table, the drive joint, the display text and the arrow symbol.
#include "gear/uDrive.h"
#include "support/MechanismRigs.h"

#include <gtest/gtest.h>

#include <functional>
#include <numbers>

TEST(DriveTest, NewDriveDefaults) {
    TDrive D;
    EXPECT_EQ(D.Values(), std::vector<double>(21, 0.0));
    EXPECT_EQ(D.Intervals(), 20);
    EXPECT_TRUE(D.Visible());
    EXPECT_EQ(D.Order(), 100);
    EXPECT_EQ(D.DriveType(), dtRotary);
    EXPECT_EQ(D.LineColor(), clGreen);
    EXPECT_DOUBLE_EQ(D.Angle1(), 10 * std::numbers::pi / 180);
    EXPECT_DOUBLE_EQ(D.Angle2(), 175 * std::numbers::pi / 180);
}

TEST(DriveTest, ValueTable) {
    struct Case {
        const char* What;
        std::function<void(TDrive&)> Edit;
        std::vector<double> Values;
        int Intervals;
    } Cases[] = {
        {"intervals 10 keeps 11 entries", [](TDrive& D) { D.SetIntervals(10); },
         std::vector<double>(11, 0.0), 10},
        {"then values 0 to 9 leave 10",
         [](TDrive& D) {
             D.SetIntervals(10);
             for (int I = 0; I < 10; ++I)
                 D.SetValue(I, I * 0.5);
         },
         {0, 0.5, 1, 1.5, 2, 2.5, 3, 3.5, 4, 4.5},
         10},
        {"value 0 shortens the table to one", [](TDrive& D) { D.SetValue(0, 7); }, {7}, 20},
        {"value past the end grows the table",
         [](TDrive& D) {
             D.SetIntervals(1);
             D.SetValue(0, 1);
             D.SetValue(3, 4);
         },
         {1, 0, 0, 4},
         1},
        {"intervals keep the entries they cover",
         [](TDrive& D) {
             D.SetValue(1, 2);
             D.SetIntervals(3);
         },
         {0, 2, 0, 0},
         3},
        {"intervals 0 leave one entry", [](TDrive& D) { D.SetIntervals(0); }, {0}, 0},
        {"negative intervals leave one entry", [](TDrive& D) { D.SetIntervals(-5); }, {0}, -5},
        {"a negative index is ignored", [](TDrive& D) { D.SetValue(-1, 9); },
         std::vector<double>(21, 0.0), 20},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.What);
        TDrive D;
        C.Edit(D);
        EXPECT_EQ(D.Values(), C.Values);
        EXPECT_EQ(D.Intervals(), C.Intervals);
        EXPECT_EQ(D.GetLastIndex(), static_cast<int>(C.Values.size()) - 1);
    }
}

TEST(DriveTest, ReadingOutsideTheTableGivesZero) {
    TDrive D;
    D.SetValue(2, 3.5);
    for (int I : {-1, 3, 100}) {
        SCOPED_TRACE(I);
        EXPECT_EQ(D.GetValue(I), 0.0);
        EXPECT_EQ(D.ValueAt(I), 0.0);
    }
    EXPECT_EQ(D.GetValue(2), 3.5);
    EXPECT_EQ(D.ValueAt(2), 3.5);
}

TEST(DriveTest, DriveJointAndDisplayTextForBothKinds) {
    TPartsRig Rig;
    TJoint* A = Rig.Joint(0, 0);
    TJoint* B = Rig.Joint(100, 0);
    TLink* Low = Rig.Link({A, B});
    TLink* High = Rig.Link({B, Rig.Joint(100, 50)});
    Low->SetID(1);
    High->SetID(3);
    TDrive D;
    D.SetJoint(B);
    for (auto [L0, L1] : {std::pair{Low, High}, std::pair{High, Low}}) {
        D.SetLink0(L0);
        D.SetLink1(L1);
        EXPECT_EQ(D.GetDisplayText(), "[Dreh] Glied 3 um 1");
    }
    EXPECT_EQ(D.GetJoint(), B);

    TSlider* S = Rig.Slider(Low, 30, 0);
    S->SetID(4);
    D.SetDriveType(dtSliding);
    D.SetLink0(S);
    D.SetLink1(Low);
    EXPECT_EQ(D.GetDisplayText(), "[Schub] Gleitstein 4 auf 1");
    // A sliding drive's joint is its slide link's reference joint, not the stored one.
    EXPECT_EQ(D.GetJoint(), A);
    Low->SetReferenceJointID(-1);
    EXPECT_EQ(D.GetJoint(), nullptr);
}

TEST(DriveTest, DisplayTextWithMissingLinks) {
    TLink L;
    L.SetID(2);
    TDrive D;
    EXPECT_EQ(D.GetDisplayText(), "[Dreh] Glied ? um ?");
    D.SetLink1(&L);
    EXPECT_EQ(D.GetDisplayText(), "[Dreh] Glied 2 um ?");
    D.SetDriveType(dtSliding);
    EXPECT_EQ(D.GetDisplayText(), "[Schub] Gleitstein ? auf 2");
    EXPECT_EQ(D.GetJoint(), nullptr);
}

namespace {

// A drive on a surface whose symbol sits at pixel (200, 150): a rotary drive about a frame
// joint there, or a sliding drive beside a slider there on a horizontal slide link.
struct DriveOnSurface {
    TPartsRig Rig;
    TDrive& Drive;
    explicit DriveOnSurface(std::uint8_t Kind) : Drive(Make(Kind)) {
        Drive.SetLineColor(0x00AA00);
        Drive.SetLineThickness(2);
        Rig.Show(&Drive);
    }
    TDrive& Make(std::uint8_t Kind) {
        TJoint* J = Rig.Joint(200, 150);
        if (Kind == dtRotary)
            Rig.Frame({J}); // the frame holds, the bar turns
        TLink* Bar = Rig.Link({J, Rig.Joint(300, 150)});
        return Kind == dtRotary ? *Rig.RotaryDrive(J)
                                : *Rig.SlidingDrive(Rig.Slider(Bar, 200, 150));
    }
    // Paints on a canvas whose brush an earlier painter left clear.
    void Paint() {
        Rig.Canvas().Brush().Style = TBrushStyle::bsClear;
        Drive.Paint();
    }
    // The tip of the one arrow head drawn, which is filled.
    TPoint ArrowTip() {
        auto Heads = Rig.Canvas().Of("Polygon");
        EXPECT_EQ(Heads.size(), 1u);
        if (Heads.empty())
            return TPoint{};
        EXPECT_EQ(Heads[0].Brush.Style, TBrushStyle::bsSolid);
        return Heads[0].Points[0];
    }
};

} // namespace

TEST(DrivePaintTest, RotaryArcWithArrowAtTheEndOfItsDirection) {
    struct Case {
        double LastValue;
        TPoint Tip;
    } Cases[] = {{0.0, {180, 155}}, {0.5, {180, 155}}, {-0.5, {219, 153}}};
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.LastValue);
        DriveOnSurface S(dtRotary);
        S.Drive.SetValue(S.Drive.GetLastIndex(), C.LastValue);
        S.Paint();
        auto Arcs = S.Rig.Canvas().Of("Arc");
        ASSERT_EQ(Arcs.size(), 1u);
        // From 10 degrees over the top to 175 degrees, the ends truncated toward zero.
        EXPECT_EQ(Arcs[0].Points,
                  (std::vector<TPoint>{{180, 130}, {220, 170}, {219, 146}, {180, 148}}));
        EXPECT_EQ(Arcs[0].Pen.Color, 0x00AA00u);
        EXPECT_EQ(Arcs[0].Pen.Width, 2);
        // The head points straight down, 10 long, its base 3 pixels above the arc's end.
        EXPECT_EQ(S.ArrowTip(), C.Tip);
    }
}

TEST(DrivePaintTest, SlidingLineBesideTheSliderWithArrowInItsDirection) {
    struct Case {
        double LastValue;
        TPoint Tip;
    } Cases[] = {{1.0, {225, 166}}, {-1.0, {175, 166}}};
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.LastValue);
        DriveOnSurface S(dtSliding);
        S.Drive.SetValue(3, C.LastValue);
        S.Paint();
        auto Lines = S.Rig.Canvas().Of("Line");
        ASSERT_EQ(Lines.size(), 1u);
        // 30 pixels along the slide link, 16 below it.
        EXPECT_EQ(Lines[0].Points, (std::vector<TPoint>{{185, 166}, {215, 166}}));
        EXPECT_EQ(Lines[0].Pen.Width, 2);
        EXPECT_EQ(S.ArrowTip(), C.Tip);
    }
}

// Behind the slide link's reference joint a positive value moves the slider away from it, against
// the link's direction, and the arrow shows that way.
TEST(DrivePaintTest, SlidingArrowBehindTheReferenceJointPointsAwayFromIt) {
    struct Case {
        double LastValue;
        TPoint Tip;
    } Cases[] = {{1.0, {175, 166}}, {-1.0, {225, 166}}};
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.LastValue);
        DriveOnSurface S(dtSliding);
        for (TJoint* J : S.Drive.Link1()->Joints())
            if (!J->IsVirtual())
                J->SetX(J->X() + 50); // the slide link now runs from 250 to 350
        S.Drive.SetValue(3, C.LastValue);
        EXPECT_TRUE(S.Drive.SlidesAgainstLinkAngle());
        S.Paint();
        auto Lines = S.Rig.Canvas().Of("Line");
        ASSERT_EQ(Lines.size(), 1u);
        EXPECT_EQ(Lines[0].Points, (std::vector<TPoint>{{185, 166}, {215, 166}}));
        EXPECT_EQ(S.ArrowTip(), C.Tip);
    }
}

TEST(DrivePaintTest, NothingWithoutJointLinksOrAKnownKind) {
    struct Case {
        const char* What;
        std::function<void(TDrive&)> Break;
    } Cases[] = {
        {"no driven link", [](TDrive& D) { D.SetLink1(nullptr); }},
        {"no holding link", [](TDrive& D) { D.SetLink0(nullptr); }},
        {"no joint", [](TDrive& D) { D.SetJoint(nullptr); }},
        {"unknown kind", [](TDrive& D) { D.SetDriveType(2); }},
        {"hidden", [](TDrive& D) { D.SetVisible(false); }},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.What);
        DriveOnSurface S(dtRotary);
        C.Break(S.Drive);
        S.Rig.Canvas().ClearCalls();
        S.Drive.Paint();
        EXPECT_TRUE(S.Rig.Canvas().Calls.empty());
    }
    DriveOnSurface S(dtSliding);
    S.Drive.Link1()->SetReferenceJointID(-1);
    S.Rig.Canvas().ClearCalls();
    S.Drive.Paint();
    EXPECT_TRUE(S.Rig.Canvas().Calls.empty());
}
