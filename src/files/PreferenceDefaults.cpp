#include "files/Preferences.h"

#include <cstdint>
#include <span>

namespace {

struct TDefault {
    const char* Category;
    const char* Name;
    TVariant Value;
};

TVariant Int(std::int32_t V) {
    return V;
}
TVariant Byte(std::uint8_t V) {
    return TVariant::Byte(V);
}
TVariant Bool(bool V) {
    return V;
}

// Every setting with its default. The order is the order of the settings file and the type of each
// default is the type code recorded there; names are spelled as the file has them.
std::span<const TDefault> Defaults() {
    static const TDefault Table[] = {
        {"MMSurface", "BackGroundColor", Int(0xFFFFFF)},
        {"Program", "ShowSplashScreen", Bool(true)},
        {"Program", "ConfirmExit", Bool(true)},
        {"Program", "StartMaximized", Bool(true)},
        {"Program", "SaveWindowPos", Bool(true)},
        {"Program", "ShowToolbarText", Bool(true)},
        {"View", "IDTextHeight", Byte(15)},
        {"View", "IdentifierTextHeight", Byte(16)},
        {"MMCoord", "Visible", Bool(true)},
        {"MMCoord", "AxisColor", Int(0x000000)},
        {"MMCoord", "ArrowHeight", Byte(6)},
        {"MMCoord", "ArrowWidth", Byte(10)},
        {"MMGrid", "Visible", Bool(false)},
        {"MMGrid", "GridColor", TVariant::LongWord(0xFFFFB0)},
        {"Joints", "ShowID", Bool(true)},
        {"Joints", "ShowIdentifier", Bool(false)},
        {"Joints", "ShowMPol", Bool(true)},
        {"Joints", "ShowMiddle", Bool(false)},
        {"Joints", "Radius", Byte(5)},
        {"Joints", "SmallRadius", Byte(4)},
        {"Joints", "LineThickness", Byte(1)},
        {"Joints", "LineColor", Int(0x000000)},
        {"Joints", "LineColorSelected", Int(0xFF0000)},
        {"Joints", "FillColor", Int(0xFFFFFF)},
        {"Joints", "FillColorSelected", Int(0x00FFFF)},
        {"Joints", "TextHeight", Byte(16)},
        {"Joints", "IDTextHeight", Byte(15)},
        {"Links", "ShowID", Bool(true)},
        {"Links", "ShowIdentifier", Bool(false)},
        {"Links", "ShowLinkCoord", Bool(false)},
        {"Links", "ThinCoupleLinks", Bool(true)},
        {"Links", "LineColor", Int(0x000000)},
        {"Links", "FillColor", Int(0xFFFFFF)},
        {"Links", "LineColorSelected", Int(0xFF0000)},
        {"Links", "FillColorSelected", Int(0xFFFFFF)},
        {"Links", "LineThickness", Byte(2)},
        {"Links", "ThinLineThickness", Byte(1)},
        {"Links", "ThinCoupleLines", Bool(true)},
        {"Links", "SolidEdges", Bool(false)},
        {"Links", "SolidEdgeSize", Byte(10)},
        {"Links", "TextHeight", Byte(16)},
        {"Links", "IDTextHeight", Byte(15)},
        {"Slider", "SizeX", Byte(30)},
        {"Slider", "SizeY", Byte(16)},
        {"Rack", "Size", Byte(10)},
        {"Rack", "JointStyle", Byte(0)},
        {"Rack", "LineThickness", Byte(1)},
        {"Animator", "TimerInterval", Byte(100)},
        {"Animator", "Continuously", Bool(false)},
        {"Animator", "JumpToFirstIfStoppped", Bool(false)},
        {"Animator", "DirectlyDrawAll", Bool(true)},
        {"Drives", "Radius", Byte(20)},
        {"Drives", "Angle1", TVariant(0.17453292519943295)},
        {"Drives", "Angle2", TVariant(3.0543261909900767)},
        {"Drives", "ArrowWidth", Byte(10)},
        {"Drives", "ArrowHeight", Byte(6)},
        {"Drives", "LineThickness", Byte(1)},
        {"Drives", "LineColor", Int(0x008000)},
        {"Curves", "LineThickness", Byte(1)},
        {"Curves", "LineColor", Int(0x0000FF)},
        {"Planes", "LineThickness", Byte(1)},
        {"Planes", "LineColor", Int(0xFF0000)},
        {"Planes", "Beta", TVariant(0.7853981633974483)},
        {"Planes", "Length", Byte(20)},
        {"Window", "ExpandLinks", Bool(true)},
        {"Window", "ExpandJoints", Bool(false)},
        {"Window", "ExpandCouples", Bool(false)},
        {"Window", "ExpandDrives", Bool(false)},
        {"Edit", "MaxSelectDistance", Byte(8)},
        {"Edit", "MaxSnapDistance", Byte(15)},
        {"Zoom", "InFactor", TVariant::Currency(1.25)},
        {"Zoom", "OutFactor", TVariant::Currency(0.5)},
        {"Order", "MMGrid", Byte(10)},
        {"Order", "MMCoord", Byte(20)},
        {"Order", "Diagram", Byte(30)},
        {"Order", "Racks", Byte(40)},
        {"Order", "Links", Byte(50)},
        {"Order", "Sliders", Byte(51)},
        {"Order", "Drives", Byte(60)},
        {"Order", "Planes", Byte(70)},
        {"Order", "Curves", Byte(71)},
        {"Order", "Joints", Byte(80)},
    };
    return Table;
}

} // namespace

void TPreferences::RegisterDefaults() {
    for (const TDefault& D : Defaults())
        SetValue(D.Category, D.Name, D.Value);
}
