// The animator on a manual timer over the cached positions of a crank-rocker: what each operation
// and tick shows, which events it raises, and when the timer runs.
#include "gear/uAnimator.h"
#include "gear/uGearCache.h"
#include "gear/uGearCalc.h"
#include "gear/uGearPrefs.h"
#include "support/MechanismRigs.h"
#include "xml/XMLPrefs.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

namespace {

// A crank-rocker whose drive turns in N equal steps, its positions cached, and the animator on
// them. Log() shows the events with the position they report, and every repaint as the cached row
// the joints then show ("show1"), in order.
struct TAnimatorRig : TModelRig {
    TGearCalculator Calculator{D()};
    TGearCache Cache{D(), Calculator};
    std::vector<TMMPoint> CrankAt; // the crank joint in each cached row
    std::ostringstream Events;

    void Build(int N) {
        CrankRocker();
        TurnOnce(N);
        Calculator.Prepare();
        ASSERT_TRUE(Calculator.CanCalculate());
        ASSERT_TRUE(Cache.Calculate());
        for (int I = 0; I < N; ++I) {
            ASSERT_TRUE(Cache.IsValidPosition(I));
            Cache.ApplyPosition(I);
            CrankAt.push_back({A->X(), A->Y()});
        }
        Cache.ApplyPosition(0);
    }

    // Starts logging the animator's events and the surface's repaints.
    void Listen(TAnimator& Animator) {
        auto Note = [this](const char* Name) {
            return [this, Name](TObject* Sender) {
                Events << ' ' << Name << '@'
                       << static_cast<TAnimator*>(Sender)->ActualGearPosition();
            };
        };
        Animator.OnNext = Note("Next");
        Animator.OnPlay = Note("Play");
        Animator.OnStop = Note("Stop");
        Animator.OnPause = Note("Pause");
        Surface().OnPaint = [this](TObject*) { Events << " show" << ShownRow(); };
    }
    std::string Log() {
        std::string S = Events.str();
        Events.str("");
        return S.empty() ? S : S.substr(1);
    }

    // The cached row the crank stands in, -1 for none.
    int ShownRow() const {
        for (int I = 0; I < static_cast<int>(CrankAt.size()); ++I)
            if (std::hypot(A->X() - CrankAt[I].X, A->Y() - CrankAt[I].Y) < 1e-9)
                return I;
        return -1;
    }

    TManualTimer& Timer() { return *Platform().Timers.back(); }
    static void SetContinuously(bool On) {
        PreferenceStore().SetValue("Animator", "Continuously", TVariant(On));
    }
};

// One line of state after a script: the state, the position, whether a full run has finished and
// whether the timer runs.
std::string StateOf(const TAnimator& A, const TManualTimer& T) {
    std::ostringstream S;
    S << (A.IsPlaying()  ? "playing"
          : A.IsPaused() ? "paused"
                         : "stopped")
      << ' ' << A.ActualGearPosition() << (A.FullRunFinished() ? " full" : "")
      << (T.Enabled() ? " timer" : "");
    return S.str();
}

struct TScriptCase {
    const char* Name;
    int N;
    bool Continuously; // the setting the tick reads
    bool JumpToFirst;
    int NextsBefore; // Next calls before the log starts
    // play, pause, stop, stop0 (jumping to the first position), next, prev, tick (one timer
    // message: "off" when the timer does not run), cont+ / cont- (the setting).
    const char* Script;
    const char* Log;
    const char* State;
};

const TScriptCase ScriptCases[] = {
    {"three positions once", 3, false, false, 0, "play tick tick tick tick",
     "Play@0 show1 Next@1 show2 Next@2 Next@2 Stop@2 off", "stopped 2 full"},
    {"three positions continuously", 3, true, false, 0, "play tick tick tick tick",
     "Play@0 show1 Next@1 show2 Next@2 show0 Next@0 show1 Next@1", "playing 1 full timer"},
    {"the setting is read at every tick", 3, true, false, 0, "play tick tick cont- tick",
     "Play@0 show1 Next@1 show2 Next@2 Next@2 Stop@2", "stopped 2 full"},
    {"switched on at the last position it cycles", 3, false, false, 0, "play tick tick cont+ tick",
     "Play@0 show1 Next@1 show2 Next@2 show0 Next@0", "playing 0 full timer"},
    {"jump to the first position at the end", 3, false, true, 0, "play tick tick tick",
     "Play@0 show1 Next@1 show2 Next@2 Next@2 show0 Stop@0", "stopped 0 full"},
    {"one position", 1, false, false, 0, "play tick tick", "Play@0 Next@0 Stop@0 off",
     "stopped 0 full"},
    {"one position continuously", 1, true, false, 0, "play tick tick",
     "Play@0 show0 Next@0 show0 Next@0", "playing 0 full timer"},
    {"play at the last position starts at 0 unshown", 3, false, false, 5, "play tick",
     "Play@0 show1 Next@1", "playing 1 timer"},
    {"play while playing plays on", 3, true, false, 0, "play tick play",
     "Play@0 show1 Next@1 Play@1", "playing 1 timer"},
    {"pause while stopped", 3, false, false, 0, "pause tick", "Pause@0 off", "stopped 0"},
    {"pause and resume", 3, false, false, 0, "play tick pause tick pause tick",
     "Play@0 show1 Next@1 Pause@1 off Pause@1 show2 Next@2", "playing 2 timer"},
    {"play resumes a pause", 3, false, false, 0, "play pause play", "Play@0 Pause@0 Pause@0",
     "playing 0 timer"},
    {"stop where it is", 3, false, false, 0, "play tick stop tick",
     "Play@0 show1 Next@1 Stop@1 off", "stopped 1"},
    {"stop at the first position", 3, false, false, 0, "play tick stop0",
     "Play@0 show1 Next@1 show0 Stop@0", "stopped 0"},
    {"stop while paused", 3, false, false, 0, "play pause stop", "Play@0 Pause@0 Stop@0",
     "stopped 0"},
    {"next past the last position", 3, false, false, 0, "next next next",
     "show1 Next@1 show2 Next@2 show0 Next@0", "stopped 0 full"},
    {"prev at 0 goes to the last position", 3, false, false, 0, "prev prev",
     "show2 show2 Next@2 show1 show1 Next@1", "stopped 1"},
    {"stepping while paused keeps the pause", 3, false, false, 0, "play pause next tick",
     "Play@0 Pause@0 show1 Next@1 off", "paused 1"},
};

class AnimatorScript : public ::testing::TestWithParam<TScriptCase> {};

TEST_P(AnimatorScript, ShowsAndReports) {
    const TScriptCase& C = GetParam();
    TAnimatorRig Rig;
    Rig.Build(C.N);
    TAnimator A(Rig.D(), Rig.Cache);
    A.SetJumpToFirstIfStoppped(C.JumpToFirst);
    Rig.SetContinuously(C.Continuously);
    for (int I = 0; I < C.NextsBefore; ++I)
        A.Next();
    Rig.Listen(A);
    std::istringstream Script(C.Script);
    for (std::string Op; Script >> Op;) {
        if (Op == "play")
            A.Play();
        else if (Op == "pause")
            A.Pause();
        else if (Op == "stop" || Op == "stop0")
            A.Stop(Op == "stop0");
        else if (Op == "next")
            A.Next();
        else if (Op == "prev")
            A.Prev();
        else if (Op == "tick") {
            if (!Rig.Timer().Tick())
                Rig.Events << " off";
        } else if (Op == "cont+" || Op == "cont-")
            Rig.SetContinuously(Op == "cont+");
        else
            FAIL() << "unknown step " << Op;
    }
    EXPECT_EQ(Rig.Log(), C.Log);
    EXPECT_EQ(StateOf(A, Rig.Timer()), C.State);
}

INSTANTIATE_TEST_SUITE_P(Cases, AnimatorScript, ::testing::ValuesIn(ScriptCases),
                         [](const auto& Info) {
                             std::string S = Info.param.Name;
                             for (char& Ch : S)
                                 if (!std::isalnum(static_cast<unsigned char>(Ch)))
                                     Ch = '_';
                             return S;
                         });

TEST(Animator, StartsStoppedWithItsTimerOffAtTenMilliseconds) {
    TAnimatorRig Rig;
    Rig.Build(3);
    TAnimator A(Rig.D(), Rig.Cache);
    EXPECT_EQ(A.TimerInterval(), 10);
    EXPECT_EQ(Rig.Timer().Interval(), 10);
    EXPECT_EQ(StateOf(A, Rig.Timer()), "stopped 0");
}

TEST(Animator, IntervalTakesEffectWhilePlaying) {
    TAnimatorRig Rig;
    Rig.Build(3);
    TAnimator A(Rig.D(), Rig.Cache);
    A.Play();
    Rig.Timer().Changes.clear();
    A.SetTimerInterval(250);
    EXPECT_EQ(A.TimerInterval(), 250);
    EXPECT_EQ(Rig.Timer().Changes, (std::vector<TTimerState>{{250, true}}));
    // Each tick switches the timer off while it works and back on at the new interval.
    Rig.Timer().Changes.clear();
    ASSERT_TRUE(Rig.Timer().Tick());
    EXPECT_EQ(Rig.Timer().Changes, (std::vector<TTimerState>{{250, false}, {250, true}}));
}

TEST(Animator, IntervalBelowOneRunsTheTimerAtOneMillisecond) {
    TAnimatorRig Rig;
    Rig.Build(3);
    TAnimator A(Rig.D(), Rig.Cache);
    for (int Interval : {0, -20}) {
        SCOPED_TRACE(Interval);
        A.SetTimerInterval(Interval);
        EXPECT_EQ(A.TimerInterval(), Interval);
        EXPECT_EQ(Rig.Timer().Interval(), 1);
    }
}

// The tick reads the setting, never the property.
TEST(Animator, ContinuouslyPropertyIsOnlyStored) {
    TAnimatorRig Rig;
    Rig.Build(1);
    TAnimator A(Rig.D(), Rig.Cache);
    A.SetContinuously(true);
    Rig.SetContinuously(false);
    A.Play();
    Rig.Timer().Tick();
    EXPECT_FALSE(A.IsPlaying());
    EXPECT_TRUE(A.Continuously());
}

// A listener that pauses or stops from OnNext inside a tick leaves the timer off.
TEST(Animator, TickLeavesTheTimerOffWhenAListenerEndsPlaying) {
    for (bool Stop : {false, true}) {
        SCOPED_TRACE(Stop);
        TAnimatorRig Rig;
        Rig.Build(3);
        TAnimator A(Rig.D(), Rig.Cache);
        A.Play();
        A.OnNext = [&](TObject*) { Stop ? A.Stop(false) : A.Pause(); };
        ASSERT_TRUE(Rig.Timer().Tick());
        EXPECT_FALSE(Rig.Timer().Enabled());
        EXPECT_EQ(StateOf(A, Rig.Timer()), Stop ? "stopped 1" : "paused 1");
    }
}

// Without a drive there is one position: stepping back stays at it instead of reading a drive that
// is not there.
TEST(Animator, PrevWithoutADriveStaysAtTheOnlyPosition) {
    TAnimatorRig Rig;
    TAnimator A(Rig.D(), Rig.Cache);
    int Nexts = 0;
    A.OnNext = [&](TObject*) { ++Nexts; };
    A.Prev();
    A.Prev();
    EXPECT_EQ(A.ActualGearPosition(), 0);
    EXPECT_EQ(Nexts, 2);
}

TEST(Animator, ResetStopsSilentlyWithoutMovingTheJoints) {
    TAnimatorRig Rig;
    Rig.Build(3);
    TAnimator A(Rig.D(), Rig.Cache);
    Rig.SetContinuously(true);
    A.Play();
    for (int I = 0; I < 4; ++I) // past the last position: a full run
        Rig.Timer().Tick();
    ASSERT_EQ(StateOf(A, Rig.Timer()), "playing 1 full timer");
    Rig.Listen(A);
    A.Reset();
    EXPECT_EQ(Rig.Log(), "");
    EXPECT_EQ(StateOf(A, Rig.Timer()), "stopped 0");
    EXPECT_EQ(Rig.ShownRow(), 1);
}

} // namespace
