// The Qt file dialogs: filters in Qt's form, cancelling, the default extension and the asked
// title, folder and name.
#include "platform/qt/QtFileDialogs.h"
#include "support/QtTestApp.h"
#include "support/ScratchDir.h"

#include <QDir>
#include <QFileDialog>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

const char* const KoplarFilter = "KOPLAR GE Dateien (*.kxw)|*.kxw|Alle Dateien (*.*)|*.*";

TEST(QtNameFilters, TakeTheNamesAndPatternsInQtsForm) {
    struct Case {
        const char* Filter;
        QStringList Qt;
    } Cases[] = {
        {KoplarFilter, {"KOPLAR GE Dateien (*.kxw)", "Alle Dateien (*)"}},
        {"Bilder|*.png;*.jpg", {"Bilder (*.png *.jpg)"}},
        {"Texte (*.doc)|*.txt", {"Texte (*.txt)"}},
        {"|*.txt", {"*.txt"}},
        {"Ohne Muster|", {}},
        {"Nur ein Name", {}},
        {"", {}},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Filter);
        EXPECT_EQ(QtNameFilters(C.Filter), C.Qt);
    }
}

TEST(QtNameFilters, AllFilesMatchNamesWithoutAnExtension) {
    const QStringList Filters = QtNameFilters(KoplarFilter);
    ASSERT_EQ(Filters.size(), 2);
    const QString Patterns = Filters[1].section(u'(', 1).chopped(1);
    for (const char* Name : {"README", "a.kxw", "b.tar.gz"})
        EXPECT_TRUE(QDir::match(Patterns.split(u' '), QString::fromUtf8(Name))) << Name;
}

class QtFileDialogs : public ::testing::Test {
protected:
    QApplication& App = QtTestApp();
    TScratchDir Dir;
    TQtFileDialogs Dialogs;

    TFileDialogRequest Request(const std::string& FileName = "") const {
        return {"Speichern unter", KoplarFilter, "kxw", Dir.Path().string(), FileName};
    }

    // Once the dialog is up, Act drives it.
    static void WhenShown(std::function<void(QFileDialog&)> Act) {
        QTimer::singleShot(0, [Act] {
            auto* Dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(Dialog, nullptr);
            Act(*Dialog);
            if (Dialog->isVisible())
                Dialog->reject();
        });
    }

    static void Choose(const std::string& Name) {
        WhenShown([Name](QFileDialog& D) {
            D.selectFile(QString::fromStdString(Name));
            static_cast<QDialog&>(D).accept(); // as the dialog's own button does
        });
    }
};

TEST_F(QtFileDialogs, CancellingChoosesNothing) {
    WhenShown([](QFileDialog& D) { D.reject(); });
    EXPECT_EQ(Dialogs.SaveFile(Request("a.kxw")), std::nullopt);
    WhenShown([](QFileDialog& D) { D.reject(); });
    EXPECT_EQ(Dialogs.OpenFile(Request()), std::nullopt);
}

TEST_F(QtFileDialogs, SaveDialogShowsWhatWasAskedAndLeavesTheOverwriteQuestionToTheCaller) {
    QString Title, Chosen, Folder, Suffix;
    QStringList Filters;
    bool Confirms = true;
    WhenShown([&](QFileDialog& D) {
        Title = D.windowTitle();
        Filters = D.nameFilters();
        Chosen = D.selectedNameFilter();
        Folder = D.directory().absolutePath();
        Suffix = D.defaultSuffix();
        Confirms = !D.testOption(QFileDialog::DontConfirmOverwrite);
        EXPECT_EQ(D.acceptMode(), QFileDialog::AcceptSave);
        EXPECT_EQ(D.selectedFiles(),
                  QStringList{QString::fromStdString(Dir.File("Unbenannt1.kxw"))});
    });
    EXPECT_EQ(Dialogs.SaveFile(Request("Unbenannt1.kxw")), std::nullopt);
    EXPECT_EQ(Title, "Speichern unter");
    EXPECT_EQ(Filters, QtNameFilters(KoplarFilter));
    EXPECT_EQ(Chosen, "KOPLAR GE Dateien (*.kxw)");
    EXPECT_EQ(Folder, QString::fromStdString(Dir.Path().string()));
    EXPECT_EQ(Suffix, "kxw");
    EXPECT_FALSE(Confirms);
}

TEST_F(QtFileDialogs, SaveAddsTheDefaultExtensionOnlyToABareName) {
    WriteFileText(Dir.File("vorhanden.kxw"), "alt");
    struct Case {
        const char* Typed;
        const char* Chosen;
    } Cases[] = {
        {"Getriebe", "Getriebe.kxw"},
        {"Getriebe.kxw", "Getriebe.kxw"},
        {"Getriebe.txt", "Getriebe.txt"},
        {"vorhanden.kxw", "vorhanden.kxw"}, // no question from the dialog
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Typed);
        Choose(C.Typed);
        EXPECT_EQ(Dialogs.SaveFile(Request()), Dir.File(C.Chosen));
    }
}

TEST_F(QtFileDialogs, OpenChoosesAnExistingFileByItsAbsoluteName) {
    WriteFileText(Dir.File("README"), "text");
    WriteFileText(Dir.File("vier.kxw"), "<xml/>");
    for (const char* Name : {"vier.kxw", "README"}) {
        SCOPED_TRACE(Name);
        Choose(Name);
        EXPECT_EQ(Dialogs.OpenFile(Request()), Dir.File(Name));
    }
    WhenShown([](QFileDialog& D) {
        EXPECT_EQ(D.acceptMode(), QFileDialog::AcceptOpen);
        EXPECT_EQ(D.fileMode(), QFileDialog::ExistingFile);
    });
    Dialogs.OpenFile(Request());
}

} // namespace
