// The dialog that picks one colour for a plotted series; the window that shows it presets and
// reads the colour box itself.
#pragma once

#include <QDialog>

class TColorBox;

class TFormColorSelect : public QDialog {
public:
    explicit TFormColorSelect(QWidget* Parent = nullptr);

    TColorBox* cbColor() const { return FcbColor; }

private:
    TColorBox* FcbColor;
};
