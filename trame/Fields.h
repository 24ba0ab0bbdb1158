// The fields of an RMC sentence, as every part of the tool reads them.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace trame {

// A sentence's body (between "$" and "*") split at its commas, the address ("GPRMC") first.
enum Field : std::size_t {
    Address,
    Time,
    Status,
    Latitude,
    LatitudeLetter,
    Longitude,
    LongitudeLetter,
    Speed,
    Course,
    Date,
    Variation,
    VariationLetter,
    Mode,               // NMEA 2.3 and later
    NavigationalStatus, // NMEA 4.1
};

// The body of a sentence: what stands between its "$" and its "*" (or its end).
inline std::string_view BodyOf(std::string_view sentence) {
    return sentence.substr(1, sentence.find('*') - 1);
}

inline std::vector<std::string_view> FieldsOf(std::string_view body) {
    std::vector<std::string_view> fields;
    for (std::size_t start = 0;;) {
        const std::size_t end = body.find(',', start);
        fields.push_back(body.substr(start, end - start));
        if (end == std::string_view::npos) {
            return fields;
        }
        start = end + 1;
    }
}

} // namespace trame
