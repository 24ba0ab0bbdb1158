// Which control event runs which handler of a window's behaviour, stated once per window beside
// its design; each front-end connects its toolkit's signals through this table, so a handler
// reaches every front-end at once.
#pragma once

#include "forms/Design.h"

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace forms {

enum class Event {
    Click,     // a button pressed (pointer, Space, Enter), or a label clicked
    Change,    // an entry box's text changed, by the user or by the program
    MouseMove, // the pointer moved over a label, or over the window's bare surface
};

// A control of the window's design, or the window itself for its bare surface.
template <class Logic> struct Binding {
    std::string_view control;
    Event event;
    void (Logic::*handler)();
};

// What the left button and the pointer do over a label or the window's bare surface: these take
// no pointer events of their own, so the front-ends report them with what lies under the pointer.
// A double-click's second press is no press: it is not reported, so a double-click is one click.
enum class Pointer { Move, Press, Release };

// A window's bindings, joined to the behaviour of one loaded window.
class Events {
public:
    struct Bound {
        const Control* control; // null: the window
        Event event;
        std::function<void()> handler;
    };

    // Throws std::logic_error for a binding to a control the design lacks, or to an event
    // its kind has not: every window checks its table when it loads.
    template <class Logic, std::size_t N>
    Events(const Window& design, const Binding<Logic> (&bindings)[N], Logic& logic)
        : design_(design) {
        for (const Binding<Logic>& b : bindings) {
            bound_.push_back({checked(b.control, b.event), b.event,
                              [&logic, handler = b.handler] { (logic.*handler)(); }});
        }
    }

    std::span<const Bound> bound() const { return bound_; }
    // Runs the handlers bound to the control's event; none bound, nothing happens.
    void Raise(std::string_view control, Event event) const;
    // over: the control under the pointer, or the window's name for its bare surface. A press
    // and a release over the same label click it.
    void Report(Pointer pointer, std::string_view over);

private:
    const Control* checked(std::string_view control, Event event) const;

    const Window& design_;
    std::vector<Bound> bound_;
    std::string pressedOver_;
};

} // namespace forms
