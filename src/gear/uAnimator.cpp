#include "gear/uAnimator.h"

#include "gear/uGearCache.h"
#include "gear/uGearData.h"
#include "gear/uGearPrefs.h"
#include "platform/Platform.h"
#include "surface/MMSurface.h"
#include "xml/XMLPrefs.h"

#include <algorithm>

TAnimator::TAnimator(TGearData& GearData, TGearCache& Cache)
    : FGearData(GearData), FCache(Cache), FTimer(Platform().CreateTimer()) {
    FTimer->SetInterval(FTimerInterval);
    FTimer->OnTimer = [this](TObject* Sender) { DoTimer(Sender); };
    Reset();
}

void TAnimator::SetTimerInterval(int Value) {
    FTimerInterval = Value;
    FTimer->SetInterval(Value);
}

// At least one, so the position stays a row index even while a drive has no intervals.
int TAnimator::PositionCount() const {
    return std::max(FGearData.PositionCount(), 1);
}

void TAnimator::DoTimer(TObject*) {
    const bool WasEnabled = FTimer->Enabled();
    // No tick may start while this one runs.
    FTimer->SetEnabled(false);
    if (!FIsPlaying)
        return;
    if (AtLastPosition() && !PreferenceStore().GetBoolean("Animator", "Continuously")) {
        FFullRunFinished = true;
        Raise(OnNext, this);
        Stop(FJumpToFirstIfStoppped);
        return;
    }
    Next();
    // A handler of OnNext may have paused or stopped the animation: then the timer stays off.
    FTimer->SetEnabled(WasEnabled && FIsPlaying);
}

void TAnimator::Play() {
    if (FIsPaused) {
        Pause();
        return;
    }
    FIsPlaying = true;
    if (AtLastPosition())
        FActualGearPosition = 0;
    FTimer->SetEnabled(true);
    FFullRunFinished = false;
    Raise(OnPlay, this);
}

void TAnimator::Pause() {
    if (FIsPlaying) {
        FIsPlaying = false;
        FIsPaused = true;
        FTimer->SetEnabled(false);
    } else if (FIsPaused) {
        FIsPaused = false;
        FIsPlaying = true;
        FTimer->SetEnabled(true);
    }
    Raise(OnPause, this);
}

void TAnimator::Stop(bool JumpToFirst) {
    FTimer->SetEnabled(false);
    FIsPaused = false;
    FIsPlaying = false;
    if (JumpToFirst) {
        FActualGearPosition = 0;
        FCache.ApplyPosition(0);
    }
    Raise(OnStop, this);
}

void TAnimator::Next() {
    if (++FActualGearPosition >= PositionCount()) {
        FActualGearPosition = 0;
        FFullRunFinished = true;
    }
    FCache.ApplyPosition(FActualGearPosition);
    Raise(OnNext, this);
}

void TAnimator::Prev() {
    if (--FActualGearPosition < 0)
        FActualGearPosition = PositionCount() - 1;
    FCache.ApplyPosition(FActualGearPosition);
    if (TMMSurface* Surface = FGearData.MMSurface())
        Surface->Update();
    Raise(OnNext, this);
}

void TAnimator::Reset() {
    FTimer->SetEnabled(false);
    FActualGearPosition = 0;
    FIsPaused = false;
    FIsPlaying = false;
    FFullRunFinished = false;
}
