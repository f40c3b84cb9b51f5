// What the main window prints through: the printer item on its surface behind the main window's
// printer interface, and the printer setup dialog.
#pragma once

#include "ui/fmMainSeams.h"

#include <functional>
#include <memory>

class QWidget;
class TCustomXMLPreferences;
class TPrinter;
class TQtPrinter;

// A printer item on Surface for Data; Print(Title, View) sets title and view, prints and passes
// every failure on as an exception.
std::unique_ptr<TViewPrinter> MakeViewPrinter(TMMSurface& Surface, TGearData& Data,
                                              TPrinter& Printer, TCustomXMLPreferences& Prefs,
                                              std::function<void()> ApplyToAll);

// "Drucker einrichten ...": the print dialog on Printer; what it answers is not examined.
void ShowPrinterSetup(TQtPrinter& Printer, QWidget* Parent);
