// The printer item of the main surface: prints the mechanism view onto a printer page through the
// surface's print mode, with every pixel-sized drawing setting enlarged by the page's factor over
// the screen for the duration of the print, so the page looks like an enlargement of the screen.
#pragma once

#include "surface/MMGraphicItem.h"
#include "xml/Variant.h"

#include <functional>
#include <string>
#include <vector>

class TCustomXMLPreferences;
class TGearData;
class TPreferenceItem;
class TPrinter;

enum class TMMPrintViewType { pvActualView, pvScalePage, pvScale1 };

class TMMPrinter : public TMMGraphicItem {
public:
    // ApplyToAll brings every drawn object up to the settings in Prefs.
    TMMPrinter(TPrinter& Printer, TCustomXMLPreferences& Prefs, std::function<void()> ApplyToAll);

    TMMPrintViewType PrintView() const { return FPrintView; }
    void SetPrintView(TMMPrintViewType Value) { FPrintView = Value; }
    TGearData* GearData() const { return FGearData; }
    void SetGearData(TGearData* Value) { FGearData = Value; }
    const std::string& PrintTitle() const { return FPrintTitle; }
    void SetPrintTitle(const std::string& Value) { FPrintTitle = Value; }

    // Prints the view; nothing without a surface and a model. Afterwards the view and the
    // settings are as before, also when printing failed; a failure is then passed on.
    void Print();
    void BeginPrint();
    void EndPrint();
    // Multiplies the size settings by Factor and applies all settings.
    void ScalePreferences(double Factor);
    // Sets the surface's world rectangle for PrintView.
    void ApplyPrintView();

    // The page's enlargement over the screen in the tighter direction; 1 without a screen size.
    static double PageFactor(int ScreenW, int ScreenH, int PageW, int PageH);

    void Paint() override {}

private:
    // A size setting as it was before the print: restored exactly, default and type included.
    struct TSavedSize {
        TPreferenceItem* Item;
        TVariant Default;
        TVariant Value;
    };
    std::vector<TSavedSize> SaveSizes() const;
    void RestoreSizes(const std::vector<TSavedSize>& Saved);
    void PrintTitleText(double Factor);
    void FitJoints();
    void TrueScale();
    // Leaves print mode with the screen's view and the settings as before.
    void Finish(const TMMRect& ScreenView, const std::vector<TSavedSize>* Saved);

    TPrinter& FPrinter;
    TCustomXMLPreferences& FPrefs;
    std::function<void()> FApplyToAll;
    TMMPrintViewType FPrintView = TMMPrintViewType::pvActualView;
    TGearData* FGearData = nullptr;
    std::string FPrintTitle;
};
