#include "gear/uCrvPlnPrefs.h"

#include "gear/uCrvPln.h"
#include "gear/uGearPrefs.h"
#include "xml/XMLPrefs.h"

void ApplyToCurve(TCurve& Curve) {
    ApplyToCurve(Curve, PreferenceStore());
}
void ApplyToPlane(TPlane& Plane) {
    ApplyToPlane(Plane, PreferenceStore());
}

void ApplyToCurve(TCurve& Curve, const TCustomXMLPreferences& P) {
    Curve.SetOrder(P.GetInteger("Order", "Curves"));
    Curve.SetLineColor(P.GetColor("Curves", "LineColor"));
    Curve.SetLineThickness(P.GetInteger("Curves", "LineThickness"));
}

void ApplyToPlane(TPlane& Plane, const TCustomXMLPreferences& P) {
    Plane.SetOrder(P.GetInteger("Order", "Planes"));
    Plane.SetLength(P.GetDouble("Planes", "Length"));
    Plane.SetLineThickness(P.GetInteger("Planes", "LineThickness"));
    Plane.SetLineColor(P.GetColor("Planes", "LineColor"));
    Plane.SetBeta(P.GetDouble("Planes", "Beta"));
}
