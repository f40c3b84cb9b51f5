// Geometry shared by the mechanism model, the solver steps and the dialogs: distances and
// directions of points and joints, frame conversions, the solid corner mark of links, the tolerant
// number parser of the dialogs, the real-joint lookups and the second assembly position.
#pragma once

#include "gear/uTStraightOne.h"
#include "platform/Canvas.h"
#include "platform/Types.h"
#include "surface/MMTypes.h"

#include <optional>
#include <string_view>

class TObject;
class TJoint;
class TJointList;
class TCustomLink;

// The corner mark at Corner between the edges to P1 and P2 (pixels): a filled triangle through the
// points Size pixels along the edges, or, for a corner wider than MaxAngle, a filled pie whose
// radius follows the joint settings (Joints/Radius + 3 x Joints/LineThickness, read at each call).
void DrawSolidEdge(TCanvas& Canvas, TPoint Corner, TPoint P1, TPoint P2, double MaxAngle,
                   TColor Color, int Size);

double PointSegmentDistance(double AX, double AY, double BX, double BY, double PX, double PY);
double PointDistance(double X1, double Y1, double X2, double Y2);
// Direction from point 1 to point 2 in [0, 2 pi).
double PointDirection(double X1, double Y1, double X2, double Y2);
// The angle at point 1 from the ray to point 2 to the ray to point 3, in (-2 pi, 2 pi).
double AngleBetween(double X1, double Y1, double X2, double Y2, double X3, double Y3);

// P in the frame with origin Origin whose x axis points along Angle, and back.
TMMPoint ToLocalCoords(TMMPoint P, TMMPoint Origin, double Angle);
TMMPoint ToGlobalCoords(TMMPoint P, TMMPoint Origin, double Angle);

// A decimal number typed with ',' or '.' as separator, blanks around it ignored; none for text that
// is no plain decimal number (empty, digit grouping, inf, nan, hex). Independent of the locale.
std::optional<double> StrToFloatAnySep(std::string_view S);

// The current place of Joint, for circles and lines that follow it while the solver moves it.
TPointSource JointPosition(const TJoint& Joint);

// Direction from A to B.
double JointDirection2(const TJoint& A, const TJoint& B);
// Direction of the vector A - B, that is from B to A.
double JointDirection(const TJoint& A, const TJoint& B);

double JointDistance(const TJoint& J1, const TJoint& J2);
// Direction (A to C) - direction (A to B), not normalised.
double JointAngleBetween(const TJoint& A, const TJoint& B, const TJoint& C);
// Turns Joint about Center (polar form) and moves it with SetPosition, so every link of the joint
// but Source follows.
void RotateJointAbout(TObject* Source, const TJoint& Center, TJoint& Joint, double Angle);

// List index of the N-th real (non-virtual) joint counting from 0; -1 when there are fewer. A
// negative N is returned as it is (nothing chosen).
int RealJointIndex(const TJointList& Joints, int N);
TJoint* GetRealJoint(const TJointList& Joints, int N);
// The link's first joint in list order that is neither virtual nor Joint; nullptr if none.
TJoint* FirstRealJointExcept(const TCustomLink& Link, const TJoint* Joint);
// For a joint joining exactly two links: the other place where it fits both links (the mirror
// across the line of the two centres). P stays unchanged for any other joint, or where the two
// circles only touch or do not meet (a dead-centre position).
void SecondAssemblyPosition(const TJoint& Joint, TMMPoint& P);
