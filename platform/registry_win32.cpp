#include "platform/Registry.h"

#include <windows.h>

namespace platform::registry {
namespace {

// The predefined roots are 32-bit values that Windows sign-extends into a handle.
HKEY handle(Key key) {
    if (key >= 0x80000000u && key <= 0x8000000Fu) {
        return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(key)));
    }
    return reinterpret_cast<HKEY>(key);
}

} // namespace

long OpenKey(Key root, const std::string& path, std::uint32_t access, Key& opened) {
    HKEY key = nullptr;
    const LONG status = RegOpenKeyExA(handle(root), path.c_str(), 0, access, &key);
    opened = reinterpret_cast<Key>(key);
    return status;
}

long QueryValue(Key key, const std::string& name, std::uint32_t& type, unsigned char* data,
                std::uint32_t& size) {
    DWORD valueType = 0;
    DWORD length = size;
    const LONG status =
        RegQueryValueExA(handle(key), name.c_str(), nullptr, &valueType, data, &length);
    type = valueType;
    size = length;
    return status;
}

void CloseKey(Key key) {
    RegCloseKey(handle(key));
}

} // namespace platform::registry
