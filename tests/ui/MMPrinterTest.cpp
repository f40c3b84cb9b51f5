// The printer item on a fake printer: the page factor, the enlarged settings during the print and
// their exact return afterwards, the page's view for each print view, and failing printers.
#include "PrintRig.h"
#include "platform/Printer.h"
#include "support/RecordingCanvas.h"
#include "ui/ViewPrinter.h"
#include "xml/XMLPrefs.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

namespace {

class TFakePrinter : public TPrinter {
public:
    TFakePrinter(int W, int H, int Dpi = 600) : Width(W), Height(H), Dpi(Dpi) {}
    void SetTitle(const std::string& T) override { Title = T; }
    void BeginDoc() override {
        if (FailBegin)
            throw std::runtime_error("kein Drucker");
        ++Begun;
    }
    void EndDoc() override {
        if (OnEnd)
            OnEnd();
        if (FailEnd)
            throw std::runtime_error("Spooler voll");
        ++Ended;
    }
    void Abort() override { ++Aborted; }
    TCanvas& Canvas() override { return Page; }
    int PageWidth() const override { return Width; }
    int PageHeight() const override { return Height; }
    int Resolution() const override { return Dpi; }

    int Width, Height, Dpi;
    bool FailBegin = false;
    bool FailEnd = false;
    std::function<void()> OnEnd;
    std::string Title;
    int Begun = 0, Ended = 0, Aborted = 0;
    TRecordingCanvas Page;
};

using TItemState = std::tuple<std::string, std::string, TVariant, TVariant>;

std::vector<TItemState> StoreState(const TCustomXMLPreferences& P) {
    std::vector<TItemState> State;
    for (int I = 0; I < P.Count(); ++I) {
        const TPreferenceItem* Item = P.GetItem(I);
        State.emplace_back(Item->Category(), Item->Name(), Item->Default(), Item->Value());
    }
    return State;
}

void ExpectView(const TMMSurface& S, const TMMRect& R) {
    EXPECT_NEAR(S.XMin(), R.Left, 1e-9);
    EXPECT_NEAR(S.YMax(), R.Top, 1e-9);
    EXPECT_NEAR(S.XMax(), R.Right, 1e-9);
    EXPECT_NEAR(S.YMin(), R.Bottom, 1e-9);
}

TEST(MMPrinter, PageFactorIsTheTighterEnlargementAndOneWithoutAScreen) {
    const struct {
        int SW, SH, PW, PH;
        double F;
    } Cases[] = {{700, 500, 4800, 6600, 4800.0 / 700},
                 {500, 700, 6600, 4800, 4800.0 / 700},
                 {0, 500, 4800, 6600, 1},
                 {700, 0, 4800, 6600, 1}};
    for (const auto& C : Cases) {
        SCOPED_TRACE(std::to_string(C.SW) + "x" + std::to_string(C.SH));
        EXPECT_DOUBLE_EQ(TMMPrinter::PageFactor(C.SW, C.SH, C.PW, C.PH), C.F);
    }
}

class MMPrinterOnFake : public ::testing::Test {
protected:
    MMPrinterOnFake() {
        Rig.Surface().SetMMRect(MMRect(0, 100, 140, 0));
        Rig.Settings().SetValue("Joints", "Radius", TVariant::Byte(5));
        Rig.Build->Link({Rig.Build->Joint(10, 10), Rig.Build->Joint(60, 40)});
        ScreenView = Rig.Surface().ViewRect();
        Before = StoreState(Rig.Settings());
    }
    TJoint* FirstJoint() { return Rig.Data->Joints().Items(0); }
    void ExpectAsBefore() {
        EXPECT_EQ(StoreState(Rig.Settings()), Before);
        ExpectView(Rig.Surface(), ScreenView);
        EXPECT_FALSE(Rig.Surface().Printing());
        EXPECT_NE(Rig.Surface().GetCanvas(), &Printer.Page);
        EXPECT_EQ(FirstJoint()->Radius(), 5);
    }

    TFakePrinter Printer{4800, 6600};
    TPrintRig Rig{700, 500, Printer};
    TMMRect ScreenView;
    std::vector<TItemState> Before;
};

TEST_F(MMPrinterOnFake, EnlargesThePixelSizesForThePageAndPutsThemBackExactly) {
    double ScaledRadius = 0, PlaneLength = 0;
    int JointRadius = 0;
    Rig.OnApplied = [&](int Count) {
        if (Count != 1)
            return;
        ScaledRadius = Rig.Settings().GetDouble("Joints", "Radius");
        PlaneLength = Rig.Settings().GetDouble("Planes", "Length");
        JointRadius = FirstJoint()->Radius();
        EXPECT_TRUE(Rig.Surface().Printing());
    };
    Rig.Item.SetPrintTitle("Kurbel.kxw");
    Rig.Item.Print();

    EXPECT_NEAR(ScaledRadius, 5 * 4800.0 / 700, 1e-9);
    EXPECT_EQ(JointRadius, 34);
    EXPECT_EQ(PlaneLength, 20); // world millimetres stay as they are
    EXPECT_EQ(Rig.Applied, 2);
    EXPECT_EQ(Printer.Title, "Kurbel.kxw");
    EXPECT_EQ(Printer.Begun, 1);
    EXPECT_EQ(Printer.Ended, 1);
    const auto Texts = Printer.Page.Of("TextOut");
    ASSERT_FALSE(Texts.empty());
    EXPECT_EQ(Texts.back().Text, "Kurbel.kxw");
    EXPECT_EQ(Texts.back().Points.front(), (TPoint{0, 0}));
    EXPECT_EQ(Texts.back().Font.Name, "Arial");
    EXPECT_EQ(Texts.back().Font.Height, 110);
    EXPECT_FALSE(Printer.Page.Of("Ellipse").empty());  // the joints went onto the page
    EXPECT_EQ(Printer.Page.Of("FillRect").size(), 1u); // painted once, already enlarged
    ExpectAsBefore();
}

TEST_F(MMPrinterOnFake, RepeatedPrintsLeaveNothingBehindInTheStore) {
    Rig.Item.Print();
    Rig.Item.Print();
    ExpectAsBefore();
}

TEST_F(MMPrinterOnFake, APrinterThatCannotStartChangesNothing) {
    Printer.FailBegin = true;
    EXPECT_THROW(Rig.Item.Print(), std::runtime_error);
    EXPECT_EQ(Rig.Applied, 0);
    EXPECT_TRUE(Printer.Page.Calls.empty());
    ExpectAsBefore();
}

TEST_F(MMPrinterOnFake, AFailureAfterScalingDropsTheDocumentAndRestores) {
    Printer.FailEnd = true;
    EXPECT_THROW(Rig.Item.Print(), std::runtime_error);
    EXPECT_EQ(Printer.Aborted, 1);
    EXPECT_EQ(Rig.Applied, 2);
    ExpectAsBefore();
}

TEST_F(MMPrinterOnFake, NothingWithoutAModel) {
    Rig.Item.SetGearData(nullptr);
    Rig.Item.Print();
    EXPECT_EQ(Printer.Begun, 0);
}

// The page's view, read when the document ends.
class MMPrinterView : public ::testing::Test {
protected:
    TMMRect PrintedView(TMMPrintViewType View) {
        TMMRect Seen;
        Printer.OnEnd = [&] { Seen = Rig.Surface().ViewRect(); };
        Rig.Item.SetPrintView(View);
        Rig.Item.Print();
        return Seen;
    }
    TFakePrinter Printer{1000, 1000, 254};
    TPrintRig Rig{400, 400, Printer};
};

TEST_F(MMPrinterView, FittedShowsTheJointsWithATenthMarginWidenedToThePage) {
    Rig.Build->Joint(0, -20);
    Rig.Build->Joint(100, 60);
    const TMMRect R = PrintedView(TMMPrintViewType::pvScalePage);
    EXPECT_NEAR(R.Left, -10, 1e-9);
    EXPECT_NEAR(R.Right, 110, 1e-9);
    EXPECT_NEAR((R.Top + R.Bottom) / 2, 20, 1e-9);
    EXPECT_NEAR(R.Top - R.Bottom, 120, 1e-9);
}

TEST_F(MMPrinterView, FittedWithoutJointsKeepsTheCurrentView) {
    Rig.Surface().SetMMRect(MMRect(0, 50, 50, 0));
    const TMMRect Shown = PrintedView(TMMPrintViewType::pvActualView);
    const TMMRect Fitted = PrintedView(TMMPrintViewType::pvScalePage);
    ExpectView(Rig.Surface(), MMRect(0, 50, 50, 0));
    EXPECT_EQ(Fitted, Shown);
}

TEST_F(MMPrinterView, TrueScaleIsTenPixelsPerMillimetreAt254DpiCentredOnTheJoints) {
    Rig.Build->Joint(0, 0);
    Rig.Build->Joint(100, 40);
    const TMMRect R = PrintedView(TMMPrintViewType::pvScale1);
    EXPECT_NEAR(R.Left, 0, 1e-9);
    EXPECT_NEAR(R.Right, 100, 1e-9);
    EXPECT_NEAR(R.Top, 70, 1e-9);
    EXPECT_NEAR(R.Bottom, -30, 1e-9);
}

TEST(ViewPrinter, TakesTitleAndViewAndPassesFailuresOn) {
    TFakePrinter Printer{1000, 1000, 254};
    TPrintRig Rig{400, 400, Printer};
    Rig.Item.SetMMSurface(nullptr);
    Rig.Build->Joint(0, 0);
    Rig.Build->Joint(100, 40);
    auto Seam = MakeViewPrinter(Rig.Surface(), *Rig.Data, Printer, Rig.Settings(), [] {});
    TMMRect Seen;
    Printer.OnEnd = [&] { Seen = Rig.Surface().ViewRect(); };

    Seam->Print("Getriebe.kxw", 2);
    EXPECT_EQ(Printer.Title, "Getriebe.kxw");
    EXPECT_NEAR(Seen.Right - Seen.Left, 100, 1e-9);
    Seam->Print("Getriebe.kxw", 7); // an unknown index keeps the last view
    EXPECT_NEAR(Seen.Right - Seen.Left, 100, 1e-9);

    Printer.FailBegin = true;
    EXPECT_THROW(Seam->Print("x", 0), std::runtime_error);
}

} // namespace
