#include "gear/uDrive.h"
#include "gear/uGearPart.h"
#include "gear/uJoint.h"
#include "gear/uLink.h"
#include "gear/uRack.h"
#include "gear/uSlider.h"
#include "platform/Random.h"
#include "support/GearFixture.h"

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <set>
#include <vector>

// A part that adds nothing, for the base class's own behaviour. Outside any namespace, so its
// class name reads plainly.
class TPlainPart : public TGearPart {
public:
    void GetBounds(TMMRect&) override {}
    void Paint() override {}
};

namespace {

// Answers Random from a script; the last answer repeats once the script is used up.
class TScriptedRandom {
public:
    explicit TScriptedRandom(std::deque<int> Answers) : FAnswers(std::move(Answers)) {}
    int Draws = 0;

private:
    std::deque<int> FAnswers;
    TScopedRandomSource FInstalled{[this](int N) {
        EXPECT_EQ(N, GearPartUIDRange);
        int A = FAnswers.front();
        if (FAnswers.size() > 1)
            FAnswers.pop_front();
        ++Draws;
        return A;
    }};
};

TEST(TGearPartBase, Defaults) {
    TScriptedRandom Random({123456});
    TPlainPart P;
    EXPECT_EQ(P.UID(), 123456);
    EXPECT_EQ(P.ID(), -1);
    EXPECT_EQ(P.Identifier(), "");
    EXPECT_FALSE(P.Selected());
    EXPECT_EQ(P.LineColor(), 0x000000u);
    EXPECT_EQ(P.LineColorSelected(), 0xFF0000u);
    EXPECT_EQ(P.FillColor(), 0xFFFFFFu);
    EXPECT_EQ(P.FillColorSelected(), 0x00FFFFu);
    EXPECT_EQ(P.LineThickness(), 1);
    EXPECT_FALSE(P.ShowIdentifier());
    EXPECT_EQ(P.IDTextHeight(), 8);
    EXPECT_EQ(P.IdentifierTextHeight(), 10);
    EXPECT_TRUE(P.ShowID());
    EXPECT_TRUE(P.Visible());
    P.SetID(4);
    P.SetIdentifier("Kurbel");
    EXPECT_EQ(P.GetDisplayText(), "TPlainPart ID=4 Identifier=Kurbel");
}

TEST(TGearPartBase, RepaintRequests) {
    TPlainPart P;
    int Changes = 0;
    P.OnChange = [&](TObject* Sender) {
        EXPECT_EQ(Sender, &P);
        ++Changes;
    };
    struct TCase {
        const char* Name;
        std::function<void()> Write;
        int Repaints;
    } Cases[] = {
        {"ID new", [&] { P.SetID(3); }, 1},
        {"ID same", [&] { P.SetID(3); }, 0},
        {"Selected", [&] { P.SetSelected(true); }, 1},
        {"Selected same", [&] { P.SetSelected(true); }, 1},
        {"LineThickness same", [&] { P.SetLineThickness(1); }, 1},
        {"UID", [&] { P.SetUID(9); }, 0},
        {"Identifier", [&] { P.SetIdentifier("x"); }, 0},
        {"colours",
         [&] {
             P.SetLineColor(clRed);
             P.SetLineColorSelected(clRed);
             P.SetFillColor(clRed);
             P.SetFillColorSelected(clRed);
         },
         0},
        {"labels",
         [&] {
             P.SetIDTextHeight(20);
             P.SetIdentifierTextHeight(20);
             P.SetShowID(false);
             P.SetShowIdentifier(true);
         },
         0},
    };
    for (const TCase& Case : Cases) {
        SCOPED_TRACE(Case.Name);
        Changes = 0;
        Case.Write();
        EXPECT_EQ(Changes, Case.Repaints);
    }
}

TEST(TGearPartlistTest, AddNewMakesOnlyTheFourPartClasses) {
    TGearPartlist Parts;
    TJoint* J = Parts.AddNew<TJoint>();
    TLink* L = Parts.AddNew<TLink>();
    TSlider* S = Parts.AddNew<TSlider>();
    TRack* R = Parts.AddNew<TRack>();
    ASSERT_TRUE(J && L && S && R);
    EXPECT_EQ(Parts.Count(), 4);
    EXPECT_EQ(Parts.Items(0), J);
    EXPECT_EQ(Parts.Items(3), R);
    EXPECT_EQ(J->Owner(), nullptr);
    EXPECT_EQ(Parts.AddNew<TCustomLink>(), nullptr);
    EXPECT_EQ(Parts.AddNew<TGearPart>(), nullptr);
    EXPECT_EQ(Parts.AddNew<TDrive>(), nullptr);
    EXPECT_EQ(Parts.Count(), 4);
}

TEST(TGearPartlistTest, CollidingUIDIsRedrawn) {
    TScriptedRandom Random({5, 5, 5, 7, 9});
    TGearPartlist Parts;
    TJoint* A = Parts.AddNew<TJoint>();
    TJoint* B = Parts.AddNew<TJoint>();
    TJoint* C = Parts.AddNew<TJoint>();
    EXPECT_EQ(A->UID(), 5);
    EXPECT_EQ(B->UID(), 7);
    EXPECT_EQ(C->UID(), 9);
    EXPECT_TRUE(Parts.ContainsUID(7));
    EXPECT_FALSE(Parts.ContainsUID(6));
}

// A generator that keeps repeating three values still leaves every UID unique, for parts made by
// the registry and for parts handed to it.
TEST(TGearPartlistTest, UIDsStayUnique) {
    TScriptedRandom Random({1, 2, 3, 1, 2, 3, 1, 2, 3, 1, 2, 3, 4, 5, 6, 7, 8, 9});
    TGearPartlist Parts;
    for (int I = 0; I < 6; ++I)
        Parts.AddNew<TJoint>();
    for (int I = 0; I < 3; ++I)
        Parts.Adopt(std::make_unique<TLink>());
    std::set<int> UIDs;
    for (const TGearPart* P : Parts)
        UIDs.insert(P->UID());
    EXPECT_EQ(UIDs.size(), 9u);
}

TEST(TGearPartlistTest, NewUIDEndsWhenTheGeneratorKeepsHittingTakenValues) {
    TScriptedRandom Random({0});
    TGearPartlist Parts;
    for (int I = 0; I < 3; ++I)
        Parts.AddNew<TJoint>();
    std::set<int> UIDs;
    for (const TGearPart* P : Parts)
        UIDs.insert(P->UID());
    EXPECT_EQ(UIDs, (std::set<int>{0, 1, 2}));
}

// Counts its own end, so a test sees exactly when the registry frees it.
class TCountedPart : public TPlainPart {
public:
    explicit TCountedPart(std::vector<const TGearPart*>& Freed) : FFreed(Freed) {}
    ~TCountedPart() override { FFreed.push_back(this); }

private:
    std::vector<const TGearPart*>& FFreed;
};

TEST(TGearPartlistTest, APartIsFreedOnlyByLeavingTheRegistry) {
    std::vector<const TGearPart*> Freed;
    TGearPartlist Parts;
    TGearPart* A = Parts.Adopt(std::make_unique<TCountedPart>(Freed));
    TGearPart* B = Parts.Adopt(std::make_unique<TCountedPart>(Freed));
    TGearPart* C = Parts.Adopt(std::make_unique<TCountedPart>(Freed));

    std::unique_ptr<TGearPart> Kept = Parts.Remove(B);
    EXPECT_EQ(Kept.get(), B);
    EXPECT_FALSE(Parts.Contains(B));
    EXPECT_TRUE(Freed.empty()); // handed over, not freed
    EXPECT_EQ(Parts.Remove(B), nullptr);

    Parts.Remove(A);
    EXPECT_EQ(Freed, (std::vector<const TGearPart*>{A}));
    EXPECT_EQ(Parts.Count(), 1);
    EXPECT_EQ(Parts.Items(0), C);
    Kept.reset();
    EXPECT_EQ(Freed.size(), 2u);
}

TEST(TGearPartlistTest, DrivesAreOwnedButNotRegistered) {
    TGearPartlist Parts;
    TDrive* D = Parts.AdoptDrive(std::make_unique<TDrive>());
    EXPECT_TRUE(Parts.OwnsDrive(D));
    EXPECT_EQ(Parts.Count(), 0);
    std::unique_ptr<TDrive> Out = Parts.Remove(D);
    EXPECT_EQ(Out.get(), D);
    EXPECT_FALSE(Parts.OwnsDrive(D));
    EXPECT_EQ(Parts.Remove(D), nullptr);
}

// The registry frees the last part first; every part has let go of its neighbours by then, so
// none reads a freed one, whatever joints and links hold each other.
TEST(TGearPartlistTest, ClearFreesEverythingTheLastFirst) {
    std::vector<const TGearPart*> Freed;
    TMoveLog Log;
    TGearPartlist Parts;
    TGearPart* First = Parts.Adopt(std::make_unique<TCountedPart>(Freed));
    TJoint* A = Parts.AddNew<TJoint>();
    TJoint* B = Parts.AddNew<TJoint>();
    TSpyLink* L = Parts.Adopt(std::make_unique<TSpyLink>(Log, "L"));
    TLink* M = Parts.AddNew<TLink>();
    for (TCustomLink* Link : std::initializer_list<TCustomLink*>{L, M}) {
        Link->AddJoint(A);
        Link->AddJoint(B);
    }
    Parts.AdoptDrive(std::make_unique<TDrive>());
    TGearPart* Last = Parts.Adopt(std::make_unique<TCountedPart>(Freed));
    Parts.Clear();
    EXPECT_EQ(Freed, (std::vector<const TGearPart*>{Last, First}));
    EXPECT_EQ(Parts.Count(), 0);
    Parts.Clear();
}

struct TPartLists : ::testing::Test {
    TMoveLog Log;
    TGearPartlist Parts;
    TJointList Joints;
    TLinkList Links;

    TJoint* NewJoint(int ID, int UID) {
        TJoint* J = Parts.AddNew<TJoint>();
        J->SetID(ID);
        J->SetUID(UID);
        Joints.Add(J);
        return J;
    }
    TSpyLink* NewLink(int ID, int UID) {
        TSpyLink* L = Parts.Adopt(std::make_unique<TSpyLink>(Log, "L"));
        L->SetID(ID);
        L->SetUID(UID);
        Links.Add(L);
        return L;
    }
};

TEST_F(TPartLists, FindByIDAndUID) {
    TJoint* A = NewJoint(-1, 10);
    TJoint* B = NewJoint(2, 11);
    NewJoint(-1, 12);
    TSpyLink* L = NewLink(1, 10);
    EXPECT_EQ(Joints.FindByID(-1), A);
    EXPECT_EQ(Joints.FindByID(2), B);
    EXPECT_EQ(Joints.FindByID(3), nullptr);
    EXPECT_EQ(Joints.FindByUID(11), B);
    EXPECT_EQ(Joints.FindByUID(99), nullptr);
    EXPECT_EQ(Links.FindByID(1), L);
    EXPECT_EQ(Links.FindByUID(10), L);
    EXPECT_EQ(Links.FindByID(2), nullptr);
}

TEST_F(TPartLists, ReplaceKeepsTheSlot) {
    NewJoint(1, 1);
    NewJoint(2, 2);
    NewJoint(3, 3);
    TJoint* N = Parts.AddNew<TJoint>();
    Joints.SetItems(1, N);
    EXPECT_EQ(Joints.Items(1), N);
    EXPECT_EQ(Joints.Count(), 3);
}

// Stands in for the drive: the list only asks for the two links and the drive joint.
struct TFakeDrive {
    TCustomLink* L0 = nullptr;
    TCustomLink* L1 = nullptr;
    TJoint* J = nullptr;
    TCustomLink* Link0() const { return L0; }
    TCustomLink* Link1() const { return L1; }
    TJoint* GetJoint() const { return J; }
};

TEST(TDriveListTest, Lookups) {
    TMoveLog Log;
    TSpyLink Frame{Log, "F"}, Crank{Log, "K"}, Other{Log, "O"};
    TJoint J0, J1;
    TDriveListOf<TFakeDrive> Drives;
    EXPECT_EQ(Drives.IndexOfLink(&Frame), -1);
    EXPECT_EQ(Drives.FindByLink(&Frame), nullptr);
    EXPECT_EQ(Drives.IndexOfJoint(&J0), -1);
    TFakeDrive D0{&Frame, &Crank, &J1};
    TFakeDrive D1{&Crank, &Other, &J0};
    Drives.Add(&D0);
    Drives.Add(&D1);
    EXPECT_EQ(Drives.IndexOfLink(&Crank), 0);
    EXPECT_EQ(Drives.IndexOfLink(&Other), 1);
    EXPECT_EQ(Drives.FindByLink(&Other), &D1);
    EXPECT_EQ(Drives.IndexOfJoint(&J0), 1);
}

} // namespace
