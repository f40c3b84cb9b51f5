#include "ui/StatusPanel.h"

#include "gear/uGearLimits.h"
#include "ui/fmMain.h"

#include <QStatusBar>

#include <algorithm>
#include <iterator>

namespace {

// The widths were chosen for a narrower font than most desktops use here: a coordinate panel
// grows until its widest usual text fits.
struct TPanelDesign {
    int Width; // 0: the last panel, which takes the rest
    std::string Widest;
};
const TPanelDesign Panels[] = {
    {20, ""},
    {150, "x=-9999.999 mm  y=-9999.999 mm"},
    {180, "x(99)=-9999.999 mm  y(99)=-9999.999 mm"},
    {180, ""},
    {0, ModeText(true, MaxIntervals - 1)},
};
static_assert(std::size(Panels) == TFormMain::StatusPanelCount);
constexpr int Padding = 8;

int TextWidth(const QWidget& Bar, const std::string& Text) {
    return Text.empty()
               ? 0
               : Bar.fontMetrics().horizontalAdvance(QString::fromStdString(Text)) + Padding;
}

} // namespace

TStatusPanel::TStatusPanel(int MinWidth, int Width, QWidget* Parent)
    : QLabel(Parent), FWidth(Width) {
    setMinimumWidth(MinWidth);
}

QSize TStatusPanel::sizeHint() const {
    return {FWidth, QLabel::sizeHint().height()};
}

TStatusPanel* AddStatusPanel(QStatusBar& Bar, int Index) {
    const TPanelDesign& Design = Panels[Index];
    const int Widest = TextWidth(Bar, Design.Widest);
    TStatusPanel* Panel = nullptr;
    if (Design.Width) {
        const int Width = std::max(Design.Width, Widest);
        Panel = new TStatusPanel(Design.Width, Width, &Bar);
        Panel->setMaximumWidth(Width);
    } else {
        const int Width = std::max(Widest, TextWidth(Bar, ModeText(false, 0)));
        Panel = new TStatusPanel(Width, Width, &Bar);
    }
    Panel->setObjectName(QStringLiteral("StatusPanel%1").arg(Index));
    Bar.addWidget(Panel, Design.Width ? 0 : 1);
    return Panel;
}

std::string ModeText(bool Animating, int GearPosition) {
    return Animating ? "Getriebestellung " + std::to_string(GearPosition + 1) : "Editiermodus";
}
