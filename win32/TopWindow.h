// A top-level window built from its design, whose messages go to this object. It is a dialog
// window of the system's dialog manager, which keeps its focus across activations and gives it
// Tab, Enter for the focused or default button, and Esc. Its Form colours and draws the
// controls; its controls' notifications and the pointer over its labels go to the behaviour's
// bound events. An error escaping a handler is fatal.
#pragma once

#include "forms/Design.h"
#include "forms/Events.h"
#include "win32/Form.h"
#include "win32/Scale.h"
#include "win32/Win32.h"

#include <memory>
#include <optional>
#include <string_view>

namespace win32 {

class TopWindow {
public:
    TopWindow(const TopWindow&) = delete;
    TopWindow& operator=(const TopWindow&) = delete;

    // Null once the window is closed.
    HWND handle() const { return window_; }
    bool loaded() const { return window_ != nullptr; }
    // The controls of the window last created.
    Form& form() const { return *form_; }

protected:
    TopWindow() = default;
    virtual ~TopWindow();

    // Creates the window hidden, with its controls, at the design's size (and place, if it has
    // one). An owner keeps the window out of the taskbar.
    void Create(const forms::Window& design, const wchar_t* className, HWND owner, Scale scale,
                Services services);
    // From now on the controls' notifications and the pointer over the labels and the bare
    // surface raise the behaviour's bound events.
    void Bind(forms::Events& events) { events_ = &events; }

    // The window is destroyed: its last message.
    virtual void Closed() = 0;

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void command(HWND control, WORD code);
    void pointer(UINT message, LPARAM lParam);

    HWND window_ = nullptr;
    std::unique_ptr<Form> form_;
    forms::Events* events_ = nullptr;
};

} // namespace win32
