#include "platform/RegistryStandIn.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <map>
#include <utility>

namespace platform::registry {
namespace {

struct Value {
    std::uint32_t type;
    std::string bytes;
};

// Paths and value names are compared without regard to case, as Windows does.
std::string folded(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
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
        return 6; // ERROR_INVALID_HANDLE
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
    standIn().keys[{root, folded(path)}][folded(name)] = Value{type, bytes};
}

void SetGrantedAccess(std::uint32_t rights) {
    standIn().granted = rights;
}

int OpenKeyCount() {
    return static_cast<int>(standIn().open.size());
}

} // namespace standin
} // namespace platform::registry
