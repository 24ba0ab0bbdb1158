// Filling and inspecting the in-memory registry that stands in for Windows' elsewhere.
#pragma once

#include "platform/Registry.h"

#include <string>

namespace platform::registry::standin {

// Empties the registry and grants KeyRead again.
void Clear();

// Creates the key if needed and stores the value's bytes as they are.
void SetValue(Key root, const std::string& path, const std::string& name, std::uint32_t type,
              const std::string& bytes);

// The rights a caller is granted; asking for any other makes OpenKey fail with AccessDenied,
// as a standard user asking for write rights under HKEY_LOCAL_MACHINE is refused.
void SetGrantedAccess(std::uint32_t rights);

// Keys opened and not closed yet.
int OpenKeyCount();

} // namespace platform::registry::standin
