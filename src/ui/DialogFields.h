// The number fields of the property dialogs: decimals shown as "###0.000" and read with either
// separator, whole numbers from 1; a refused input is told to the user and its field takes the
// focus.
#pragma once

#include "surface/MMTypes.h"

#include <QString>

#include <optional>
#include <string>

class QComboBox;
class QDialog;
class QDialogButtonBox;
class QLineEdit;
class QSpinBox;
class QWidget;

QString DecimalText(double Value);
// "OK" (the default, accepts) and "Abbrechen" (rejects) for Dialog.
QDialogButtonBox* OkCancelButtons(QDialog& Dialog);
// An information box with the OK button.
void Inform(const std::string& Text);
// Tells the user that the input for What ("die Länge") is not allowed, and focuses Field.
void RefuseInput(QWidget& Field, const char* What);
// The field's decimal number, or nothing once refused.
std::optional<double> ReadDecimal(QLineEdit& Field, const char* What);
// A coordinate computed from a field that lies inside the bounds of a mechanism, or nothing once
// refused.
std::optional<double> CoordinateOrRefuse(double Value, QLineEdit& Field, const char* What);
// The field's length, which no link inside the bounds exceeds, or nothing once refused.
std::optional<double> ReadLength(QLineEdit& Field);
// The field's whole number of at least 1 (parts are numbered from 1), or nothing once refused.
std::optional<int> ReadNumber(QLineEdit& Field, const char* What);
// A list of parts filled anew at each showing: it keeps the width of its widest entry, not of the
// entries it had when first shown.
void FitEntries(QComboBox& List);
// From now on a text of Field that is no whole number counts as the field's minimum once it is
// read or left, not as the value before (for ranges from 0 up: Qt takes the bound nearest 0).
void BlankCountsAsMinimum(QSpinBox& Field);
// The value of Field's text as it stands, also while it is still being typed.
int SpinValue(QSpinBox& Field);
// Reads the coordinates edited in the two fields into P; the other keeps its exact value. False
// once one is refused, also for one beyond the bounds of a mechanism.
bool ReadEditedPoint(QLineEdit& XField, QLineEdit& YField, TMMPoint& P);
