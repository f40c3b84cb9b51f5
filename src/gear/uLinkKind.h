// What kind a link is: the one place that looks behind a link or part to its class. Each answer
// is nil (or false) for every other kind, so no caller downcasts unchecked.
#pragma once

#include "gear/uLink.h"
#include "gear/uRack.h"
#include "gear/uSlider.h"

// A bar or a plate.
inline TLink* AsBar(TGearPart* Link) {
    return dynamic_cast<TLink*>(Link);
}
inline const TLink* AsBar(const TGearPart* Link) {
    return dynamic_cast<const TLink*>(Link);
}
inline TSlider* AsSlider(TGearPart* Link) {
    return dynamic_cast<TSlider*>(Link);
}
inline const TSlider* AsSlider(const TGearPart* Link) {
    return dynamic_cast<const TSlider*>(Link);
}
// The frame.
inline TRack* AsRack(TGearPart* Link) {
    return dynamic_cast<TRack*>(Link);
}
inline const TRack* AsRack(const TGearPart* Link) {
    return dynamic_cast<const TRack*>(Link);
}
// A part that is a link of any kind.
inline TCustomLink* AsLink(TGearPart* Part) {
    return dynamic_cast<TCustomLink*>(Part);
}
inline const TCustomLink* AsLink(const TGearPart* Part) {
    return dynamic_cast<const TCustomLink*>(Part);
}

// A slider that has a link to slide on.
inline bool IsSliderOnSlideLink(const TGearPart* Link) {
    const TSlider* Slider = AsSlider(Link);
    return Slider && Slider->SlideLink();
}
// How far a slider has slid along its slide link; 0 for every other link.
inline double SlideDistanceOf(const TGearPart* Link) {
    const TSlider* Slider = AsSlider(Link);
    return Slider ? Slider->GetSlideDistance() : 0.0;
}
