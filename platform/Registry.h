// The registry calls the registry reader relies on, shaped like the Win32 ones: status codes
// (0 is success), byte buffers and ANSI texts. They are advapi32's; the tests elsewhere link
// an in-memory registry that stands in for them (tests/RegistryStandIn.h).
#pragma once

#include <cstdint>
#include <string>

namespace platform::registry {

// A root such as LocalMachine, or a key that OpenKey opened.
using Key = std::uintptr_t;

inline constexpr Key LocalMachine = 0x80000002;

inline constexpr long Success = 0;

inline constexpr std::uint32_t TypeSz = 1;
inline constexpr std::uint32_t TypeDword = 4;

inline constexpr std::uint32_t KeyRead = 0x20019;

long OpenKey(Key root, const std::string& path, std::uint32_t access, Key& opened);

// size is the buffer's length in; the value's length in bytes out (also when it does not fit,
// with ERROR_MORE_DATA, 234).
long QueryValue(Key key, const std::string& name, std::uint32_t& type, unsigned char* data,
                std::uint32_t& size);

void CloseKey(Key key);

// Closes the key it holds on every way out of a scope.
class OpenedKey {
public:
    OpenedKey() = default;
    OpenedKey(const OpenedKey&) = delete;
    OpenedKey& operator=(const OpenedKey&) = delete;
    ~OpenedKey() {
        if (open_) {
            CloseKey(key_);
        }
    }

    long open(Key root, const std::string& path, std::uint32_t access) {
        const long status = OpenKey(root, path, access, key_);
        open_ = status == Success;
        return status;
    }
    Key get() const { return key_; }

private:
    Key key_ = 0;
    bool open_ = false;
};

} // namespace platform::registry
