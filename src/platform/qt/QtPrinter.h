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

    // What the print setup dialog configures; valid until the next BeginDoc.
    QPrinter& Device() { return *FPrinter; }

    void SetTitle(const std::string& Title) override;
    // Fails when no printer or PDF file is chosen, and when the printer does not start; either
    // way the printer stays as it was, so it can still be set up and used.
    void BeginDoc() override;
    void EndDoc() override;
    void Abort() override;
    TCanvas& Canvas() override;
    int PageWidth() const override { return FPrinter->width(); }
    int PageHeight() const override { return FPrinter->height(); }
    int Resolution() const override { return FPrinter->resolution(); }

private:
    bool IsSetUp() const;
    // A printer that failed to start may stay busy for good, refusing every new setting: a fresh
    // one takes over its settings.
    void Renew();

    std::unique_ptr<QPrinter> FPrinter;
    QPainter FPainter;
    std::unique_ptr<TQtCanvas> FCanvas;
};
