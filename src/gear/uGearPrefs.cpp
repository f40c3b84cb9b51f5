#include "gear/uGearPrefs.h"

#include "gear/uDrive.h"
#include "gear/uJoint.h"
#include "gear/uLinkKind.h"
#include "gear/uRack.h"
#include "gear/uSlider.h"
#include "xml/XMLPrefs.h"

TServiceSlot<TCustomXMLPreferences>& PreferencesSlot() {
    static TServiceSlot<TCustomXMLPreferences> Slot("Einstellungen");
    return Slot;
}

TCustomXMLPreferences& PreferenceStore() {
    return PreferencesSlot().Get();
}

void ApplyToJoint(TJoint& Joint) {
    ApplyToJoint(Joint, PreferenceStore());
}
void ApplyToLink(TCustomLink& Link) {
    ApplyToLink(Link, PreferenceStore());
}
void ApplyToDrive(TDrive& Drive) {
    ApplyToDrive(Drive, PreferenceStore());
}

void ApplyToJoint(TJoint& Joint, const TCustomXMLPreferences& P) {
    Joint.SetOrder(P.GetInteger("Order", "Joints"));
    Joint.SetIDTextHeight(P.GetInteger("View", "IDTextHeight"));
    Joint.SetIdentifierTextHeight(P.GetInteger("View", "IdentifierTextHeight"));
    Joint.SetShowID(P.GetBoolean("Joints", "ShowID"));
    Joint.SetShowIdentifier(P.GetBoolean("Joints", "ShowIdentifier"));
    Joint.SetShowMiddle(P.GetBoolean("Joints", "ShowMiddle"));
    Joint.SetShowMPol(P.GetBoolean("Joints", "ShowMPol"));
    Joint.SetLineColor(P.GetColor("Joints", "LineColor"));
    Joint.SetFillColor(P.GetColor("Joints", "FillColor"));
    Joint.SetFillColorSelected(P.GetColor("Joints", "FillColorSelected"));
    Joint.SetLineColorSelected(P.GetColor("Joints", "LineColorSelected"));
    Joint.SetLineThickness(P.GetInteger("Joints", "LineThickness"));
    Joint.SetRadius(P.GetInteger("Joints", "Radius"));
    Joint.SetSmallRadius(P.GetInteger("Joints", "SmallRadius"));
}

void ApplyToLink(TCustomLink& Link, const TCustomXMLPreferences& P) {
    // Sliders and the frame share the links' order.
    Link.SetOrder(P.GetInteger("Order", "Links"));
    Link.SetIDTextHeight(P.GetInteger("View", "IDTextHeight"));
    Link.SetIdentifierTextHeight(P.GetInteger("View", "IdentifierTextHeight"));
    Link.SetShowID(P.GetBoolean("Links", "ShowID"));
    Link.SetShowIdentifier(P.GetBoolean("Links", "ShowIdentifier"));
    Link.SetShowLinkCoord(P.GetBoolean("Links", "ShowLinkCoord"));
    Link.SetSettingsLineColor(P.GetColor("Links", "LineColor"));
    Link.SetFillColor(P.GetColor("Links", "FillColor"));
    Link.SetFillColorSelected(P.GetColor("Links", "FillColorSelected"));
    Link.SetLineColorSelected(P.GetColor("Links", "LineColorSelected"));
    Link.SetLineThickness(P.GetInteger("Links", "LineThickness"));
    Link.SetThinLineThickness(P.GetInteger("Links", "ThinLineThickness"));
    Link.SetThinCoupleLines(P.GetBoolean("Links", "ThinCoupleLines"));
    Link.SetSolidEdges(P.GetBoolean("Links", "SolidEdges"));
    Link.SetSolidEdgeSize(P.GetInteger("Links", "SolidEdgeSize"));
    if (auto* Slider = AsSlider(&Link)) {
        Slider->SetSizeX(P.GetInteger("Slider", "SizeX"));
        Slider->SetSizeY(P.GetInteger("Slider", "SizeY"));
    }
    if (auto* Rack = AsRack(&Link)) {
        Rack->SetSize(P.GetInteger("Rack", "Size"));
        Rack->SetJointStyle(P.GetInteger("Rack", "JointStyle"));
        Rack->SetLineThickness(P.GetInteger("Rack", "LineThickness"));
    }
}

void ApplyToDrive(TDrive& Drive, const TCustomXMLPreferences& P) {
    Drive.SetOrder(P.GetInteger("Order", "Drives"));
    Drive.SetRadius(P.GetInteger("Drives", "Radius"));
    Drive.SetAngle1(P.GetDouble("Drives", "Angle1"));
    Drive.SetAngle2(P.GetDouble("Drives", "Angle2"));
    Drive.SetArrowWidth(P.GetInteger("Drives", "ArrowWidth"));
    Drive.SetArrowHeight(P.GetInteger("Drives", "ArrowHeight"));
    Drive.SetLineThickness(P.GetInteger("Drives", "LineThickness"));
    Drive.SetLineColor(P.GetColor("Drives", "LineColor"));
}
