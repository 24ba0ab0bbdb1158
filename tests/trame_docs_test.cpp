// Every option of quorvelin-trame is in its man page and in the README, as --help has it.
#include "trame/Options.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

namespace {

std::string contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The man page's roff writes each "-" of an option as "\-".
std::string roff(std::string_view name) {
    std::string escaped;
    for (const char c : name) {
        escaped += c == '-' ? "\\-" : std::string(1, c);
    }
    return escaped;
}

TEST(OptionTable, EveryOptionIsInTheManPageAndTheReadme) {
    const std::string page = contents(QUORVELIN_SOURCE_DIR "/packaging/quorvelin-trame.1.in");
    const std::string readme = contents(QUORVELIN_SOURCE_DIR "/README.md");
    ASSERT_FALSE(page.empty());
    ASSERT_FALSE(readme.empty());
    for (const trame::Option& option : trame::OptionTable) {
        for (const std::string_view name : {option.shortName, option.longName}) {
            if (name.empty()) {
                continue;
            }
            EXPECT_NE(page.find(roff(name)), std::string::npos)
                << name << " is not in the man page";
            EXPECT_NE(readme.find("`" + std::string(name)), std::string::npos)
                << name << " is not in the README";
        }
    }
}

} // namespace
