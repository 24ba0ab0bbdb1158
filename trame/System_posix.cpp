#include "trame/System.h"

namespace trame {

// Arguments come as the terminal typed them (UTF-8 on today's systems); streams pass bytes.
std::vector<std::string> PrepareConsole(int argc, char** argv) {
    return std::vector<std::string>(argv + 1, argv + argc);
}

} // namespace trame
