// Qt's own dialogs speak German once the program has installed Qt's German texts.
#include "platform/qt/QtTranslations.h"
#include "support/QtTestApp.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QTranslator>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Texts(const QWidget& Dialog) {
    std::vector<std::string> Found;
    for (const QLabel* L : Dialog.findChildren<QLabel*>())
        Found.push_back(L->text().toStdString());
    for (const QPushButton* B : Dialog.findChildren<QPushButton*>())
        Found.push_back(B->text().toStdString());
    return Found;
}

bool Has(const std::vector<std::string>& Texts, const char* Text) {
    return std::find(Texts.begin(), Texts.end(), Text) != Texts.end();
}

TEST(QtTranslations, TheFileDialogShowsItsGermanTexts) {
    QTranslator* German = InstallGermanQtTexts(QtTestApp());
    ASSERT_NE(German, nullptr) << "Qt's German texts are not installed";
    {
        QFileDialog Dialog;
        Dialog.setOption(QFileDialog::DontUseNativeDialog);
        Dialog.setAcceptMode(QFileDialog::AcceptOpen);
        const std::vector<std::string> Shown = Texts(Dialog);
        for (const char* Text : {"Suchen in:", "Datei&name:", "Dateien des Typs:", "Abbrechen"})
            EXPECT_TRUE(Has(Shown, Text)) << Text;
        for (const char* Text : {"Look in:", "File &name:", "Cancel"})
            EXPECT_FALSE(Has(Shown, Text)) << Text;
    }
    // The other tests meet Qt as it was.
    QCoreApplication::removeTranslator(German);
    delete German;
}

} // namespace
