#include "forms/Design.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace forms {

const Control& Window::control(std::string_view controlName) const {
    const auto found = std::find_if(controls.begin(), controls.end(),
                                    [&](const Control& c) { return c.name == controlName; });
    if (found == controls.end()) {
        throw std::out_of_range("no control " + std::string(controlName));
    }
    return *found;
}

} // namespace forms
