#include "tests/RegistryStandIn.h"

#include <cstring>
#include <map>
#include <utility>

namespace platform::registry {
namespace {

using namespace standin;

struct Value {
    std::uint32_t type;
    std::string bytes;
};

// Key paths and value names are compared without regard to the case of their letters, which
// are ASCII here, as Windows compares them. The locale's tolower would not do: under tr_TR it
// leaves "I" as it is, so "MSINFO" would not be found as "msinfo".
std::string folded(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return text;
}

bool isTextType(std::uint32_t type) {
    return type == 1 || type == 2 || type == 7; // REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ
}

struct StandIn {
    std::map<std::pair<Key, std::string>, std::map<std::string, Value>> keys;
    std::map<Key, std::map<std::string, Value>*> open;
    Key nextHandle = 1;
    std::uint32_t granted = KeyRead;
};

StandIn& standIn() {
    static StandIn registry;
    return registry;
}

} // namespace

long OpenKey(Key root, const std::string& path, std::uint32_t access, Key& opened) {
    StandIn& registry = standIn();
    const auto key = registry.keys.find({root, folded(path)});
    if (key == registry.keys.end()) {
        return FileNotFound;
    }
    if ((access & ~registry.granted) != 0) {
        return AccessDenied;
    }
    opened = registry.nextHandle++;
    registry.open[opened] = &key->second;
    return Success;
}

long QueryValue(Key key, const std::string& name, std::uint32_t& type, unsigned char* data,
                std::uint32_t& size) {
    const auto open = standIn().open.find(key);
    if (open == standIn().open.end()) {
        return InvalidHandle;
    }
    const auto value = open->second->find(folded(name));
    if (value == open->second->end()) {
        return FileNotFound;
    }
    type = value->second.type;
    const std::uint32_t capacity = size;
    size = static_cast<std::uint32_t>(value->second.bytes.size());
    if (size > capacity) {
        return MoreData;
    }
    std::memcpy(data, value->second.bytes.data(), size);
    return Success;
}

void CloseKey(Key key) {
    standIn().open.erase(key);
}

namespace standin {

void Clear() {
    standIn() = StandIn{};
}

void SetValue(Key root, const std::string& path, const std::string& name, std::uint32_t type,
              const std::string& bytes) {
    std::string stored = bytes;
    if (isTextType(type) && !stored.empty() && stored.back() != '\0') {
        stored += '\0';
    }
    standIn().keys[{root, folded(path)}][folded(name)] = Value{type, stored};
}

void SetGrantedAccess(std::uint32_t rights) {
    standIn().granted = rights;
}

int OpenKeyCount() {
    return static_cast<int>(standIn().open.size());
}

} // namespace standin
} // namespace platform::registry
