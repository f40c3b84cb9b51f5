#include "platform/qt/QtPrinter.h"

#include <stdexcept>

TQtPrinter::TQtPrinter() = default;

TQtPrinter::~TQtPrinter() {
    Abort();
}

void TQtPrinter::SetTitle(const std::string& Title) {
    FPrinter.setDocName(QString::fromStdString(Title));
}

void TQtPrinter::BeginDoc() {
    Abort();
    if (!FPainter.begin(&FPrinter))
        throw std::runtime_error("Der Drucker konnte nicht gestartet werden.");
    // Like a window, the page shows nothing of what is drawn beyond it.
    FPainter.setClipRect(QRect(0, 0, PageWidth(), PageHeight()));
    FCanvas = std::make_unique<TQtCanvas>(FPainter);
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
    FPrinter.abort();
    FPainter.end();
}

TCanvas& TQtPrinter::Canvas() {
    if (!FCanvas)
        throw std::runtime_error("Es wird kein Dokument gedruckt.");
    return *FCanvas;
}
