// The stand-in refuses what a standard user is refused under HKEY_LOCAL_MACHINE, so the
// reader's access rights are checked off Windows too.
#include "forms/RegistryReader.h"
#include "tests/RegistryStandIn.h"

#include <gtest/gtest.h>

namespace {

namespace registry = platform::registry;
namespace standin = platform::registry::standin;

TEST(StandInRegistry, GrantsReadingButRefusesWriteRights) {
    standin::Clear();
    const std::string key = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
    standin::SetValue(registry::LocalMachine, key, "PATH", registry::TypeSz,
                      std::string("C:\\x.exe\0", 9));
    const struct {
        std::uint32_t rights;
        long status;
    } cases[] = {{0x2003F, standin::AccessDenied},
                 {registry::KeyRead | standin::KeyWriteRights, standin::AccessDenied},
                 {registry::KeyRead, registry::Success},
                 {standin::KeyQueryValue, registry::Success}};
    for (const auto& c : cases) {
        registry::OpenedKey opened;
        EXPECT_EQ(opened.open(registry::LocalMachine, key, c.rights), c.status)
            << std::hex << c.rights;
    }
    EXPECT_EQ(standin::OpenKeyCount(), 0);

    std::string path;
    EXPECT_TRUE(forms::GetKeyValue(registry::LocalMachine, key, "PATH", path));
    EXPECT_EQ(path, "C:\\x.exe");
    standin::Clear();
}

} // namespace
