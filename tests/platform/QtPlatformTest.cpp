// The Qt platform: bitmaps, and message boxes with German captions and buttons.
#include "platform/qt/QtPlatform.h"
#include "platform/qt/QtBitmap.h"
#include "platform/qt/QtCanvas.h"
#include "support/QtTestApp.h"

#include <QAbstractButton>
#include <QGuiApplication>
#include <QKeySequence>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

struct TShownBox {
    std::string Caption;
    std::string Text;
    std::vector<std::string> Buttons;
    std::string Default;
    QMessageBox::Icon Icon = QMessageBox::NoIcon;
};

// Shows a box and, once it is up, notes what it shows and answers it: by clicking the button
// with the text Click, or with Escape when Click is empty.
TModalResult Answer(TMessageService& M, TMsgDlgType Type, TMsgDlgButtons Buttons,
                    const std::string& Click, TShownBox& Shown) {
    QTimer::singleShot(0, [&] {
        auto* Box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(Box, nullptr);
        Shown.Caption = Box->windowTitle().toStdString();
        Shown.Text = Box->text().toStdString();
        Shown.Icon = Box->icon();
        if (Box->defaultButton())
            Shown.Default = Box->defaultButton()->text().toStdString();
        QAbstractButton* Target = nullptr;
        for (QAbstractButton* B : Box->buttons()) {
            Shown.Buttons.push_back(B->text().toStdString());
            if (B->text().toStdString() == Click)
                Target = B;
        }
        if (Target)
            Target->click();
        else
            Box->reject(); // Escape or the close box
    });
    return M.MessageDlg("Änderungen speichern?", Type, Buttons);
}

enum class TDismiss { EscapeKey, CloseBox };

// Shows a box with Text and, once it is up, notes its plain text and dismisses it without a
// button.
TModalResult Dismiss(TMessageService& M, TMsgDlgButtons Buttons, TDismiss How,
                     const std::string& Text, std::string& ShownText) {
    QTimer::singleShot(0, [&] {
        auto* Box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(Box, nullptr);
        ShownText = Box->text().toStdString();
        EXPECT_EQ(Box->textFormat(), Qt::PlainText); // a name in angle brackets is no markup
        if (How == TDismiss::EscapeKey)
            QTest::keyClick(Box, Qt::Key_Escape);
        else
            Box->close();
    });
    return M.MessageDlg(Text, TMsgDlgType::mtConfirmation, Buttons);
}

class QtMessages : public ::testing::Test {
protected:
    QApplication& App = QtTestApp();
    TQtPlatform Platform;
};

TEST_F(QtMessages, CaptionsIconsAndButtonsAreGerman) {
    struct Case {
        TMsgDlgType Type;
        const char* Caption;
        QMessageBox::Icon Icon;
    } Cases[] = {
        {TMsgDlgType::mtInformation, "Information", QMessageBox::Information},
        {TMsgDlgType::mtWarning, "Warnung", QMessageBox::Warning},
        {TMsgDlgType::mtError, "Fehler", QMessageBox::Critical},
        {TMsgDlgType::mtConfirmation, "Bestätigung", QMessageBox::Question},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Caption);
        TShownBox Shown;
        EXPECT_EQ(Answer(Platform.Messages(), C.Type, mbOK, "&OK", Shown), TModalResult::mrOk);
        EXPECT_EQ(Shown.Caption, C.Caption);
        EXPECT_EQ(Shown.Icon, C.Icon);
        EXPECT_EQ(Shown.Text, "Änderungen speichern?");
        EXPECT_EQ(Shown.Buttons, std::vector<std::string>{"&OK"});
    }
}

TEST_F(QtMessages, TheQuestionOpensInTheMiddleOfTheScreenWhereverItIsAskedFrom) {
    // Where the box stands once it is up, answered with Escape.
    auto Place = [this] {
        QRect Shown;
        QTimer::singleShot(0, [&] {
            QWidget* Box = QApplication::activeModalWidget();
            ASSERT_NE(Box, nullptr);
            Shown = Box->frameGeometry();
            QTest::keyClick(Box, Qt::Key_Escape);
        });
        Platform.Messages().MessageDlg("Änderungen in Unbenannt.kxw speichern?",
                                       TMsgDlgType::mtConfirmation, mbYes | mbNo | mbAbort);
        return Shown;
    };
    const QRect Alone = Place();
    const QPoint Middle = QGuiApplication::primaryScreen()->availableGeometry().center();
    EXPECT_LE((Alone.center() - Middle).manhattanLength(), 2);
    QWidget Window;
    Window.setGeometry(30, 40, 200, 150);
    Window.show();
    QApplication::setActiveWindow(&Window);
    EXPECT_EQ(Place(), Alone);
    Window.move(400, 300);
    EXPECT_EQ(Place(), Alone);
    QApplication::setActiveWindow(nullptr);
    EXPECT_EQ(Place(), Alone);
}

TEST_F(QtMessages, AnswersWithTheClickedButton) {
    struct Case {
        TMsgDlgButtons Buttons;
        const char* Click;
        TModalResult Result;
        const char* Default;
    } Cases[] = {
        {mbYes | mbNo, "&Nein", TModalResult::mrNo, "&Ja"},
        {mbYes | mbNo | mbCancel, "&Ja", TModalResult::mrYes, "&Ja"},
        {mbYes | mbNo | mbCancel, "&Abbrechen", TModalResult::mrCancel, "&Ja"},
        {mbOK | mbCancel, "&OK", TModalResult::mrOk, "&OK"},
        // Escape answers with Cancel, else No, else OK.
        {mbYes | mbNo | mbCancel, "", TModalResult::mrCancel, "&Ja"},
        {mbYes | mbNo, "", TModalResult::mrNo, "&Ja"},
        {mbOK, "", TModalResult::mrOk, "&OK"},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(std::string(C.Click) + " of " + std::to_string(C.Buttons));
        TShownBox Shown;
        EXPECT_EQ(
            Answer(Platform.Messages(), TMsgDlgType::mtConfirmation, C.Buttons, C.Click, Shown),
            C.Result);
        EXPECT_EQ(Shown.Default, C.Default);
    }
    TShownBox Shown;
    Answer(Platform.Messages(), TMsgDlgType::mtConfirmation, mbYes | mbNo | mbCancel, "&Ja", Shown);
    std::sort(Shown.Buttons.begin(), Shown.Buttons.end());
    EXPECT_EQ(Shown.Buttons, (std::vector<std::string>{"&Abbrechen", "&Ja", "&Nein"}));
}

// Each button answers to its marked letter, so N says No to the save question.
TEST_F(QtMessages, TheMarkedLetterAnswersWithItsButton) {
    struct Case {
        Qt::Key Key;
        TModalResult Result;
    } Cases[] = {
        {Qt::Key_J, TModalResult::mrYes},
        {Qt::Key_N, TModalResult::mrNo},
        {Qt::Key_A, TModalResult::mrCancel},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(QKeySequence(C.Key).toString().toStdString());
        QTimer::singleShot(0, [&] {
            QWidget* Box = QApplication::activeModalWidget();
            ASSERT_NE(Box, nullptr);
            QTest::keyClick(Box, C.Key);
        });
        EXPECT_EQ(Platform.Messages().MessageDlg("Änderungen speichern?",
                                                 TMsgDlgType::mtConfirmation,
                                                 mbYes | mbNo | mbCancel),
                  C.Result);
    }
    QTimer::singleShot(0, [] { QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_O); });
    EXPECT_EQ(Platform.Messages().MessageDlg("Gespeichert.", TMsgDlgType::mtInformation, mbOK),
              TModalResult::mrOk);
}

TEST_F(QtMessages, EscapeAndTheCloseBoxAnswerAbortBeforeCancelNoAndOk) {
    struct Case {
        TMsgDlgButtons Buttons;
        TModalResult Result;
    } Cases[] = {
        {mbYes | mbNo | mbAbort, TModalResult::mrAbort},
        {mbOK | mbCancel | mbAbort, TModalResult::mrAbort},
        {mbYes | mbNo | mbCancel, TModalResult::mrCancel},
        {mbYes | mbNo, TModalResult::mrNo},
        {mbOK, TModalResult::mrOk},
    };
    for (TDismiss How : {TDismiss::EscapeKey, TDismiss::CloseBox})
        for (const auto& C : Cases) {
            SCOPED_TRACE(std::to_string(C.Buttons) +
                         (How == TDismiss::EscapeKey ? " by Escape" : " by the close box"));
            std::string Text;
            EXPECT_EQ(Dismiss(Platform.Messages(), C.Buttons, How, "Speichern?", Text), C.Result);
        }
}

TEST_F(QtMessages, EveryLineEndBreaksTheLineOnce) {
    struct Case {
        const char* Text;
        const char* Shown;
    } Cases[] = {
        {"eins\r\nzwei", "eins\nzwei"},
        {"eins\rzwei", "eins\nzwei"},
        {"eins\nzwei", "eins\nzwei"},
        {"eins\r\n\r\nzwei\rdrei\n", "eins\n\nzwei\ndrei\n"},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Text);
        std::string Shown;
        Dismiss(Platform.Messages(), mbOK, TDismiss::EscapeKey, C.Text, Shown);
        EXPECT_EQ(Shown, C.Shown);
    }
}

TEST(QtPlatform, CreatesImageBitmapsOfTheAskedSize) {
    QtTestApp();
    TQtPlatform P;
    auto B = P.CreateBitmap(20, 10);
    ASSERT_NE(dynamic_cast<TQtBitmap*>(B.get()), nullptr);
    EXPECT_EQ(B->Width(), 20);
    EXPECT_EQ(B->Height(), 10);
}

} // namespace
