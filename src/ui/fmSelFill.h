// "Zeilen wählen": the first and last row of a value table and the values they get; the drive
// dialog fills and reads its fields and spreads the values over the rows between.
#pragma once

#include <QDialog>

class QLineEdit;
class QSpinBox;
class QPushButton;

class TFormSelFill : public QDialog {
public:
    explicit TFormSelFill(QWidget* Parent = nullptr);

    QLineEdit* eFirstValue;
    QSpinBox* seFirst;
    QLineEdit* eLastValue;
    QSpinBox* seLast;
    QPushButton* bbtnOK;
    QPushButton* bbtnCancel;
};
