// Which control event runs which handler of a window's behaviour, stated once per window beside
// its design; each front-end connects its toolkit's signals through this table, so a handler
// reaches every front-end at once.
#pragma once

#include "forms/Design.h"

#include <algorithm>
#include <cstddef>
#include <functional>
#include <iterator>
#include <optional>
#include <span>
#include <vector>

namespace forms {

enum class Event {
    Click,     // a button pressed (pointer, Space, Enter), or a label clicked
    Change,    // an entry box's text changed, by the user or by the program
    MouseMove, // the pointer moved over a label, or over the window's bare surface
};

// A control of the window's design (Logic::Id), or the window itself for its bare surface.
template <class Logic> struct Binding {
    typename Logic::Id control;
    Event event;
    void (Logic::*handler)();
};

// Whether the control (or the bare surface, which acts as a label does) has the event.
constexpr bool HasEvent(const Window& design, std::size_t control, Event event) {
    const Kind kind = control == Surface ? Kind::Label : design.controls[control].kind;
    switch (event) {
    case Event::Click:
        return kind == Kind::Button || kind == Kind::Label;
    case Event::Change:
        return kind == Kind::EntryBox;
    case Event::MouseMove:
        return kind == Kind::Label;
    }
    return false;
}

// Whether every binding of a window's table names an event its control has: each table is
// checked by a static_assert beside it, so that a wrong one does not build.
template <class Logic, std::size_t N>
constexpr bool EventsExist(const Window& design, const Binding<Logic> (&bindings)[N]) {
    return std::all_of(std::begin(bindings), std::end(bindings), [&](const Binding<Logic>& b) {
        return HasEvent(design, b.control, b.event);
    });
}

// What the left button and the pointer do over a label or the window's bare surface: these take
// no pointer events of their own, so the front-ends report them with what lies under the pointer.
// A double-click's second press is no press: it is not reported, so a double-click is one click.
enum class Pointer { Move, Press, Release };

// A window's bindings, joined to the behaviour of one loaded window.
class Events {
public:
    struct Bound {
        std::size_t control; // or Surface
        Event event;
        std::function<void()> handler;
    };

    template <class Logic, std::size_t N>
    Events(const Binding<Logic> (&bindings)[N], Logic& logic) {
        for (const Binding<Logic>& b : bindings) {
            bound_.push_back(
                {b.control, b.event, [&logic, handler = b.handler] { (logic.*handler)(); }});
        }
    }

    std::span<const Bound> bound() const { return bound_; }
    // Runs the handlers bound to the control's event; none bound, nothing happens.
    void Raise(std::size_t control, Event event) const;
    // over: the control under the pointer, Surface for the bare surface, nothing outside the
    // window. A press and a release over the same label click it.
    void Report(Pointer pointer, std::optional<std::size_t> over);

private:
    std::vector<Bound> bound_;
    std::optional<std::size_t> pressedOver_;
};

} // namespace forms
