// Linux: the launcher starts the first desktop tool installed, found on PATH, and shows its
// message when there is none. The tools are copies of a recorder on a PATH of the test's own.
#include "forms/SysInfo.h"
#include "tests/fake_programs_posix.h"
#include "tests/start_records.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

TEST(DesktopLauncher, StartsTheFirstToolInstalled) {
    const fs::path scratch = testsupport::ScratchFolder();
    const struct {
        std::vector<std::string> installed;
        std::string started; // its command line; empty: the message instead
    } cases[] = {
        {{"kinfocenter", "gnome-control-center", "hardinfo", "lshw-gtk"}, "kinfocenter"},
        {{"gnome-control-center", "hardinfo", "lshw-gtk"}, "gnome-control-center info-overview"},
        {{"lshw-gtk", "hardinfo"}, "hardinfo"},
        {{"lshw-gtk"}, "lshw-gtk"},
        {{}, ""},
    };
    int number = 0;
    for (const auto& c : cases) {
        const fs::path bin = scratch / std::to_string(++number);
        fs::create_directories(bin);
        for (const std::string& tool : c.installed) {
            testsupport::InstallRecorder((bin / tool).string());
        }
        const testsupport::ScopedPath path("/nonexistent:" + bin.string());
        int messages = 0;
        forms::StartSysInfo([&messages] { ++messages; });
        EXPECT_EQ(messages, c.started.empty() ? 1 : 0) << c.started;
        for (const std::string& tool : c.installed) {
            const std::string program = (bin / tool).string();
            if (c.started.rfind(tool, 0) == 0) {
                const auto run = testsupport::RunOf(program);
                ASSERT_TRUE(run.has_value()) << tool;
                EXPECT_EQ(run->commandLine, (bin / c.started).string());
            } else {
                EXPECT_FALSE(testsupport::StartedSoon(program)) << tool;
            }
        }
    }
    fs::remove_all(scratch);
}

} // namespace
