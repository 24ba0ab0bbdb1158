// What the windows' behaviour asks of a front-end: each front-end (Qt, Win32) implements it
// for the controls it built from a window's design. Texts are UTF-8; controls go by
// their index in the window's table.
#pragma once

#include "forms/Design.h"

#include <cstddef>
#include <optional>
#include <string>

namespace forms {

class View {
public:
    virtual ~View() = default;

    virtual std::string Text(std::size_t control) const = 0;
    // Raises the control's change event when the text differs; a box then shows its start.
    virtual void SetText(std::size_t control, const std::string& text) = 0;
    virtual void SetVisible(std::size_t control, bool visible) = 0;
    // Background style 1, opaque in this colour, or 0, transparent.
    virtual void SetBackground(std::size_t control, std::optional<Colour> colour) = 0;
    virtual void SetCaption(const std::string& caption) = 0;
    // A modal box with an OK button alone.
    virtual void MessageBox(const std::string& caption, const std::string& text) = 0;
    // Closes the window and discards its controls.
    virtual void Unload() = 0;
    // Hands the address to the system's page opener without waiting; a failure the opener
    // reports later comes back as the window's PageNotOpened.
    virtual void OpenWebPage(const std::string& address) = 0;
};

} // namespace forms
