// Pictures made for the screen their window is on: a bitmap drawn at one device pixel ratio looks
// blurred beside the text on a screen of another, so it is drawn again whenever the ratio of its
// window has changed.
#pragma once

#include <QtGlobal>

#include <functional>

class QWidget;

// Calls Draw with the device pixel ratio of Window now, and again with the new ratio whenever
// Window is shown or moves to another screen and its ratio is no longer the one last drawn.
void RedrawAtWindowRatio(QWidget& Window, std::function<void(qreal Ratio)> Draw);
