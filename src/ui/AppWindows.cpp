#include "ui/AppWindows.h"

#include "files/Preferences.h"
#include "files/uFileManager.h"
#include "gear/uGear.h"
#include "gear/uGearLimits.h"
#include "platform/qt/QtPrinter.h"
#include "ui/ModalSeam.h"
#include "ui/ViewPrinter.h"
#include "ui/fmAbout_new.h"
#include "ui/fmDriveEdit.h"
#include "ui/fmFunc.h"
#include "ui/fmGearDesc.h"
#include "ui/fmJointEdit.h"
#include "ui/fmLinkEdit.h"
#include "ui/fmMain.h"
#include "ui/fmOptions.h"
#include "ui/fmPrintOptions.h"
#include "ui/fmSelFill.h"
#include "ui/fmStartKoplar.h"
#include "ui/uDataViewer.h"

#include <QAction>

#include <filesystem>
#include <system_error>
#include <utility>

TAppWindows::TAppWindows(TQtApplication& App, const QStringList& Arguments)
    : FApp(App), FPrinter(std::make_unique<TQtPrinter>()) {
    ConnectMainWindowParts();
    FFormMain = std::make_unique<TFormMain>(FSeams);
    FFormMain->SetCommandLineFile(CommandLineFile(Arguments));
    CreateDialogs();
    ConnectDialogs();
    FFormerReporter = std::exchange(FApp.OnException, [this](const std::string& Message) {
        FFormMain->ApplicationException(Message);
    });
}

TAppWindows::~TAppWindows() {
    FApp.OnException = std::move(FFormerReporter);
}

void TAppWindows::ConnectMainWindowParts() {
    FSeams.MakeDataViewer = [this](QTreeWidget& Tree, TGear& Gear, TFormMain& Form) {
        return std::make_unique<TDataViewer>(
            Tree, Gear,
            TDataViewer::TActions{[&Form] { Form.aPropertiesExecute(); },
                                  [this](TDrive& Drive) { return FSeams.EditDrive(Drive); }});
    };
    // Printing enlarges the sizes in the settings and puts them back; the views follow each.
    FSeams.MakePrinter = [this](TMMSurface& Surface, TGearData& Data) {
        return MakeViewPrinter(Surface, Data, *FPrinter, Preferences(), [this] {
            if (FFormMain)
                FFormMain->ApplySettings();
        });
    };
}

void TAppWindows::CreateDialogs() {
    TFormMain* Main = FFormMain.get();
    TGear& Gear = *Main->Gear();
    FFormOptions = std::make_unique<TFormOptions>([Main] { Main->ApplySettings(); }, Main);
    FFormSelFill = std::make_unique<TFormSelFill>(Main);
    FFormDriveEdit = std::make_unique<TFormDriveEdit>(*FFormSelFill, Main);
    FFormDriveEdit->OtherDrivesIntervals = [&Gear](const TDrive& Drive) {
        return DriveIntervals(Gear.GearData(), &Drive);
    };
    FFormLinkEdit = std::make_unique<TFormLinkEdit>(
        Gear, [this](TDrive& Drive) { return FSeams.EditDrive(Drive); }, Main);
    FFormJointEdit = std::make_unique<TFormJointEdit>(Gear, Main);
    FFormPrintOptions = std::make_unique<TFormPrintOptions>(Main);
    FFormFunc = std::make_unique<TFormFunc>(Gear, Main);
    FFormGearDescription = std::make_unique<TFormGearDescription>(Main);
    FFormAbout_New = std::make_unique<TFormAbout_New>(Main);
}

void TAppWindows::ConnectDialogs() {
    TFormMain* Main = FFormMain.get();
    FSeams.EditDrive = [this](TDrive& Drive) { return FFormDriveEdit->Edit(Drive); };
    FSeams.EditLink = [this](TCustomLink& Link) {
        FFormLinkEdit->SetLink(&Link);
        RunModal(*FFormLinkEdit);
    };
    FSeams.EditJoint = [this](TJoint& Joint) {
        FFormJointEdit->SetJoint(&Joint);
        RunModal(*FFormJointEdit);
    };
    FSeams.ShowOptions = [this] { RunModal(*FFormOptions); };
    FSeams.ShowGearDescription = [this, Main] {
        FFormGearDescription->Execute(Main->Gear()->GearData().GearInfo(),
                                      Main->FileManager()->GetFileInfo());
    };
    FSeams.ShowAbout = [this] { RunModal(*FFormAbout_New); };
    FSeams.StartWindowEndsProgram = [Main] { return StartWindowEndsProgram(Main); };
    FSeams.ShowTransferFunctions = [this] { FFormFunc->Execute(); };
    FSeams.AddApplyTargets = [this](TApplyTargets& Targets) {
        FFormFunc->AddApplyTargets(Targets);
    };
    FSeams.AskPrintView = [this] { return FFormPrintOptions->Ask(); };
    FFormPrintOptions->OnPrinterSetup = [this] {
        ShowPrinterSetup(*FPrinter, FFormPrintOptions.get());
    };
    FSeams.PrinterSetup = [this, Main] { ShowPrinterSetup(*FPrinter, Main); };
}

std::string CommandLineFile(const QStringList& Arguments) {
    if (Arguments.size() < 2 || Arguments[1].isEmpty())
        return {};
    const std::filesystem::path Given(Arguments[1].toStdString());
    std::error_code Error;
    const std::filesystem::path Absolute = std::filesystem::absolute(Given, Error);
    return (Error ? Given : Absolute).lexically_normal().string();
}
