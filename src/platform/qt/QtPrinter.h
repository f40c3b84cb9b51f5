// The printer over QPrinter: the system's printer as the setup dialog chose it, or a PDF file.
#pragma once

#include "platform/Printer.h"
#include "platform/qt/QtCanvas.h"

#include <QPainter>
#include <QPrinter>

#include <memory>

class TQtPrinter : public TPrinter {
public:
    TQtPrinter();
    ~TQtPrinter() override;

    // What the print setup dialog configures.
    QPrinter& Device() { return FPrinter; }

    void SetTitle(const std::string& Title) override;
    void BeginDoc() override;
    void EndDoc() override;
    void Abort() override;
    TCanvas& Canvas() override;
    int PageWidth() const override { return FPrinter.width(); }
    int PageHeight() const override { return FPrinter.height(); }
    int Resolution() const override { return FPrinter.resolution(); }

private:
    QPrinter FPrinter{QPrinter::HighResolution};
    QPainter FPainter;
    std::unique_ptr<TQtCanvas> FCanvas;
};
