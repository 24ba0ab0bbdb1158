// The in-memory registry that stands in for Windows' in the tests elsewhere: it implements
// platform/Registry.h and answers as Wine's registry answered the same calls.
#pragma once

#include "platform/Registry.h"

#include <string>

namespace platform::registry::standin {

// Status codes and rights that the stand-in uses besides those of platform/Registry.h.
inline constexpr long FileNotFound = 2;
inline constexpr long AccessDenied = 5;
inline constexpr long InvalidHandle = 6;
inline constexpr long MoreData = 234;
inline constexpr std::uint32_t KeyQueryValue = 0x0001;
inline constexpr std::uint32_t KeyWriteRights = 0x0002 | 0x0004 | 0x0020; // set, create, link

// Empties the registry and grants KeyRead again.
void Clear();

// Creates the key if needed and stores the value as RegSetValueExA would from this text: the
// bytes as they are, and for a text type (REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ) one 0 more when
// they do not end in one, as Windows adds the terminating 0 that follows the caller's bytes.
void SetValue(Key root, const std::string& path, const std::string& name, std::uint32_t type,
              const std::string& bytes);

// The rights a caller is granted; asking for any other makes OpenKey fail with AccessDenied,
// as a standard user asking for write rights under HKEY_LOCAL_MACHINE is refused.
void SetGrantedAccess(std::uint32_t rights);

// Keys opened and not closed yet.
int OpenKeyCount();

} // namespace platform::registry::standin
