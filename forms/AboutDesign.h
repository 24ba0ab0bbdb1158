// The About window: what the program is, a link to its author's page, and a button that
// starts the system's information tool.
#pragma once

#include "forms/Design.h"

namespace forms {

const Window& AboutDesign();

// The author's page: shown by the link and opened by it, the same text.
inline constexpr std::string_view WebPage = "www.vexor.example";

} // namespace forms
