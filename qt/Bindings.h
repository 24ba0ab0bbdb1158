// Connects the widgets of a window's Form to its behaviour's bound events.
#pragma once

#include "forms/Events.h"

namespace qt {

class Form;

// Buttons' clicks and boxes' changes through their signals; the pointer over labels and the
// window's bare surface through the window's mouse events, which labels pass on to it. A label
// that can be clicked is a link to screen readers, whose press action clicks it.
void Connect(const Form& form, forms::Events& events);

} // namespace qt
