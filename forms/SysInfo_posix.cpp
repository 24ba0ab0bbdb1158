#include "forms/SysInfo.h"

#include "platform/ProgramSearch.h"

#include <string>
#include <vector>

namespace forms {
namespace {

struct Tool {
    const char* program;
    std::vector<std::string> arguments;
};

// No registry names the tool here: the first of these that is installed is started. The
// desktops' own come first, KDE's Info Center and GNOME Settings' "About" panel (named
// info-overview up to GNOME 45, as in Debian 12), then two that any desktop may have,
// HardInfo and lshw's window; a desktop rarely has another desktop's tool installed.
const std::vector<Tool>& tools() {
    static const std::vector<Tool> list{
        {"kinfocenter", {}},
        {"gnome-control-center", {"info-overview"}},
        {"hardinfo", {}},
        {"lshw-gtk", {}},
    };
    return list;
}

} // namespace

// False when none is installed; a failed start throws.
bool StartTool() {
    for (const Tool& tool : tools()) {
        const std::string path = platform::FindProgram(tool.program);
        if (!path.empty()) {
            platform::StartProgramFile(path, tool.arguments);
            return true;
        }
    }
    return false;
}

} // namespace forms
