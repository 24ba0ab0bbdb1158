// The plain-file test and program start, the same on every system.
#include "platform/Programs.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace {

namespace fs = std::filesystem;

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
