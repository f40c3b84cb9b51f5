#include "ui/ColorBox.h"
#include "platform/qt/QtGuard.h"

#include <QColorDialog>
#include <QPainter>
#include <QPixmap>

namespace {

struct TNamedColor {
    TColor Color;
    const char* Name;
};

constexpr TNamedColor StandardColors[TColorBox::StandardColorCount] = {
    {0x000000, "Schwarz"},  {0x000080, "Kastanienbraun"}, {0x008000, "Grün"},
    {0x008080, "Olivgrün"}, {0x800000, "Marineblau"},     {0x800080, "Violett"},
    {0x808000, "Blaugrün"}, {0x808080, "Grau"},           {0xC0C0C0, "Silber"},
    {0x0000FF, "Rot"},      {0x00FF00, "Hellgrün"},       {0x00FFFF, "Gelb"},
    {0xFF0000, "Blau"},     {0xFF00FF, "Fuchsienrot"},    {0xFFFF00, "Aquamarin"},
    {0xFFFFFF, "Weiß"},
};

QIcon Swatch(TColor Color) {
    QPixmap Picture(16, 12);
    Picture.fill(ToQColor(Color));
    QPainter Painter(&Picture);
    Painter.setPen(Qt::black);
    Painter.drawRect(Picture.rect().adjusted(0, 0, -1, -1));
    return QIcon(Picture);
}

std::optional<TColor> AskColorDialog(TColor Current) {
    const QColor Chosen = QColorDialog::getColor(ToQColor(Current));
    if (!Chosen.isValid())
        return std::nullopt;
    return FromQColor(Chosen);
}

} // namespace

QColor ToQColor(TColor Color) {
    return QColor(Color & 0xFF, (Color >> 8) & 0xFF, (Color >> 16) & 0xFF);
}

TColor FromQColor(const QColor& Color) {
    return static_cast<TColor>(Color.red()) | static_cast<TColor>(Color.green()) << 8 |
           static_cast<TColor>(Color.blue()) << 16;
}

TColorBox::TColorBox(QWidget* Parent) : QComboBox(Parent), ChooseCustomColor(AskColorDialog) {
    for (const TNamedColor& Entry : StandardColors)
        addItem(Swatch(Entry.Color), QString::fromUtf8(Entry.Name));
    addItem(QStringLiteral("Benutzerdefiniert..."));
    setCurrentIndex(0);
    GuardedConnect(this, &QComboBox::activated, this, [this](int Index) { Activated(Index); });
}

void TColorBox::SetSelected(TColor Color) {
    Color &= 0xFFFFFF;
    FSelected = Color;
    for (int I = 0; I < StandardColorCount; ++I) {
        if (StandardColors[I].Color == Color) {
            setCurrentIndex(I);
            return;
        }
    }
    ShowCustom(Color);
}

void TColorBox::Activated(int Index) {
    if (Index < StandardColorCount) {
        FSelected = StandardColors[Index].Color;
        return;
    }
    if (const std::optional<TColor> Chosen = ChooseCustomColor(FSelected))
        SetSelected(*Chosen);
    else
        SetSelected(FSelected); // back to what was shown before
}

void TColorBox::ShowCustom(TColor Color) {
    setItemIcon(CustomIndex, Swatch(Color));
    setCurrentIndex(CustomIndex);
}
