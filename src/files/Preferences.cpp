#include "files/Preferences.h"

#include "files/FileTypeRegistration.h"
#include "files/RecentFiles.h"
#include "gear/uGearPrefs.h"
#include "platform/Environment.h"
#include "xml/XMLParser.h"

#include <filesystem>
#include <span>
#include <stdexcept>
#include <system_error>

namespace {

const char* const RecentFilesName = "recent_files";

struct TDefault {
    const char* Category;
    const char* Name;
    TVariant Value;
};

TVariant Byte(std::uint8_t V) {
    return TVariant::Byte(V);
}

// Every setting with its default. The order is the order of the settings file and the type of each
// default is the type code recorded there; names are spelled as the file has them.
std::span<const TDefault> Defaults() {
    static const TDefault Table[] = {
        {"MMSurface", "BackGroundColor", 0xFFFFFF},
        {"Program", "ShowSplashScreen", true},
        {"Program", "ConfirmExit", true},
        {"Program", "StartMaximized", true},
        {"Program", "SaveWindowPos", true},
        {"Program", "ShowToolbarText", true},
        {"View", "IDTextHeight", Byte(15)},
        {"View", "IdentifierTextHeight", Byte(16)},
        {"MMCoord", "Visible", true},
        {"MMCoord", "AxisColor", 0x000000},
        {"MMCoord", "ArrowHeight", Byte(6)},
        {"MMCoord", "ArrowWidth", Byte(10)},
        {"MMGrid", "Visible", false},
        {"MMGrid", "GridColor", TVariant::LongWord(0xFFFFB0)},
        {"Joints", "ShowID", true},
        {"Joints", "ShowIdentifier", false},
        {"Joints", "ShowMPol", true},
        {"Joints", "ShowMiddle", false},
        {"Joints", "Radius", Byte(5)},
        {"Joints", "SmallRadius", Byte(4)},
        {"Joints", "LineThickness", Byte(1)},
        {"Joints", "LineColor", 0x000000},
        {"Joints", "LineColorSelected", 0xFF0000},
        {"Joints", "FillColor", 0xFFFFFF},
        {"Joints", "FillColorSelected", 0x00FFFF},
        {"Joints", "TextHeight", Byte(16)},
        {"Joints", "IDTextHeight", Byte(15)},
        {"Links", "ShowID", true},
        {"Links", "ShowIdentifier", false},
        {"Links", "ShowLinkCoord", false},
        {"Links", "ThinCoupleLinks", true},
        {"Links", "LineColor", 0x000000},
        {"Links", "FillColor", 0xFFFFFF},
        {"Links", "LineColorSelected", 0xFF0000},
        {"Links", "FillColorSelected", 0xFFFFFF},
        {"Links", "LineThickness", Byte(2)},
        {"Links", "ThinLineThickness", Byte(1)},
        {"Links", "ThinCoupleLines", true},
        {"Links", "SolidEdges", false},
        {"Links", "SolidEdgeSize", Byte(10)},
        {"Links", "TextHeight", Byte(16)},
        {"Links", "IDTextHeight", Byte(15)},
        {"Slider", "SizeX", Byte(30)},
        {"Slider", "SizeY", Byte(16)},
        {"Rack", "Size", Byte(10)},
        {"Rack", "JointStyle", Byte(0)},
        {"Rack", "LineThickness", Byte(1)},
        {"Animator", "TimerInterval", Byte(100)},
        {"Animator", "Continuously", false},
        {"Animator", "JumpToFirstIfStoppped", false},
        {"Animator", "DirectlyDrawAll", true},
        {"Drives", "Radius", Byte(20)},
        {"Drives", "Angle1", TVariant(0.17453292519943295)},
        {"Drives", "Angle2", TVariant(3.0543261909900767)},
        {"Drives", "ArrowWidth", Byte(10)},
        {"Drives", "ArrowHeight", Byte(6)},
        {"Drives", "LineThickness", Byte(1)},
        {"Drives", "LineColor", 0x008000},
        {"Curves", "LineThickness", Byte(1)},
        {"Curves", "LineColor", 0x0000FF},
        {"Planes", "LineThickness", Byte(1)},
        {"Planes", "LineColor", 0xFF0000},
        {"Planes", "Beta", TVariant(0.7853981633974483)},
        {"Planes", "Length", Byte(20)},
        {"Window", "ExpandLinks", true},
        {"Window", "ExpandJoints", false},
        {"Window", "ExpandCouples", false},
        {"Window", "ExpandDrives", false},
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

TPreferences::TPreferences() {
    FRecentFilesTag = AddTag(*Root(), RecentFilesName);
    RegisterDefaults();
}

void TPreferences::RegisterDefaults() {
    for (const TDefault& D : Defaults())
        SetValue(D.Category, D.Name, D.Value);
}

void TPreferences::LoadFromFile(const std::string& AFileName) {
    TCustomXMLPreferences::LoadFromFile(AFileName);
    FRecentFilesTag = Root()->Items().TagByName(RecentFilesName);
    if (!FRecentFilesTag)
        FRecentFilesTag = AddTag(*Root(), RecentFilesName);
}

void TPreferences::SaveRecentFiles(const TRecentFiles& List) {
    FRecentFilesTag->Items().Clear();
    for (const std::string& File : List.Files())
        TXMLTag::CreateWithText(*FRecentFilesTag, "file", File);
}

void TPreferences::LoadRecentFiles(TRecentFiles& List) const {
    List.Clear();
    const std::vector<TXMLTag*> Files = FRecentFilesTag->Items().Tags();
    // AddFile puts each name on top, so the last stored name goes in first.
    for (auto It = Files.rbegin(); It != Files.rend(); ++It) {
        const std::string Name = (*It)->GetText();
        std::error_code Ec;
        if (!Name.empty() && std::filesystem::is_regular_file(Name, Ec))
            List.AddFile(Name);
    }
}

bool TPreferences::RegisterFileType() const {
    return ::RegisterFileType("kxw", "KOPLAR GE Projekt", ExecutablePath());
}

TPreferences& Preferences() {
    auto* Application = dynamic_cast<TPreferences*>(&PreferenceStore());
    if (!Application)
        throw std::logic_error("Die eingerichteten Einstellungen sind nicht die der Anwendung.");
    return *Application;
}
