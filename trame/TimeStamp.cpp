#include "trame/TimeStamp.h"

#include "composer/Composer.h"
#include "trame/Fields.h"

#include <string>
#include <vector>

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

} // namespace

std::string WithTime(std::string_view sentence, std::chrono::system_clock::time_point now) {
    using namespace std::chrono;
    const auto instant = floor<milliseconds>(now);
    const auto day = floor<days>(instant);
    const year_month_day date(day);
    const hh_mm_ss time(instant - day);
    const std::string clock = digits(time.hours().count(), 2) + digits(time.minutes().count(), 2) +
                              digits(time.seconds().count(), 2) + "." +
                              digits(time.subseconds().count(), 3);
    const std::string ddmmyy = digits(unsigned(date.day()), 2) + digits(unsigned(date.month()), 2) +
                               digits(int(date.year()) % 100, 2);
    std::vector<std::string_view> fields = FieldsOf(BodyOf(sentence));
    fields[Time] = clock;
    fields[Date] = ddmmyy;
    std::string body = "$";
    for (const std::string_view field : fields) {
        body.append(field).append(",");
    }
    body.pop_back();
    return composer::WithChecksum(body);
}

} // namespace trame
