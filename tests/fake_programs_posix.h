// Fake programs on a PATH of the test's own, for the launcher and the link on Linux.
#pragma once

#include <filesystem>
#include <fstream>
#include <optional>
#include <stdlib.h>
#include <string>

namespace testsupport {

// PATH, as this text for the object's lifetime.
class ScopedPath {
public:
    explicit ScopedPath(const std::string& path) {
        if (const char* const old = getenv("PATH")) {
            old_ = old;
        }
        setenv("PATH", path.c_str(), 1);
    }
    ScopedPath(const ScopedPath&) = delete;
    ScopedPath& operator=(const ScopedPath&) = delete;
    ~ScopedPath() {
        if (old_) {
            setenv("PATH", old_->c_str(), 1);
        } else {
            unsetenv("PATH");
        }
    }

private:
    std::optional<std::string> old_;
};

// A shell script that records its arguments in "<its path>.log" as start_recorder does, then
// runs `then` (for instance "/bin/sleep 1; exit 2"). Its output goes nowhere, so that a script
// still running does not keep CTest waiting for the test's output.
inline void InstallScript(const std::filesystem::path& path, const std::string& then) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path) << "#!/bin/sh\nexec >/dev/null 2>&1\necho \"$0 $*\" > \"$0.log.new\"\n"
                           "echo -1 >> \"$0.log.new\"\n/bin/mv \"$0.log.new\" \"$0.log\"\n"
                        << then << "\n";
    std::filesystem::permissions(path, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add);
}

} // namespace testsupport
