// Start-up: the descriptor is a constant, so the first thing to build is the main window.
#include "FatalErrors.h"
#include "Form1.h"
#include "Layout.h"

int main(int argc, char* argv[]) {
    app::Application application(argc, argv);
    // One look on every system, so the windows' colours show as designed.
    application.setStyle(QStringLiteral("Fusion"));
    app::InstallFontSubstitutes();

    main_window::Form1 form;
    form.show();
    return application.exec();
}
