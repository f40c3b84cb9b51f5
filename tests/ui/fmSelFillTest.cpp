// "Zeilen wählen" answers with its buttons and keeps its rows at 1 or more.
#include "ui/fmSelFill.h"
#include "support/QtTestApp.h"

#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(FormSelFill, ButtonsAnswerAndRowsStartAtOne) {
    QtTestApp();
    TFormSelFill Form;
    EXPECT_EQ(Form.windowTitle().toStdString(), "Zeilen wählen");
    EXPECT_TRUE(Form.bbtnOK->isDefault());
    Form.seFirst->setValue(0);
    Form.seLast->setValue(-3);
    EXPECT_EQ(Form.seFirst->value(), 1);
    EXPECT_EQ(Form.seLast->value(), 1);

    struct TCase {
        QPushButton* Button;
        int Result;
    };
    for (const TCase& C :
         {TCase{Form.bbtnOK, QDialog::Accepted}, TCase{Form.bbtnCancel, QDialog::Rejected}}) {
        Form.show();
        Form.setResult(-1);
        QTest::mouseClick(C.Button, Qt::LeftButton);
        EXPECT_EQ(Form.result(), C.Result);
        EXPECT_FALSE(Form.isVisible());
    }
    Form.show();
    QTest::keyClick(&Form, Qt::Key_Escape);
    EXPECT_EQ(Form.result(), QDialog::Rejected);
}

} // namespace
