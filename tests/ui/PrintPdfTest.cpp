// Printing through the real Qt printer into a PDF on A4 at 254 dpi (a tenth of a millimetre per
// device pixel, 10 mm margins), checked with the poppler tools: the document, the title's place,
// and where the joints land on the rendered page.
#include "PrintRig.h"
#include "platform/qt/QtPrinter.h"
#include "support/ScratchDir.h"

#include <QImage>
#include <QMarginsF>
#include <QPageSize>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>

namespace {

constexpr int Dpi = 254;
constexpr int Margin = 100;               // device pixels of the 10 mm margin
constexpr int PrintW = 2100 - 2 * Margin; // the printable area of A4
constexpr int PrintH = 2970 - 2 * Margin;

QString RunTool(const QString& Program, const QStringList& Args) {
    QProcess P;
    P.start(Program, Args);
    EXPECT_TRUE(P.waitForFinished(60000)) << Program.toStdString();
    EXPECT_EQ(P.exitCode(), 0) << Program.toStdString() << P.readAllStandardError().toStdString();
    return QString::fromUtf8(P.readAllStandardOutput());
}

struct TPoint2 {
    double X, Y;
};

class PrintPdf : public ::testing::Test {
protected:
    PrintPdf() {
        QPrinter& D = Printer.Device();
        D.setOutputFormat(QPrinter::PdfFormat);
        D.setOutputFileName(QString::fromStdString(Pdf));
        D.setPageSize(QPageSize(QPageSize::A4));
        D.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
        D.setResolution(Dpi);
        Rig.Settings().SetValue("Joints", "ShowID", false);
        Rig.Item.SetPrintTitle("Getriebe.kxw");
    }
    // The page rendered at the printer's resolution.
    QImage Render() {
        RunTool("pdftoppm",
                {"-r", QString::number(Dpi), "-png", "-singlefile", QString::fromStdString(Pdf),
                 QString::fromStdString(Dir.File("page"))});
        QImage Page(QString::fromStdString(Dir.File("page.png")));
        EXPECT_EQ(Page.width(), 2100);
        EXPECT_NEAR(Page.height(), 2970, 1); // 297 mm is 841.89 points
        return Page.convertToFormat(QImage::Format_Grayscale8);
    }
    // The centre of the dark pixels around the page pixel (X, Y).
    static TPoint2 MarkAround(const QImage& Page, TPoint2 P) {
        int X0 = 1 << 30, Y0 = 1 << 30, X1 = -1, Y1 = -1;
        for (int Y = std::max(0, int(P.Y) - 60); Y < std::min(Page.height(), int(P.Y) + 60); ++Y)
            for (int X = std::max(0, int(P.X) - 60); X < std::min(Page.width(), int(P.X) + 60); ++X)
                if (qGray(Page.pixel(X, Y)) < 128) {
                    X0 = std::min(X0, X), X1 = std::max(X1, X);
                    Y0 = std::min(Y0, Y), Y1 = std::max(Y1, Y);
                }
        EXPECT_GE(X1, 0) << "no mark near " << P.X << ", " << P.Y;
        return {(X0 + X1 + 1) / 2.0, (Y0 + Y1 + 1) / 2.0};
    }
    void ExpectMarkAt(const QImage& Page, TPoint2 P) {
        const TPoint2 Found = MarkAround(Page, P);
        EXPECT_NEAR(Found.X, P.X, 2);
        EXPECT_NEAR(Found.Y, P.Y, 2);
    }
    // The page pixel of a world point for a view of centre (CX, CY) at S pixels per millimetre.
    static TPoint2 OnPage(double X, double Y, double CX, double CY, double S) {
        return {Margin + PrintW / 2.0 + (X - CX) * S, Margin + PrintH / 2.0 - (Y - CY) * S};
    }

    QApplication& App = QtTestApp(); // before the printer
    TScratchDir Dir;
    std::string Pdf = Dir.File("print.pdf");
    TQtPrinter Printer;
    TPrintRig Rig{400, 300, Printer};
};

TEST_F(PrintPdf, OneA4PageTitledWithTheNamePrintedTopLeft) {
    Rig.Build->Joint(50, 50);
    Rig.Item.Print();

    const QString Info = RunTool("pdfinfo", {QString::fromStdString(Pdf)});
    EXPECT_TRUE(Info.contains(QRegularExpression("Pages:\\s+1\\n"))) << Info.toStdString();
    EXPECT_TRUE(
        Info.contains(QRegularExpression("Page size:\\s+595[.\\d]* x 84[12][.\\d]* pts \\(A4\\)")))
        << Info.toStdString();
    EXPECT_TRUE(Info.contains(QRegularExpression("Title:\\s+Getriebe\\.kxw\\n")));

    const QString Words = RunTool("pdftotext", {"-bbox", QString::fromStdString(Pdf), "-"});
    const auto Word =
        QRegularExpression("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\"[^>]*>Getriebe\\.kxw</word>")
            .match(Words);
    ASSERT_TRUE(Word.hasMatch()) << Words.toStdString();
    const double MarginPt = 10 / 25.4 * 72;
    EXPECT_NEAR(Word.captured(1).toDouble(), MarginPt, 3);
    EXPECT_NEAR(Word.captured(2).toDouble(), MarginPt, 6);
}

TEST_F(PrintPdf, AsShownPutsJointsWhereThePageMappingPredicts) {
    Rig.Surface().SetMMRect(MMRect(-20, 100, 140, -20));
    Rig.Build->Joint(30, 40);
    Rig.Build->Joint(100, 0);
    // The screen's view keeps its centre; the page takes the tighter of the two scales.
    const TMMRect& V = Rig.Surface().ViewRect();
    const double CX = (V.Left + V.Right) / 2, CY = (V.Top + V.Bottom) / 2;
    const double S = std::min(PrintW / (V.Right - V.Left), PrintH / (V.Top - V.Bottom));
    Rig.Item.Print();

    const QImage Page = Render();
    ExpectMarkAt(Page, OnPage(30, 40, CX, CY, S));
    ExpectMarkAt(Page, OnPage(100, 0, CX, CY, S));
}

TEST_F(PrintPdf, FittedSpansTheJointsWithAMarginAcrossThePrintableWidth) {
    Rig.Build->Joint(0, -20);
    Rig.Build->Joint(100, 60);
    Rig.Item.SetPrintView(TMMPrintViewType::pvScalePage);
    Rig.Item.Print();

    const QImage Page = Render();
    const double S = PrintW / 120.0; // X -10..110 across the width
    ExpectMarkAt(Page, OnPage(0, -20, 50, 20, S));
    ExpectMarkAt(Page, OnPage(100, 60, 50, 20, S));
}

TEST_F(PrintPdf, NothingReachesTheMargins) {
    // A bar running far beyond the page, and a first paint that would show the screen's view.
    Rig.Build->Link({Rig.Build->Joint(0, 0), Rig.Build->Joint(5000, 3000)});
    Rig.Build->Joint(-40, 10);
    Rig.Item.SetPrintView(TMMPrintViewType::pvScale1);
    Rig.Item.Print();

    const QImage Page = Render();
    int Dark = 0, DarkInside = 0;
    for (int Y = 0; Y < Page.height(); ++Y)
        for (int X = 0; X < Page.width(); ++X) {
            if (qGray(Page.pixel(X, Y)) >= 200)
                continue;
            // The renderer smooths a clipped edge into the pixel beside it.
            const bool Inside =
                X >= Margin - 1 && X <= Margin + PrintW && Y >= Margin - 1 && Y <= Margin + PrintH;
            ++(Inside ? DarkInside : Dark);
        }
    EXPECT_EQ(Dark, 0);
    EXPECT_GT(DarkInside, 0);
}

TEST_F(PrintPdf, TrueScalePutsJointsAHundredMillimetresApartOnPaper) {
    Rig.Build->Joint(0, 0);
    Rig.Build->Joint(100, 0);
    Rig.Item.SetPrintView(TMMPrintViewType::pvScale1);
    Rig.Item.Print();

    const QImage Page = Render();
    const TPoint2 Left = MarkAround(Page, OnPage(0, 0, 50, 0, 10));
    const TPoint2 Right = MarkAround(Page, OnPage(100, 0, 50, 0, 10));
    EXPECT_NEAR(Right.X - Left.X, 1000, 3);
    EXPECT_NEAR(Right.Y, Left.Y, 1);
}

TEST_F(PrintPdf, AnUnwritableFileIsAnErrorAndLeavesViewAndSettings) {
    Rig.Build->Joint(0, 0);
    Printer.Device().setOutputFileName(QString::fromStdString(Dir.File("missing/print.pdf")));
    const TMMRect View = Rig.Surface().ViewRect();
    const double Radius = Rig.Settings().GetDouble("Joints", "Radius");
    EXPECT_THROW(Rig.Item.Print(), std::runtime_error);
    EXPECT_EQ(Rig.Surface().ViewRect(), View);
    EXPECT_EQ(Rig.Settings().GetDouble("Joints", "Radius"), Radius);
    EXPECT_FALSE(Rig.Surface().Printing());
}

} // namespace

// A print that could not start leaves the printer to be set up anew: a PDF file chosen afterwards
// takes effect, and the next print writes it.
TEST_F(PrintPdf, AfterAFailedStartAPdfFileChosenNextIsPrinted) {
    struct TCase {
        const char* Name;
        std::string File; // what the failing print was given
        const char* Message;
    };
    const TCase Cases[] = {
        {"no printer set up", "",
         "Es ist kein Drucker eingerichtet. Wählen Sie unter \"Drucker einrichten ...\" einen "
         "Drucker oder eine PDF-Datei."},
        {"a file that cannot be written", Dir.File("missing/print.pdf"),
         "Der Drucker konnte nicht gestartet werden."},
    };
    Rig.Build->Joint(50, 50);
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Name);
        const std::string Next = Dir.File(std::string("after ") + C.Name + ".pdf");
        Printer.Device().setOutputFileName(QString::fromStdString(C.File));
        try {
            Rig.Item.Print();
            ADD_FAILURE() << "printed";
        } catch (const std::runtime_error& E) {
            EXPECT_EQ(std::string(E.what()), C.Message);
        }
        Printer.Device().setOutputFileName(QString::fromStdString(Next));
        EXPECT_EQ(Printer.Device().outputFileName().toStdString(), Next);
        EXPECT_EQ(Printer.Device().outputFormat(), QPrinter::PdfFormat);
        EXPECT_EQ(Printer.Device().resolution(), Dpi);
        ASSERT_NO_THROW(Rig.Item.Print());
        const QString Info = RunTool("pdfinfo", {QString::fromStdString(Next)});
        EXPECT_TRUE(Info.contains(QRegularExpression("Pages:\\s+1\\n"))) << Info.toStdString();
    }
}
