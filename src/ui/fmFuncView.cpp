// The transfer-function window's view handlers: rebuilding on a new choice, highlight and colour
// of a series, zoom buttons, typed limits, scrolling, and the cursor that moves the mechanism.
#include "gear/uFuncSeries.h"
#include "gear/uGear.h"
#include "gear/uGearUtils.h"
#include "platform/FormatNumber.h"
#include "platform/Round.h"
#include "platform/qt/QtGuard.h"
#include "surface/MMDiagram.h"
#include "surface/MMIntervalLine.h"
#include "ui/ColorBox.h"
#include "ui/DialogFields.h"
#include "ui/ModalSeam.h"
#include "ui/fDiagram.h"
#include "ui/fmColorSelect.h"
#include "ui/fmCoordRect.h"
#include "ui/fmFunc.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>

#include <cmath>
#include <optional>
#include <string>

namespace {

std::optional<double> ReadLimit(const QLineEdit& Edit) {
    std::optional<double> V = StrToFloatAnySep(Edit.text().toStdString());
    if (V && !std::isfinite(*V))
        return std::nullopt;
    return V;
}

// Typed limits of one axis. A pair that would not leave the minimum below the maximum changes
// nothing: the view cannot turn inside out.
void ApplyLimits(const QLineEdit& MinEdit, const QLineEdit& MaxEdit, double OldMin, double OldMax,
                 void (TMMSurface::*SetMin)(double), void (TMMSurface::*SetMax)(double),
                 TMMSurface& Surface) {
    const std::optional<double> Min = ReadLimit(MinEdit);
    const std::optional<double> Max = ReadLimit(MaxEdit);
    if (!(Min.value_or(OldMin) < Max.value_or(OldMax)))
        return;
    if (Min)
        (Surface.*SetMin)(*Min);
    if (Max)
        (Surface.*SetMax)(*Max);
}

} // namespace

void TFormFunc::ConnectView() {
    GuardedConnect(FcbXAxis, &QComboBox::currentIndexChanged, this, [this] { BuildSeries(); });
    GuardedConnect(FclbYAxis, &QListWidget::itemChanged, this, [this] { BuildSeries(); });
    GuardedConnect(FclbYAxis, &QListWidget::itemClicked, this,
                   [this](QListWidgetItem* Item) { clbYAxisClick(Item); });
    GuardedConnect(FclbYAxis, &QListWidget::itemDoubleClicked, this,
                   [this](QListWidgetItem* Item) { clbYAxisDblClick(Item); });
    GuardedConnect(FSpeedButton1, &QToolButton::clicked, this, [this] { ZoomX(1.0 / 4); });
    GuardedConnect(FSpeedButton3, &QToolButton::clicked, this, [this] { ZoomX(-1.0 / 6); });
    GuardedConnect(FSpeedButton2, &QToolButton::clicked, this, [this] { ZoomY(1.0 / 4); });
    GuardedConnect(FSpeedButton4, &QToolButton::clicked, this, [this] { ZoomY(-1.0 / 6); });
    GuardedConnect(FButton1, &QPushButton::clicked, this, [this] { Button1Click(); });
    FFFuncDiagram1->MMSurface().OnMouseMove = [this](TObject*, TShiftState, int, int, double MMX,
                                                     double MMY) { PaintBoxMouseMove(MMX, MMY); };
}

void TFormFunc::clbYAxisClick(QListWidgetItem* Item) {
    TMMDataSeries& Series = FFFuncDiagram1->MMDiagram().Series();
    for (int I = 0; I < Series.Count(); ++I)
        Series.Items(I)->SetWidth(1);
    if (TMMDataSerie* Chosen = GetItemSerie(FclbYAxis->row(Item)))
        Chosen->SetWidth(2);
    FFFuncDiagram1->MMSurface().Repaint(false);
}

void TFormFunc::clbYAxisDblClick(QListWidgetItem* Item) {
    TMMDataSerie* Serie = GetItemSerie(FclbYAxis->row(Item));
    if (!Serie)
        return;
    FFormColorSelect->cbColor()->SetSelected(Serie->Color());
    if (RunModal(*FFormColorSelect) != QDialog::Accepted)
        return;
    Serie->SetColor(FFormColorSelect->cbColor()->Selected());
    FFFuncDiagram1->MMSurface().Repaint(false);
}

void TFormFunc::ZoomX(double Factor) {
    TMMSurface& S = FFFuncDiagram1->MMSurface();
    const double W = S.XMax() - S.XMin();
    S.SetXMin(S.XMin() - Factor * W);
    S.SetXMax(S.XMax() + Factor * W);
}

void TFormFunc::ZoomY(double Factor) {
    TMMSurface& S = FFFuncDiagram1->MMSurface();
    const double H = S.YMax() - S.YMin();
    S.SetYMin(S.YMin() - Factor * H);
    S.SetYMax(S.YMax() + Factor * H);
}

void TFormFunc::Button1Click() {
    TMMSurface& S = FFFuncDiagram1->MMSurface();
    const TMMRect Old = S.ViewRect();
    FFormCoordRect->eGSTmin()->setText(QString::number(Round(S.XMin())));
    FFormCoordRect->eGSTmax()->setText(QString::number(Round(S.XMax())));
    FFormCoordRect->eYMin()->setText(DecimalText(S.YMin()));
    FFormCoordRect->eYmax()->setText(DecimalText(S.YMax()));
    if (RunModal(*FFormCoordRect) != QDialog::Accepted)
        return;
    ApplyLimits(*FFormCoordRect->eGSTmin(), *FFormCoordRect->eGSTmax(), Old.Left, Old.Right,
                &TMMSurface::SetXMin, &TMMSurface::SetXMax, S);
    ApplyLimits(*FFormCoordRect->eYMin(), *FFormCoordRect->eYmax(), Old.Bottom, Old.Top,
                &TMMSurface::SetYMin, &TMMSurface::SetYMax, S);
}

void TFormFunc::PaintBoxMouseMove(double MMX, double MMY) {
    const std::optional<int> Position = FSeries->PositionAt(MMX);
    if (!Position) {
        HideCursor();
        return;
    }
    FGear.GearCache().ApplyPosition(*Position);
    FIntervalLine->SetPosition(Round(MMX));
    FIntervalLine->SetVisible(true);
    FStatusText->setText(QString::fromStdString(
        "Getriebestellung " + std::to_string(*Position + 1) + " - y=" + FormatFixed(MMY, 2, 5)));
}

void TFormFunc::HideCursor() {
    FIntervalLine->SetVisible(false);
    FStatusText->clear();
}
