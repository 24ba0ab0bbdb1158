#include "about_window/SysInfo.h"
#include "platform/Programs.h"
#include "platform/Registry.h"
#include "tests/platform_fixture.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <thread>

#ifndef START_RECORDER
#error "START_RECORDER must name the program that records how it was started"
#endif

namespace {

namespace fs = std::filesystem;
namespace registry = platform::registry;
using about_window::GetKeyValue;

const std::string TestKey = "SOFTWARE\\Quorvelin tests";
const std::string PathKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const std::string FolderKey = "SOFTWARE\\Microsoft\\Shared Tools Location";

std::string sz(const std::string& text) {
    return text + std::string(1, '\0');
}

class Registry : public testing::Test {
protected:
    void SetUp() override { testsupport::ClearTestKeys(); }
    void TearDown() override { testsupport::ClearTestKeys(); }
};

TEST_F(Registry, ReadsEachKindOfValueByItsByteRules) {
    const struct {
        const char* what;
        std::uint32_t type;
        std::string bytes;
        bool read;
        std::string text; // KeyVal after the read; it holds "before" on entry
    } cases[] = {
        {"text and its 0", registry::TypeSz, sz("abc"), true, "abc"},
        {"text without its 0", registry::TypeSz, "abc", true, "abc"},
        {"text and two 0 bytes", registry::TypeSz, sz(sz("abc")), true, sz("abc")},
        {"path with blanks", registry::TypeSz, sz("C:\\Program Files\\x.exe"), true,
         "C:\\Program Files\\x.exe"},
        {"1024 bytes", registry::TypeSz, sz(std::string(1023, 'x')), true, std::string(1023, 'x')},
        {"1025 bytes", registry::TypeSz, sz(std::string(1024, 'x')), false, ""},
        {"DWORD 261", registry::TypeDword, std::string("\x05\x01\x00\x00", 4), true, "&h000105"},
        {"DWORD with a high byte", registry::TypeDword, std::string("\x01\x00\x00\xA0", 4), true,
         "&hA0000001"},
        {"expandable text", registry::TypeExpandSz, sz("%SystemRoot%"), true, "before"},
        {"binary", registry::TypeBinary, "\x01\x02", true, "before"},
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

// What it records of one start of the recorder.
struct StartRecord {
    std::string commandLine;
    int showStyle;
};

class Launcher : public Registry {
protected:
    void SetUp() override {
        if (!testsupport::MayRewriteSystemKeys()) {
            GTEST_SKIP() << "would rewrite this machine's system-information keys";
        }
        Registry::SetUp();
        // One folder a test: CTest runs the tests of this program side by side.
        scratch = fs::temp_directory_path() /
                  (std::string("quorvelin-") +
                   testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(scratch);
        fs::create_directories(scratch);
    }
    void TearDown() override {
        Registry::TearDown();
        std::error_code ignored;
        fs::remove_all(scratch, ignored);
    }

    // Puts a copy of the recorder at exactly this path text.
    static void installRecorder(const std::string& path) {
        fs::copy_file(START_RECORDER, fs::path(path), fs::copy_options::overwrite_existing);
        fs::permissions(fs::path(path), fs::perms::owner_all, fs::perm_options::add);
    }

    // The recorder's report, once the started program wrote it; nothing after a while.
    static std::optional<StartRecord> runOf(const std::string& path) {
        const fs::path log(path + ".log");
        for (int tries = 0; tries < 500; ++tries) {
            std::ifstream in(log);
            StartRecord run{};
            if (std::getline(in, run.commandLine) && in >> run.showStyle) {
                return run;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return std::nullopt;
    }

    // Started programs report within moments; one that is not started never does.
    static bool startedSoon(const std::string& path) {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        return fs::exists(fs::path(path + ".log"));
    }

    int startSysInfo() {
        int messages = 0;
        about_window::StartSysInfo([&messages] { ++messages; });
        return messages;
    }

    std::string folder(const std::string& name) {
        const fs::path made = scratch / name;
        fs::create_directories(made);
        return made.string();
    }

    fs::path scratch;
};

std::string unquoted(std::string text) {
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"') {
        text = text.substr(1, text.size() - 2);
    }
    return text;
}

TEST_F(Launcher, FirstValueIsStartedWithoutAFileTestAndTheSecondIsNotRead) {
    const std::string tool = (fs::path(folder("first")) / "tool.exe").string();
    installRecorder(tool);
    const std::string other = folder("second");
    installRecorder(other + "\\MSINFO32.EXE");
    testsupport::SetValue(PathKey, "PATH", registry::TypeSz, sz(tool));
    testsupport::SetValue(FolderKey, "MSINFO", registry::TypeSz, sz(other));

    EXPECT_EQ(startSysInfo(), 0);
    const std::optional<StartRecord> run = runOf(tool);
    ASSERT_TRUE(run.has_value());
    EXPECT_EQ(unquoted(run->commandLine), tool);
    EXPECT_EQ(run->showStyle, testsupport::RecordedShowStyle(platform::ShowNormal));
    EXPECT_FALSE(startedSoon(other + "\\MSINFO32.EXE"));
}

TEST_F(Launcher, SecondValueNamesTheFolderOfTheTool) {
    const struct {
        const char* what;
        std::string folderText;
    } cases[] = {
        {"plain folder", folder("tools")},
        {"folder with blanks", folder("My Tools")},
        {"trailing backslash, doubled by the joining", folder("slashed") + "\\"},
    };
    // A decoy where an unquoted "…\My Tools\MSINFO32.EXE" would be looked for first.
    installRecorder((scratch / "My.exe").string());
    for (const auto& c : cases) {
        testsupport::ClearTestKeys();
        const std::string started = c.folderText + "\\MSINFO32.EXE";
        installRecorder(started);
        testsupport::SetValue(FolderKey, "MSINFO", registry::TypeSz, sz(c.folderText));

        EXPECT_EQ(startSysInfo(), 0) << c.what;
        const std::optional<StartRecord> run = runOf(started);
        ASSERT_TRUE(run.has_value()) << c.what;
        EXPECT_EQ(unquoted(run->commandLine), started) << c.what;
        EXPECT_EQ(run->showStyle, testsupport::RecordedShowStyle(platform::ShowNormal)) << c.what;
    }
    EXPECT_FALSE(startedSoon((scratch / "My.exe").string()));
}

TEST_F(Launcher, NothingToStartShowsTheMessageOnce) {
    const std::string empty = folder("empty");
    const std::string hidden = folder("hidden");
    fs::create_directories(hidden + "\\MSINFO32.EXE"); // a folder of that name is no program
    const std::optional<std::string> none;
    const struct {
        const char* what;
        std::optional<std::string> path; // first value
        std::uint32_t pathType;
        std::optional<std::string> folderText; // second value
    } cases[] = {
        {"both values absent", none, registry::TypeSz, none},
        {"folder without the tool", none, registry::TypeSz, sz(empty)},
        {"folder named like the tool", none, registry::TypeSz, sz(hidden)},
        {"first value names no file", sz((fs::path(empty) / "absent.exe").string()),
         registry::TypeSz, none},
        {"first value empty", sz(""), registry::TypeSz, none},
        {"first value of another type", sz("%windir%\\msinfo32.exe"), registry::TypeExpandSz, none},
        {"first value of no bytes", "", registry::TypeSz, none},
    };
    for (const auto& c : cases) {
        testsupport::ClearTestKeys();
        if (c.path) {
            testsupport::SetValue(PathKey, "PATH", c.pathType, *c.path);
        }
        if (c.folderText) {
            testsupport::SetValue(FolderKey, "MSINFO", registry::TypeSz, *c.folderText);
        }
        EXPECT_EQ(startSysInfo(), 1) << c.what;
    }
}

TEST(Programs, PlainFileTestTakesOrdinaryFilesOnly) {
    const fs::path scratch = fs::temp_directory_path() / "quorvelin-plain-file";
    fs::create_directories(scratch / "folder");
    std::ofstream(scratch / "file.txt") << "x";
    EXPECT_TRUE(platform::PlainFileExists((scratch / "file.txt").string()));
    EXPECT_FALSE(platform::PlainFileExists((scratch / "folder").string()));
    EXPECT_FALSE(platform::PlainFileExists((scratch / "absent").string()));
    EXPECT_FALSE(platform::PlainFileExists(""));
    fs::remove_all(scratch);
}

TEST(Programs, AProgramThatCannotStartIsAnError) {
    EXPECT_THROW(platform::StartProgramFile("", platform::ShowNormal), std::runtime_error);
    const fs::path absent = fs::temp_directory_path() / "quorvelin-absent" / "tool.exe";
    EXPECT_THROW(platform::StartProgramFile(absent.string(), platform::ShowNormal),
                 std::runtime_error);
}

} // namespace
