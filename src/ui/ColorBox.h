// A colour choice as the property and options dialogs offer it: the sixteen standard colours under
// their German names, and a custom entry that asks for any colour. Colours are TColor values,
// blue-green-red.
#pragma once

#include "platform/Types.h"

#include <QComboBox>

#include <functional>
#include <optional>

class TColorBox : public QComboBox {
public:
    explicit TColorBox(QWidget* Parent = nullptr);

    TColor Selected() const { return FSelected; }
    // A colour that is none of the standard ones shows as the custom entry.
    void SetSelected(TColor Color);

    // Asks for a custom colour, starting from the current one; nothing when cancelled.
    // Tests replace it; by default the toolkit's colour dialog.
    std::function<std::optional<TColor>(TColor Current)> ChooseCustomColor;

    // Room for the widest entry with its swatch, as the style draws it.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    static constexpr int StandardColorCount = 16;
    // The index of the custom entry.
    static constexpr int CustomIndex = StandardColorCount;

private:
    void Activated(int Index);
    void ShowCustom(TColor Color);
    // How much wider the box must be than Size for its widest entry to show whole.
    int MissingWidth(QSize Size) const;

    TColor FSelected = clBlack;
};

// The Qt colour of a blue-green-red value, and back.
QColor ToQColor(TColor Color);
TColor FromQColor(const QColor& Color);
