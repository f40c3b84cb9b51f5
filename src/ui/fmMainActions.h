// The main window's commands: one row each, from which its actions, their places in the menus,
// the tool bars and the canvas's menu, their handlers and their enable and check states are made.
#pragma once

#include <QAction>
#include <QHash>
#include <QString>

#include <array>
#include <span>
#include <vector>

class TCustomLink;
class TFormMain;
class TGear;
class TGearData;
class TJoint;

// What the enable and check rules look at, taken once per refresh.
struct TCommandState {
    const TGear& Gear;
    const TGearData& Data;
    bool Editing;
    bool Animating;
    int SelectedLinks;
    int SelectedJoints;
    const TCustomLink* Link; // the one selected link, else nullptr
    const TJoint* Joint;     // the one selected joint, else nullptr
    bool Modified;
};

enum class TCommandSite {
    None,
    FileMenu,
    ViewMenu,
    EditMenu,
    AnimationMenu,
    HelpMenu,
    FileBar,
    ViewBar,
    ModeBar,
    AnimationBar,
    RightBar,
    CanvasMenu,
};

struct TCommandPlace {
    TCommandSite Site = TCommandSite::None;
    int Order = 0;     // among the site's entries
    int GapBefore = 0; // separators before it
    // A right-hand button's own hint; empty: the command's.
    const char* Hint = "";
    // The name of its tool button; empty: the button keeps the tool bar's default name.
    const char* Button = "";
};

using TCommandRule = bool (*)(const TCommandState&);

struct TCommand {
    const char* Name;
    const char* Caption;
    const char* Hint; // empty: the command has no hint of its own
    bool Checkable;
    const char* Icon; // the program's image of that name; empty: none
    void (TFormMain::*Execute)();
    TCommandRule Enabled; // nullptr: always offered
    TCommandRule Checked; // nullptr: the window never checks it
    std::array<TCommandPlace, 3> Places;
};

// Every command of the window, in the order of the command list.
std::span<const TCommand> MainCommands();

// The file menu's list of recent files stands at this place, between the commands.
inline constexpr int RecentFilesOrder = 2;

// An entry at its place on a site.
struct TSiteEntry {
    QAction* Action;
    const TCommand* Command; // nullptr for an entry that is no command
    const TCommandPlace* Place;
};

class TMainActions {
public:
    // Creates every command as a child of Owner, in the order of the command list.
    explicit TMainActions(QObject* Owner);

    // Throws for a name that names no command.
    QAction* operator[](const char* Name) const;
    // Runs each command's handler on Window when it is triggered.
    void Connect(TFormMain& Window) const;
    // Enables and checks the commands as their rules say for State.
    void Update(const TCommandState& State) const;
    // The commands placed on Site, in their order.
    std::vector<TSiteEntry> On(TCommandSite Site) const;

private:
    std::vector<QAction*> FActions; // one per command, in the table's order
    QHash<QString, QAction*> FByName;
};
