// The desktop services that registering the mechanism file type needs: the program's icon from
// its resources and the desktop's database tools, which are optional.
#pragma once

#include "platform/ServiceSlot.h"

#include <string>
#include <vector>

class TDesktopShell {
public:
    virtual ~TDesktopShell() = default;
    // The program's icon as SVG text; empty when the resources hold none.
    virtual std::string ProgramIcon() const = 0;
    // Whether the tool is installed (found on the search path).
    virtual bool HasTool(const std::string& Tool) const = 0;
    // Runs the tool and waits for it; true when it ran and succeeded.
    virtual bool RunTool(const std::string& Tool, const std::vector<std::string>& Arguments) = 0;
};

// Where the backend and tests install the shell (TScopedService).
TServiceSlot<TDesktopShell>& DesktopShellSlot();
// The installed shell; throws std::logic_error when none is.
TDesktopShell& DesktopShell();
