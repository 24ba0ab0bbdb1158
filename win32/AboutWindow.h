// The About window, and the one slot of the process that holds it: created on first request,
// shown modeless, loaded afresh after each close.
#pragma once

#include "forms/AboutLogic.h"
#include "forms/AppDescriptor.h"
#include "forms/Windows.h"
#include "win32/Handles.h"
#include "win32/TopWindow.h"

#include <functional>
#include <optional>

namespace win32 {

class AboutWindow : public TopWindow, public forms::TopLevel {
public:
    // Loads the window, hidden: its controls, then its load handler.
    AboutWindow(const forms::AppDescriptorRecord& descriptor, HWND owner, Scale scale,
                Services services, std::function<void()> closed);
    ~AboutWindow() override;

    void StartSysInfo();

    bool Minimised() const override { return IsIconic(handle()) != FALSE; }
    void Show() override;
    void Restore() override { ShowWindow(handle(), SW_RESTORE); }
    void Activate() override { SetForegroundWindow(handle()); }

protected:
    void Closed() override;

private:
    std::function<void()> closed_;
    std::optional<forms::Loaded<forms::AboutLogic>> logic_;
};

class AboutSlot : public forms::AboutSlot {
public:
    // closed: what the window's closing tells, once it is unloaded.
    AboutSlot(const forms::AppDescriptorRecord& descriptor, Scale scale, Services services,
              std::function<void()> closed);

    // The loaded window, or null.
    AboutWindow* window() { return IsLoaded() ? &*window_ : nullptr; }

private:
    forms::TopLevel& Load() override;

    const forms::AppDescriptorRecord& descriptor_;
    Scale scale_;
    Services services_;
    std::function<void()> closed_;
    // Owns the About window without ever being shown: an owned window stays out of the taskbar,
    // and closing the main window, which does not own it, leaves it open. Made at the first
    // request, not at start.
    Window owner_;
    // The window last loaded; a closed one is replaced at the next request.
    std::optional<AboutWindow> window_;
};

} // namespace win32
