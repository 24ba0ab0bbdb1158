// Feeds the registry reader values of any type, bytes and size (0 to past its 1024-byte
// buffer) through the in-memory registry, and checks its byte rules.
#include "forms/RegistryReader.h"
#include "tests/RegistryStandIn.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <stdexcept>
#include <string>

namespace {

namespace registry = platform::registry;

void require(bool holds) {
    if (!holds) {
        std::abort();
    }
}

bool isHexDigits(const std::string& text) {
    return text.find_first_not_of("0123456789ABCDEF") == std::string::npos;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::uint32_t type = input.ConsumeIntegralInRange<std::uint32_t>(0, 11);
    const std::size_t length = input.ConsumeIntegralInRange<std::size_t>(0, 1100);
    std::string bytes = input.ConsumeBytesAsString(length);
    bytes.resize(length, input.ConsumeBool() ? '\0' : 'x');

    registry::standin::Clear();
    registry::standin::SetValue(registry::LocalMachine, "SOFTWARE\\Fuzz", "value", type, bytes);
    std::string text = "unchanged";
    bool read = false;
    try {
        read = forms::GetKeyValue(registry::LocalMachine, "SOFTWARE\\Fuzz", "value", text);
    } catch (const std::invalid_argument&) {
        require(length == 0);
        require(registry::standin::OpenKeyCount() == 0);
        return 0;
    }
    require(length != 0);
    require(registry::standin::OpenKeyCount() == 0);
    // Windows stores the terminating 0 that a text's bytes lack (REG_SZ, REG_EXPAND_SZ,
    // REG_MULTI_SZ).
    const bool textType = type == 1 || type == 2 || type == 7;
    const std::string stored = textType && bytes.back() != '\0' ? bytes + '\0' : bytes;
    if (stored.size() > 1024) {
        require(!read && text.empty());
        return 0;
    }
    require(read);
    const std::size_t kept = stored.back() == '\0' ? stored.size() - 1 : stored.size();
    if (type == registry::TypeSz) {
        require(text == stored.substr(0, kept));
    } else if (type == registry::TypeDword) {
        require(text.size() == 2 + 2 * kept && text.compare(0, 2, "&h") == 0 &&
                isHexDigits(text.substr(2)));
    } else {
        require(text == "unchanged");
    }
    return 0;
}
