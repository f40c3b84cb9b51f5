#include "platform/Component.h"
#include "platform/Watched.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {
std::vector<std::string> GLog;

class TLogged : public TComponent {
public:
    TLogged(TComponent* Owner, const std::string& N) : TComponent(Owner) { SetName(N); }
    ~TLogged() override { GLog.push_back("free " + Name()); }
    std::vector<std::uintptr_t> Removed; // addresses: the components are gone

protected:
    void Notification(TComponent* C, TOperation Op) override {
        if (Op == TOperation::opRemove)
            Removed.push_back(reinterpret_cast<std::uintptr_t>(C));
    }
};
} // namespace

TEST(Component, OwnerFreesChildrenLastFirst) {
    GLog.clear();
    {
        TLogged Owner(nullptr, "owner");
        new TLogged(&Owner, "a");
        new TLogged(&Owner, "b");
        auto* C = new TLogged(&Owner, "c");
        EXPECT_EQ(Owner.ComponentCount(), 3);
        delete C; // leaves its owner at once
        EXPECT_EQ(Owner.ComponentCount(), 2);
    }
    EXPECT_EQ(GLog, (std::vector<std::string>{"free c", "free owner", "free b", "free a"}));
}

TEST(Component, FreeNotificationIsMutualAndRemovable) {
    TLogged A(nullptr, "a");
    auto* B = new TLogged(nullptr, "b");
    auto* C = new TLogged(nullptr, "c");
    A.FreeNotification(B);
    A.FreeNotification(C);
    A.RemoveFreeNotification(C);
    const auto BAddress = reinterpret_cast<std::uintptr_t>(B);
    delete B;
    delete C;
    EXPECT_EQ(A.Removed, (std::vector<std::uintptr_t>{BAddress}));

    auto* D = new TLogged(nullptr, "d");
    D->FreeNotification(&A);
    const auto DAddress = reinterpret_cast<std::uintptr_t>(D);
    delete D; // A hears of D
    EXPECT_EQ(A.Removed.back(), DAddress);
}

TEST(Component, AWatchedPointerLetsGoWhenItsComponentIsFreed) {
    int Freed = 0;
    TWatched<TLogged> Watched([&] { ++Freed; });
    auto* A = new TLogged(nullptr, "a");
    auto* B = new TLogged(nullptr, "b");
    Watched = A;
    EXPECT_EQ(Watched.Get(), A);
    Watched = B; // A is no longer watched
    delete A;
    EXPECT_EQ(Watched.Get(), B);
    EXPECT_EQ(Freed, 0);
    delete B;
    EXPECT_EQ(Watched.Get(), nullptr);
    EXPECT_EQ(Freed, 1);

    // A watcher that goes first unregisters: freeing the component later tells nobody.
    TLogged C(nullptr, "c");
    {
        TWatched<TLogged> Short;
        Short = &C;
        EXPECT_EQ(Short->Name(), "c");
    }
    EXPECT_TRUE(C.Removed.empty());
}
