// An error whose text is already written for the user, in French.
#pragma once

#include <stdexcept>
#include <string>

namespace platform {

class Failure : public std::runtime_error {
public:
    explicit Failure(const std::string& frenchText) : std::runtime_error(frenchText) {}
};

} // namespace platform
