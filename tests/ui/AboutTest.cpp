// The about box: its texts and the version label from the compiled-in project version.
#include "support/QtTestApp.h"
#include "ui/fmAbout_new.h"

#include <QLabel>
#include <gtest/gtest.h>

namespace {

TEST(AboutBox, VersionLabelShowsMajorAndMinor) {
    const struct {
        const char* Version;
        const char* Label;
    } Cases[] = {{"2.7.3.100", "Version 2.7"},
                 {"1.0.0", "Version 1.0"},
                 {"10.12", "Version 10.12"},
                 {"", ""},
                 {"7", ""},
                 {"1.x", ""}};
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Version);
        EXPECT_EQ(VersionLabelText(C.Version).toStdString(), C.Label);
    }
}

TEST(AboutBox, ShowsTheTitlesAndTheProgramsVersion) {
    QtTestApp();
    TFormAbout_New Form;
    EXPECT_EQ(Form.windowTitle(), "Info über KOPLAR für Windows (GE)");
    EXPECT_EQ(Form.size(), QSize(513, 399));
    EXPECT_EQ(Form.Label4()->text(), VersionLabelText(KOPLAR_VERSION));
    EXPECT_FALSE(Form.Label4()->text().isEmpty());
    QStringList Texts;
    for (QLabel* L : Form.findChildren<QLabel*>())
        Texts << L->text();
    for (const char* Title : {"KOPLAR", "für Windows", "Grafische Eingabe"})
        EXPECT_TRUE(Texts.contains(QString::fromUtf8(Title))) << Title;
    EXPECT_FALSE(Texts.join(' ').contains("Projektleiter"));
}

} // namespace
