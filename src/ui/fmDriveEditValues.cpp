#include "ui/fmDriveEditValues.h"

#include "gear/uDrive.h"
#include "gear/uGearLimits.h"
#include "gear/uGearUtils.h"
#include "platform/Platform.h"
#include "platform/qt/QtGuard.h"
#include "ui/DialogFields.h"
#include "ui/GuardedTabs.h"
#include "ui/ModalSeam.h"
#include "ui/WidgetNames.h"
#include "ui/fmSelFill.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

namespace {

std::optional<double> ReadNumber(const QString& Text) {
    return StrToFloatAnySep(Text.toStdString());
}

// 0 at the first position, Total at the last (Total itself, not a product that may round away
// from it); a single position is the start.
std::vector<double> LinearSpread(int Count, double Total) {
    std::vector<double> Values;
    for (int I = 0; I < Count; ++I)
        Values.push_back(I == 0 ? 0.0 : I == Count - 1 ? Total : I * Total / (Count - 1));
    return Values;
}

} // namespace

TDriveValuesPage::TDriveValuesPage(const TDriveValuesNames& Names, TFormSelFill& SelFill,
                                   QWidget* Parent)
    : QWidget(Parent), seIntervals(Named(new QSpinBox, Names.Intervals)),
      pcData(Named(new TGuardedTabs, Names.Data)), lblStart(Named(new QLabel, Names.StartLabel)),
      eTotal(Named(new QLineEdit, Names.Total)), sgValues(Named(new QTableWidget, Names.Grid)),
      btnFill(Named(new QPushButton(QStringLiteral("Füllen")), Names.Fill)), FSelFill(SelFill),
      FTotalInput(Names.TotalInput), FCellInput(Names.CellInput), FFillInput(Names.FillInput) {
    seIntervals->setRange(0, MaxIntervals);
    BlankCountsAsMinimum(*seIntervals);
    // A count takes effect when it is entered, not at each digit: typing "20" over "10" would
    // first cut the table down to two rows.
    seIntervals->setKeyboardTracking(false);
    GuardedConnect(seIntervals, &QSpinBox::valueChanged, this, &TDriveValuesPage::CountChanged);

    pcData->AddPage(MakeLinearPage(Names), QStringLiteral("Linear"));
    pcData->AddPage(MakeTablePage(Names), QStringLiteral("Tabelle"));
    pcData->CanLeave = [this](int Page) { return CanLeave(Page); };
    pcData->OnEntered = [this](int Page) {
        if (Page == TablePage)
            FTableEdited = false;
    };

    auto* Count = new QHBoxLayout;
    Count->addWidget(new QLabel(QStringLiteral("Stellungen:")));
    Count->addWidget(seIntervals);
    Count->addStretch();
    auto* Layout = new QVBoxLayout(this);
    Layout->setContentsMargins(0, 0, 0, 0);
    Layout->addLayout(Count);
    Layout->addWidget(pcData);
}

QWidget* TDriveValuesPage::MakeLinearPage(const TDriveValuesNames& Names) {
    auto* Page = Named(new QWidget, Names.Linear);
    const QString Unit = QString::fromUtf8(Names.Unit);
    auto* Layout = new QGridLayout(Page);
    Layout->addWidget(new QLabel(QStringLiteral("Startwert:")), 0, 0);
    Layout->addWidget(lblStart, 0, 1);
    Layout->addWidget(new QLabel(Unit), 0, 2);
    Layout->addWidget(new QLabel(QStringLiteral("Bewegung um")), 1, 0);
    Layout->addWidget(eTotal, 1, 1);
    Layout->addWidget(new QLabel(Unit), 1, 2);
    Layout->setRowStretch(2, 1);
    return Page;
}

QWidget* TDriveValuesPage::MakeTablePage(const TDriveValuesNames& Names) {
    auto* Page = Named(new QWidget, Names.Table);
    sgValues->setColumnCount(2);
    sgValues->setHorizontalHeaderLabels(
        {QStringLiteral("Interval"), QString::fromUtf8(Names.Unit)});
    sgValues->verticalHeader()->hide();
    sgValues->setSelectionMode(QAbstractItemView::ContiguousSelection);
    sgValues->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                              QAbstractItemView::AnyKeyPressed);
    // Fills block the grid's signals, so every change heard here is the user's.
    GuardedConnect(sgValues, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* Item) {
        if (Item->column() == 1)
            FTableEdited = true;
    });
    GuardedConnect(btnFill, &QPushButton::clicked, this, &TDriveValuesPage::FillRows);

    auto* Group = new QGroupBox(QString::fromUtf8(Names.TableGroup));
    auto* GroupLayout = new QHBoxLayout(Group);
    GroupLayout->addWidget(sgValues);
    auto* Buttons = new QVBoxLayout;
    Buttons->addWidget(btnFill);
    Buttons->addStretch();
    GroupLayout->addLayout(Buttons);
    auto* Layout = new QVBoxLayout(Page);
    Layout->addWidget(Group);
    return Page;
}

void TDriveValuesPage::ShowDrive(const TDrive& Drive, TDriveScale Scale) {
    pcData->SetCurrentIndexQuietly(Drive.IsLinear() ? LinearPage : TablePage);
    ShowValues(Drive, Scale);
    FTableEdited = false;
}

void TDriveValuesPage::Applied(const TDrive& Drive, TDriveScale Scale) {
    ShowValues(Drive, Scale);
    FTableEdited = false;
}

void TDriveValuesPage::ShowValues(const TDrive& Drive, TDriveScale Scale) {
    FScale = Scale;
    lblStart->setText(DecimalText(Scale.Start));
    eTotal->setText(DecimalText(Drive.GetValue(Drive.Intervals() - 1) / Scale.UnitsPerShown));
    eTotal->setModified(false);
    const int Count = std::clamp(Drive.Intervals(), 0, MaxIntervals);
    {
        const QSignalBlocker Quiet(seIntervals);
        seIntervals->setValue(Count);
    }
    const QSignalBlocker Quiet(sgValues);
    sgValues->setRowCount(Count);
    for (int Row = 0; Row < Count; ++Row)
        SetCell(Row, Drive.GetValue(Row) / Scale.UnitsPerShown + Scale.Start);
}

void TDriveValuesPage::SetCell(int Row, double Shown) {
    auto* Number = new QTableWidgetItem(QString::number(Row + 1));
    Number->setFlags(Number->flags() & ~Qt::ItemIsEditable);
    sgValues->setItem(Row, 0, Number);
    sgValues->setItem(Row, 1, new QTableWidgetItem(DecimalText(Shown)));
}

void TDriveValuesPage::CountChanged(int Count) {
    const QSignalBlocker Quiet(sgValues);
    const int Old = sgValues->rowCount();
    sgValues->setRowCount(Count);
    for (int Row = Old; Row < Count; ++Row)
        SetCell(Row, 0.0);
    FTableEdited = true;
}

bool TDriveValuesPage::CanLeave(int Page) {
    const bool Changed = Page == LinearPage ? eTotal->isModified() : FTableEdited;
    if (!Changed)
        return true;
    const char* Question =
        Page == LinearPage
            ? "Sie haben Änderungen vorgenommen.\n\rSollen diese Änderungen übernommen werden?"
            : "Wenn Sie zu \"Linear\" wechseln gehen die selbst festgelegten Daten aus der "
              "Tabelle verloren.\n\rWollen Sie fortfahren?";
    const bool Yes = Platform().Messages().MessageDlg(Question, TMsgDlgType::mtConfirmation,
                                                      mbYes | mbNo) == TModalResult::mrYes;
    if (Yes)
        return ApplyChanges();
    // "Nein" on the linear page leaves the total unwritten but marked; on the table page it stays.
    return Page == LinearPage;
}

void TDriveValuesPage::FillRows() {
    seIntervals->interpretText();
    const int Count = sgValues->rowCount();
    if (Count < 1)
        return;
    FSelFill.seFirst->setRange(1, Count);
    FSelFill.seFirst->setValue(1);
    FSelFill.seLast->setRange(1, Count);
    FSelFill.seLast->setValue(Count);
    FSelFill.eFirstValue->setText(sgValues->item(0, 1)->text());
    FSelFill.eLastValue->setText(sgValues->item(Count - 1, 1)->text());
    if (RunModal(FSelFill) != QDialog::Accepted)
        return;

    const int First = FSelFill.seFirst->value();
    const int Last = FSelFill.seLast->value();
    const double FirstValue = ReadNumber(FSelFill.eFirstValue->text()).value_or(NAN);
    const double LastValue = ReadNumber(FSelFill.eLastValue->text()).value_or(NAN);
    // Rows and their values; with both rows the same, the last value wins.
    std::vector<std::pair<int, double>> Cells{{First, FirstValue}, {Last, LastValue}};
    for (int Row = std::min(First, Last) + 1; Row < std::max(First, Last); ++Row)
        Cells.emplace_back(Row,
                           FirstValue + (LastValue - FirstValue) / (Last - First) * (Row - First));
    for (const auto& [Row, Value] : Cells)
        if (!std::isfinite(Value)) {
            RefuseInput(*btnFill, FFillInput);
            return;
        }
    const QSignalBlocker Quiet(sgValues);
    for (const auto& [Row, Value] : Cells)
        sgValues->item(Row - 1, 1)->setText(DecimalText(Value));
    FTableEdited = true;
}

std::optional<TDriveValuesInput> TDriveValuesPage::Read(const TDrive& Drive) {
    TDriveValuesInput Input;
    Input.Intervals = SpinValue(*seIntervals);
    Input.IsLinear = pcData->CurrentIndex() == LinearPage;
    if (Input.IsLinear) {
        const auto Total = ReadTotal(Drive);
        if (!Total)
            return std::nullopt;
        Input.Values = LinearSpread(Input.Intervals, *Total);
    } else if (FTableEdited || Input.Intervals != Drive.Intervals()) {
        Input.Values = ReadTable();
        if (!Input.Values)
            return std::nullopt;
    }
    return Input;
}

std::optional<double> TDriveValuesPage::ReadTotal(const TDrive& Drive) {
    // What the field shows of an untouched total is rounded; the drive holds it exactly.
    if (!eTotal->isModified())
        return Drive.GetValue(Drive.Intervals() - 1);
    const auto Shown = ReadNumber(eTotal->text());
    if (Shown && std::isfinite(*Shown * FScale.UnitsPerShown))
        return *Shown * FScale.UnitsPerShown;
    RefuseInput(*eTotal, FTotalInput);
    return std::nullopt;
}

std::optional<std::vector<double>> TDriveValuesPage::ReadTable() {
    std::vector<double> Values;
    for (int Row = 0; Row < sgValues->rowCount(); ++Row) {
        const auto Shown = ReadNumber(sgValues->item(Row, 1)->text());
        const double Value = Shown ? (*Shown - FScale.Start) * FScale.UnitsPerShown : NAN;
        if (!std::isfinite(Value)) {
            sgValues->setCurrentCell(Row, 1);
            RefuseInput(*sgValues, FCellInput);
            return std::nullopt;
        }
        Values.push_back(Value);
    }
    return Values;
}
