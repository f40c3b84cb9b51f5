#include "gear/uGearLimits.h"

#include "gear/uDrive.h"
#include "gear/uGearData.h"
#include "gear/uJoint.h"
#include "gear/uLink.h"

#include <algorithm>
#include <cmath>

namespace {

std::string Limited(const char* What, long long Max) {
    return std::string("Das Getriebe enthält mehr als ") + std::to_string(Max) + " " + What + ".";
}

std::string DriveFault(const TDrive& Drive) {
    if (Drive.Intervals() > MaxIntervals)
        return "Der Antrieb \"" + Drive.Identifier() + "\" hat mehr als " +
               std::to_string(MaxIntervals) + " Intervalle.";
    for (int I = 0; I < Drive.Intervals(); ++I)
        if (!std::isfinite(Drive.GetValue(I)))
            return "Der Antrieb \"" + Drive.Identifier() + "\" enthält einen ungültigen Wert.";
    return {};
}

} // namespace

bool IsCoordinateInRange(double Value) {
    return std::fabs(Value) <= MaxCoordinate;
}

double ClampCoordinate(double Value) {
    return std::isnan(Value) ? 0 : std::clamp(Value, -MaxCoordinate, MaxCoordinate);
}

long long DriveIntervals(const TGearData& GearData, const TDrive* Besides) {
    long long Intervals = 0;
    for (const TDrive* Drive : GearData.Drives())
        if (Drive != Besides)
            Intervals += Drive->Intervals();
    return Intervals;
}

std::string GearLimitFault(const TGearData& GearData) {
    if (GearData.Joints().Count() > MaxParts)
        return Limited("Gelenke", MaxParts);
    if (GearData.Links().Count() > MaxParts)
        return Limited("Getriebeglieder", MaxParts);
    if (GearData.Drives().Count() > MaxParts)
        return Limited("Antriebe", MaxParts);
    long long Connections = 0;
    for (const TCustomLink* Link : GearData.Links())
        Connections += Link->Joints().Count();
    if (Connections > MaxConnections)
        return Limited("Verbindungen von Gliedern und Gelenken", MaxConnections);
    for (const TJoint* Joint : GearData.Joints())
        if (!IsCoordinateInRange(Joint->X()) || !IsCoordinateInRange(Joint->Y()))
            return "Das Gelenk " + std::to_string(Joint->ID()) +
                   " liegt außerhalb des zulässigen Bereichs von ±" +
                   std::to_string(static_cast<long long>(MaxCoordinate)) + " mm.";
    for (const TDrive* Drive : GearData.Drives())
        if (std::string Fault = DriveFault(*Drive); !Fault.empty())
            return Fault;
    if (DriveIntervals(GearData) > MaxDriveValues)
        return "Die Antriebe haben zusammen mehr als " + std::to_string(MaxDriveValues) +
               " Intervalle.";
    return {};
}
