#include "gear/uGearCalc.h"

#include "gear/uDrive.h"
#include "gear/uGearData.h"
#include "platform/Platform.h"

TGearCalculator::TGearCalculator(TGearData& GearData) : FGearData(GearData), FPlanner(GearData) {}

const char* TGearCalculator::FailedCheck() const {
    if (FGearData.Links().Count() <= 1)
        return "Es sind keine Getriebeglieder vorhanden.";
    const TDriveList& Drives = FGearData.Drives();
    if (Drives.Empty())
        return "Es muss mindestens 1 Antrieb vorhanden sein!";
    const int Intervals = Drives.First()->Intervals();
    if (Intervals <= 0)
        return "Es darf keine Antriebe mit 0 Intervallen geben!";
    for (const TDrive* Drive : Drives)
        if (Drive->Intervals() != Intervals)
            return "Die Antriebe haben eine unterschiedliche Anzahl an Intervallen.\r\n"
                   "Bitte korrigieren sie das!";
    return "";
}

void TGearCalculator::Prepare() {
    FCanCalculate = false;
    const char* Message = FailedCheck();
    if (*Message) {
        MessageDlg(Message, TMsgDlgType::mtInformation, mbOK);
        return;
    }
    FCanCalculate = FPlanner.BuildFrom();
}

bool TGearCalculator::Calculate(int Position) {
    // A model edited since Prepare may have lost its drives: no position is then in range.
    const TDriveList& Drives = FGearData.Drives();
    if (!FCanCalculate || Drives.Empty() || Position < 0 ||
        Position > Drives.First()->Intervals() - 1)
        return false;
    return FPlanner.Calculate(Position);
}
