#include "trame/System.h"

namespace trame {

// Arguments come as the terminal typed them (UTF-8 on today's systems); streams pass bytes.
Console::Console(int argc, char** argv) : arguments_(argv + 1, argv + argc) {}

Console::~Console() = default;

} // namespace trame
