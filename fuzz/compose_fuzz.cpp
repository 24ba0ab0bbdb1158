// Feeds the composer eight texts of any bytes, several compositions an input (the working
// sentence carries over), and checks what every sentence must be.
#include "composer/Composer.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

void require(bool holds, const char* what, const std::string& sentence) {
    if (!holds) {
        std::fprintf(stderr, "%s: \"%s\"\n", what, sentence.c_str());
        std::abort();
    }
}

// Four characters, digits but for at most one separator (seconds of 600 or more).
bool isFraction(const std::string& fraction) {
    return fraction.size() == 4 &&
           std::all_of(fraction.begin(), fraction.end(),
                       [](char c) { return (c >= '0' && c <= '9') || c == '.'; }) &&
           std::count(fraction.begin(), fraction.end(), '.') <= 1;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    composer::Composer composer;
    const std::string_view model = composer::TrameTemplate;
    for (int round = 0; round < 4 && input.remaining_bytes() > 0; ++round) {
        composer::TrameFields fields;
        for (std::string* text :
             {&fields.latDeg, &fields.latMin, &fields.latSec, &fields.latPos, &fields.longDeg,
              &fields.longMin, &fields.longSec, &fields.longPos}) {
            *text = input.ConsumeRandomLengthString(16);
        }
        const std::string sentence = composer.ComposeTrame(fields);
        require(sentence.size() == model.size() + 3, "length", sentence);
        require(sentence.compare(0, 20, model, 0, 20) == 0, "columns 1-20", sentence);
        require(sentence[31] == model[31], "column 32", sentence);
        require(sentence.compare(44, 23, model, 44, 23) == 0, "columns 45-67", sentence);
        char checksum[3];
        std::snprintf(checksum, sizeof checksum, "%02X",
                      composer::NmeaChecksum(std::string_view(sentence).substr(1, 66)));
        require(sentence[67] == '*' && sentence.compare(68, 2, checksum) == 0, "checksum",
                sentence);
        const std::string latFraction = composer::SecondsFraction(fields.latSec);
        const std::string longFraction = composer::SecondsFraction(fields.longSec);
        require(isFraction(latFraction) && isFraction(longFraction), "fraction", sentence);
        // With the widths the boxes hold, both fields fill their columns exactly.
        const auto sized = [](const std::string& text, std::size_t length) {
            return text.size() == length;
        };
        if (sized(fields.latDeg, 2) && sized(fields.latMin, 2) && sized(fields.latPos, 1) &&
            sized(fields.longDeg, 2) && sized(fields.longMin, 2) && sized(fields.longPos, 1)) {
            require(sentence.substr(20, 11) ==
                        fields.latDeg + fields.latMin + "." + latFraction + "," + fields.latPos,
                    "latitude field", sentence);
            require(sentence.substr(32, 12) == "0" + fields.longDeg + fields.longMin + "." +
                                                   longFraction + "," + fields.longPos,
                    "longitude field", sentence);
        }
    }
    return 0;
}
