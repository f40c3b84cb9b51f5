#include "platform/qt/QtPrinter.h"

#include <stdexcept>

TQtPrinter::TQtPrinter() : FPrinter(std::make_unique<QPrinter>(QPrinter::HighResolution)) {}

TQtPrinter::~TQtPrinter() {
    Abort();
}

void TQtPrinter::SetTitle(const std::string& Title) {
    FPrinter->setDocName(QString::fromStdString(Title));
}

bool TQtPrinter::IsSetUp() const {
    // Without a printer Qt writes PDF, and it needs a file for that.
    return FPrinter->outputFormat() != QPrinter::PdfFormat || !FPrinter->outputFileName().isEmpty();
}

void TQtPrinter::BeginDoc() {
    Abort();
    if (!FPainter.begin(FPrinter.get())) {
        if (FPrinter->printerState() == QPrinter::Active)
            Renew();
        throw std::runtime_error(IsSetUp() ? "Der Drucker konnte nicht gestartet werden."
                                           : "Es ist kein Drucker eingerichtet. Wählen Sie unter "
                                             "\"Drucker einrichten ...\" einen Drucker oder "
                                             "eine PDF-Datei.");
    }
    // Like a window, the page shows nothing of what is drawn beyond it.
    FPainter.setClipRect(QRect(0, 0, PageWidth(), PageHeight()));
    FCanvas = std::make_unique<TQtCanvas>(FPainter);
}

void TQtPrinter::Renew() {
    const QPrinter& Old = *FPrinter;
    auto New = std::make_unique<QPrinter>(QPrinter::HighResolution);
    New->setOutputFormat(Old.outputFormat());
    if (Old.outputFormat() == QPrinter::NativeFormat)
        New->setPrinterName(Old.printerName());
    New->setOutputFileName(Old.outputFileName());
    New->setDocName(Old.docName());
    New->setResolution(Old.resolution());
    New->setPageLayout(Old.pageLayout());
    New->setFullPage(Old.fullPage());
    New->setCopyCount(Old.copyCount());
    New->setCollateCopies(Old.collateCopies());
    New->setColorMode(Old.colorMode());
    New->setDuplex(Old.duplex());
    New->setPageOrder(Old.pageOrder());
    New->setPrintRange(Old.printRange());
    New->setFromTo(Old.fromPage(), Old.toPage());
    FPrinter = std::move(New);
}

void TQtPrinter::EndDoc() {
    if (!FPainter.isActive())
        throw std::runtime_error("Es wird kein Dokument gedruckt.");
    FCanvas.reset();
    if (!FPainter.end())
        throw std::runtime_error("Das Dokument konnte nicht abgeschlossen werden.");
}

void TQtPrinter::Abort() {
    if (!FPainter.isActive())
        return;
    FCanvas.reset();
    FPrinter->abort();
    FPainter.end();
}

TCanvas& TQtPrinter::Canvas() {
    if (!FCanvas)
        throw std::runtime_error("Es wird kein Dokument gedruckt.");
    return *FCanvas;
}
