// Plays the user of a modal dialog offscreen: the dialog is shown through the modal seam as the
// program shows it, a script types, picks and clicks, and the dialog's result comes back.
#pragma once

#include "support/FakePlatform.h"
#include "support/QtTestApp.h"
#include "ui/ModalSeam.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QTest>

#include <functional>
#include <map>
#include <string>
#include <vector>

// While it lives, a dialog shown modally is played by the script given for it instead of waiting
// for the user; a dialog without one is cancelled at once. Show returns what RunModal does, or
// LeftOpen when the script left the dialog open (it is then hidden).
class TDialogScripts {
public:
    static constexpr int LeftOpen = -1;

    void On(QDialog& Dialog, std::function<void()> Script) {
        FScripts[&Dialog] = std::move(Script);
    }
    // The dialogs shown so far, in order.
    std::vector<QDialog*> Shown;

private:
    int Play(QDialog& Dialog) {
        Shown.push_back(&Dialog);
        Dialog.setResult(QDialog::Rejected);
        Dialog.show();
        if (const auto It = FScripts.find(&Dialog); It != FScripts.end())
            It->second();
        else
            Dialog.reject();
        const bool Open = Dialog.isVisible();
        Dialog.hide();
        return Open ? LeftOpen : Dialog.result();
    }

    std::map<QDialog*, std::function<void()>> FScripts;
    TScopedModalRunner FRunner{[this](QDialog& Dialog) { return Play(Dialog); }};
};

// Replaces the field's text by typing, as the user does.
inline void Type(QLineEdit* Field, const QString& Text) {
    Field->selectAll();
    if (Text.isEmpty())
        QTest::keyClick(Field, Qt::Key_Delete);
    else
        QTest::keyClicks(Field, Text);
}

inline void Click(QAbstractButton* Button) {
    QTest::mouseClick(Button, Qt::LeftButton);
}

// Picks the entry with the keyboard: the box announces it as a user's choice.
inline void Pick(QComboBox* Box, int Index) {
    QTest::keyClick(Box, Qt::Key_Home);
    for (int I = 0; I < Index; ++I)
        QTest::keyClick(Box, Qt::Key_Down);
}

// The texts of the boxes asked so far, each expected to be an information box with OK; they are
// forgotten, so the next call sees only newer ones.
inline std::vector<std::string> TakeInformationTexts(TScriptedMessages& Messages) {
    std::vector<std::string> Texts;
    for (const TAskedMessage& M : Messages.Asked) {
        EXPECT_EQ(M.Type, TMsgDlgType::mtInformation);
        EXPECT_EQ(M.Buttons, unsigned(mbOK));
        Texts.push_back(M.Text);
    }
    Messages.Asked.clear();
    return Texts;
}
