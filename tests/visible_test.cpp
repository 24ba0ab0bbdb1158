// Port names quoted in messages: what cannot be seen is written as its code.
#include "platform/Failure.h"
#include "platform/SerialPort.h"
#include "platform/Visible.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace std::string_literals;

TEST(Visible, WritesWhatCannotBeSeenAsItsCodeAndKeepsTheRest) {
    const struct {
        std::string text;
        std::string shown;
    } cases[] = {
        {"/dev/ttyUSB0", "/dev/ttyUSB0"},
        {"COM3 é° ″ 北", "COM3 é° ″ 北"},
        {"a\0b"s, "a\\x00b"},
        {"\t\x1F\x7F", "\\x09\\x1F\\x7F"},
        {"\u00A0\u202F\u200B\u00AD\uFEFF\u2028\u3000",
         "U+00A0U+202FU+200BU+00ADU+FEFFU+2028U+3000"},
        {"\u0085\U000E0041", "U+0085U+E0041"},
        // Bytes that are not UTF-8: stray, cut short, overlong, a surrogate, beyond U+10FFFF.
        {"\xFF\x80", "\\xFF\\x80"},
        {"\xE2\x80", "\\xE2\\x80"},
        {"\xC0\xAF", "\\xC0\\xAF"},
        {"\xED\xA0\x80", "\\xED\\xA0\\x80"},
        {"\xF4\x90\x80\x80", "\\xF4\\x90\\x80\\x80"},
    };
    for (const auto& [text, shown] : cases) {
        EXPECT_EQ(platform::Visible(text), shown);
    }
}

// The system would open the name cut at the NUL, another port than the one named.
TEST(Visible, APortNameWithANulIsOneThatDoesNotExist) {
    try {
        const platform::SerialPort port("/dev/null\0/x"s, 4800);
        ADD_FAILURE() << "opened";
    } catch (const platform::Failure& failure) {
        EXPECT_NE(std::string(failure.what()).find("« /dev/null\\x00/x » n'existe pas"),
                  std::string::npos)
            << failure.what();
    }
}

} // namespace
