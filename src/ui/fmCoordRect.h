// The dialog for typed view limits of the transfer-function plot: gear positions and y range. The
// window that shows it fills and reads the fields itself.
#pragma once

#include <QDialog>

class QLineEdit;

class TFormCoordRect : public QDialog {
public:
    explicit TFormCoordRect(QWidget* Parent = nullptr);

    QLineEdit* eGSTmin() const { return FeGSTmin; }
    QLineEdit* eGSTmax() const { return FeGSTmax; }
    QLineEdit* eYMin() const { return FeYMin; }
    QLineEdit* eYmax() const { return FeYmax; }

private:
    QLineEdit* FeGSTmin;
    QLineEdit* FeGSTmax;
    QLineEdit* FeYMin;
    QLineEdit* FeYmax;
};
