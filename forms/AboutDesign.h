// The About window: what the program is, a link to its author's page, and a button that
// starts the system's information tool.
#pragma once

#include "forms/Design.h"

namespace forms {

const Window& AboutDesign();

// The names of the window and of the controls that its behaviour and front-ends refer to.
namespace about {
inline constexpr std::string_view frmAbout = "frmAbout";
inline constexpr std::string_view lblVersion = "lblVersion";
inline constexpr std::string_view lblvexor = "lblvexor";
inline constexpr std::string_view cmdOK = "cmdOK";
inline constexpr std::string_view cmdSysInfo = "cmdSysInfo";
} // namespace about

// The author's page: shown by the link and opened by it, the same text.
inline constexpr std::string_view WebPage = "www.vexor.example";

} // namespace forms
