// The program's windows on its one user-interface thread: the main window from the start, the
// About window when asked for. The message loop ends when the last of them is closed,
// whichever that is.
#pragma once

#include "forms/AppDescriptor.h"
#include "win32/AboutWindow.h"
#include "win32/Form1Window.h"

#include <optional>

namespace win32 {

class Program {
public:
    explicit Program(Services services = SystemServices(), Scale scale = SystemScale(),
                     const forms::AppDescriptorRecord& descriptor = forms::AppDescriptor);
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Creates the main window, runs its load handler and shows it.
    void Start(int show);

    // Runs the message loop; the status the process ends with.
    static int Run();
    // Delivers one message; Tab, Enter, Esc and access keys work as in a dialog.
    static void Dispatch(MSG& message);

    Form1Window& form1() { return *form1_; }
    AboutSlot& about() { return about_; }

private:
    Services services_;
    Scale scale_;
    AboutSlot about_;
    forms::Lifetime lifetime_;
    std::optional<Form1Window> form1_;
};

} // namespace win32
