#include "trame/TimeStamp.h"

#include "composer/Composer.h"

#include <algorithm>

namespace trame {
namespace {

// `value`'s last `count` decimal digits, with leading zeros.
std::string digits(long long value, int count) {
    std::string text(static_cast<std::size_t>(count), '0');
    for (auto i = text.rbegin(); i != text.rend(); ++i, value /= 10) {
        *i = static_cast<char>('0' + value % 10);
    }
    return text;
}

// Field `index` (0 for "$GPRMC") of the body replaced by `value`.
void replaceField(std::string& body, int index, std::string_view value) {
    std::size_t start = 0;
    for (int i = 0; i < index && start != std::string::npos; ++i) {
        start = body.find(',', start);
        start += start == std::string::npos ? 0 : 1;
    }
    if (start != std::string::npos) {
        body.replace(start, std::min(body.find(',', start), body.size()) - start, value);
    }
}

} // namespace

std::string WithTime(std::string_view sentence, std::chrono::system_clock::time_point now) {
    using namespace std::chrono;
    const auto instant = floor<milliseconds>(now);
    const auto day = floor<days>(instant);
    const year_month_day date(day);
    const hh_mm_ss time(instant - day);
    std::string body(sentence.substr(0, sentence.find('*')));
    replaceField(body, 1,
                 digits(time.hours().count(), 2) + digits(time.minutes().count(), 2) +
                     digits(time.seconds().count(), 2) + "." +
                     digits(time.subseconds().count(), 3));
    replaceField(body, 9,
                 digits(unsigned(date.day()), 2) + digits(unsigned(date.month()), 2) +
                     digits(int(date.year()) % 100, 2));
    return composer::WithChecksum(body);
}

} // namespace trame
