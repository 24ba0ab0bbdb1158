#include "forms/SysInfo.h"

namespace forms {

void StartSysInfo(const std::function<void()>& showUnavailable) {
    bool started = false;
    try {
        started = StartTool();
    } catch (...) {
        // Whatever went wrong, the user learns the same thing.
    }
    if (!started) {
        showUnavailable();
    }
}

} // namespace forms
