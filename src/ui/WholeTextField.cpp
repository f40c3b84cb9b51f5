#include "ui/WholeTextField.h"

#include "platform/qt/QtGuard.h"

#include <QStyle>

#include <algorithm>

namespace {

// Qt keeps two pixels free on either side of the text, within the frame and the margins.
constexpr int TextPadding = 4;

} // namespace

TWholeTextField::TWholeTextField(QWidget* Parent) : QLineEdit(Parent) {
    GuardedConnect(this, &QLineEdit::textChanged, this, [this] { updateGeometry(); });
}

QSize TWholeTextField::minimumSizeHint() const {
    const int Frame = hasFrame() ? 2 * style()->pixelMetric(QStyle::PM_DefaultFrameWidth) : 0;
    const QMargins Margins = textMargins();
    const int Whole = fontMetrics().horizontalAdvance(text()) + Frame + Margins.left() +
                      Margins.right() + TextPadding;
    QSize Size = QLineEdit::minimumSizeHint();
    Size.setWidth(std::max(Size.width(), Whole));
    return Size;
}

QSize TWholeTextField::sizeHint() const {
    return QLineEdit::sizeHint().expandedTo(minimumSizeHint());
}
