// The registry calls the system-information launcher relies on, shaped like the Win32 ones:
// status codes (0 is success), byte buffers and ANSI texts. On Windows they are advapi32's;
// elsewhere an in-memory registry stands in (see RegistryStandIn.h).
#pragma once

#include <cstdint>
#include <string>

namespace platform::registry {

// A root such as LocalMachine, or a key that OpenKey opened.
using Key = std::uintptr_t;

inline constexpr Key LocalMachine = 0x80000002;

inline constexpr long Success = 0;
inline constexpr long FileNotFound = 2;
inline constexpr long AccessDenied = 5;
inline constexpr long MoreData = 234;

inline constexpr std::uint32_t TypeSz = 1;
inline constexpr std::uint32_t TypeExpandSz = 2;
inline constexpr std::uint32_t TypeBinary = 3;
inline constexpr std::uint32_t TypeDword = 4;
inline constexpr std::uint32_t TypeMultiSz = 7;

inline constexpr std::uint32_t KeyQueryValue = 0x0001;
inline constexpr std::uint32_t KeyRead = 0x20019;
inline constexpr std::uint32_t KeyWriteRights = 0x0002 | 0x0004 | 0x0020; // set, create, link

long OpenKey(Key root, const std::string& path, std::uint32_t access, Key& opened);

// size is the buffer's length in; the value's length in bytes out (also when it does not fit,
// with MoreData).
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
