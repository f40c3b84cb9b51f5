// One drive kind's gear positions in the drive dialog: their count, and their values entered
// either as one total spread evenly ("Linear") or row by row ("Tabelle"), with the fill of rows.
#pragma once

#include <QWidget>

#include <functional>
#include <optional>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;
class TDrive;
class TFormSelFill;
class TGuardedTabs;

// Object names and texts of one kind's controls.
struct TDriveValuesNames {
    const char* Intervals;
    const char* Data;
    const char* Linear;
    const char* Table;
    const char* StartLabel;
    const char* Total;
    const char* Grid;
    const char* Fill;
    const char* TableGroup;
    const char* Unit;
    // What the refusals name: the total, a table cell, a fill value ("den Winkel", ...).
    const char* TotalInput;
    const char* CellInput;
    const char* FillInput;
};

// How shown values relate to the drive's: drive value = (shown - Start) x UnitsPerShown; a total
// is shown relative to the start.
struct TDriveScale {
    double UnitsPerShown = 1.0;
    double Start = 0.0;
};

// What the page asks to write into the drive.
struct TDriveValuesInput {
    int Intervals = 0;
    bool IsLinear = true;
    // Nothing: the table was not touched and the drive keeps its exact values.
    std::optional<std::vector<double>> Values;
};

class TDriveValuesPage : public QWidget {
public:
    static constexpr int LinearPage = 0;
    static constexpr int TablePage = 1;

    TDriveValuesPage(const TDriveValuesNames& Names, TFormSelFill& SelFill,
                     QWidget* Parent = nullptr);

    // Shows the drive with its own page active; asks nothing and counts nothing as changed.
    void ShowDrive(const TDrive& Drive, TDriveScale Scale);
    // After the drive took the page's input: shows the drive's values as unchanged.
    void Applied(const TDrive& Drive, TDriveScale Scale);
    // Everything the page holds, checked; on a refusal the message was shown, the field has the
    // focus and nothing is returned.
    std::optional<TDriveValuesInput> Read(const TDrive& Drive);
    bool TableEdited() const { return FTableEdited; }

    // The dialog's whole apply, run by a "Ja" at a page switch; false refuses the switch.
    std::function<bool()> ApplyChanges;

    QSpinBox* seIntervals;
    TGuardedTabs* pcData;
    QLabel* lblStart;
    QLineEdit* eTotal;
    QTableWidget* sgValues;
    QPushButton* btnFill;

private:
    QWidget* MakeLinearPage(const TDriveValuesNames& Names);
    QWidget* MakeTablePage(const TDriveValuesNames& Names);
    void ShowValues(const TDrive& Drive, TDriveScale Scale);
    void SetCell(int Row, double Shown);
    void CountChanged(int Count);
    bool CanLeave(int Page);
    void FillRows();
    std::optional<double> ReadTotal(const TDrive& Drive);
    std::optional<std::vector<double>> ReadTable();

    TFormSelFill& FSelFill;
    TDriveScale FScale;
    const char* FTotalInput;
    const char* FCellInput;
    const char* FFillInput;
    bool FTableEdited = false;
};
