// The transfer-function window "Übertragungsfunktionen": quantities of the animated mechanism
// plotted against each other over all gear positions. The mouse over the plot moves the mechanism
// to the gear position under it and marks that position with a cursor line. Handlers of the view
// (zoom, typed limits, scrolling, cursor, highlight, colour) live in fmFuncView.cpp.
#pragma once

#include <QDialog>

#include <memory>

class QComboBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QStatusBar;
class QToolButton;
class TFFuncDiagram;
class TFormColorSelect;
class TFormCoordRect;
class TFuncSeries;
class TGear;
class TMMDataSerie;
class TMMIntervalLine;
struct TApplyTargets;

class TFormFunc : public QDialog {
public:
    explicit TFormFunc(TGear& Gear, QWidget* Parent = nullptr);
    ~TFormFunc() override;

    // Empties the plot; with cached positions refills both lists and builds the series.
    void UpdateData();
    // The main window's command: stops the animation at the first position, takes the cache's
    // data, shows the window modally and afterwards puts the mechanism into position 0.
    void Execute();
    // The frame's surface, grid, axes and diagram, for the settings to reach.
    void AddApplyTargets(TApplyTargets& Targets);

    // The series of entry Index of clbYAxis; nil when it has none.
    TMMDataSerie* GetItemSerie(int Index) const;

    QComboBox* cbXAxis() const { return FcbXAxis; }
    QListWidget* clbYAxis() const { return FclbYAxis; }
    QToolButton* SpeedButton1() const { return FSpeedButton1; }
    QToolButton* SpeedButton2() const { return FSpeedButton2; }
    QToolButton* SpeedButton3() const { return FSpeedButton3; }
    QToolButton* SpeedButton4() const { return FSpeedButton4; }
    QPushButton* Button1() const { return FButton1; }
    TFFuncDiagram* FFuncDiagram1() const { return FFFuncDiagram1; }
    QStatusBar* StatusBar1() const { return FStatusBar1; }
    // The status bar's one text.
    QLabel* StatusText() const { return FStatusText; }
    TMMIntervalLine& IntervalLine() const { return *FIntervalLine; }
    TFormCoordRect& FormCoordRect() const { return *FFormCoordRect; }
    TFormColorSelect& FormColorSelect() const { return *FFormColorSelect; }

private:
    QWidget* BuildPanel();
    QWidget* BuildCoordinates();
    void FillLists();
    void BuildSeries();

    // fmFuncView.cpp
    void ConnectView();
    void clbYAxisClick(QListWidgetItem* Item);
    void clbYAxisDblClick(QListWidgetItem* Item);
    // Grows (Factor 1/4 outward) or shrinks (-1/6) one axis about its centre.
    void ZoomX(double Factor);
    void ZoomY(double Factor);
    void Button1Click();
    void PaintBoxMouseMove(double MMX, double MMY);
    void HideCursor();

    TGear& FGear;
    // Widgets, owned by the window through Qt.
    QComboBox* FcbXAxis = nullptr;
    QListWidget* FclbYAxis = nullptr;
    QToolButton* FSpeedButton1 = nullptr;
    QToolButton* FSpeedButton2 = nullptr;
    QToolButton* FSpeedButton3 = nullptr;
    QToolButton* FSpeedButton4 = nullptr;
    QPushButton* FButton1 = nullptr;
    TFFuncDiagram* FFFuncDiagram1 = nullptr;
    QStatusBar* FStatusBar1 = nullptr;
    QLabel* FStatusText = nullptr;
    TFormCoordRect* FFormCoordRect = nullptr;
    TFormColorSelect* FFormColorSelect = nullptr;

    std::unique_ptr<TMMIntervalLine> FIntervalLine;
    std::unique_ptr<TFuncSeries> FSeries;
};
