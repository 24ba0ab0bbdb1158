#include "forms/RegistryReader.h"

#include "composer/Composer.h"

#include <array>
#include <cstdint>
#include <stdexcept>

namespace forms {
namespace {

namespace registry = platform::registry;

// The registry is only read: asking for write rights under HKEY_LOCAL_MACHINE gets a
// standard user refused.
constexpr std::uint32_t ReadAccess = registry::KeyRead;
constexpr std::uint32_t BufferSize = 1024;

// "&h" and two uppercase digits a byte, most significant (last stored) first. Kept as text:
// the launcher only ever uses it as a path.
std::string dwordText(const unsigned char* data, std::uint32_t size) {
    std::string text = "&h";
    for (std::uint32_t i = size; i > 0; --i) {
        text += composer::HexDigits(data[i - 1]);
    }
    return text;
}

} // namespace

bool GetKeyValue(registry::Key KeyRoot, const std::string& KeyName, const std::string& SubKeyRef,
                 std::string& KeyVal) {
    registry::OpenedKey key;
    if (key.open(KeyRoot, KeyName, ReadAccess) != registry::Success) {
        KeyVal.clear();
        return false;
    }
    std::array<unsigned char, BufferSize> buffer{};
    std::uint32_t size = BufferSize;
    std::uint32_t type = 0;
    if (registry::QueryValue(key.get(), SubKeyRef, type, buffer.data(), size) !=
        registry::Success) {
        KeyVal.clear();
        return false;
    }
    if (size == 0) {
        throw std::invalid_argument("registry value of no bytes");
    }
    // One terminating 0 is dropped, whatever the type.
    const std::uint32_t length = buffer[size - 1] == 0 ? size - 1 : size;
    if (type == registry::TypeSz) {
        KeyVal.assign(reinterpret_cast<const char*>(buffer.data()), length);
    } else if (type == registry::TypeDword) {
        KeyVal = dwordText(buffer.data(), length);
    }
    return true;
}

} // namespace forms
