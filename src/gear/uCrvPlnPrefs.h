// The drawing settings copied into every new coupler curve and plane-position item; applying all
// settings at once uses the same operations on the existing ones.
#pragma once

class TCurve;
class TPlane;
class TCustomXMLPreferences;

// From the installed store.
void ApplyToCurve(TCurve& Curve);
void ApplyToPlane(TPlane& Plane);

// From the given store.
void ApplyToCurve(TCurve& Curve, const TCustomXMLPreferences& Prefs);
void ApplyToPlane(TPlane& Plane, const TCustomXMLPreferences& Prefs);
