// Bringing every object that draws or animates up to the current settings at once: the surfaces,
// grids and axes of the main window and of the transfer-function frame, the diagram, the
// mechanism's parts, its animator, curves and plane positions. New objects take their settings at
// creation; this is for the existing ones after the settings changed or were loaded.
#pragma once

class TAnimator;
class TCurveList;
class TCustomXMLPreferences;
class TGearData;
class TMMCoord;
class TMMDiagram;
class TMMGrid;
class TMMSurface;
class TPlaneList;

// One window's view: its surface with the grid and the axes on it.
struct TViewTargets {
    TMMSurface* Surface = nullptr;
    TMMGrid* Grid = nullptr;
    TMMCoord* Coord = nullptr;
};

// What the settings are applied to; every target may be missing and is then skipped.
struct TApplyTargets {
    // The main window, whose surface repaints once when all is applied.
    TViewTargets Main;
    TGearData* GearData = nullptr;
    TAnimator* Animator = nullptr;
    TCurveList* Curves = nullptr;
    TPlaneList* Planes = nullptr;
    // The transfer-function frame; its objects repaint as their own changes ask.
    TViewTargets Func;
    TMMDiagram* Diagram = nullptr;
};

// Each does nothing without a target.
void ApplyToSurface(TMMSurface* Surface, const TCustomXMLPreferences& Prefs);
void ApplyToGrid(TMMGrid* Grid, const TCustomXMLPreferences& Prefs);
void ApplyToCoord(TMMCoord* Coord, const TCustomXMLPreferences& Prefs);
