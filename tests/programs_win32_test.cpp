// Windows: which files count as the tool, and which explorer.exe the link starts.
#include "platform/Programs.h"
#include "tests/platform_fixture.h"
#include "tests/start_records.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Windows marks files hidden or system; such a file is not taken for the tool.
TEST(PlainFileOnWindows, HiddenAndSystemFilesCountAsNotFound) {
    const fs::path file = fs::temp_directory_path() / "quorvelin-marked.exe";
    std::ofstream(file) << "x";
    const std::string path = file.string();
    const struct {
        DWORD attributes;
        bool plain;
    } cases[] = {
        {FILE_ATTRIBUTE_NORMAL, true},  {FILE_ATTRIBUTE_READONLY, true},
        {FILE_ATTRIBUTE_ARCHIVE, true}, {FILE_ATTRIBUTE_HIDDEN, false},
        {FILE_ATTRIBUTE_SYSTEM, false}, {FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM, false}};
    for (const auto& c : cases) {
        ASSERT_TRUE(SetFileAttributesA(path.c_str(), c.attributes));
        EXPECT_EQ(platform::PlainFileExists(path), c.plain) << std::hex << c.attributes;
    }
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    fs::remove(file);
}

fs::path windowsFolder() {
    wchar_t folder[MAX_PATH];
    return fs::path(std::wstring(folder, GetWindowsDirectoryW(folder, MAX_PATH)));
}

fs::path programFolder() {
    wchar_t path[MAX_PATH];
    return fs::path(std::wstring(path, GetModuleFileNameW(nullptr, path, MAX_PATH))).parent_path();
}

// The recorder stands in for the Windows folder's explorer.exe, and decoys wait where a bare
// "explorer.exe" is looked for first: the program's folder and the current folder.
class WebPageOnWindows : public testing::Test {
protected:
    void SetUp() override {
        if (!testsupport::MayRewriteSystem()) {
            GTEST_SKIP() << "would replace this machine's explorer.exe";
        }
        scratch = testsupport::ScratchFolder();
        decoys = {(scratch / "explorer.exe").string(), (programFolder() / "explorer.exe").string()};
        for (const std::string& decoy : decoys) {
            testsupport::InstallRecorder(decoy);
        }
        fs::current_path(scratch);
        fs::rename(explorer, saved);
        testsupport::InstallRecorder(explorer.string());
    }
    void TearDown() override {
        std::error_code ignored;
        fs::current_path(before, ignored);
        for (const std::string& file : {decoys[0], decoys[1], explorer.string()}) {
            fs::remove(file, ignored);
            fs::remove(file + ".log", ignored);
        }
        fs::rename(saved, explorer, ignored);
        fs::remove_all(scratch, ignored);
    }

    const fs::path before = fs::current_path();
    const fs::path explorer = windowsFolder() / "explorer.exe";
    const fs::path saved = windowsFolder() / "explorer.exe.quorvelin-saved";
    fs::path scratch;
    std::vector<std::string> decoys{2};
};

TEST_F(WebPageOnWindows, StartsTheExplorerOfTheWindowsFolderMinimised) {
    platform::PageOpening opening = platform::OpenWebPage("www.vexor.example");
    EXPECT_EQ(opening.descriptor(), -1) << "the verdict is known at once";
    EXPECT_TRUE(opening.opened());
    for (const std::string& decoy : decoys) {
        EXPECT_FALSE(testsupport::StartedSoon(decoy)) << decoy;
    }
    const std::optional<testsupport::StartRecord> run = testsupport::RunOf(explorer.string());
    ASSERT_TRUE(run.has_value());
    EXPECT_EQ(run->commandLine, "explorer.exe www.vexor.example") << "as typed";
    EXPECT_EQ(run->showStyle, SW_SHOWMINIMIZED);
}

} // namespace
