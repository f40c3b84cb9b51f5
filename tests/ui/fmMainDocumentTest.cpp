// The main window's documents: the question before a modified mechanism is dropped, opening,
// saving and saving under a new name, and the list of recent files.
#include "MainWindowRig.h"
#include "support/WriteProtection.h"

#include <QCursor>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QtTest/QTest>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>

namespace {

using TDialogs = std::deque<std::optional<std::string>>;

const char* const Prompt = "Änderungen in Unbenannt1.kxw speichern?";
const char* const NotSaved = "Die Datei konnte nicht gespeichert werden.";

enum class TCommand { New, Open, Recent, Close };
enum class TAnswer { YesSaved, YesCancelled, YesWriteFailed, No, Abort };

void RunCommand(TMainWindowRig& Rig, TCommand Command) {
    switch (Command) {
    case TCommand::New:
        Rig.Form->Action("aFileNew")->trigger();
        break;
    case TCommand::Open:
        Rig.Form->Action("aFileOpen")->trigger();
        break;
    case TCommand::Recent:
        Rig.RecentMenu()->actions().front()->trigger();
        break;
    case TCommand::Close:
        Rig.Form->Action("aClose")->trigger();
        break;
    }
}

std::vector<TFileDialogKind> AskedDialogs(const TMainWindowRig& Rig) {
    std::vector<TFileDialogKind> Kinds;
    for (const TAskedFileDialog& D : Rig.Platform.ScriptedFileDialogs().Asked)
        Kinds.push_back(D.Kind);
    return Kinds;
}

// Each command meets an untitled modified mechanism of two joints while other.kxw (four joints)
// heads the recent list; the open dialog chooses other.kxw.
TEST(FormMainFileFlows, ACommandThatDropsTheMechanismAsksFirst) {
    using K = TFileDialogKind;
    struct Case {
        TCommand Command;
        TAnswer Answer;
        TTexts Asked;
        std::vector<K> Dialogs;
        int Joints;
        std::string Name;
        TTexts Recent;
        bool Closed;
    } Cases[] = {
        {TCommand::New,
         TAnswer::YesSaved,
         {Prompt},
         {K::Save},
         0,
         "Unbenannt2.kxw",
         {"saved.kxw", "other.kxw"},
         false},
        {TCommand::New,
         TAnswer::YesCancelled,
         {Prompt},
         {K::Save},
         2,
         "Unbenannt1.kxw",
         {"other.kxw"},
         false},
        {TCommand::New,
         TAnswer::YesWriteFailed,
         {Prompt, NotSaved},
         {K::Save},
         2,
         "saved.kxw",
         {"other.kxw"},
         false},
        {TCommand::New, TAnswer::No, {Prompt}, {}, 0, "Unbenannt2.kxw", {"other.kxw"}, false},
        {TCommand::New, TAnswer::Abort, {Prompt}, {}, 2, "Unbenannt1.kxw", {"other.kxw"}, false},

        {TCommand::Open,
         TAnswer::YesSaved,
         {Prompt},
         {K::Save, K::Open},
         4,
         "other.kxw",
         {"other.kxw", "saved.kxw"},
         false},
        {TCommand::Open,
         TAnswer::YesCancelled,
         {Prompt},
         {K::Save},
         2,
         "Unbenannt1.kxw",
         {"other.kxw"},
         false},
        {TCommand::Open,
         TAnswer::YesWriteFailed,
         {Prompt, NotSaved},
         {K::Save},
         2,
         "saved.kxw",
         {"other.kxw"},
         false},
        {TCommand::Open, TAnswer::No, {Prompt}, {K::Open}, 4, "other.kxw", {"other.kxw"}, false},
        {TCommand::Open, TAnswer::Abort, {Prompt}, {}, 2, "Unbenannt1.kxw", {"other.kxw"}, false},

        {TCommand::Recent,
         TAnswer::YesSaved,
         {Prompt},
         {K::Save},
         4,
         "other.kxw",
         {"other.kxw", "saved.kxw"},
         false},
        {TCommand::Recent,
         TAnswer::YesCancelled,
         {Prompt},
         {K::Save},
         2,
         "Unbenannt1.kxw",
         {"other.kxw"},
         false},
        {TCommand::Recent,
         TAnswer::YesWriteFailed,
         {Prompt, NotSaved},
         {K::Save},
         2,
         "saved.kxw",
         {"other.kxw"},
         false},
        {TCommand::Recent, TAnswer::No, {Prompt}, {}, 4, "other.kxw", {"other.kxw"}, false},
        {TCommand::Recent, TAnswer::Abort, {Prompt}, {}, 2, "Unbenannt1.kxw", {"other.kxw"}, false},

        {TCommand::Close,
         TAnswer::YesSaved,
         {Prompt},
         {K::Save},
         2,
         "saved.kxw",
         {"saved.kxw", "other.kxw"},
         true},
        {TCommand::Close,
         TAnswer::YesCancelled,
         {Prompt},
         {K::Save},
         2,
         "Unbenannt1.kxw",
         {"other.kxw"},
         false},
        {TCommand::Close,
         TAnswer::YesWriteFailed,
         {Prompt, NotSaved},
         {K::Save},
         2,
         "saved.kxw",
         {"other.kxw"},
         false},
        {TCommand::Close, TAnswer::No, {Prompt}, {}, 2, "Unbenannt1.kxw", {"other.kxw"}, true},
        {TCommand::Close, TAnswer::Abort, {Prompt}, {}, 2, "Unbenannt1.kxw", {"other.kxw"}, false},
    };
    int Row = 0;
    for (const Case& C : Cases) {
        SCOPED_TRACE(Row++);
        TMainWindowRig Rig;
        Rig.Form->show();
        const std::string Other = Rig.FourBar("other.kxw");
        Rig.Form->RecentFiles1().AddFile(Other);
        Rig.DrawBar();
        const std::string Unwritable = Rig.Scratch.File("missing/saved.kxw");
        auto& Answers = Rig.Platform.Scripted().Answers;
        auto& Dialogs = Rig.Platform.ScriptedFileDialogs().Answers;
        switch (C.Answer) {
        case TAnswer::YesSaved:
            Answers = {TModalResult::mrYes};
            Dialogs = {Rig.Scratch.File("saved")}; // the extension is added
            break;
        case TAnswer::YesCancelled:
            Answers = {TModalResult::mrYes};
            Dialogs = {std::nullopt};
            break;
        case TAnswer::YesWriteFailed:
            Answers = {TModalResult::mrYes, TModalResult::mrOk};
            Dialogs = {Unwritable};
            break;
        case TAnswer::No:
            Answers = {TModalResult::mrNo};
            break;
        case TAnswer::Abort:
            Answers = {TModalResult::mrAbort};
            break;
        }
        if (C.Command == TCommand::Open)
            Dialogs.push_back(Other);

        RunCommand(Rig, C.Command);
        // The platform's reason follows on a line of its own.
        TTexts Asked = C.Asked;
        for (std::string& Text : Asked)
            if (Text == NotSaved)
                Text += "\r\nDie Datei \"" + Unwritable +
                        "\" kann nicht geschrieben werden. Den Ordner gibt es nicht.";
        EXPECT_EQ(Rig.AskedTexts(), Asked);
        EXPECT_EQ(AskedDialogs(Rig), C.Dialogs);
        EXPECT_EQ(Rig.JointCount(), C.Joints);
        EXPECT_EQ(Rig.DocumentName(), C.Name);
        EXPECT_EQ(Rig.RecentNames(), C.Recent);
        EXPECT_EQ(!Rig.Form->isVisible(), C.Closed);
        EXPECT_EQ(Rig.SettingsWritten(), C.Closed);
        EXPECT_EQ(std::filesystem::exists(Rig.Scratch.File("saved.kxw")),
                  C.Answer == TAnswer::YesSaved);
    }
}

class FormMainDocument : public ::testing::Test, protected TMainWindowRig {
protected:
    FormMainDocument() { Form->show(); }

    std::vector<TAskedFileDialog>& DialogsAsked() { return Platform.ScriptedFileDialogs().Asked; }
};

TEST_F(FormMainDocument, TheOverwriteQuestionIsOursAndNoAsksForANameAgain) {
    struct Case {
        TModalResult Overwrite;
        bool Result;
        std::string Name; // of the document afterwards
        int Dialogs;
    } Cases[] = {
        // No: the dialog opens again, prepared from the document's name; then a new name.
        {TModalResult::mrNo, true, "new.kxw", 2},
        {TModalResult::mrYes, true, "taken.kxw", 1},
        {TModalResult::mrAbort, false, "mine.kxw", 1},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        TMainWindowRig Rig;
        Rig.Form->show();
        Rig.Form->OpenFile(Rig.FourBar("mine.kxw"));
        WriteFileText(Rig.Scratch.File("taken.kxw"), "old");
        Rig.Platform.Scripted().Answers = {C.Overwrite};
        Rig.Platform.ScriptedFileDialogs().Answers = {Rig.Scratch.File("taken.kxw"),
                                                      Rig.Scratch.File("new")};

        EXPECT_EQ(Rig.Form->SaveFileAs(), C.Result);
        EXPECT_EQ(Rig.AskedTexts(), TTexts{"Soll die vorhandene Datei überschrieben werden?"});
        const auto& Asked = Rig.Platform.ScriptedFileDialogs().Asked;
        ASSERT_EQ(static_cast<int>(Asked.size()), C.Dialogs);
        for (const TAskedFileDialog& D : Asked) {
            EXPECT_EQ(D.Kind, TFileDialogKind::Save);
            EXPECT_EQ(D.Request.FileName, "mine.kxw");
            EXPECT_EQ(D.Request.InitialDir, Rig.Scratch.Path().string());
            EXPECT_EQ(D.Request.Filter, "KOPLAR GE Dateien (*.kxw)|*.kxw|Alle Dateien (*.*)|*.*");
        }
        EXPECT_EQ(Rig.DocumentName(), C.Name);
        EXPECT_EQ(ReadFileText(Rig.Scratch.File("taken.kxw")) == "old", C.Name != "taken.kxw");
        EXPECT_EQ(Rig.RecentNames().front(), C.Name);
        EXPECT_FALSE(Rig.Form->FileManager()->IsModified());
    }
}

TEST_F(FormMainDocument, AnUntitledMechanismIsOfferedUnderItsUntitledName) {
    DrawBar();
    EXPECT_FALSE(Form->SaveFile());
    ASSERT_EQ(DialogsAsked().size(), 1u);
    EXPECT_EQ(DialogsAsked()[0].Request.FileName, "Unbenannt1.kxw");
    EXPECT_EQ(DialogsAsked()[0].Request.DefaultExt, "kxw");
    EXPECT_TRUE(AskedTexts().empty());
    EXPECT_EQ(DocumentName(), "Unbenannt1.kxw");
}

TEST_F(FormMainDocument, SavingWhileAnimatingWritesTheEditedPositions) {
    const std::string File = FourBar("moving.kxw");
    Form->OpenFile(File);
    const TJoint* Crank = Model().Joints().Items(2);
    const double EditX = Crank->X();
    const double EditY = Crank->Y();
    Form->Action("aAnimate")->trigger();
    ASSERT_TRUE(Form->Gear()->CanAnimate());
    Form->Gear()->Animator().Next();
    Form->Gear()->Animator().Next();
    ASSERT_NE(Model().Joints().Items(2)->X(), EditX);
    Model().GearInfo().SetAuthor("Zweite Hand"); // a change worth saving

    EXPECT_TRUE(Form->SaveFile());
    EXPECT_TRUE(Form->Gear()->Editing());
    Form->Action("aFileNew")->trigger();
    Form->OpenFile(File);
    EXPECT_EQ(Model().Joints().Items(2)->X(), EditX);
    EXPECT_EQ(Model().Joints().Items(2)->Y(), EditY);
    EXPECT_EQ(Model().GearInfo().Author(), "Zweite Hand");
}

// The second line of the message is the platform's reason: a folder that is gone, or a folder
// that takes no new file, although the file itself could be written.
TEST_F(FormMainDocument, AFailedSaveSaysWhyAndLeavesTheMechanismModified) {
    const std::string Folder = Scratch.File("gone");
    const std::string File = Folder + "/four-bar.kxw";
    const std::string Cannot =
        std::string(NotSaved) + "\r\nDie Datei \"" + File + "\" kann nicht geschrieben werden.";
    const struct {
        const char* Name;
        std::function<void()> Obstruct;
        std::string Message;
    } Cases[] = {
        {"folder removed", [&] { std::filesystem::remove_all(Folder); },
         Cannot + " Den Ordner gibt es nicht."},
        {"folder read-only",
         [&] {
             std::filesystem::permissions(Folder, std::filesystem::perms::owner_read |
                                                      std::filesystem::perms::owner_exec);
         },
         Cannot + " Im Ordner dürfen keine Dateien angelegt werden; beim Speichern wird die Datei "
                  "durch eine neue ersetzt, die dort entsteht."},
    };
    TWriteProtectionInForce Protected;
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        std::filesystem::create_directory(Folder);
        std::filesystem::copy_file(FourBar("source.kxw"), File,
                                   std::filesystem::copy_options::overwrite_existing);
        Form->OpenFile(File);
        Model().Joints().Items(3)->SetPosition(nullptr, 5, 5);
        C.Obstruct();
        Platform.Scripted().Asked.clear();

        EXPECT_FALSE(Form->SaveFile());
        EXPECT_EQ(AskedTexts(), TTexts{C.Message});
        ASSERT_EQ(Platform.Scripted().Asked.size(), 1u);
        EXPECT_EQ(Platform.Scripted().Asked[0].Type, TMsgDlgType::mtError);
        EXPECT_EQ(Platform.Scripted().Asked[0].Buttons, TMsgDlgButtons(mbOK));
        EXPECT_TRUE(Form->FileManager()->IsModified());
        EXPECT_TRUE(Form->Action("aFileSave")->isEnabled());
        std::error_code Gone;
        std::filesystem::permissions(Folder, std::filesystem::perms::owner_all, Gone);
    }
}

TEST_F(FormMainDocument, AFileThatCannotBeReadChangesNothing) {
    const std::string Good = FourBar("good.kxw");
    Form->OpenFile(Good);
    Model().Joints().Items(3)->SetPosition(nullptr, 5, 5);
    ASSERT_TRUE(Form->FileManager()->IsModified());
    const std::string Broken = Scratch.File("broken.kxw");
    WriteFileText(Broken, "<data><joints><joint");

    for (const std::string& File : {Broken, Scratch.File("missing.kxw")}) {
        SCOPED_TRACE(File);
        Platform.Scripted().Asked.clear();
        Form->OpenFile(File);
        ASSERT_EQ(AskedTexts().size(), 1u); // the document manager's own message
        EXPECT_EQ(JointCount(), 4);
        EXPECT_EQ(Model().Joints().Items(3)->X(), 5);
        EXPECT_EQ(DocumentName(), "good.kxw");
        EXPECT_TRUE(Form->FileManager()->IsModified());
        EXPECT_EQ(RecentNames(), TTexts{"good.kxw"});
    }
}

TEST_F(FormMainDocument, NewAndOpenDiscardAPartUnderConstruction) {
    const std::string File = FourBar("four-bar.kxw");
    for (bool Open : {false, true}) {
        SCOPED_TRACE(Open);
        Form->Action("aCreateLink")->trigger();
        ASSERT_TRUE(Form->Gear()->PartCreator().IsCreating());
        if (Open)
            Form->OpenFile(File);
        else
            Form->Action("aFileNew")->trigger();
        EXPECT_FALSE(Form->Gear()->PartCreator().IsCreating());
        EXPECT_FALSE(Form->Action("aCreateLink")->isChecked());
    }
}

TEST_F(FormMainDocument, NewWhileAnimatingReturnsToEditingEvenWhenAborted) {
    Form->OpenFile(FourBar("four-bar.kxw"));
    Model().GearInfo().SetAuthor("Zweite Hand");
    Form->Action("aAnimate")->trigger();
    Form->Gear()->Animator().Next();
    Platform.Scripted().Answers = {TModalResult::mrAbort};

    Form->Action("aFileNew")->trigger();
    EXPECT_EQ(AskedTexts(), TTexts{"Änderungen in four-bar.kxw speichern?"});
    EXPECT_TRUE(Form->Gear()->Editing());
    EXPECT_EQ(JointCount(), 4);
    EXPECT_EQ(DocumentName(), "four-bar.kxw");
}

TEST_F(FormMainDocument, TheRecentListKeepsTenNamesInItsSubMenu) {
    for (int I = 0; I < 12; ++I)
        Form->OpenFile(FourBar("f" + std::to_string(I) + ".kxw"));
    EXPECT_EQ(Form->RecentFiles1().GetCount(), 10);
    const QList<QAction*> Items = RecentMenu()->actions();
    ASSERT_EQ(Items.size(), 10);
    EXPECT_EQ(Items.front()->text().toStdString(), "1:  " + Scratch.File("f11.kxw"));
    EXPECT_EQ(RecentNames().back(), "f2.kxw");
}

TEST_F(FormMainDocument, TheCaptionNamesTheDocumentAndStarsItsChanges) {
    const auto Caption = [this] { return Form->windowTitle().toStdString(); };
    EXPECT_EQ(Caption(), "KOPLAR für Windows - Unbenannt1.kxw*");
    Form->OpenFile(FourBar("four-bar.kxw"));
    EXPECT_EQ(Caption(), "KOPLAR für Windows - four-bar.kxw");

    // A drag of joint B with the mouse.
    const TJoint* B = Model().Joints().Items(3);
    const TPoint From = Form->MMSurface1().MMToPixel(TMMPoint{B->X(), B->Y()}, true);
    const QPoint Start(From.X, From.Y);
    const QPoint End = Start + QPoint(30, 20);
    QWidget* Area = Form->DrawArea();
    QTest::mousePress(Area, Qt::LeftButton, {}, Start);
    QMouseEvent Move(QEvent::MouseMove, End, Area->mapToGlobal(End), Qt::NoButton, Qt::LeftButton,
                     {});
    QApplication::sendEvent(Area, &Move);
    QTest::mouseRelease(Area, Qt::LeftButton, {}, End);
    ASSERT_NE(Model().Joints().Items(3)->X(), 63.2970585408);
    EXPECT_EQ(Caption(), "KOPLAR für Windows - four-bar.kxw*");
}

// The status bar asks whether the document is modified at every mouse move over the canvas; the
// model is serialised for that only after it changed.
TEST_F(FormMainDocument, AMouseMoveTakesTheChecksumOnlyAfterAChange) {
    Form->OpenFile(FourBar("four-bar.kxw"));
    const TFileManager& Manager = *Form->FileManager();
    QWidget* Area = Form->DrawArea();
    const auto MoveTo = [Area](int X) { QTest::mouseMove(Area, QPoint(X, 40)); };
    const auto Caption = [this] { return Form->windowTitle().toStdString(); };
    MoveTo(20);
    const int Taken = Manager.ChecksumsTaken();
    for (int X = 30; X < 80; X += 10)
        MoveTo(X);
    EXPECT_EQ(Form->Gear()->MousePos().X, 70);
    EXPECT_EQ(Manager.ChecksumsTaken(), Taken);
    EXPECT_EQ(Caption(), "KOPLAR für Windows - four-bar.kxw");

    // As a property dialog writes into the part, without a command of the window.
    Model().Joints().Items(3)->SetIdentifier("B2");
    MoveTo(80);
    EXPECT_EQ(Manager.ChecksumsTaken(), Taken + 1);
    EXPECT_EQ(Caption(), "KOPLAR für Windows - four-bar.kxw*");
}

// Whatever the user does, the file saved opens again: a drag far out in a view zoomed out to far
// beyond the bounds of a mechanism stops at the bound, and a model beyond them is not saved, with
// the reason, before anything is written.
TEST_F(FormMainDocument, WhatTheProgramSavesItOpensAgain) {
    const std::string File = FourBar("weit.kxw");
    Form->OpenFile(File);
    Form->MMSurface1().ZoomToMMRect(-1e11, 1e11, -1e11, 1e11);
    TJoint* B = Model().Joints().Items(3);
    const TPoint From = Form->MMSurface1().MMToPixel(B->Position(), true);
    QWidget* Area = Form->DrawArea();
    const QPoint Start(From.X, From.Y);
    const QPoint End = Start + QPoint(150, -150);
    QTest::mousePress(Area, Qt::LeftButton, {}, Start);
    QMouseEvent Move(QEvent::MouseMove, End, Area->mapToGlobal(End), Qt::NoButton, Qt::LeftButton,
                     {});
    QApplication::sendEvent(Area, &Move);
    QTest::mouseRelease(Area, Qt::LeftButton, {}, End);
    ASSERT_EQ(B->X(), 1e9);
    ASSERT_EQ(B->Y(), 1e9);
    ASSERT_TRUE(Form->SaveFile());
    Form->Action("aFileNew")->trigger();
    Form->OpenFile(File);
    EXPECT_TRUE(AskedTexts().empty());
    ASSERT_EQ(JointCount(), 4);
    EXPECT_EQ(Model().Joints().Items(3)->X(), 1e9);

    const std::string Saved = ReadFileText(File);
    Model().Joints().Items(3)->SetX(-2e9); // as no command does
    EXPECT_FALSE(Form->SaveFile());
    EXPECT_EQ(AskedTexts(),
              TTexts{"Die Datei konnte nicht gespeichert werden.\r\nDas Gelenk 4 liegt außerhalb "
                     "des zulässigen Bereichs von ±1000000000 mm."});
    EXPECT_EQ(ReadFileText(File), Saved);
    EXPECT_TRUE(Form->FileManager()->IsModified());
}

// A long open shows the wait cursor and says in the status bar what it does, until it is done; a
// message it brings up meets both.
TEST_F(FormMainDocument, OpeningShowsThatTheWindowIsBusy) {
    const std::string Broken = Scratch.File("kaputt.kxw");
    std::ofstream(Broken) << "<data><joints>";
    Platform.ScriptedFileDialogs().Answers.push_back(Broken);
    std::optional<Qt::CursorShape> Cursor;
    std::string Panel;
    Platform.Scripted().OnAsk = [&] {
        if (const QCursor* C = QGuiApplication::overrideCursor())
            Cursor = C->shape();
        Panel = Form->StatusPanel(4)->text().toStdString();
    };
    Form->Action("aFileOpen")->trigger();
    ASSERT_EQ(Platform.Scripted().Asked.size(), 1u);
    EXPECT_EQ(Cursor, Qt::WaitCursor);
    EXPECT_EQ(Panel, "Datei wird geöffnet …");
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(Form->StatusPanel(4)->text().toStdString(), "Editiermodus");
    // Entering animation mode gives both back as well.
    Form->Action("aAnimate")->trigger();
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_NE(Form->StatusPanel(4)->text().toStdString(), "Animation wird vorbereitet …");
}

} // namespace
