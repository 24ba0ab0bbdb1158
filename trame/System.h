// What differs between systems at the program's edge.
#pragma once

#include <string>
#include <vector>

namespace trame {

// The arguments after the program's name as UTF-8 texts, whatever the console's code page;
// standard input and output set to pass bytes unchanged.
std::vector<std::string> PrepareConsole(int argc, char** argv);

} // namespace trame
