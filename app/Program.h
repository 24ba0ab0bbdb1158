// The program's windows as main() builds and wires them: the main window, shown, whose "A lire"
// button asks the one About window of the process for itself.
#pragma once

#include "about_window/AboutSlot.h"
#include "main_window/Form1.h"

namespace app {

class Program {
public:
    explicit Program(about_window::AboutServices services = about_window::SystemServices());

    main_window::Form1& mainWindow() { return form_; }
    about_window::AboutSlot& about() { return about_; }

private:
    // Empty until "A lire" first asks for the About window; it outlives the main window.
    about_window::AboutSlot about_;
    main_window::Form1 form_;
};

} // namespace app
