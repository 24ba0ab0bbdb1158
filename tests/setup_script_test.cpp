// scripts/setup.sh with every package missing, run as root, as a user with sudo and as a user
// without it, on a PATH of fake system programs that record how they were called.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

struct SetupCase {
    const char* name;
    int uid;
    bool hasSudo;
    int status;
    const char* calls; // what sudo and apt-get were asked, in order
    const char* told;  // part of what the script printed
};

constexpr const char* Install = "install -y -q --no-install-recommends cmake ninja-build";

std::string Read(const fs::path& path) {
    std::ifstream file(path);
    return {std::istreambuf_iterator<char>(file), {}};
}

// A program that appends its name and arguments to calls.log, then runs `then`.
void Fake(const fs::path& dir, const std::string& name, const std::string& then) {
    const fs::path path = dir / name;
    std::ofstream(path) << "#!/bin/bash\necho \"" << name << " $*\" >> \""
                        << (dir / "calls.log").string() << "\"\n"
                        << then << "\n";
    fs::permissions(path, fs::perms::owner_all, fs::perm_options::add);
}

class SetupScript : public testing::TestWithParam<SetupCase> {};

TEST_P(SetupScript, AsksForRootOnlyToInstall) {
    const SetupCase& c = GetParam();
    const fs::path dir = fs::path(testing::TempDir()) / ("setup_" + std::string(c.name));
    fs::remove_all(dir);
    fs::create_directories(dir);
    for (const char* tool : {"bash", "grep"}) {
        fs::create_symlink(fs::path("/bin") / tool, dir / tool);
    }
    std::ofstream(dir / "id") << "#!/bin/bash\necho " << c.uid << "\n";
    fs::permissions(dir / "id", fs::perms::owner_all, fs::perm_options::add);
    std::ofstream(dir / "dpkg-query") << "#!/bin/bash\nexit 1\n";
    fs::permissions(dir / "dpkg-query", fs::perms::owner_all, fs::perm_options::add);
    Fake(dir, "apt-get", "exit 0");
    if (c.hasSudo) {
        Fake(dir, "sudo", "exec \"$@\"");
    }

    const std::string command = "env -i PATH=" + dir.string() + " bash " + QUORVELIN_SOURCE_DIR +
                                "/scripts/setup.sh 2>&1; echo \"status $?\"";
    const std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    ASSERT_TRUE(pipe);
    std::string output;
    std::array<char, 256> buffer{};
    while (fgets(buffer.data(), buffer.size(), pipe.get()) != nullptr) {
        output += buffer.data();
    }

    EXPECT_NE(output.find("status " + std::to_string(c.status)), std::string::npos) << output;
    EXPECT_NE(output.find(c.told), std::string::npos) << output;
    std::istringstream calls(Read(dir / "calls.log"));
    std::string line, seen;
    while (std::getline(calls, line)) {
        // The package list is cut after its first two names.
        if (const auto end = line.find("ninja-build"); end != std::string::npos) {
            line.resize(end + std::string_view("ninja-build").size());
        }
        seen += line + "\n";
    }
    EXPECT_EQ(seen, c.calls);
}

const std::string RootCalls = std::string("apt-get update -q\napt-get ") + Install + "\n";
const std::string SudoCalls = std::string("sudo bash -c apt-get update -q && ") +
                              "DEBIAN_FRONTEND=noninteractive apt-get " + Install + "\n" +
                              RootCalls;
const std::string Printed = std::string("As root, run:\n    apt-get update -q && ") +
                            "DEBIAN_FRONTEND=noninteractive apt-get " + Install;

INSTANTIATE_TEST_SUITE_P(
    Users, SetupScript,
    testing::Values(SetupCase{"root", 0, false, 0, RootCalls.c_str(), "Installing: cmake"},
                    SetupCase{"user_with_sudo", 1000, true, 0, SudoCalls.c_str(),
                              "Installing: cmake"},
                    SetupCase{"user_without_sudo", 1000, false, 1, "", Printed.c_str()}),
    [](const testing::TestParamInfo<SetupCase>& info) { return info.param.name; });

} // namespace
