// Windows marks files hidden or system; such a file is not taken for the tool.
#include "platform/Programs.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

TEST(PlainFileOnWindows, HiddenAndSystemFilesCountAsNotFound) {
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / "quorvelin-marked.exe";
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
    std::filesystem::remove(file);
}

} // namespace
