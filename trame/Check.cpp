#include "trame/Check.h"

#include "composer/Composer.h"
#include "platform/Visible.h"
#include "trame/Fields.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <vector>

namespace trame {
namespace {

constexpr std::size_t MaxWithCrlf = 82;

// What the beacon writes where it has no clock and no receiver: accepted, with a remark.
constexpr std::string_view BeaconDate = "000000";
constexpr std::string_view BeaconMode = "0";

bool allDigits(std::string_view text) {
    return text.find_first_not_of("0123456789") == std::string_view::npos;
}

std::string fixed(double value, int decimals) {
    char text[64];
    const auto end =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals).ptr;
    return std::string(text, end);
}

std::string quoted(std::string_view text) {
    return "« " + platform::Visible(text) + " »";
}

// After the name of a letter that should be there.
std::string missingOrReplaced(std::string_view letter) {
    return letter.empty() ? " manquante" : " remplacée par " + quoted(letter);
}

// Digits with one decimal point at most; no sign, since none of these fields is negative.
bool isDecimal(std::string_view text) {
    const std::size_t point = text.find('.');
    return text.find_first_of("0123456789") != std::string_view::npos &&
           allDigits(text.substr(0, point)) &&
           (point == std::string_view::npos || allDigits(text.substr(point + 1)));
}

double decimalValue(std::string_view text) {
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

int twoDigits(std::string_view text, std::size_t at) {
    return (text[at] - '0') * 10 + (text[at + 1] - '0');
}

// A position field: whole degrees and its minutes' text, once the form is checked.
struct Coordinate {
    int degrees = 0;
    std::string_view minutes; // "42.8593"
    char hemisphere = 0;

    double Minutes() const { return decimalValue(minutes); }
    double Degrees() const { return degrees + Minutes() / 60; }
};

// "ddmm.mmmm" (digits = 2) or "dddmm.mmmm" (3), then the hemisphere letter.
std::string readCoordinate(std::string_view field, std::string_view letter, const char* name,
                           int digits, std::string_view letters, int limit, Coordinate& out) {
    const std::string what = std::string(name) + " " + quoted(field);
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
               std::string(letters.substr(1, 1)) + " de la " + name + missingOrReplaced(letter);
    }
    out.hemisphere = letter[0];
    return {};
}

// No minus sign before a value that shows as zero: "-0.000000" would name a hemisphere that
// a zero coordinate does not have.
std::string decimalDegrees(const Coordinate& c, char negative) {
    const std::string text = fixed(c.Degrees(), 6);
    const bool zero = text.find_first_not_of("0.") == std::string::npos;
    return (c.hemisphere == negative && !zero ? "-" : "") + text;
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

std::string positionLines(const Coordinate& lat, const Coordinate& lon) {
    return "  degrés décimaux : " + decimalDegrees(lat, 'S') + " " + decimalDegrees(lon, 'W') +
           "\n  degrés, minutes : " + degreesMinutes(lat) + " " + degreesMinutes(lon) +
           "\n  degrés, minutes, secondes : " + degreesMinutesSeconds(lat) + " " +
           degreesMinutesSeconds(lon) + "\n";
}

// UTC time, "hhmmss" with any decimals of a second. A receiver counts 60 seconds only in a leap
// second, which UTC inserts at 23:59:60; any other 60 is a fault.
std::string checkTime(std::string_view field) {
    if (field.empty()) {
        return {};
    }
    const std::string what = "heure " + quoted(field);
    const bool decimals = field.size() > 7 && field[6] == '.' && allDigits(field.substr(7));
    if (field.size() < 6 || !allDigits(field.substr(0, 6)) || (field.size() > 6 && !decimals)) {
        return what + " n'a pas la forme hhmmss ou hhmmss.ss";
    }
    const int hours = twoDigits(field, 0);
    const int minutes = twoDigits(field, 2);
    const int seconds = twoDigits(field, 4);
    if (hours >= 24) {
        return what + " : heures de 24 ou plus";
    }
    if (minutes >= 60) {
        return what + " : minutes de 60 ou plus";
    }
    if (seconds >= 60 && !(hours == 23 && minutes == 59 && seconds == 60)) {
        return what +
               " : secondes de 60 ou plus (60 n'est permis qu'à 235960, seconde intercalaire)";
    }
    return {};
}

// "ddmmyy", a day of the calendar. Two digits of the year are enough to tell a leap year: 2000
// was one, so every year divisible by 4 is, from 1901 to 2099.
std::string checkDate(std::string_view field) {
    static constexpr const char* months[] = {"janvier",   "février", "mars",     "avril",
                                             "mai",       "juin",    "juillet",  "août",
                                             "septembre", "octobre", "novembre", "décembre"};
    static constexpr int days[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (field.empty() || field == BeaconDate) {
        return {};
    }
    const std::string what = "date " + quoted(field);
    if (field.size() != 6 || !allDigits(field)) {
        return what + " n'a pas la forme ddmmyy";
    }
    const int day = twoDigits(field, 0);
    const int month = twoDigits(field, 2);
    if (month < 1 || month > 12) {
        return what + " : pas de mois " + std::string(field.substr(2, 2));
    }
    if (month == 2 && day == 29 && twoDigits(field, 4) % 4 != 0) {
        return what + " : pas de 29 février, l'année " + std::string(field.substr(4, 2)) +
               " n'est pas bissextile";
    }
    if (day < 1 || day > days[month - 1]) {
        return what + " : pas de jour " + std::string(field.substr(0, 2)) + " en " +
               months[month - 1];
    }
    return {};
}

// Speed over ground in knots, or course over ground in degrees: a number, or empty.
std::string checkDecimal(std::string_view field, const char* name) {
    if (field.empty() || isDecimal(field)) {
        return {};
    }
    return std::string(name) + " " + quoted(field) + " n'est pas un nombre décimal";
}

std::string checkCourse(std::string_view field) {
    std::string problem = checkDecimal(field, "cap");
    if (problem.empty() && !field.empty() && decimalValue(field) >= 360) {
        problem = "cap " + quoted(field) + " : 360° ou plus";
    }
    return problem;
}

// Magnetic variation: degrees and E or W, or neither.
std::string checkVariation(std::string_view value, std::string_view letter) {
    if (value.empty() && letter.empty()) {
        return {};
    }
    if (value.empty()) {
        return "déclinaison magnétique manquante devant sa lettre " + quoted(letter);
    }
    std::string problem = checkDecimal(value, "déclinaison magnétique");
    if (problem.empty() && decimalValue(value) > 180) {
        problem = "déclinaison magnétique " + quoted(value) + " : au-delà de 180°";
    }
    if (problem.empty() && letter != "E" && letter != "W") {
        problem = "lettre E ou W de la déclinaison magnétique" + missingOrReplaced(letter);
    }
    return problem;
}

// A one-letter field; empty is allowed where the value may be unknown.
std::string checkLetter(std::string_view field, std::string_view letters, const char* name,
                        const char* list) {
    if (field.size() == 1 && letters.find(field[0]) != std::string_view::npos) {
        return {};
    }
    return std::string(name) + " " + quoted(field) + " au lieu de " + list;
}

// What clients make of the beacon's placeholders, as gpsd 3.22, pynmea2 1.15 and GPSBabel's
// NMEA reader do.
std::string remarks(const std::vector<std::string_view>& fields) {
    std::string text;
    if (fields[Date] == BeaconDate) {
        text += "  remarque : date « 000000 », qui n'est pas un jour : gpsd n'en tire ni date ni "
                "heure, GPSBabel et pynmea2 aucune date\n";
    }
    if (fields.size() > Mode && fields[Mode] == BeaconMode) {
        text += "  remarque : mode « 0 », pas une lettre de mode NMEA mais celui de la balise : "
                "gpsd le prend pour A, pynmea2 l'ignore\n";
    }
    return text;
}

// Every faulty field is named, in the sentence's order.
class Faults {
public:
    void Add(std::string problem) {
        if (!problem.empty()) {
            list_.push_back(std::move(problem));
        }
    }
    bool Empty() const { return list_.empty(); }
    // One a line, as the report indents them.
    std::string Text() const {
        std::string text;
        for (const std::string& problem : list_) {
            text += (text.empty() ? "" : "\n  ") + problem;
        }
        return text;
    }

private:
    std::vector<std::string> list_;
};

// The position's lines; none when it is missing or faulty.
std::string checkPosition(const std::vector<std::string_view>& fields, Faults& faults) {
    const std::string_view status = fields[Status];
    if (fields[Latitude].empty() && fields[LatitudeLetter].empty() && fields[Longitude].empty() &&
        fields[LongitudeLetter].empty()) {
        faults.Add(status == "A" ? "état A (position valide) sans position" : "");
        return {};
    }
    Coordinate lat, lon;
    std::string latProblem =
        readCoordinate(fields[Latitude], fields[LatitudeLetter], "latitude", 2, "NS", 90, lat);
    std::string lonProblem =
        readCoordinate(fields[Longitude], fields[LongitudeLetter], "longitude", 3, "EW", 180, lon);
    if (!latProblem.empty() || !lonProblem.empty()) {
        faults.Add(std::move(latProblem));
        faults.Add(std::move(lonProblem));
        return {};
    }
    const char* const voided = "  état V : le récepteur marque cette position comme non valide\n";
    return (status == "V" ? voided : "") + positionLines(lat, lon);
}

// Speed, course, date, magnetic variation, and the fields NMEA 2.3 and 4.1 added.
void checkOtherFields(const std::vector<std::string_view>& fields, Faults& faults) {
    faults.Add(checkDecimal(fields[Speed], "vitesse"));
    faults.Add(checkCourse(fields[Course]));
    faults.Add(checkDate(fields[Date]));
    faults.Add(checkVariation(fields[Variation], fields[VariationLetter]));
    if (fields.size() > Mode && !fields[Mode].empty() && fields[Mode] != BeaconMode) {
        faults.Add(checkLetter(fields[Mode], "ADEFMNPRS", "mode", "A, D, E, F, M, N, P, R ou S"));
    }
    if (fields.size() > NavigationalStatus && !fields[NavigationalStatus].empty()) {
        faults.Add(
            checkLetter(fields[NavigationalStatus], "SCUV", "état de navigation", "S, C, U ou V"));
    }
}

std::string checkFields(std::string_view body, SentenceCheck& check) {
    const std::vector<std::string_view> fields = FieldsOf(body);
    const std::string_view address = fields[Address];
    const auto capital = [](char c) { return c >= 'A' && c <= 'Z'; };
    if (address.size() != 5 || !capital(address[0]) || !capital(address[1]) ||
        !address.ends_with("RMC")) {
        return "pas une trame RMC (" + quoted(address) + ")";
    }
    if (fields.size() < 12 || fields.size() > 14) {
        return std::to_string(fields.size()) +
               " champs au lieu des 12 à 14 d'une trame RMC (NMEA 2.0 à 4.1)";
    }
    Faults faults;
    faults.Add(checkTime(fields[Time]));
    faults.Add(checkLetter(fields[Status], "AV", "état", "A ou V"));
    const std::string lines = checkPosition(fields, faults);
    checkOtherFields(fields, faults);
    if (faults.Empty()) {
        const std::string notes = remarks(fields);
        check.position =
            lines.empty() && !notes.empty() ? "  sans position\n" + notes : lines + notes;
    }
    return faults.Text();
}

// What is wrong with the checksum after the "*" at `star`, or nothing.
std::string checksumProblem(std::string_view s, std::size_t star) {
    const std::string_view given = s.substr(star + 1);
    const std::string expected = composer::HexDigits(composer::NmeaChecksum(s.substr(1, star - 1)));
    const bool hex = given.find_first_not_of("0123456789ABCDEFabcdef") == std::string_view::npos;
    if (given.size() == 1 && hex) {
        return "somme de contrôle d'un seul chiffre : *" + expected + " attendue";
    }
    if (given.size() != 2 || !hex) {
        return "pas de somme de contrôle « *HH » à la fin";
    }
    if (given.find_first_of("abcdef") != std::string_view::npos) {
        return "somme de contrôle en minuscules : *" + expected + " attendue";
    }
    if (given != expected) {
        return "somme de contrôle fausse : *" + expected + " attendue, pas *" + std::string(given);
    }
    return {};
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
    if (std::string problem = checksumProblem(s, star); !problem.empty()) {
        return problem;
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
