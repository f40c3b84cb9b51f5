// The print options dialog and the printer setup: the chosen view, cancelling, the kept choice.
#include "platform/qt/QtPrinter.h"
#include "support/QtTestApp.h"
#include "ui/ModalSeam.h"
#include "ui/ViewPrinter.h"
#include "ui/fmPrintOptions.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QPrintDialog>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(FormPrintOptions, AnswersTheChosenViewOnOkAndNothingOnCancelKeepingTheChoice) {
    QtTestApp();
    TFormPrintOptions Form;
    EXPECT_EQ(Form.windowTitle(), "Getriebe drucken");
    EXPECT_EQ(Form.PrintViewIndex(), 0);
    {
        TScopedModalRunner Choose([](QDialog& D) {
            auto& F = static_cast<TFormPrintOptions&>(D);
            QTest::mouseClick(F.rgPrintView()->button(2), Qt::LeftButton);
            return int(QDialog::Accepted);
        });
        EXPECT_EQ(Form.Ask(), 2);
    }
    TScopedModalRunner Cancel([](QDialog&) { return int(QDialog::Rejected); });
    EXPECT_EQ(Form.Ask(), std::nullopt);
    EXPECT_EQ(Form.PrintViewIndex(), 2);
    EXPECT_EQ(Form.rgPrintView()->button(1)->text(), "Passend auf Seite skalieren");
}

TEST(FormPrintOptions, SetupButtonOpensThePrinterSetupOnThePrinter) {
    QtTestApp();
    TQtPrinter Printer;
    TFormPrintOptions Form;
    int Shown = 0;
    TScopedModalRunner Answer([&](QDialog& D) {
        auto* Dialog = dynamic_cast<QPrintDialog*>(&D);
        EXPECT_TRUE(Dialog && Dialog->printer() == &Printer.Device());
        ++Shown;
        return int(QDialog::Rejected);
    });
    Form.OnPrinterSetup = [&] { ShowPrinterSetup(Printer, &Form); };
    EXPECT_EQ(Form.SetupButton()->text(), "Drucker einrichten ...");
    QTest::mouseClick(Form.SetupButton(), Qt::LeftButton);
    EXPECT_EQ(Shown, 1);
}

} // namespace
