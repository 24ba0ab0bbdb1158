// The registry reader's byte rules: one table of cases, run against Wine's registry on Windows
// and against the in-memory stand-in elsewhere, which must answer as Wine's did.
#include "forms/RegistryReader.h"
#include "tests/platform_fixture.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

namespace registry = platform::registry;
using forms::GetKeyValue;

const std::string TestKey = "SOFTWARE\\Quorvelin tests";

std::string sz(const std::string& text) {
    return text + std::string(1, '\0');
}

class Registry : public testing::Test {
protected:
    void SetUp() override { testsupport::ClearTestKeys(); }
    void TearDown() override { testsupport::ClearTestKeys(); }

    // Every case is read under a locale whose tolower does not fold "I" to "i".
    testsupport::TurkishLocale turkish;
};

TEST_F(Registry, ReadsEachKindOfValueByItsByteRules) {
    const struct {
        const char* what;
        std::uint32_t type;
        std::string bytes; // as handed to RegSetValueExA
        bool read;
        std::string text; // KeyVal after the read; it holds "before" on entry
    } cases[] = {
        {"text and its 0", registry::TypeSz, sz("abc"), true, "abc"},
        {"text without its 0", registry::TypeSz, "abc", true, "abc"},
        {"text and two 0 bytes", registry::TypeSz, sz(sz("abc")), true, sz("abc")},
        {"path with blanks", registry::TypeSz, sz("C:\\Program Files\\x.exe"), true,
         "C:\\Program Files\\x.exe"},
        {"1024 bytes", registry::TypeSz, sz(std::string(1023, 'x')), true, std::string(1023, 'x')},
        {"1023 bytes without a 0, which Windows adds", registry::TypeSz, std::string(1023, 'x'),
         true, std::string(1023, 'x')},
        {"1024 bytes without a 0, which Windows adds", registry::TypeSz, std::string(1024, 'x'),
         false, ""},
        {"1025 bytes", registry::TypeSz, sz(std::string(1024, 'x')), false, ""},
        {"DWORD 261", registry::TypeDword, std::string("\x05\x01\x00\x00", 4), true, "&h000105"},
        {"DWORD with a high byte", registry::TypeDword, std::string("\x01\x00\x00\xA0", 4), true,
         "&hA0000001"},
        {"expandable text", testsupport::TypeExpandSz, sz("%SystemRoot%"), true, "before"},
        {"binary", testsupport::TypeBinary, "\x01\x02", true, "before"},
        {"1024 bytes of binary: no 0 added", testsupport::TypeBinary, std::string(1024, '\x01'),
         true, "before"},
    };
    for (const auto& c : cases) {
        testsupport::SetValue(TestKey, "value", c.type, c.bytes);
        std::string value = "before";
        EXPECT_EQ(GetKeyValue(registry::LocalMachine, TestKey, "value", value), c.read) << c.what;
        EXPECT_EQ(value, c.text) << c.what;
    }
    if (testsupport::OpenKeyCount() >= 0) {
        EXPECT_EQ(testsupport::OpenKeyCount(), 0) << "every key closed";
    }
}

TEST_F(Registry, NamesAreFoundWhateverTheCaseOfTheirLetters) {
    testsupport::SetValue(TestKey + "\\MSINFO", "PATH", registry::TypeSz, sz("x"));
    const struct {
        std::string key;
        std::string name;
    } spellings[] = {
        {TestKey + "\\MSINFO", "PATH"},
        {TestKey + "\\msinfo", "path"},
        {"software\\QUORVELIN TESTS\\MsInfo", "Path"},
    };
    for (const auto& s : spellings) {
        std::string value;
        EXPECT_TRUE(GetKeyValue(registry::LocalMachine, s.key, s.name, value)) << s.key << s.name;
        EXPECT_EQ(value, "x") << s.key << " " << s.name;
    }
}

TEST_F(Registry, MissingKeyOrValueReadsAsNothing) {
    testsupport::SetValue(TestKey, "value", registry::TypeSz, sz("abc"));
    const struct {
        const char* what;
        std::string key;
        std::string name;
    } cases[] = {{"missing key", TestKey + "\\absent", "value"},
                 {"missing value", TestKey, "absent"}};
    for (const auto& c : cases) {
        std::string value = "before";
        EXPECT_FALSE(GetKeyValue(registry::LocalMachine, c.key, c.name, value)) << c.what;
        EXPECT_EQ(value, "") << c.what;
    }
}

TEST_F(Registry, AValueOfNoBytesIsAnErrorAndItsKeyIsClosed) {
    testsupport::SetValue(TestKey, "empty", registry::TypeSz, "");
    std::string value = "before";
    EXPECT_THROW(GetKeyValue(registry::LocalMachine, TestKey, "empty", value),
                 std::invalid_argument);
    if (testsupport::OpenKeyCount() >= 0) {
        EXPECT_EQ(testsupport::OpenKeyCount(), 0);
    }
}

} // namespace
