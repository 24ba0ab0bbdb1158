// Feeds quorvelin-trame's readers any bytes: as a position, whose sentence must then be well
// formed and pass the sentence check with the same position fields, and as a sentence to check.
#include "composer/Position.h"
#include "trame/Check.h"
#include "trame/PositionText.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void require(bool holds, const char* what, std::string_view detail) {
    if (!holds) {
        std::fprintf(stderr, "%s: \"%.*s\"\n", what, static_cast<int>(detail.size()),
                     detail.data());
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    trame::CheckSentence(text);

    const trame::PositionReading reading = trame::ReadPosition(text);
    if (!reading.error.empty()) {
        return 0;
    }
    const std::string sentence =
        composer::PositionTrame(reading.position.latitude, reading.position.longitude);
    require(sentence.size() == 70, "a position's sentence is 70 characters", sentence);
    const trame::SentenceCheck check = trame::CheckSentence(sentence);
    require(check.problem.empty(), "a position's sentence is valid", sentence);
    return 0;
}
