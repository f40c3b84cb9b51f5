// The animator: steps the mechanism through the cached gear positions on a timer and tells its
// listeners about every step and every change between playing, paused and stopped. Nothing is
// computed while animating; each step loads a cached row into the joints.
#pragma once

#include "platform/Events.h"
#include "platform/Object.h"
#include "platform/Timer.h"

#include <memory>

class TGearData;
class TGearCache;

class TAnimator : public TObject {
public:
    // Creates its timer through the installed platform; starts stopped at position 0.
    TAnimator(TGearData& GearData, TGearCache& Cache);

    // Milliseconds between steps; takes effect at once, also while playing.
    int TimerInterval() const { return FTimerInterval; }
    void SetTimerInterval(int Value);
    // Stored for the settings; the tick reads Animator/Continuously from the settings itself.
    bool Continuously() const { return FContinuously; }
    void SetContinuously(bool Value) { FContinuously = Value; }
    bool JumpToFirstIfStoppped() const { return FJumpToFirstIfStoppped; }
    void SetJumpToFirstIfStoppped(bool Value) { FJumpToFirstIfStoppped = Value; }

    int ActualGearPosition() const { return FActualGearPosition; }
    bool IsPlaying() const { return FIsPlaying; }
    bool IsPaused() const { return FIsPaused; }
    // Every position has been shown once since the last Play or Reset.
    bool FullRunFinished() const { return FFullRunFinished; }

    // Raised with the animator as Sender.
    TNotifyEvent OnNext;
    TNotifyEvent OnPlay;
    TNotifyEvent OnStop;
    TNotifyEvent OnPause;

    // From the last position Play starts again at 0; from paused it resumes like Pause.
    void Play();
    // Toggles between playing and paused; while stopped it changes nothing. Always raises OnPause.
    void Pause();
    void Stop(bool JumpToFirst);
    // One position on or back, wrapping at the ends, in every state.
    void Next();
    void Prev();
    // Stopped at position 0, silently and without moving the joints.
    void Reset();

private:
    void DoTimer(TObject* Sender);
    int PositionCount() const;
    bool AtLastPosition() const { return FActualGearPosition >= PositionCount() - 1; }

    TGearData& FGearData;
    TGearCache& FCache;
    std::unique_ptr<TTimer> FTimer;
    int FActualGearPosition = 0;
    bool FIsPaused = false;
    bool FIsPlaying = false;
    bool FJumpToFirstIfStoppped = false;
    bool FContinuously = false;
    int FTimerInterval = 10;
    bool FFullRunFinished = false;
};
