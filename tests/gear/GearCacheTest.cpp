// The position cache: filling it from the calculator, rows that cannot be assembled, putting
// positions back into the joints, the edit-mode coordinates and the bounds of the motion.
#include "gear/uGearCache.h"
#include "gear/uGearCalc.h"
#include "support/FakePlatform.h"
#include "support/MechanismRigs.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>
#include <ostream>
#include <set>
#include <vector>

namespace {

constexpr double Pi = std::numbers::pi;

struct TGearCacheRig : TModelRig {
    TFakePlatform Platform;
    TGearCalculator Calculator{D()};
    TGearCache Cache{D(), Calculator};

    // A four-bar far from the origin whose crank (20) is too long to turn through: it locks
    // while the crank points left of about 132 degrees from the x axis.
    void LockingFourBar() {
        A0 = FrameJoint(100, 100);
        A = Joint(100, 120);
        Crank = Link({A0, A});
        B0 = FrameJoint(145, 100);
        B = Joint(124, 128);
        Coupler = Link({A, B});
        Rocker = Link({B0, B});
        Drive = D().AddRotaryDrive(A0, true);
    }
    // Crank A0(0,0)-A(0,10), coupler to the pin (24,0) of a block on a frame guide
    // (10,0)-(50,0).
    void SliderCrank() {
        A0 = FrameJoint(0, 0);
        A = Joint(0, 10);
        Crank = Link({A0, A});
        TSlider* Block = Slider(nullptr, 24, 0);
        PutOn(Block, Link({FrameJoint(10, 0), FrameJoint(50, 0)}));
        Coupler = Link({A, Pin(Block)});
        Drive = D().AddRotaryDrive(A0, true);
    }
    void SetValues(const std::vector<double>& Values) {
        Drive->SetIntervals(static_cast<int>(Values.size()));
        for (std::size_t I = 0; I < Values.size(); ++I)
            Drive->SetValue(static_cast<int>(I), Values[I]);
    }
    bool Fill() {
        Calculator.Prepare();
        return Calculator.CanCalculate() && Cache.Calculate();
    }
    std::vector<TMMPoint> JointPlaces() const {
        std::vector<TMMPoint> Places;
        for (const TJoint* J : Data->Joints())
            Places.push_back(J->Position());
        return Places;
    }
    std::vector<TLinkState> LinkStates() const {
        std::vector<TLinkState> States;
        for (const TCustomLink* L : Data->Links())
            States.push_back(TGearCache::GetLinkState(*L));
        return States;
    }
    static std::vector<TMMPoint> Points(const TCacheRow& Row) {
        return {Row.Joints().begin(), Row.Joints().end()};
    }
    static std::vector<TLinkState> States(const TCacheRow& Row) {
        return {Row.Links().begin(), Row.Links().end()};
    }
};

struct TFillRow {
    const char* Name;
    std::function<void(TGearCacheRig&)> Build;
    int Positions;
    std::set<int> Locked;
};

void PrintTo(const TFillRow& Row, std::ostream* Os) {
    *Os << Row.Name;
}

const std::vector<TFillRow> FillRows = {
    {"CrankRocker", [](TGearCacheRig& R) { R.CrankRocker(); }, 24, {}},
    {"SixBar", [](TGearCacheRig& R) { R.SixBar(); }, 36, {}},
    {"SixBarInFiftyThousandSteps", [](TGearCacheRig& R) { R.SixBar(); }, 50000, {}},
    {"RockerMeasuredFromItsTip",
     [](TGearCacheRig& R) {
         R.CrankRocker();
         R.Rocker->SetReferenceJointID(1);
     },
     24,
     {}},
    {"SliderCrank", [](TGearCacheRig& R) { R.SliderCrank(); }, 24, {}},
    {"LockingFourBar", [](TGearCacheRig& R) { R.LockingFourBar(); }, 24, {3, 4, 5, 6, 7, 8, 9}},
};

struct TGearCacheFillTest : ::testing::TestWithParam<TFillRow>, TGearCacheRig {};

TEST_P(TGearCacheFillTest, RowsHoldTheSolvedPositionsAndTheJointsEndInTheFirst) {
    const TFillRow& Row = GetParam();
    Row.Build(*this);
    TurnOnce(Row.Positions);
    const std::vector<TMMPoint> Drawing = JointPlaces();
    const std::vector<TLinkState> DrawnStates = LinkStates();
    const int PaintsBefore = Paints;

    ASSERT_TRUE(Fill());
    EXPECT_TRUE(Cache.Filled());
    EXPECT_EQ(Paints, PaintsBefore + 1);
    EXPECT_FALSE(Surface().IsUpdating());
    EXPECT_EQ(JointPlaces(), Drawing);
    ASSERT_EQ(Cache.PositionCount(), Row.Positions);
    EXPECT_EQ(Points(Cache.Row(0)), Drawing);
    EXPECT_EQ(States(Cache.Row(0)), DrawnStates);

    for (int I = 0; I < Row.Positions; ++I) {
        SCOPED_TRACE(I);
        const TCacheRow Cached = Cache.Row(I);
        ASSERT_EQ(Cached.Valid(), !Row.Locked.contains(I));
        EXPECT_EQ(Cache.IsValidPosition(I), Cached.Valid());
        ASSERT_EQ(Cached.Joints().size(), Drawing.size());
        ASSERT_EQ(Cached.Links().size(), DrawnStates.size());
        if (!Cached.Valid()) {
            EXPECT_EQ(Points(Cached), std::vector<TMMPoint>(Drawing.size()));
            EXPECT_EQ(States(Cached), std::vector<TLinkState>(DrawnStates.size()));
            continue;
        }
        ASSERT_TRUE(Calculator.Calculate(I));
        EXPECT_EQ(Points(Cached), JointPlaces());
        EXPECT_EQ(States(Cached), LinkStates());
    }
    EXPECT_FALSE(Cache.IsValidPosition(-1));
    EXPECT_FALSE(Cache.IsValidPosition(Row.Positions));
}

INSTANTIATE_TEST_SUITE_P(Mechanisms, TGearCacheFillTest, ::testing::ValuesIn(FillRows),
                         [](const auto& Info) { return Info.param.Name; });

struct TGearCacheTest : ::testing::Test, TGearCacheRig {};

TEST_F(TGearCacheTest, InvalidFirstPositionPutsTheDrawingBack) {
    LockingFourBar();
    const std::vector<TMMPoint> Drawing = JointPlaces();
    SetValues({Pi / 2, Pi / 6}); // the first locks after turning the crank; the last solves
    ASSERT_TRUE(Fill());
    EXPECT_FALSE(Cache.IsValidPosition(0));
    EXPECT_TRUE(Cache.IsValidPosition(1));
    EXPECT_EQ(JointPlaces(), Drawing);
}

TEST_F(TGearCacheTest, NoValidRowHasNoBoundsAndLeavesTheDrawing) {
    LockingFourBar();
    const std::vector<TMMPoint> Drawing = JointPlaces();
    SetValues({Pi / 2, 3 * Pi / 4});
    ASSERT_TRUE(Fill());
    EXPECT_TRUE(Cache.Filled());
    EXPECT_FALSE(Cache.IsValidPosition(0));
    EXPECT_FALSE(Cache.IsValidPosition(1));
    EXPECT_EQ(Cache.GetCachedBounds(), std::nullopt);
    EXPECT_EQ(JointPlaces(), Drawing);
}

TEST_F(TGearCacheTest, BoundsEncloseTheValidRowsOnly) {
    LockingFourBar();
    TurnOnce(24);
    ASSERT_TRUE(Fill());
    const std::optional<TMMRect> Bounds = Cache.GetCachedBounds();
    ASSERT_TRUE(Bounds.has_value());
    // Far from the zeros of the locked rows; the crank never turns to its left end.
    EXPECT_GT(Bounds->Left, 80);
    EXPECT_GT(Bounds->Bottom, 50);
    bool LeftReached = false, TopReached = false;
    for (int I = 0; I < Cache.PositionCount(); ++I)
        if (Cache.IsValidPosition(I))
            for (const TMMPoint& P : Cache.Row(I).Joints()) {
                EXPECT_TRUE(P.X >= Bounds->Left && P.X <= Bounds->Right);
                EXPECT_TRUE(P.Y >= Bounds->Bottom && P.Y <= Bounds->Top);
                LeftReached |= P.X == Bounds->Left;
                TopReached |= P.Y == Bounds->Top;
            }
    EXPECT_TRUE(LeftReached);
    EXPECT_TRUE(TopReached);
}

TEST_F(TGearCacheTest, ApplySaveAndRestoreRoundTrip) {
    SixBar();
    TurnOnce(36);
    const std::vector<TMMPoint> Drawing = JointPlaces();
    Cache.SaveJointPositions();
    ASSERT_TRUE(Fill());

    int PaintsBefore = Paints;
    Cache.ApplyPosition(9);
    EXPECT_EQ(JointPlaces(), Points(Cache.Row(9)));
    EXPECT_EQ(LinkStates(), States(Cache.Row(9)));
    EXPECT_EQ(Paints, PaintsBefore + 1);

    const std::vector<TMMPoint> Turned = JointPlaces();
    for (int Outside : {-1, 36}) {
        PaintsBefore = Paints;
        Cache.ApplyPosition(Outside);
        EXPECT_EQ(JointPlaces(), Turned);
        EXPECT_EQ(Paints, PaintsBefore + 1);
    }

    Cache.Clear();
    EXPECT_FALSE(Cache.Filled());
    EXPECT_EQ(Cache.PositionCount(), 0);
    EXPECT_FALSE(Cache.IsValidPosition(0));
    PaintsBefore = Paints;
    Cache.RestoreJointPositions();
    EXPECT_EQ(JointPlaces(), Drawing);
    EXPECT_EQ(Paints, PaintsBefore + 1);
}

TEST_F(TGearCacheTest, InvalidRowChangesNoJointButRepaints) {
    LockingFourBar();
    TurnOnce(24);
    ASSERT_TRUE(Fill());
    Cache.ApplyPosition(2);
    const std::vector<TMMPoint> Before = JointPlaces();
    const int PaintsBefore = Paints;
    Cache.ApplyPosition(5);
    EXPECT_EQ(JointPlaces(), Before);
    EXPECT_EQ(Paints, PaintsBefore + 1);
}

TEST_F(TGearCacheTest, JointCountsThatDifferFromTheRowsAreGuarded) {
    CrankRocker();
    TurnOnce(4);
    Cache.SaveJointPositions();
    ASSERT_TRUE(Fill());
    // A joint that came after the fill and the saving keeps its place.
    TJoint* Late = Joint(70, 70);
    Cache.ApplyPosition(2);
    ExpectAt(A, 0, -10);
    ExpectAt(Late, 70, 70);
    Cache.RestoreJointPositions();
    ExpectAt(A, 0, 10);
    ExpectAt(Late, 70, 70);
    Cache.StorePosition(1);
    EXPECT_EQ(Cache.Row(1).Joints().size(), 4u);

    // Fewer joints than the rows hold: only those there are move.
    D().DeleteJoint(Late);
    D().DeleteJoint(B);
    ASSERT_EQ(D().Joints().Count(), 3);
    Cache.ApplyPosition(2);
    ExpectAt(A, 0, -10);
    Cache.RestoreJointPositions();
    ExpectAt(A, 0, 10);
}

TEST_F(TGearCacheTest, StoringTakesTheCurrentPlacesIntoARowInRange) {
    CrankRocker();
    TurnOnce(4);
    Calculator.Prepare();
    Cache.StorePosition(0); // no rows yet
    EXPECT_FALSE(Cache.IsValidPosition(0));
    ASSERT_TRUE(Cache.Calculate());
    A->SetX(3);
    Cache.StorePosition(4);
    Cache.StorePosition(-1);
    Cache.StorePosition(1);
    EXPECT_EQ(Cache.Row(1).Joints()[1], MMPoint(3, 10));
    EXPECT_EQ(Cache.PositionCount(), 4);
}

TEST_F(TGearCacheTest, LinkStatesGiveAnglesAndSlideDistances) {
    CrankRocker();
    TLink* Guide = Link({FrameJoint(10, -20), FrameJoint(50, -10)});
    TSlider* Block = Slider(Guide, 30, -15);
    EXPECT_EQ(TGearCache::GetLinkState(*D().Rack()), TLinkState{});
    EXPECT_DOUBLE_EQ(TGearCache::GetLinkState(*Crank).Angle, Pi / 2);
    EXPECT_EQ(TGearCache::GetLinkState(*Crank).SlideDistance, 0);
    const TLinkState OnGuide = TGearCache::GetLinkState(*Block);
    EXPECT_DOUBLE_EQ(OnGuide.Angle, std::atan2(10.0, 40.0));
    EXPECT_DOUBLE_EQ(OnGuide.SlideDistance, std::hypot(20.0, 5.0));
}

TEST_F(TGearCacheTest, RowsBeyondTheMemoryLimitAreRefusedWithTheDrawingKept) {
    SixBar();
    TurnOnce(99999);
    const std::vector<TMMPoint> Drawing = JointPlaces();
    const int PaintsBefore = Paints;
    Calculator.Prepare();
    // 99,999 rows of 7 joints and 6 links take about 20 MB.
    TGearCache Small(D(), Calculator, 10'000'000);
    EXPECT_FALSE(Small.Calculate());
    EXPECT_FALSE(Small.Filled());
    EXPECT_EQ(Small.PositionCount(), 0);
    EXPECT_FALSE(Small.IsValidPosition(0));
    EXPECT_EQ(Small.GetCachedBounds(), std::nullopt);
    EXPECT_EQ(JointPlaces(), Drawing);
    EXPECT_EQ(Paints, PaintsBefore);
    EXPECT_FALSE(Surface().IsUpdating());
}

} // namespace
