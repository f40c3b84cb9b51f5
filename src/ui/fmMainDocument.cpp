// The open mechanism as a document: the question whether to save it before it is dropped, opening,
// saving, saving under a new name, and the list of recently used files.
#include "files/ApplyPreferences.h"
#include "files/Preferences.h"
#include "files/uFileManager.h"
#include "platform/Platform.h"
#include "ui/BusyIndicator.h"
#include "ui/fmMain.h"

#include <QMenu>

#include <filesystem>
#include <system_error>

namespace {

const char* const FileFilter = "KOPLAR GE Dateien (*.kxw)|*.kxw|Alle Dateien (*.*)|*.*";
const char* const DefaultExt = "kxw";
constexpr int RecentFileCount = 10;

// A name chosen without an extension is meant as a mechanism file.
std::string WithDefaultExt(const std::string& FileName) {
    std::filesystem::path Path(FileName);
    if (!Path.has_extension())
        Path += std::string(".") + DefaultExt;
    return Path.string();
}

bool FileExists(const std::string& FileName) {
    std::error_code Error;
    return std::filesystem::exists(FileName, Error);
}

// Ends the tree's update when the scope is left, also by an exception.
class TTreeUpdate {
public:
    explicit TTreeUpdate(TGearTreeView* Tree) : FTree(Tree) {
        if (FTree)
            FTree->BeginUpdate();
    }
    ~TTreeUpdate() {
        if (FTree)
            FTree->EndUpdate();
    }
    TTreeUpdate(const TTreeUpdate&) = delete;
    TTreeUpdate& operator=(const TTreeUpdate&) = delete;

private:
    TGearTreeView* FTree;
};

} // namespace

void TFormMain::SetUpRecentFiles() {
    FRecentFilesMenu =
        std::make_unique<TQtMenuItem>(findChild<QMenu*>(QStringLiteral("RecentFiles1")));
    FRecentFiles1->SetNumFiles(RecentFileCount);
    FRecentFiles1->SetMenuItem(FRecentFilesMenu.get());
    FRecentFiles1->OnFileClick = [this](TObject*, const std::string& FileName) {
        if (ConfirmDropChanges())
            OpenFile(FileName);
    };
}

bool TFormMain::ConfirmDropChanges() {
    if (!IsModified() || FGear->GearData().IsEmpty())
        return true;
    const std::string Text = "Änderungen in " + FFileManager->GetDisplayName() + " speichern?";
    switch (MessageDlg(Text, TMsgDlgType::mtConfirmation, mbYes | mbNo | mbAbort)) {
    case TModalResult::mrYes:
        // Changes the user wanted kept are never dropped unwritten.
        return SaveFile();
    case TModalResult::mrNo:
        return true;
    default: // Abort, Escape, the close box
        return false;
    }
}

void TFormMain::aFileNewExecute() {
    aEditExecute();
    if (!ConfirmDropChanges())
        return;
    FGear->Clear();
    ShowNewDocument();
}

void TFormMain::ShowNewDocument() {
    // What the mouse was over belongs to the mechanism that is gone.
    FMouseWorld.reset();
    SetPanel(3, "");
    UpdateStatusBar(NoMousePosition, NoMousePosition);
}

void TFormMain::aFileOpenExecute() {
    if (!ConfirmDropChanges())
        return;
    TFileDialogRequest Request;
    Request.Title = "Öffnen";
    Request.Filter = FileFilter;
    Request.DefaultExt = DefaultExt;
    if (const std::optional<std::string> Chosen = Platform().FileDialogs().OpenFile(Request))
        OpenFile(*Chosen);
}

void TFormMain::OpenFile(const std::string& FileName) {
    // Leaving animation repaints at once, so it comes before the batch.
    aEditExecute();
    {
        const TBusyIndicator Busy(*StatusPanel(4), "Datei wird geöffnet …");
        TTreeUpdate Tree(FDataViewer.get());
        TMMUpdateBracket Surface(FMMSurface1);
        // A file that cannot be read is reported by the document manager and changes nothing.
        if (FFileManager->Open(FileName)) {
            TGearData& Data = FGear->GearData();
            Data.DeselectLinks();
            Data.DeselectJoints();
            Data.RemoveOrphans();
            aZoomFitExecute();
            FRecentFiles1->AddFile(FFileManager->FileName());
            ApplySettings();
            ShowNewDocument();
        }
    }
    UpdateControls();
}

bool TFormMain::SaveFile() {
    if (FFileManager->FileName().empty())
        return SaveFileAs();
    aEditExecute();
    return Written(FFileManager->Save());
}

bool TFormMain::SaveFileAs() {
    aEditExecute();
    std::string FileName;
    for (;;) {
        const std::optional<std::string> Chosen =
            Platform().FileDialogs().SaveFile(SaveDialogRequest());
        if (!Chosen)
            return false;
        FileName = WithDefaultExt(*Chosen);
        if (!FileExists(FileName))
            break;
        const TModalResult Answer = MessageDlg("Soll die vorhandene Datei überschrieben werden?",
                                               TMsgDlgType::mtConfirmation, mbYes | mbNo | mbAbort);
        if (Answer == TModalResult::mrYes)
            break;
        if (Answer != TModalResult::mrNo)
            return false;
    }
    const bool Saved = FFileManager->SaveAs(FileName);
    if (Saved)
        FRecentFiles1->AddFile(FFileManager->FileName());
    return Written(Saved);
}

TFileDialogRequest TFormMain::SaveDialogRequest() {
    TFileDialogRequest Request;
    Request.Title = "Speichern unter";
    Request.Filter = FileFilter;
    Request.DefaultExt = DefaultExt;
    const std::filesystem::path Current(FFileManager->FileName());
    if (Current.empty()) {
        Request.FileName = FFileManager->GetDisplayName();
    } else {
        Request.FileName = Current.filename().string();
        FSaveDialogDir = Current.parent_path().string();
    }
    // An untitled document is offered in the folder of the last titled one.
    Request.InitialDir = FSaveDialogDir;
    return Request;
}

bool TFormMain::Written(bool Saved) {
    if (!Saved) {
        const std::string& Why = FFileManager->SaveRefusal();
        MessageDlg("Die Datei konnte nicht gespeichert werden." + (Why.empty() ? "" : "\r\n" + Why),
                   TMsgDlgType::mtError, mbOK);
    }
    UpdateControls();
    return Saved;
}

void TFormMain::ApplySettings() {
    Preferences().ApplyToAll(ApplyTargets());
}

TApplyTargets TFormMain::ApplyTargets() {
    TApplyTargets Targets;
    Targets.Main = {FMMSurface1, FMMGrid1.get(), FMMCoord1.get()};
    Targets.GearData = &FGear->GearData();
    Targets.Animator = &FGear->Animator();
    Targets.Curves = &FGear->Curves();
    Targets.Planes = &FGear->Planes();
    FSeams.AddApplyTargets(Targets);
    return Targets;
}
