// A link's coupler points, the joints it carries beyond the two that define it: adding one, and
// the second assembly position of a joint, which keeps them where they sit on their links.
#pragma once

#include <vector>

class TCustomLink;
class TGearData;
class TJoint;

std::vector<TJoint*> CouplerPoints(const TCustomLink& Link);
// One of Link's coupler points belongs to another link as well.
bool HasSharedCouplerPoint(const TCustomLink& Link);

// A new coupler point on Link, in the model and on the surface: half way along a bar and a
// quarter of its length beside it, at (50, 50) on a plate or slider. None on a link a slider
// slides on, whose points would leave the slider's line. Raises the model's change.
TJoint* AddCouplerPoint(TGearData& Data, TCustomLink& Link);

// The second assembly position is found for a joint of two bars or plates, or where the second
// link turns about a joint the first one slides with.
bool HasSecondAssemblyPosition(const TJoint& Joint);
// Moving Joint to its second assembly position leaves shared coupler points where they are: one
// of its two links has one.
bool SecondAssemblyKeepsSharedPoints(const TJoint& Joint);
// Moves a joint of two links to its other assembly position. The coupler points of each link that
// shares none go along with the link; the others keep their absolute coordinates. Raises the
// model's change.
void MoveToSecondAssemblyPosition(TGearData& Data, TJoint& Joint);
