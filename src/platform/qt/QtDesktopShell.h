// The Qt backend of the desktop shell: the icon from the program's resources, the desktop tools
// found on the search path and run as child processes.
#pragma once

#include "platform/DesktopShell.h"

class TQtDesktopShell : public TDesktopShell {
public:
    TQtDesktopShell();
    std::string ProgramIcon() const override;
    bool HasTool(const std::string& Tool) const override;
    bool RunTool(const std::string& Tool, const std::vector<std::string>& Arguments) override;
};
