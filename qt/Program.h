// The program's windows as main() builds and wires them: the main window, shown, whose "A lire"
// button asks the one About window of the process for itself; the program ends with the last.
#pragma once

#include "qt/AboutWindow.h"
#include "qt/Form1Window.h"

namespace qt {

class Program {
public:
    explicit Program(qt::AboutServices services = qt::SystemServices());

    qt::Form1Window& mainWindow() { return form_; }
    qt::AboutSlot& about() { return about_; }

private:
    // Empty until "A lire" first asks for the About window; it outlives the main window.
    qt::AboutSlot about_;
    forms::Lifetime lifetime_;
    qt::Form1Window form_;
};

} // namespace qt
