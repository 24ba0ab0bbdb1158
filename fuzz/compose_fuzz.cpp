// Feeds the composer eight texts of any bytes, several compositions an input (the working
// sentence carries over), and checks what every sentence must be; and checks the rounding to
// 15 significant digits of a value of any magnitude.
#include "composer/Composer.h"
#include "tests/PrintfRounding.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <bit>
#include <cmath>
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

// Our exact rounding against the C library's.
void checkRounding(double value) {
    if (value == 0 || !std::isfinite(value)) {
        return;
    }
    const composer::Significand ours = composer::RoundToSignificand(value);
    const composer::Significand expected = PrintfRounding(value);
    char text[32];
    std::snprintf(text, sizeof text, "%a", value);
    require(ours.digits == expected.digits && ours.exponent == expected.exponent &&
                ours.negative == expected.negative,
            "rounding", text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    // Any mantissa, with a binary exponent around the range seconds over 60 take (about
    // 2^-33 to 2^52), where the rounding is done in integers rather than by the library.
    const std::uint64_t biased = input.ConsumeIntegralInRange<std::uint64_t>(990, 1075);
    const auto mantissa = input.ConsumeIntegral<std::uint64_t>() & ((std::uint64_t{1} << 52) - 1);
    checkRounding(std::bit_cast<double>(biased << 52 | mantissa));
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
        require(composer::SecondsFraction(fields.latSec).size() == 4, "fraction", sentence);
    }
    return 0;
}
