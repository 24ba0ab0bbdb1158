#include "tests/platform_fixture.h"

#include "platform/RegistryStandIn.h"

namespace testsupport {

namespace standin = platform::registry::standin;

void SetValue(const std::string& path, const std::string& name, std::uint32_t type,
              const std::string& bytes) {
    standin::SetValue(platform::registry::LocalMachine, path, name, type, bytes);
}

void ClearTestKeys() {
    standin::Clear();
}

bool MayRewriteSystemKeys() {
    return true;
}

int OpenKeyCount() {
    return standin::OpenKeyCount();
}

int RecordedShowStyle(int /*style*/) {
    return -1;
}

} // namespace testsupport
