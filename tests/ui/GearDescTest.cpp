// The mechanism information dialog: line breaks of the description, the file times and version,
// and what "Speichern" and "Schliessen" do to the model and the document.
#include "files/uFileManager.h"
#include "support/MechanismRigs.h"
#include "support/QtTestApp.h"
#include "support/ScratchDir.h"
#include "ui/ModalSeam.h"
#include "ui/fmGearDesc.h"

#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(GearDescription, LineBreaksBetweenTheStoreAndTheMemo) {
    const struct {
        const char* Name;
        std::string Memo;   // as typed or handed in
        std::string Stored; // one line
        std::string Shown;  // the memo's text after storing
    } Cases[] = {
        {"two lines", "a\nb", "a\\nb", "a\nb"},
        {"CR LF", "a\r\nb\r\n", "a\\nb\\n", "a\nb\n"},
        {"lone CR", "a\rb", "a\\nb", "a\nb"},
        {"typed backslash-n", "x\\ny", "x\\ny", "x\ny"},
        {"empty", "", "", ""},
        {"empty lines", "\n\n", "\\n\\n", "\n\n"},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        EXPECT_EQ(EncodeLineBreaks(C.Memo), C.Stored);
        EXPECT_EQ(DecodeLineBreaks(C.Stored), C.Shown);
    }
}

class GearDescriptionForm : public ::testing::Test {
protected:
    GearDescriptionForm() {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        Rig.Joint(0, 0);
        Rig.D().GearInfo().SetAuthor("Müller");
        Rig.D().GearInfo().SetDescription("Kurbel\\nSchwinge");
        EXPECT_TRUE(Manager.SaveAs(Dir.File("Kurbel.kxw"))); // saved: not modified
    }
    ~GearDescriptionForm() override { QLocale::setDefault(QLocale::c()); }
    // Shows the dialog for the model and lets Act answer it.
    void Run(const std::function<void(TFormGearDescription&)>& Act) {
        TScopedModalRunner Answer([&](QDialog& D) {
            D.show();
            Act(Form);
            return D.result();
        });
        Form.Execute(Rig.D().GearInfo(), File);
    }

    QApplication& App = QtTestApp();
    TScratchDir Dir;
    TModelRig Rig;
    TFileManager Manager{Rig.D()};
    TFileInfo File{3, 45356.5, 45357.0};
    TFormGearDescription Form;
};

// The dates are German whatever the locale.
TEST_F(GearDescriptionForm, ShowsTheModelAndTheFileInformation) {
    for (const QLocale& Locale : {QLocale(QLocale::German, QLocale::Germany), QLocale::c(),
                                  QLocale(QLocale::English, QLocale::UnitedStates)}) {
        SCOPED_TRACE(Locale.name().toStdString());
        QLocale::setDefault(Locale);
        Run([](TFormGearDescription& F) {
            EXPECT_EQ(F.windowTitle(), "Informationen zum Getriebe");
            EXPECT_EQ(F.eAuthor()->text(), "Müller");
            EXPECT_EQ(F.mDescription()->toPlainText(), "Kurbel\nSchwinge");
            EXPECT_EQ(F.eCreateTime()->text(), "05.03.24 12:00:00");
            EXPECT_EQ(F.eModifiedTime()->text(), "06.03.24"); // midnight: no time
            EXPECT_EQ(F.eFileVersion()->text(), "3");
            EXPECT_FALSE(F.eCreateTime()->isEnabled());
            F.bbtenClose()->click();
        });
    }
}

TEST_F(GearDescriptionForm, UnknownTimesAndVersionAreEmpty) {
    File = TFileInfo{-1, 0, 0};
    Run([](TFormGearDescription& F) {
        EXPECT_EQ(F.eCreateTime()->text(), "");
        EXPECT_EQ(F.eModifiedTime()->text(), "");
        EXPECT_EQ(F.eFileVersion()->text(), "");
        F.bbtenClose()->click();
    });
}

TEST_F(GearDescriptionForm, SaveStoresAndMakesTheDocumentModified) {
    ASSERT_FALSE(Manager.IsModified());
    Run([](TFormGearDescription& F) {
        F.eAuthor()->setText("Schmidt");
        F.mDescription()->setPlainText("eins\nzwei");
        QTest::mouseClick(F.bbtnSave(), Qt::LeftButton);
    });
    EXPECT_EQ(Form.result(), QDialog::Accepted);
    EXPECT_EQ(Rig.D().GearInfo().Author(), "Schmidt");
    EXPECT_EQ(Rig.D().GearInfo().Description(), "eins\\nzwei");
    EXPECT_TRUE(Manager.IsModified());
}

TEST_F(GearDescriptionForm, CloseDiscardsWhatWasTyped) {
    Run([](TFormGearDescription& F) {
        F.eAuthor()->setText("Schmidt");
        F.mDescription()->setPlainText("anders");
        QTest::mouseClick(F.bbtenClose(), Qt::LeftButton);
    });
    EXPECT_EQ(Form.result(), QDialog::Rejected);
    EXPECT_EQ(Rig.D().GearInfo().Author(), "Müller");
    EXPECT_EQ(Rig.D().GearInfo().Description(), "Kurbel\\nSchwinge");
    EXPECT_FALSE(Manager.IsModified());
}

} // namespace
