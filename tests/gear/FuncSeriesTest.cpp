// The transfer-function series: the quantities offered, their values over the cached positions,
// line breaks, colours, labels, the fitted view, and the gear position under a plot x.
#include "gear/uFuncSeries.h"
#include "gear/uGearCache.h"
#include "gear/uGearCalc.h"
#include "platform/Random.h"
#include "support/MechanismRigs.h"
#include "surface/MMCoord.h"
#include "surface/MMDiagram.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr double Pi = std::numbers::pi;

struct FuncSeriesTest : ::testing::Test, TModelRig {
    FuncSeriesTest() {
        // The plot keeps independent scales, as the diagram frame's surface does.
        FuncView.Surface->SetSquare(false);
        Diagram.SetMMSurface(FuncView.Surface.get());
    }

    // Crank A0(0,0)-A(0,10) and a coupler to a block on the frame guide y = 15, which it reaches
    // only while the crank stays within about 37 degrees of upright.
    TSlider* SliderOnHighGuide() {
        A0 = FrameJoint(0, 0);
        A = Joint(0, 10);
        Crank = Link({A0, A});
        TSlider* Block = Slider(Link({FrameJoint(-50, 15), FrameJoint(50, 15)}), 5, 15);
        Coupler = Link({A, Pin(Block)});
        Drive = D().AddRotaryDrive(A0, true);
        return Block;
    }
    void SetValues(const std::vector<double>& Values) {
        Drive->SetIntervals(static_cast<int>(Values.size()));
        for (std::size_t I = 0; I < Values.size(); ++I)
            Drive->SetValue(static_cast<int>(I), Values[I]);
    }
    void Fill() {
        Calculator.Prepare();
        ASSERT_TRUE(Calculator.CanCalculate());
        ASSERT_TRUE(Cache.Calculate());
        Series.FillXAxisList();
        Series.FillYAxisList();
    }
    static std::vector<std::string> Texts(const std::vector<TFuncItem>& Items) {
        std::vector<std::string> T;
        for (const TFuncItem& I : Items)
            T.push_back(I.Text);
        return T;
    }
    int YIndex(const std::string& Text) const {
        for (std::size_t I = 0; I < Series.YItems().size(); ++I)
            if (Series.YItems()[I].Text == Text)
                return static_cast<int>(I);
        ADD_FAILURE() << "no y entry " << Text;
        return -1;
    }
    int XIndex(const std::string& Text) const {
        for (std::size_t I = 0; I < Series.XItems().size(); ++I)
            if (Series.XItems()[I].Text == Text)
                return static_cast<int>(I);
        ADD_FAILURE() << "no x entry " << Text;
        return -1;
    }
    // Builds over x entry X with the named y entries checked.
    void Build(const std::string& X, const std::vector<std::string>& Y) {
        std::vector<bool> Checked(Series.YItems().size());
        for (const std::string& T : Y)
            Checked[static_cast<std::size_t>(YIndex(T))] = true;
        Series.BuildSeries(XIndex(X), Checked);
    }
    const TMMDataSerie& Serie(int I) const { return *Diagram.Series().Items(I); }
    std::string Angle(const TCustomLink* L) const {
        return "[Winkel] Phi " + std::to_string(L->ID()) + "/1";
    }
    void ExpectView(double XMin, double XMax, double YMin, double YMax) const {
        const TMMSurface& S = *FuncView.Surface;
        EXPECT_NEAR(S.XMin(), XMin, 1e-9);
        EXPECT_NEAR(S.XMax(), XMax, 1e-9);
        EXPECT_NEAR(S.YMin(), YMin, 1e-9);
        EXPECT_NEAR(S.YMax(), YMax, 1e-9);
    }

    TGearCalculator Calculator{D()};
    TGearCache Cache{D(), Calculator};
    TSurfaceRig FuncView{400, 300};
    TMMDiagram Diagram;
    TMMCoord Coord;
    TFuncSeries Series{D(), Cache, Diagram, Coord};
};

TEST_F(FuncSeriesTest, ListsTheFrameLessLinksThenTheDrivesLargerNumberFirst) {
    TJoint* G1 = FrameJoint(0, 0);
    TJoint* G2 = FrameJoint(40, 0);
    TLink* Low = Link({G1, Joint(0, 10)});
    TLink* Middle = Link({Joint(5, 5), Joint(5, 10)});
    TSlider* Loose = Slider(nullptr, 20, 20);
    TLink* High = Link({Joint(30, 30), Joint(30, 40)});
    TLink* Fixed = Link({G1, G2});
    D().UpdateFrameLink();
    ASSERT_EQ(Fixed->ID(), 1);
    ASSERT_LT(Low->ID(), High->ID());
    for (auto [Link0, Link1] : {std::pair<TLink*, TLink*>{Low, High}, {High, Low}}) {
        TDrive* Turning = D().CreateDriveOffSurface();
        Turning->SetLink0(Link0);
        Turning->SetLink1(Link1);
    }
    TDrive* Sliding = D().CreateDriveOffSurface();
    Sliding->SetDriveType(dtSliding);
    Sliding->SetLink0(Loose);
    Sliding->SetLink1(Low);
    // Nothing solves, but every row exists.
    ASSERT_TRUE(Cache.Calculate());
    Series.FillXAxisList();
    Series.FillYAxisList();

    auto N = [](const TCustomLink* L) { return std::to_string(L->ID()); };
    const std::vector<std::string> Expected = {"GST",
                                               Angle(Low),
                                               Angle(Middle),
                                               "[Strecke] s " + N(Loose) + "/-",
                                               Angle(High),
                                               "[Winkel] Phi 1/1",
                                               "[Antrieb] Phi " + N(High) + "/" + N(Low),
                                               "[Antrieb] Phi " + N(High) + "/" + N(Low),
                                               "[Antrieb] s " + N(Loose) + "/" + N(Low)};
    EXPECT_EQ(Texts(Series.XItems()), Expected);
    EXPECT_EQ(Texts(Series.YItems()), Expected);
    EXPECT_EQ(Series.YItems()[5].Link, Fixed);
    EXPECT_EQ(Series.YItems()[6].Drive, D().Drives().Items(0));
}

TEST_F(FuncSeriesTest, WithoutCalculatedDataOnlyTheXListHoldsGstAndNothingIsBuilt) {
    CrankRocker();
    TurnOnce(36);
    EXPECT_FALSE(Series.HasCalculatedData());
    Series.FillXAxisList();
    Series.FillYAxisList();
    EXPECT_EQ(Texts(Series.XItems()), std::vector<std::string>{"GST"});
    EXPECT_TRUE(Series.YItems().empty());
    A->SetX(3);
    Series.BuildSeries(0, {true});
    EXPECT_EQ(Diagram.Series().Count(), 0);
    EXPECT_EQ(A->X(), 3) << "no gear position applied";
}

TEST_F(FuncSeriesTest, GstOverGstRunsFromOneToNWithOnePercentMargins) {
    CrankRocker();
    TurnOnce(36);
    Fill();
    Build("GST", {"GST"});
    ASSERT_EQ(Diagram.Series().Count(), 1);
    const TMMDataSerie& S = Serie(0);
    ASSERT_EQ(S.Count(), 36);
    for (int I = 0; I < 36; ++I) {
        EXPECT_EQ(S.GetElement(I).X(), I + 1);
        EXPECT_EQ(S.GetElement(I).Y(), I + 1);
        EXPECT_TRUE(S.GetElement(I).Valid());
    }
    EXPECT_EQ(S.Name(), "GST");
    EXPECT_TRUE(S.Visible());
    EXPECT_EQ(S.Width(), 1);
    EXPECT_EQ(Coord.XLabel(), "GST");
    EXPECT_EQ(Coord.YLabel(), "GST");
    ExpectView(1 - 0.35, 36 + 0.35, 1 - 0.35, 36 + 0.35);
}

TEST_F(FuncSeriesTest, ASinglePositionCountsItsZeroSpansAsTwo) {
    CrankRocker();
    TurnOnce(1);
    Fill();
    Build("GST", {"GST"});
    ExpectView(0.98, 1.02, 0.98, 1.02);
}

TEST_F(FuncSeriesTest, NoYEntryLeavesAnEmptyDiagramInTheDefaultView) {
    CrankRocker();
    TurnOnce(36);
    Fill();
    Coord.SetYLabel("alt");
    Build("GST", {});
    EXPECT_EQ(Diagram.Series().Count(), 0);
    EXPECT_EQ(Coord.XLabel(), "GST");
    EXPECT_EQ(Coord.YLabel(), "");
    ExpectView(1, 360, 0, 360);
}

TEST_F(FuncSeriesTest, ACrankWrappingOnceBreaksItsLineWithOneGapThatTheFitLeavesOut) {
    CrankRockerAt(30);
    TurnOnce(36);
    Fill();
    Build("GST", {Angle(Crank)});
    const TMMDataSerie& S = Serie(0);
    ASSERT_EQ(S.Count(), 37);
    EXPECT_NEAR(S.GetElement(0).Y(), 30, 1e-6);
    int Gaps = 0;
    for (int I = 0; I < S.Count(); ++I) {
        const TMMDataElement& E = S.GetElement(I);
        if (E.Valid())
            continue;
        ++Gaps;
        EXPECT_EQ(E.X(), 0);
        EXPECT_EQ(E.Y(), 0);
        EXPECT_GT(S.GetElement(I - 1).Y(), 340);
        EXPECT_LT(S.GetElement(I + 1).Y(), 20);
    }
    EXPECT_EQ(Gaps, 1);
    EXPECT_EQ(Coord.YLabel(), "Grad");
    EXPECT_NEAR(FuncView.Surface->XMin(), 1 - 0.35, 1e-9) << "the gap at x 0 is no data";
}

TEST_F(FuncSeriesTest, AnUnsolvedSliderPositionBreaksTheLine) {
    TSlider* Block = SliderOnHighGuide();
    SetValues({0, 0.3, 1.0, 0.3});
    Fill();
    ASSERT_FALSE(Cache.IsValidPosition(2));
    const std::string Distance = "[Strecke] s " + std::to_string(Block->ID()) + "/" +
                                 std::to_string(Block->SlideLink()->ID());
    Build("GST", {Distance});
    const TMMDataSerie& S = Serie(0);
    ASSERT_EQ(S.Count(), 4);
    for (int I = 0; I < 4; ++I)
        EXPECT_EQ(S.GetElement(I).Valid(), I != 2) << I;
    EXPECT_NEAR(S.GetElement(0).Y(), 55, 1e-6);
    EXPECT_EQ(S.GetElement(2).Y(), 0);
    // The fit spans the solved distances, not the zero of the unsolved row.
    EXPECT_GT(FuncView.Surface->YMin(), 40);
}

TEST_F(FuncSeriesTest, AnUnsolvedRowOfALinkAngleXIsNoPointAndNoPairForTheCursor) {
    SliderOnHighGuide();
    SetValues({0, 0.2, 1.0, 0.4});
    Fill();
    Build(Angle(Crank), {"GST"});
    const TMMDataSerie& S = Serie(0);
    ASSERT_EQ(S.Count(), 4);
    EXPECT_EQ(S.GetElement(2).X(), 0);
    EXPECT_FALSE(S.GetElement(2).Valid()) << "no stroke to x = 0";
    EXPECT_TRUE(S.GetElement(3).Valid());
    EXPECT_EQ(Coord.XLabel(), "Grad");
    EXPECT_GT(FuncView.Surface->XMin(), 80);
    EXPECT_EQ(Series.PositionAt(95), 0);
    EXPECT_EQ(Series.PositionAt(50), std::nullopt);
}

TEST_F(FuncSeriesTest, TheLabelNamesEachKindBuiltInItsOrder) {
    TSlider* Block = SliderOnHighGuide();
    SetValues({0, 0.2});
    Fill();
    Build("GST", {Angle(Crank),
                  "[Strecke] s " + std::to_string(Block->ID()) + "/" +
                      std::to_string(Block->SlideLink()->ID()),
                  "GST"});
    EXPECT_EQ(Diagram.Series().Count(), 3);
    EXPECT_EQ(Coord.YLabel(), "GST, mm, Grad");
}

TEST_F(FuncSeriesTest, EachSerieDrawsRedGreenBlueFromTheRandomGenerator) {
    CrankRocker();
    TurnOnce(4);
    Fill();
    std::vector<int> Script = {0, 7, 3, 1, 1, 1};
    std::vector<int> Asked;
    TScopedRandomSource Scripted([&](int N) {
        Asked.push_back(N);
        int R = Script.front();
        Script.erase(Script.begin());
        return R;
    });
    Build("GST", {"GST", Angle(Crank)});
    EXPECT_EQ(Asked, std::vector<int>(6, 8));
    EXPECT_EQ(Serie(0).Color(), TColor(64 | 176 << 8 | 112 << 16));
    EXPECT_EQ(Serie(1).Color(), TColor(80 | 80 << 8 | 80 << 16));
    EXPECT_EQ(Serie(1).Name(), Angle(Crank));
}

TEST_F(FuncSeriesTest, ARotaryDriveStartsAtItsAngleInPositionZero) {
    CrankRocker();
    SetValues({0, -10 * Pi / 180, -20 * Pi / 180});
    Fill();
    Build("GST", {"[Antrieb] Phi 2/1"});
    const double Start = (Drive->Link1()->Angle() - Drive->Link0()->Angle()) * 180 / Pi;
    EXPECT_NEAR(std::abs(Start), 90, 1e-9);
    for (int I = 0; I < 3; ++I)
        EXPECT_NEAR(Serie(0).GetElement(I).Y(), Start - 10 * I, 1e-9);
}

TEST_F(FuncSeriesTest, AnEntryThatLeftTheModelEndsTheBuildAndLaterEntriesHaveNoSerie) {
    CrankRocker();
    TurnOnce(4);
    Fill();
    TDrive* Second = D().CreateDriveOffSurface();
    Second->SetLink0(Rocker);
    Second->SetLink1(D().Rack());
    Series.FillXAxisList();
    Series.FillYAxisList();
    ASSERT_EQ(Texts(Series.YItems()).back(), "[Antrieb] Phi 4/1");
    D().RemoveDrive(Drive);
    // GST, three links, the lost drive, the second drive.
    const std::vector<bool> All(6, true);
    Series.BuildSeries(0, All);
    EXPECT_EQ(Diagram.Series().Count(), 4);
    EXPECT_EQ(Series.GetItemSerie(0), Diagram.Series().Items(0));
    EXPECT_EQ(Series.GetItemSerie(3), Diagram.Series().Items(3));
    for (int Without : {4, 5, 6, -1})
        EXPECT_EQ(Series.GetItemSerie(Without), nullptr) << Without;
    EXPECT_EQ(Coord.YLabel(), "GST, Grad");

    // The lost object as x: nothing built, labels and view stay.
    const TMMRect View = FuncView.Surface->ViewRect();
    Series.BuildSeries(4, All);
    EXPECT_EQ(Diagram.Series().Count(), 0);
    EXPECT_EQ(Coord.YLabel(), "GST, Grad");
    EXPECT_EQ(FuncView.Surface->ViewRect(), View);
    EXPECT_EQ(Series.GetItemSerie(0), nullptr);
}

TEST_F(FuncSeriesTest, BuildingPutsTheMechanismIntoPositionZero) {
    CrankRocker();
    TurnOnce(4);
    Fill();
    Cache.ApplyPosition(2);
    Series.BuildSeries(0, {});
    EXPECT_EQ(A->Position(),
              Cache.Row(0).Joints()[static_cast<std::size_t>(D().Joints().IndexOf(A))]);
}

TEST_F(FuncSeriesTest, ClearingEmptiesBothListsAndTheDiagram) {
    CrankRocker();
    TurnOnce(4);
    Fill();
    Build("GST", {"GST"});
    Series.ClearDiagram();
    EXPECT_TRUE(Series.XItems().empty());
    EXPECT_TRUE(Series.YItems().empty());
    EXPECT_EQ(Diagram.Series().Count(), 0);
    EXPECT_EQ(Series.GetItemSerie(0), nullptr);
    EXPECT_EQ(Series.PositionAt(2), std::nullopt);
}

struct TCursorCase {
    double X;
    std::optional<int> Position;
};

TEST_F(FuncSeriesTest, TheCursorTakesTheSmallerXOfTheEnclosingPair) {
    CrankRocker();
    TurnOnce(36);
    Fill();
    EXPECT_EQ(Series.PositionAt(5), std::nullopt) << "no series yet";
    Build("GST", {"GST"});
    for (TCursorCase C :
         std::vector<TCursorCase>{{5.4, 4}, {5.6, 4}, {1, 0}, {36, 34}, {36.01, {}}, {0.99, {}}}) {
        SCOPED_TRACE(C.X);
        EXPECT_EQ(Series.PositionAt(C.X), C.Position);
    }
}

TEST_F(FuncSeriesTest, AFallingXIsFoundByTheBackwardScan) {
    CrankRocker();
    std::vector<double> Falling;
    for (int I = 0; I < 10; ++I)
        Falling.push_back(-I * 10 * Pi / 180);
    SetValues(Falling);
    Fill();
    Build("[Antrieb] Phi 2/1", {"GST"});
    const double X0 = Serie(0).GetElement(0).X();
    EXPECT_EQ(Series.PositionAt(X0 - 15), 2);
    EXPECT_EQ(Series.PositionAt(X0 - 90), 9);
    EXPECT_EQ(Series.PositionAt(X0 + 1), std::nullopt);
}

TEST_F(FuncSeriesTest, AWrappingXBreaksTheLineAndFormsNoPairAcrossTheJump) {
    CrankRockerAt(35);
    TurnOnce(36);
    Fill();
    Build(Angle(Crank), {"GST"});
    // x runs 35, 45, ..., 355 in positions 0 to 32, then 5, 15, 25.
    ASSERT_EQ(Serie(0).Count(), 37) << "one gap where x wraps";
    for (TCursorCase C :
         std::vector<TCursorCase>{{200, 16}, {10, 33}, {30, {}}, {358, {}}, {0, {}}}) {
        SCOPED_TRACE(C.X);
        EXPECT_EQ(Series.PositionAt(C.X), C.Position);
    }
}

} // namespace
