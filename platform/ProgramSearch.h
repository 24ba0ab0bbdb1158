// Finding and starting programs by name, on systems where no registry names them (not
// Windows). Failures to start are Failure errors with a French text.
#pragma once

#include <string>
#include <vector>

namespace platform {

// The path of the first executable plain file of this name in the absolute entries of PATH
// (the system's default path when PATH is unset); empty when there is none. An empty or
// relative entry names a folder relative to the current one, which anyone may have filled:
// it never counts.
std::string FindProgram(const std::string& name);

// Starts exactly this program file with these arguments, without waiting for it.
void StartProgramFile(const std::string& path, const std::vector<std::string>& arguments);

} // namespace platform
