#include "forms/Events.h"

#include <utility>

namespace forms {

void Events::Raise(std::size_t control, Event event) const {
    for (const Bound& b : bound_) {
        if (b.control == control && b.event == event) {
            b.handler();
        }
    }
}

void Events::Report(Pointer pointer, std::optional<std::size_t> over) {
    switch (pointer) {
    case Pointer::Move:
        if (over) {
            Raise(*over, Event::MouseMove);
        }
        break;
    case Pointer::Press:
        pressedOver_ = over;
        break;
    case Pointer::Release:
        if (std::exchange(pressedOver_, std::nullopt) == over && over) {
            Raise(*over, Event::Click);
        }
        break;
    }
}

} // namespace forms
