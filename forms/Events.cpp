#include "forms/Events.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <utility>

namespace forms {
namespace {

bool fits(const Control* control, Event event) {
    const Kind kind = control ? control->kind : Kind::Label; // the surface acts as a label does
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

} // namespace

const Control* Events::checked(std::string_view control, Event event) const {
    const auto found = std::find_if(design_.controls.begin(), design_.controls.end(),
                                    [&](const Control& c) { return c.name == control; });
    const Control* const c = found == design_.controls.end() ? nullptr : &*found;
    if ((c == nullptr && control != design_.name) || !fits(c, event)) {
        throw std::logic_error(std::string(design_.name) + ": no such event of " +
                               std::string(control));
    }
    return c;
}

void Events::Raise(std::string_view control, Event event) const {
    for (const Bound& b : bound_) {
        const std::string_view name = b.control ? b.control->name : design_.name;
        if (name == control && b.event == event) {
            b.handler();
        }
    }
}

void Events::Report(Pointer pointer, std::string_view over) {
    switch (pointer) {
    case Pointer::Move:
        Raise(over, Event::MouseMove);
        break;
    case Pointer::Press:
        pressedOver_ = over;
        break;
    case Pointer::Release:
        if (std::exchange(pressedOver_, {}) == over && !over.empty()) {
            Raise(over, Event::Click);
        }
        break;
    }
}

} // namespace forms
