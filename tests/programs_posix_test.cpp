// Linux: programs are found in absolute PATH entries only, and the web page opener is handed
// an absolute address, holds none of the program's descriptors and reports back without anyone
// waiting for it.
#include "platform/ProgramSearch.h"
#include "platform/Programs.h"
#include "tests/fake_programs_posix.h"
#include "tests/start_records.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <poll.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using testsupport::InstallScript;
using testsupport::ScopedPath;

// Runs in the scratch folder, which is also where a relative PATH entry points.
class InScratch : public testing::Test {
protected:
    void SetUp() override {
        scratch = testsupport::ScratchFolder();
        fs::current_path(scratch);
    }
    void TearDown() override {
        fs::current_path(before);
        std::error_code ignored;
        fs::remove_all(scratch, ignored);
    }
    std::string at(const std::string& relative) const { return (scratch / relative).string(); }

    const fs::path before = fs::current_path();
    fs::path scratch;
};

using FindProgram = InScratch;

TEST_F(FindProgram, LooksInAbsolutePathEntriesOnly) {
    InstallScript(scratch / "tool", "");
    InstallScript(scratch / "bin" / "tool", "");
    InstallScript(scratch / "plain" / "tool", "");
    fs::permissions(scratch / "plain" / "tool", fs::perms::owner_read | fs::perms::owner_write);
    fs::create_directories(scratch / "folder" / "tool");
    fs::create_directories(scratch / "empty");
    // Empty and relative entries name the current folder, which holds a tool too.
    const struct {
        std::string path;
        std::string found;
    } cases[] = {
        {at("bin"), at("bin/tool")},
        {at("bin") + "/", at("bin/tool")},
        {at("empty") + ":" + at("bin"), at("bin/tool")},
        {at("plain") + ":" + at("folder") + ":" + at("bin"), at("bin/tool")},
        {at("plain") + ":" + at("folder"), ""},
        {"", ""},
        {":" + at("empty"), ""},
        {at("empty") + ":", ""},
        {at("empty") + "::" + at("empty"), ""},
        {".", ""},
        {"bin", ""},
        {"./bin:" + at("empty"), ""},
    };
    for (const auto& c : cases) {
        const ScopedPath path(c.path);
        EXPECT_EQ(platform::FindProgram("tool"), c.found) << "PATH=" << c.path;
    }
}

using WebPageOnLinux = InScratch;

bool verdictWithin(const platform::PageOpening& opening, int milliseconds) {
    pollfd watched{opening.descriptor(), POLLIN, 0};
    return poll(&watched, 1, milliseconds) == 1;
}

TEST_F(WebPageOnLinux, TheOpenerIsHandedAnAbsoluteAddress) {
    const fs::path opener = scratch / "bin" / "xdg-open";
    InstallScript(opener, "exit 0");
    const ScopedPath path(at("bin"));
    const struct {
        const char* address;
        const char* handed;
    } cases[] = {
        {"www.vexor.example", "https://www.vexor.example"},
        {"www.vexor.example/a:b", "https://www.vexor.example/a:b"},
        {"localhost:8080", "https://localhost:8080"},
        {"http://www.vexor.example", "http://www.vexor.example"},
        {"mailto:vexor@vexor.example", "mailto:vexor@vexor.example"},
        {"file:///tmp/page.html", "file:///tmp/page.html"},
    };
    for (const auto& c : cases) {
        fs::remove(opener.string() + ".log");
        platform::PageOpening opening = platform::OpenWebPage(c.address);
        ASSERT_TRUE(verdictWithin(opening, 10000)) << c.address;
        EXPECT_TRUE(opening.opened()) << c.address;
        const auto run = testsupport::RunOf(opener.string());
        ASSERT_TRUE(run.has_value()) << c.address;
        EXPECT_EQ(run->commandLine, opener.string() + " " + c.handed);
    }
}

// xdg-open exits with 2 when it takes the address for a file that does not exist, with 3
// when it has no program to open it with. An opener that is still running has given no
// verdict yet when OpenWebPage returns: nobody waited for it.
TEST_F(WebPageOnLinux, TheVerdictIsTheOpenersExitStatus) {
    const struct {
        const char* where; // the opener's folder on PATH, or "." for the current one
        const char* opener;
        bool opened;
    } cases[] = {
        {"bin", "exit 0", true},      {"bin", "/bin/sleep 1; exit 0", true},
        {"bin", "exit 3", false},     {"bin", "/bin/sleep 1; exit 2", false},
        {"bin", "kill -9 $$", false}, {"bin", nullptr, false},
        {".", "exit 0", false},
    };
    for (const auto& c : cases) {
        const std::string opener = c.opener != nullptr ? c.opener : "none";
        fs::remove_all(scratch / "bin");
        fs::remove(scratch / "xdg-open");
        fs::create_directories(scratch / "bin");
        if (c.opener != nullptr) {
            InstallScript(scratch / c.where / "xdg-open", opener);
        }
        const ScopedPath path(":" + at("bin"));
        platform::PageOpening opening = platform::OpenWebPage("www.vexor.example");
        if (opener.find("sleep") != std::string::npos) {
            EXPECT_FALSE(verdictWithin(opening, 0)) << opener << ": waited for";
        }
        if (opening.descriptor() >= 0) {
            ASSERT_TRUE(verdictWithin(opening, 10000)) << opener;
        }
        EXPECT_EQ(opening.opened(), c.opened) << c.where << ": " << opener;
    }
    EXPECT_FALSE(fs::exists(at("xdg-open.log"))) << "the one in the current folder ran";
}

// The processes other than this one that hold the file a descriptor of this one stands for.
std::vector<std::string> otherHolders(int descriptor) {
    const fs::path held = fs::read_symlink("/proc/self/fd/" + std::to_string(descriptor));
    std::vector<std::string> holders;
    for (const fs::directory_entry& process : fs::directory_iterator("/proc")) {
        const std::string pid = process.path().filename().string();
        if (pid.find_first_not_of("0123456789") != std::string::npos ||
            pid == std::to_string(getpid())) {
            continue;
        }
        try {
            for (const fs::directory_entry& open : fs::directory_iterator(process.path() / "fd")) {
                if (fs::read_symlink(open.path()) == held) {
                    holders.push_back(pid);
                }
            }
        } catch (const fs::filesystem_error&) {
            // another user's process, or one that has just ended
        }
    }
    return holders;
}

// A descriptor without close-on-exec stands for the program's own (its display, its message
// bus): while the opener runs, nothing but the program holds it.
TEST_F(WebPageOnLinux, TheOpenerHoldsNoneOfTheProgramsDescriptors) {
    InstallScript(scratch / "bin" / "xdg-open", "/bin/sleep 1");
    const ScopedPath path(at("bin"));
    int ends[2] = {-1, -1};
    ASSERT_EQ(pipe(ends), 0);
    platform::PageOpening opening = platform::OpenWebPage("www.vexor.example");
    ASSERT_FALSE(verdictWithin(opening, 0)) << "the opener still runs";
    EXPECT_EQ(otherHolders(ends[0]), std::vector<std::string>{});
    EXPECT_TRUE(verdictWithin(opening, 10000));
    EXPECT_TRUE(opening.opened());
    ::close(ends[0]);
    ::close(ends[1]);
}

} // namespace
