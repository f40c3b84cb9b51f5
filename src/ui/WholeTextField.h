// A field that shows a text the user does not type (a part's name, a computed value): it asks its
// layout for the width of its whole text, so the dialog grows rather than cut the text off.
#pragma once

#include <QLineEdit>

class TWholeTextField : public QLineEdit {
public:
    explicit TWholeTextField(QWidget* Parent = nullptr);

    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;
};
