#include "trame/Check.h"

#include "composer/Composer.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <vector>

namespace trame {
namespace {

constexpr std::size_t MaxWithCrlf = 82;

std::vector<std::string_view> split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end - start));
        if (end == std::string_view::npos) {
            return parts;
        }
        start = end + 1;
    }
}

bool allDigits(std::string_view text) {
    return text.find_first_not_of("0123456789") == std::string_view::npos;
}

std::string fixed(double value, int decimals) {
    char text[64];
    const auto end =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals).ptr;
    return std::string(text, end);
}

// A position field: whole degrees and its minutes' text, once the form is checked.
struct Coordinate {
    int degrees = 0;
    std::string_view minutes; // "42.8593"
    char hemisphere = 0;

    double Minutes() const {
        double value = 0;
        std::from_chars(minutes.data(), minutes.data() + minutes.size(), value);
        return value;
    }
    double Degrees() const { return degrees + Minutes() / 60; }
};

// "ddmm.mmmm" (digits = 2) or "dddmm.mmmm" (3), then the hemisphere letter.
std::string readCoordinate(std::string_view field, std::string_view letter, const char* name,
                           int digits, std::string_view letters, int limit, Coordinate& out) {
    const std::string what = std::string(name) + " « " + std::string(field) + " »";
    const auto point = static_cast<std::size_t>(digits + 2);
    if (field.size() < point + 2 || field[point] != '.' || !allDigits(field.substr(0, point)) ||
        !allDigits(field.substr(point + 1))) {
        return what + " n'a pas la forme " + (digits == 2 ? "ddmm.mmmm" : "dddmm.mmmm");
    }
    std::from_chars(field.data(), field.data() + digits, out.degrees);
    out.minutes = field.substr(static_cast<std::size_t>(digits));
    if (out.Minutes() >= 60) {
        return what + " : minutes de 60 ou plus";
    }
    if (out.Degrees() > limit) {
        return what + " : au-delà de " + std::to_string(limit) + "°";
    }
    if (letter.size() != 1 || letters.find(letter[0]) == std::string_view::npos) {
        return "lettre d'hémisphère " + std::string(letters.substr(0, 1)) + " ou " +
               std::string(letters.substr(1, 1)) + " de la " + name +
               (letter.empty() ? " manquante" : " remplacée par « " + std::string(letter) + " »");
    }
    out.hemisphere = letter[0];
    return {};
}

std::string decimalDegrees(const Coordinate& c, char negative) {
    std::string text = c.hemisphere == negative ? "-" : "";
    text += fixed(c.Degrees(), 6);
    return text;
}

std::string degreesMinutes(const Coordinate& c) {
    return std::to_string(c.degrees) + "°" + std::string(c.minutes) + "'" + c.hemisphere;
}

std::string degreesMinutesSeconds(const Coordinate& c) {
    // Hundredths of a second, rounded, then split, so that 59.999 s is carried as 1 minute.
    const auto hundredths = static_cast<std::int64_t>(std::llround(c.Minutes() * 6000));
    const std::string seconds = fixed(static_cast<double>(hundredths % 6000) / 100, 2);
    return std::to_string(c.degrees + hundredths / 360000) + "°" +
           std::to_string(hundredths / 6000 % 60) + "'" + seconds + "\"" + c.hemisphere;
}

std::string checkFields(std::string_view body, SentenceCheck& check) {
    const std::vector<std::string_view> fields = split(body, ',');
    if (fields[0].size() != 5 || !fields[0].ends_with("RMC")) {
        return "pas une trame RMC (« " + std::string(fields[0]) + " »)";
    }
    if (fields.size() < 12 || fields.size() > 14) {
        return std::to_string(fields.size()) +
               " champs au lieu des 12 à 14 d'une trame RMC (NMEA 2.0 à 4.1)";
    }
    if (fields[2] != "A" && fields[2] != "V") {
        return "état « " + std::string(fields[2]) + " » au lieu de A ou V";
    }
    if (fields[3].empty() && fields[4].empty() && fields[5].empty() && fields[6].empty()) {
        return {}; // no fix: a valid sentence without a position
    }
    Coordinate lat, lon;
    std::string problem = readCoordinate(fields[3], fields[4], "latitude", 2, "NS", 90, lat);
    if (problem.empty()) {
        problem = readCoordinate(fields[5], fields[6], "longitude", 3, "EW", 180, lon);
    }
    if (problem.empty()) {
        check.position = "  degrés décimaux : " + decimalDegrees(lat, 'S') + " " +
                         decimalDegrees(lon, 'W') + "\n  degrés, minutes : " + degreesMinutes(lat) +
                         " " + degreesMinutes(lon) +
                         "\n  degrés, minutes, secondes : " + degreesMinutesSeconds(lat) + " " +
                         degreesMinutesSeconds(lon) + "\n";
    }
    return problem;
}

std::string checkSentence(std::string_view s, SentenceCheck& check) {
    if (s.empty() || s[0] != '$') {
        return "pas de « $ » au début";
    }
    const std::size_t star = s.rfind('*');
    if (star == std::string_view::npos) {
        return "pas de somme de contrôle « *HH » à la fin";
    }
    if (s.find('*') != star) {
        return "« * » au milieu de la trame : il ne doit précéder que la somme de contrôle";
    }
    const std::string_view given = s.substr(star + 1);
    const std::string expected = composer::HexDigits(composer::NmeaChecksum(s.substr(1, star - 1)));
    const auto isHex = [](std::string_view t) {
        return t.find_first_not_of("0123456789ABCDEFabcdef") == std::string_view::npos;
    };
    if (given.size() == 1 && isHex(given)) {
        return "somme de contrôle d'un seul chiffre : *" + expected + " attendue";
    }
    if (given.size() != 2 || !isHex(given)) {
        return "pas de somme de contrôle « *HH » à la fin";
    }
    if (given.find_first_of("abcdef") != std::string_view::npos) {
        return "somme de contrôle en minuscules : *" + expected + " attendue";
    }
    if (given != expected) {
        return "somme de contrôle fausse : *" + expected + " attendue, pas *" + std::string(given);
    }
    if (s.size() + 2 > MaxWithCrlf) {
        return std::to_string(s.size() + 2) + " caractères avec CR LF, plus que les " +
               std::to_string(MaxWithCrlf) + " permis";
    }
    return checkFields(s.substr(1, star - 1), check);
}

} // namespace

SentenceCheck CheckSentence(std::string_view sentence) {
    // The line's end and blanks that editors leave after "*HH".
    sentence = sentence.substr(0, sentence.find_last_not_of(" \t\r\n") + 1);
    SentenceCheck check;
    check.problem = checkSentence(sentence, check);
    if (!check.problem.empty()) {
        check.position.clear();
    }
    return check;
}

} // namespace trame
