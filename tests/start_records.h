// Programs started by the tests record how they were started: a copy of start_recorder (or a
// script) writes its command line, then its show style, into "<its own path>.log".
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>

#ifndef START_RECORDER
#error "START_RECORDER must name the program that records how it was started"
#endif

namespace testsupport {

struct StartRecord {
    std::string commandLine;
    int showStyle;
};

// A fresh folder of the running test's own: CTest runs the tests of a program side by side.
inline std::filesystem::path ScratchFolder() {
    const testing::TestInfo* const test = testing::UnitTest::GetInstance()->current_test_info();
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() /
        (std::string("quorvelin-") + test->test_suite_name() + "-" + test->name());
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

// Puts a copy of the recorder at exactly this path text.
inline void InstallRecorder(const std::string& path) {
    namespace fs = std::filesystem;
    fs::create_directories(fs::path(path).parent_path());
    fs::copy_file(START_RECORDER, fs::path(path), fs::copy_options::overwrite_existing);
    fs::permissions(fs::path(path), fs::perms::owner_all, fs::perm_options::add);
}

// The recorder's report, once the started program wrote it; nothing after a while.
inline std::optional<StartRecord> RunOf(const std::string& path) {
    const std::filesystem::path log(path + ".log");
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
inline bool StartedSoon(const std::string& path) {
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    return std::filesystem::exists(std::filesystem::path(path + ".log"));
}

} // namespace testsupport
