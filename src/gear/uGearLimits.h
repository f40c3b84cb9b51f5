// The bounds of a mechanism that the whole program keeps: the dialogs refuse values beyond them,
// moving keeps joints inside, saving refuses a model beyond them and reading refuses such a file.
// Far beyond any mechanism drawn by hand, small enough that no file makes the model's quadratic
// steps (numbering, UIDs) or the value tables run away, and that a model at any one bound fits
// into a file the reader takes. A model at several bounds at once can outgrow that file, as can
// long names; saving refuses it then for its size.
#pragma once

#include <string>

class TDrive;
class TGearData;

// World millimetres, for x and y of every joint; beyond this the drawing and the solvers lose all
// precision.
constexpr double MaxCoordinate = 1e9;
// Joints, links and drives, each.
constexpr int MaxParts = 10000;
// Joints of all links together, which is also the links of all joints together.
constexpr int MaxConnections = 100000;
// Gear positions of one drive.
constexpr int MaxIntervals = 99999;
// Gear positions of all drives together.
constexpr int MaxDriveValues = 800000;

bool IsCoordinateInRange(double Value);
// The nearest value inside the bounds; 0 for no number.
double ClampCoordinate(double Value);
// The gear positions of the model's drives together, leaving out Besides.
long long DriveIntervals(const TGearData& GearData, const TDrive* Besides = nullptr);
// Why the model lies beyond the bounds, in German; empty when it lies inside.
std::string GearLimitFault(const TGearData& GearData);
