// Start-up: the descriptor is a constant, so the first thing to build is the main window.
#include "about_window/AboutSlot.h"
#include "app/FatalErrors.h"
#include "app/NoDisplay.h"
#include "design/Fonts.h"
#include "main_window/Form1.h"

#include <optional>

int main(int argc, char* argv[]) {
    auto displayGuard = std::make_optional<app::DisplayGuard>();
    app::Application application(argc, argv);
    displayGuard.reset();
    // One look on every system, so the windows' colours show as designed.
    application.setStyle(QStringLiteral("Fusion"));
    design::InstallFontSubstitutes();
    // Both windows are designed in this font; as the program's own, it is also the one
    // entry boxes lay out their first empty text with, so no other face is loaded.
    QApplication::setFont(design::SansSerif());

    // Empty until "A lire" first asks for the About window; it outlives both windows.
    about_window::AboutSlot about;
    main_window::Form1 form([&about] { about.Request(); });
    form.show();
    // The program ends when the last of its windows is closed, whichever that is.
    return application.exec();
}
