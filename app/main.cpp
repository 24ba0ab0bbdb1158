// Start-up: the descriptor is a constant, so the first thing to build is the main window.
#include "app/FatalErrors.h"
#include "app/NoDisplay.h"
#include "app/Program.h"

#include <optional>

int main(int argc, char* argv[]) {
    auto displayGuard = std::make_optional<app::DisplayGuard>();
    app::Application application(argc, argv);
    displayGuard.reset();
    app::Program program;
    // The program ends when the last of its windows is closed, whichever that is.
    return application.exec();
}
