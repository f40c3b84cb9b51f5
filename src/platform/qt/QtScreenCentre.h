// Windows that open in the middle of the screen the program's main window is on, whatever window
// was active before and wherever they were last.
#pragma once

class QWidget;

// Moves Window to the middle of the available area of the screen that the top-level window
// above Anchor is on; of Window's own screen without an anchor.
void CentreOnScreen(QWidget& Window, const QWidget* Anchor);

// From now on Window opens centred on the screen of the top-level window above its parent.
void CentreWhenShown(QWidget& Window);
