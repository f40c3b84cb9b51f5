// Fitting a diagram's view to its data: x from -5 to the largest X, y over the visible series.
#pragma once

class TMMDiagram;
class TMMSurface;

// Counts only valid points at finite places. Without series the view stays; without such points
// x stays and y shows 0 to 360.
void FitDiagram(TMMSurface& Surface, const TMMDiagram& Diagram);
