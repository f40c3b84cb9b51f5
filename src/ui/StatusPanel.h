// The panels of the main window's status bar. A fixed panel keeps at least its designed width and
// grows up to its widest usual text while the bar has room; a longer text is cut at the panel's
// own edge, never drawn over a neighbour. The last panel takes the rest and always has room for
// every mode text, so the bar's minimum, and with it the window's, keeps each panel whole.
#pragma once

#include <QLabel>

#include <string>

class QStatusBar;

class TStatusPanel : public QLabel {
public:
    TStatusPanel(int MinWidth, int Width, QWidget* Parent);

    // The same whatever the panel shows: a moving mouse never shifts the panels.
    QSize sizeHint() const override;

private:
    int FWidth;
};

// The bar's panel Index, added to it.
TStatusPanel* AddStatusPanel(QStatusBar& Bar, int Index);

// The last panel's text: the gear position counted from 1 while animating, else the edit mode.
std::string ModeText(bool Animating, int GearPosition);
