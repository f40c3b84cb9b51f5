// The colour choice of the dialogs, and the seam through which dialogs are shown.
#include "ui/ColorBox.h"
#include "support/QtTestApp.h"
#include "ui/ModalSeam.h"

#include <QDialog>
#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace {

class ColorBox : public ::testing::Test {
protected:
    // Picks an entry as the user does: an activation of that index.
    void Pick(int Index) {
        Box.setCurrentIndex(Index);
        emit Box.activated(Index);
    }
    QApplication& App = QtTestApp(); // before any widget
    TColorBox Box;
};

TEST_F(ColorBox, ShowsStandardColoursByNameAndOthersAsCustom) {
    struct TCase {
        TColor Color;
        int Index;
        const char* Text;
    };
    const TCase Cases[] = {
        {clBlack, 0, "Schwarz"},
        {clRed, 9, "Rot"},
        {clBlue, 12, "Blau"},
        {clWhite, 15, "Weiß"},
        {0x123456, TColorBox::CustomIndex, "Benutzerdefiniert..."},
        // Only the colour's 24 bits count.
        {0x7F0000FF, 9, "Rot"},
    };
    for (const TCase& C : Cases) {
        Box.SetSelected(C.Color);
        EXPECT_EQ(Box.currentIndex(), C.Index) << std::hex << C.Color;
        EXPECT_EQ(Box.currentText().toStdString(), C.Text);
        EXPECT_EQ(Box.Selected(), C.Color & 0xFFFFFF);
    }
}

TEST_F(ColorBox, TheUserPicksStandardAndCustomColours) {
    std::vector<TColor> Offered;
    std::optional<TColor> Answer = 0x00A0B0;
    Box.ChooseCustomColor = [&](TColor Current) {
        Offered.push_back(Current);
        return Answer;
    };
    Pick(2);
    EXPECT_EQ(Box.Selected(), clGreen);

    Pick(TColorBox::CustomIndex);
    EXPECT_EQ(Offered, std::vector<TColor>{clGreen});
    EXPECT_EQ(Box.Selected(), 0x00A0B0u);
    EXPECT_EQ(Box.currentIndex(), TColorBox::CustomIndex);

    // A custom answer that is a standard colour shows under its name.
    Answer = clYellow;
    Pick(TColorBox::CustomIndex);
    EXPECT_EQ(Box.currentIndex(), 11);

    // Cancelled: what was chosen before stays, shown as before.
    Answer = std::nullopt;
    Pick(TColorBox::CustomIndex);
    EXPECT_EQ(Box.Selected(), clYellow);
    EXPECT_EQ(Box.currentIndex(), 11);
}

TEST(ColorConversion, KeepsBlueGreenRedOrder) {
    const QColor Q = ToQColor(0x102030);
    EXPECT_EQ(Q.red(), 0x30);
    EXPECT_EQ(Q.green(), 0x20);
    EXPECT_EQ(Q.blue(), 0x10);
    EXPECT_EQ(FromQColor(Q), 0x102030u);
}

TEST(ModalSeam, ScopedRunnersNestAndPutThePreviousBack) {
    QtTestApp();
    QDialog Dialog;
    std::vector<int> Calls;
    {
        TScopedModalRunner Outer([&](QDialog&) {
            Calls.push_back(1);
            return int(QDialog::Accepted);
        });
        {
            TScopedModalRunner Inner([&](QDialog&) {
                Calls.push_back(2);
                return int(QDialog::Rejected);
            });
            EXPECT_EQ(RunModal(Dialog), QDialog::Rejected);
        }
        EXPECT_EQ(RunModal(Dialog), QDialog::Accepted);
    }
    EXPECT_EQ(Calls, (std::vector<int>{2, 1}));
}

} // namespace
