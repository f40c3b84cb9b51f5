// Items and change links: registration, the change protocol and letting go.
#include "surface/MMGraphicItem.h"
#include "support/FakeControl.h"
#include "surface/MMSurface.h"

#include <gtest/gtest.h>

namespace {

class TCountingItem : public TMMGraphicItem {
public:
    using TMMGraphicItem::TMMGraphicItem;
    void Paint() override { ++Painted; }
    int Painted = 0;
};

TEST(GraphicItem, StartsInvisibleAtOrderZeroWithoutSurface) {
    TCountingItem I;
    EXPECT_EQ(I.Order(), 0);
    EXPECT_FALSE(I.Visible());
    EXPECT_EQ(I.MMSurface(), nullptr);
    EXPECT_FALSE(I.OnChange);
    I.SetVisible(true); // without a surface nobody listens
}

TEST(GraphicItem, MovesBetweenSurfacesAndRepaintsBoth) {
    TSurfaceRig R1, R2;
    TCountingItem I;
    int Paints1 = 0, Paints2 = 0;
    R1.Surface->OnPaint = [&](TObject*) { ++Paints1; };
    R2.Surface->OnPaint = [&](TObject*) { ++Paints2; };
    I.SetMMSurface(R1.Surface.get());
    EXPECT_EQ(R1.Surface->GraphicItems().Count(), 1);
    EXPECT_EQ(Paints1, 1); // registering calls Changed
    I.SetMMSurface(R2.Surface.get());
    EXPECT_EQ(R1.Surface->GraphicItems().Count(), 0);
    EXPECT_EQ(R2.Surface->GraphicItems().Count(), 1);
    EXPECT_EQ(Paints1, 2); // unregistering repaints the old one
    EXPECT_EQ(Paints2, 1);
    // Setting the same value still counts as a change.
    I.SetOrder(0);
    EXPECT_EQ(Paints2, 2);
    I.SetMMSurface(nullptr);
    EXPECT_FALSE(I.OnChange);
    EXPECT_EQ(R2.Surface->GraphicItems().Count(), 0);
}

TEST(GraphicItem, UnregisteringAnAbsentItemDoesNothing) {
    TSurfaceRig R;
    TCountingItem I;
    int Paints = 0;
    R.Surface->OnPaint = [&](TObject*) { ++Paints; };
    R.Surface->UnRegisterGraphicItem(&I);
    EXPECT_EQ(Paints, 0);
}

TEST(GraphicItem, AnItemDestroyedFirstLeavesTheSurface) {
    TSurfaceRig R;
    auto I = std::make_unique<TCountingItem>();
    I->SetMMSurface(R.Surface.get());
    I.reset();
    EXPECT_EQ(R.Surface->GraphicItems().Count(), 0);
    EXPECT_NO_THROW(R.Surface->Repaint(false));
}

// A follower overriding SetMMSurface moves its change link with it and lets go in its own
// destructor, where the base's would no longer reach the override.
class TFollowingItem : public TCountingItem {
public:
    TFollowingItem() {
        Link.OnChange = [this](TObject*) { ++ViewChanges; };
    }
    ~TFollowingItem() override { SetMMSurface(nullptr); }
    void SetMMSurface(TMMSurface* S) override {
        if (MMSurface())
            MMSurface()->UnRegisterChanges(&Link);
        TCountingItem::SetMMSurface(S);
        if (S)
            S->RegisterChanges(&Link);
    }
    TNotifyChangeLink Link;
    int ViewChanges = 0;
};

TEST(GraphicItem, AFollowerHearsOfViewChangesAndLetsGo) {
    TSurfaceRig R;
    {
        TFollowingItem F;
        F.SetMMSurface(R.Surface.get());
        R.Surface->ZoomIn(0, 0, 2);
        EXPECT_EQ(F.ViewChanges, 1);
        EXPECT_EQ(F.Link.Sender(), R.Surface.get());
    }
    R.Surface->Update(); // no dangling link is told
    EXPECT_EQ(R.Surface->GraphicItems().Count(), 0);
}

TEST(ChangeLink, ALinkFreedWhileRegisteredUnregistersItself) {
    TSurfaceRig R;
    int Told = 0;
    {
        TNotifyChangeLink Link;
        Link.OnChange = [&](TObject*) { ++Told; };
        R.Surface->RegisterChanges(&Link);
        R.Surface->NotifyChange();
    }
    R.Surface->NotifyChange();
    EXPECT_EQ(Told, 1);
}

TEST(GraphicItemList, SortsStablyByOrder) {
    TCountingItem A, B, C, D;
    A.SetOrder(3);
    B.SetOrder(1);
    C.SetOrder(3);
    D.SetOrder(1);
    TMMGraphicItemList L;
    for (auto* I : {&A, &B, &C, &D})
        L.Add(I);
    L.SortByOrder();
    EXPECT_EQ(L.Items(0), &B);
    EXPECT_EQ(L.Items(1), &D);
    EXPECT_EQ(L.Items(2), &A);
    EXPECT_EQ(L.Items(3), &C);
    EXPECT_TRUE(L.Remove(&A));
    EXPECT_FALSE(L.Remove(&A));
    EXPECT_EQ(L.IndexOf(&C), 2);
}

} // namespace
