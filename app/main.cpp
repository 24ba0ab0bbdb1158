// Start-up: the descriptor is a constant, so the first thing to build is the main window.
#include "qt/Application.h"
#include "qt/NoDisplay.h"
#include "qt/Program.h"

#include <optional>

int main(int argc, char* argv[]) {
    auto displayGuard = std::make_optional<qt::DisplayGuard>();
    qt::Application application(argc, argv);
    displayGuard.reset();
    qt::Program program;
    // The program ends when the last of its windows is closed, whichever that is.
    return application.exec();
}
