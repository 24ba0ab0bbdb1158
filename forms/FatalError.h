// What the user is told of an error that no event handler traps, before the program ends:
// French, UTF-8, whatever toolkit shows it.
#pragma once

#include <exception>
#include <string>

namespace forms {

std::string FatalErrorText(std::exception_ptr error);

} // namespace forms
