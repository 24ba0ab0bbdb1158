// The Windows launcher: the tool that the registry names, started through Wine's registry and
// program start, with copies of a small program that records how it was started.
#include "forms/SysInfo.h"
#include "platform/Programs.h"
#include "platform/Registry.h"
#include "tests/platform_fixture.h"
#include "tests/start_records.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

namespace {

namespace fs = std::filesystem;
namespace registry = platform::registry;
using testsupport::InstallRecorder;
using testsupport::RunOf;
using testsupport::StartedSoon;
using testsupport::StartRecord;

const std::string PathKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const std::string FolderKey = "SOFTWARE\\Microsoft\\Shared Tools Location";

std::string sz(const std::string& text) {
    return text + std::string(1, '\0');
}

class Launcher : public testing::Test {
protected:
    void SetUp() override {
        if (!testsupport::MayRewriteSystem()) {
            GTEST_SKIP() << "would rewrite this machine's system-information keys";
        }
        testsupport::ClearTestKeys();
        scratch = testsupport::ScratchFolder();
        home = fs::current_path();
    }
    void TearDown() override {
        if (!testsupport::MayRewriteSystem()) {
            return;
        }
        testsupport::ClearTestKeys();
        std::error_code ignored;
        fs::current_path(home, ignored);
        fs::remove_all(scratch, ignored);
        fs::remove(driveRootTool(), ignored);
        fs::remove(driveRootTool() + ".log", ignored);
    }

    // Where a path that is not absolute would lead: the root of the current drive (the
    // scratch folder's, in the throw-away prefix).
    std::string driveRootTool() const { return (scratch.root_path() / "MSINFO32.EXE").string(); }

    int startSysInfo() {
        int messages = 0;
        forms::StartSysInfo([&messages] { ++messages; });
        return messages;
    }

    std::string folder(const std::string& name) {
        const fs::path made = scratch / name;
        fs::create_directories(made);
        return made.string();
    }

    fs::path scratch;
    fs::path home;
};

std::string unquoted(std::string text) {
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"') {
        text = text.substr(1, text.size() - 2);
    }
    return text;
}

TEST_F(Launcher, FirstValueIsStartedWithoutAFileTestAndTheSecondIsNotRead) {
    const std::string tool = (fs::path(folder("first")) / "tool.exe").string();
    InstallRecorder(tool);
    const std::string other = folder("second");
    InstallRecorder(other + "\\MSINFO32.EXE");
    testsupport::SetValue(FolderKey, "MSINFO", registry::TypeSz, sz(other));

    // Stored with its terminating zero, or with two, of which the reader keeps one: the path
    // ends at the first.
    for (const std::string& stored : {sz(tool), sz(sz(tool))}) {
        fs::remove(tool + ".log");
        testsupport::SetValue(PathKey, "PATH", registry::TypeSz, stored);
        EXPECT_EQ(startSysInfo(), 0);
        const std::optional<StartRecord> run = RunOf(tool);
        ASSERT_TRUE(run.has_value());
        EXPECT_EQ(unquoted(run->commandLine), tool);
        EXPECT_EQ(run->showStyle, testsupport::RecordedShowStyle(platform::ShowNormal));
    }
    EXPECT_FALSE(StartedSoon(other + "\\MSINFO32.EXE"));
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
    InstallRecorder((scratch / "My.exe").string());
    for (const auto& c : cases) {
        testsupport::ClearTestKeys();
        const std::string started = c.folderText + "\\MSINFO32.EXE";
        InstallRecorder(started);
        testsupport::SetValue(FolderKey, "MSINFO", registry::TypeSz, sz(c.folderText));

        EXPECT_EQ(startSysInfo(), 0) << c.what;
        const std::optional<StartRecord> run = RunOf(started);
        ASSERT_TRUE(run.has_value()) << c.what;
        EXPECT_EQ(unquoted(run->commandLine), started) << c.what;
        EXPECT_EQ(run->showStyle, testsupport::RecordedShowStyle(platform::ShowNormal)) << c.what;
    }
    EXPECT_FALSE(StartedSoon((scratch / "My.exe").string()));
}

TEST_F(Launcher, NothingToStartShowsTheMessageOnce) {
    const std::string empty = folder("empty");
    const std::string hidden = folder("hidden");
    fs::create_directories(hidden + "\\MSINFO32.EXE"); // a folder of that name is no program
    const std::optional<std::string> none;
    // Programs where paths that are not absolute would find them.
    fs::current_path(scratch);
    InstallRecorder((scratch / "tool.exe").string());
    InstallRecorder(driveRootTool());
    const struct {
        const char* what;
        std::optional<std::string> path; // first value
        std::uint32_t pathType;
        std::optional<std::string> folderText; // second value
        std::uint32_t folderType = registry::TypeSz;
    } cases[] = {
        {"both values absent", none, registry::TypeSz, none},
        {"folder without the tool", none, registry::TypeSz, sz(empty)},
        {"folder named like the tool", none, registry::TypeSz, sz(hidden)},
        {"first value names no file", sz((fs::path(empty) / "absent.exe").string()),
         registry::TypeSz, none},
        {"first value empty", sz(""), registry::TypeSz, none},
        {"first value of another type", sz("%windir%\\msinfo32.exe"), testsupport::TypeExpandSz,
         none},
        {"first value of no bytes", "", registry::TypeSz, none},
        {"first value relative", sz("tool.exe"), registry::TypeSz, none},
        {"second value of another type", none, registry::TypeSz, sz(empty),
         testsupport::TypeExpandSz},
    };
    for (const auto& c : cases) {
        testsupport::ClearTestKeys();
        if (c.path) {
            testsupport::SetValue(PathKey, "PATH", c.pathType, *c.path);
        }
        if (c.folderText) {
            testsupport::SetValue(FolderKey, "MSINFO", c.folderType, *c.folderText);
        }
        EXPECT_EQ(startSysInfo(), 1) << c.what;
    }
}

} // namespace
