#include "ui/ViewPrinter.h"

#include "platform/qt/QtPrinter.h"
#include "ui/MMPrinter.h"
#include "ui/ModalSeam.h"

#include <QPrintDialog>

#include <utility>

namespace {

class TMMViewPrinter : public TViewPrinter {
public:
    TMMViewPrinter(TMMSurface& Surface, TGearData& Data, TPrinter& Printer,
                   TCustomXMLPreferences& Prefs, std::function<void()> ApplyToAll)
        : FItem(Printer, Prefs, std::move(ApplyToAll)) {
        FItem.SetMMSurface(&Surface);
        FItem.SetGearData(&Data);
    }

    void Print(const std::string& Title, int PrintView) override {
        FItem.SetPrintTitle(Title);
        if (PrintView >= 0 && PrintView <= static_cast<int>(TMMPrintViewType::pvScale1))
            FItem.SetPrintView(static_cast<TMMPrintViewType>(PrintView));
        FItem.Print();
    }

private:
    TMMPrinter FItem;
};

} // namespace

std::unique_ptr<TViewPrinter> MakeViewPrinter(TMMSurface& Surface, TGearData& Data,
                                              TPrinter& Printer, TCustomXMLPreferences& Prefs,
                                              std::function<void()> ApplyToAll) {
    return std::make_unique<TMMViewPrinter>(Surface, Data, Printer, Prefs, std::move(ApplyToAll));
}

void ShowPrinterSetup(TQtPrinter& Printer, QWidget* Parent) {
    QPrintDialog Dialog(&Printer.Device(), Parent);
    Dialog.setWindowTitle(QStringLiteral("Drucker einrichten"));
    RunModal(Dialog);
}
