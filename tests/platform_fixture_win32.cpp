#include "tests/platform_fixture.h"

#include <windows.h>

#include <cstdlib>
#include <stdexcept>
#include <string_view>

namespace testsupport {

void SetValue(const std::string& path, const std::string& name, std::uint32_t type,
              const std::string& bytes) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &key, nullptr) != ERROR_SUCCESS) {
        throw std::runtime_error("cannot create " + path);
    }
    const LONG status =
        RegSetValueExA(key, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                       static_cast<DWORD>(bytes.size()));
    RegCloseKey(key);
    if (status != ERROR_SUCCESS) {
        throw std::runtime_error("cannot set " + name);
    }
}

void ClearTestKeys() {
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Quorvelin tests");
    if (MayRewriteSystem()) {
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Shared Tools Location");
    }
}

bool MayRewriteSystem() {
    const char* const scratch = std::getenv("QUORVELIN_SCRATCH_SYSTEM");
    return scratch != nullptr && std::string_view(scratch) == "1";
}

int OpenKeyCount() {
    return -1;
}

int RecordedShowStyle(int style) {
    return style;
}

// The registry compares names as Windows does, whatever the C library's locale.
TurkishLocale::TurkishLocale() = default;
TurkishLocale::~TurkishLocale() = default;

} // namespace testsupport
