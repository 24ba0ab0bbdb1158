#include "tests/platform_fixture.h"

#include "tests/RegistryStandIn.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>

namespace testsupport {

namespace standin = platform::registry::standin;

void SetValue(const std::string& path, const std::string& name, std::uint32_t type,
              const std::string& bytes) {
    standin::SetValue(platform::registry::LocalMachine, path, name, type, bytes);
}

void ClearTestKeys() {
    standin::Clear();
}

bool MayRewriteSystem() {
    return true;
}

int OpenKeyCount() {
    return standin::OpenKeyCount();
}

int RecordedShowStyle(int /*style*/) {
    return -1;
}

TurkishLocale::TurkishLocale() {
    setenv("LOCPATH", TEST_LOCALES, 1);
    if (std::setlocale(LC_ALL, "tr_TR.UTF-8") == nullptr) {
        ADD_FAILURE() << "no tr_TR.UTF-8 locale in " << TEST_LOCALES;
    }
}

TurkishLocale::~TurkishLocale() {
    std::setlocale(LC_ALL, "C");
    unsetenv("LOCPATH");
}

} // namespace testsupport
