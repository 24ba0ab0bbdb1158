#include "composer/Position.h"
#include "platform/Failure.h"
#include "trame/Check.h"
#include "trame/Gpx.h"
#include "trame/PositionText.h"
#include "trame/Program.h"
#include "trame/TimeStamp.h"
#include "window_positions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Result {
    int status;
    std::string out, err;
};

Result run(std::vector<std::string> arguments, const std::string& input = "") {
    std::istringstream in(input);
    std::ostringstream out, err;
    const int status = trame::Run(arguments, in, out, err);
    return {status, out.str(), err.str()};
}

// The position fields of the sentence ("4642.8593,N,00538.6125,E"), or the refusal's message.
std::string fieldsOf(const std::string& typed) {
    const trame::PositionReading reading = trame::ReadPosition(typed);
    if (!reading.error.empty()) {
        return reading.error;
    }
    const auto& p = reading.position;
    return composer::PositionTrame(p.latitude, p.longitude)
        .substr(composer::LatColumn - 1,
                composer::LongColumn - composer::LatColumn + composer::LongWidth);
}

TEST(ReadPosition, NotationsAndRefusals) {
    const struct {
        std::string typed;
        const char* fields; // or a part of the refusal's message
    } cases[] = {
        {"46.714322 5.643542", "4642.8593,N,00538.6125,E"},
        {"46.714322, 5.643542", "4642.8593,N,00538.6125,E"},
        {"46,714322 5,643542", "4642.8593,N,00538.6125,E"},
        {"46.714322,5.643542", "4642.8593,N,00538.6125,E"},
        {"46°42'51.56\"N 5°38'36.75\"E", "4642.8593,N,00538.6125,E"},
        {"46 42 51.56 N 5 38 36.75 E", "4642.8593,N,00538.6125,E"},
        {"N 46° 42′ 51.56″ E 5° 38′ 36.75″", "4642.8593,N,00538.6125,E"},
        {"n 46º 42’ 51.56” e 5º 38’ 36.75”", "4642.8593,N,00538.6125,E"},
        {"46\xB0 42' 51.56'' N 5\xB0 38' 36.75'' E", "4642.8593,N,00538.6125,E"}, // Windows-1252
        {"46d42m51.56s N 5d38m36.75s E", "4642.8593,N,00538.6125,E"},
        {"46 42.8593 N, 5 38.6125 E", "4642.8593,N,00538.6125,E"},
        {"4642.8593N 00538.6125E", "4642.8593,N,00538.6125,E"},
        {"46.714322 E 5.643542", "4642.8593,N,00538.6125,E"},
        {"46 42 51.56 E 5 38 36.75", "4642.8593,N,00538.6125,E"},
        {"46 42 E 5 38", "4642.0000,N,00538.0000,E"},
        {"46°42'51.56\" 5", "4642.8593,N,00500.0000,E"},
        {"46°42'51.56\" 5 38", "4642.8593,N,00538.0000,E"},
        {"-46°42' 5", "4642.0000,S,00500.0000,E"},
        {"N 46.714322, 5.643542 E", "4642.8593,N,00538.6125,E"},
        {"N46.714322 5.643542E", "4642.8593,N,00538.6125,E"},
        {"46.714322 N E 5.643542", "4642.8593,N,00538.6125,E"},
        {"46 42.8593 5 38 36.75 E", "4642.8593,N,00538.6125,E"},
        {"45.99999999999998 5", "4559.9999,N,00500.0000,E"},
        {"45 59.99999999999999 N 5 E", "4559.9999,N,00500.0000,E"},
        {"-0 -0", "0000.0000,N,00000.0000,E"},
        {"E 5.643542 N 46.714322", "la latitude (N ou S) d'abord"},
        {"46,5,5", "« 46,5,5 » est ambigu"},
        {std::string(400, '9') + " 5", "degrés de la latitude sont hors limites"},
        {"46 5e2", "« e » entre deux chiffres est illisible"},
        {"1e1 5", "« e » entre deux chiffres est illisible"},
        {"46°42.8593' 5°38.6125'", "4642.8593,N,00538.6125,E"},
        {"46°42'51.56\" 5°38.6125'", "4642.8593,N,00538.6125,E"},
        {"46.714322;5.643542", "4642.8593,N,00538.6125,E"},
        {"-33.8688 151.2093", "3352.1280,S,15112.5580,E"},
        {"40.7128 -74.0060", "4042.7680,N,07400.3600,W"},
        {"40.7128° \u221274.0060°", "4042.7680,N,07400.3600,W"},
        {"40.7128N 74.0060O", "4042.7680,N,07400.3600,W"},
        {"40.7128 n 74.0060 w", "4042.7680,N,07400.3600,W"},
        {"-40.7128 S, +74.0060 E", "4042.7680,S,07400.3600,E"},
        {"90 -180", "9000.0000,N,18000.0000,W"},
        {"0 0", "0000.0000,N,00000.0000,E"},
        {"12.5s 100.25e", "1230.0000,S,10015.0000,E"},
        {"90.000001 5", "latitude dépasse 90°"},
        {"45 180.5", "longitude dépasse 180°"},
        {"46 60 5 0", "minutes de la latitude atteignent 60"},
        {"46 0 60 N 5 0 0 E", "secondes de la latitude atteignent 60"},
        {"-46 N 5 E", "contredit la lettre « N »"},
        {"46 S 5 E", "4600.0000,S,00500.0000,E"},
        {"46 N -5 E", "contredit la lettre « E »"},
        {"46 5 3", "« 46 5 3 » se lit de 2 façons : 46° 5°3' ou 46°5' 3°"},
        {"46", "nombre de valeurs (1)"},
        {"46.5N", "il manque la longitude"},
        {"46 1 2 3 N 5 E", "plus de trois nombres"},
        {"46.5 30 N 5 E", "seule la dernière valeur"},
        {"46 -30 N 5 E", "un signe devant les minutes"},
        {"46'30 N 5 E", "portent un autre signe"},
        {"46 E 5 W", "deux lettres d'hémisphère pour une même coordonnée"},
        {"N 46 S 5 E", "plus de deux lettres"},
        {"46 N 5 E 3", "la latitude (N ou S) d'abord"},
        {"46, 5, 3", "se lit de 2 façons"},
        {"° 46 5", "sans nombre devant"},
        {"Nord 46 Est 5", "« Nord » est illisible"},
        {"46 x 5", "« x » est illisible"},
        {"46 \u20AC 5", "« \u20AC » est illisible"},
        {"", "il manque la latitude"},
        // Decimal degrees are computed on their digits, whatever their count.
        {"34.3 0", "3418.0000,N,00000.0000,E"},
        {"83.5 148.6", "8330.0000,N,14836.0000,E"},
        {"51.5074 -0.1278", "5130.4440,N,00007.6680,W"},
        {"-80.231 5", "8013.8600,S,00500.0000,E"},
        {"0.5 179.99999999999999", "0030.0000,N,17959.9999,E"},
        {"90.00000000000000000001 5", "latitude dépasse 90°"},
        {"-0.00000000000000000001 5", "0000.0000,S,00500.0000,E"},
        // Bare numbers that split in more than one valid way.
        {"46 42 51 5.643542", "se lit de 3 façons"},
        {"46 5 38 36.75", "46°5' 38°36.75'"},
        {"46 5 38 36.75", "(« 46 5, 38 36.75 ») ou des lettres (« 46 5 N 38 36.75 E »)"},
        {"46 42, 51 5.643542", "4642.0000,N,05105.6435,E"},
        {"46\u202F5", "« 46U+202F5 » est illisible : « U+202F » n'a pas sa place"},
        // What phones and map sites share.
        {"geo:46.7143,5.6435", "4642.8580,N,00538.6100,E"},
        {"geo:-33.8688,151.2093,20;u=35", "3352.1280,S,15112.5580,E"},
        {"geo:46,5;crs=wgs84", "4600.0000,N,00500.0000,E"},
        {"geo:46,5;crs=nad27", "« nad27 » ne sont pas en WGS 84"},
        {"46.71432/5.64354", "« 46.71432/5.64354 » est illisible : « / » n'a pas sa place"},
        {"1 1 1 1 1 1 1", "7 nombres : une position en a de deux à six"},
        {[] {
             std::string many;
             for (int i = 0; i < 64000; ++i) {
                 many += "1 ";
             }
             return many;
         }(),
         "64000 nombres"},
        {std::string("46 \0 5", 6), "« \\x00 » est illisible"},
    };
    for (const auto& c : cases) {
        const std::string got = fieldsOf(c.typed);
        EXPECT_NE(got.find(c.fields), std::string::npos) << c.typed << " gave " << got;
    }
}

// "ddmm.mmmm" from ten-thousandths of a minute.
std::string fieldOf(std::uint64_t tenThousandths, int degreeDigits) {
    char text[24];
    const auto minutes = static_cast<unsigned long long>(tenThousandths / 10000);
    std::snprintf(text, sizeof text, "%0*llu%02llu.%04llu", degreeDigits, minutes / 60,
                  minutes % 60, static_cast<unsigned long long>(tenThousandths % 10000));
    return text;
}

// A number of `decimals` decimals written from its value times 10^decimals.
std::string decimalText(std::uint64_t scaled, int decimals) {
    const std::string digits = std::to_string(scaled);
    const auto width = static_cast<std::size_t>(decimals + 1);
    // Built by appending: GCC 12's -Wrestrict at -O3 sees overlaps in an insert at the front.
    const std::string padded = std::string(width - std::min(width, digits.size()), '0') + digits;
    const std::size_t point = padded.size() - static_cast<std::size_t>(decimals);
    return padded.substr(0, point) + "." + padded.substr(point);
}

// Decimal degrees, degrees and decimal minutes, and degrees, minutes and decimal seconds
// against integer arithmetic on the digits typed: floor(value × 10^4) minutes.
TEST(ReadPosition, DigitsAreExactInEveryNotation) {
    std::mt19937_64 random(20261207);
    const auto below = [&](std::uint64_t limit) { return random() % limit; };
    std::uint64_t power[8] = {1};
    for (int i = 1; i < 8; ++i) {
        power[i] = power[i - 1] * 10;
    }
    int mismatches = 0;
    for (int i = 0; i < 30000 && mismatches < 5; ++i) {
        const int decimals = 1 + i % 7, secondDecimals = 1 + i % 3;
        const std::uint64_t lat = below(90 * power[decimals]), lon = below(180 * power[decimals]);
        const std::uint64_t deg = below(90), min = below(60), minutes = below(60 * power[decimals]);
        const std::uint64_t seconds = below(60 * power[secondDecimals]);
        const struct {
            std::string typed, fields;
        } cases[] = {
            {decimalText(lat, decimals) + " -" + decimalText(lon, decimals),
             fieldOf(lat * 600000 / power[decimals], 2) + ",N," +
                 fieldOf(lon * 600000 / power[decimals], 3) + (lon ? ",W" : ",E")},
            {std::to_string(deg) + " " + decimalText(minutes, decimals) + " S 0 E",
             fieldOf(deg * 600000 + minutes * 10000 / power[decimals], 2) + ",S" + ",00000.0000,E"},
            {std::to_string(deg) + "°" + std::to_string(min) + "'" +
                 decimalText(seconds, secondDecimals) + "\" 1",
             fieldOf(deg * 600000 + min * 10000 + seconds * 10000 / (60 * power[secondDecimals]),
                     2) +
                 ",N,00100.0000,E"},
        };
        for (const auto& c : cases) {
            const std::string got = fieldsOf(c.typed);
            if (got != c.fields) {
                ADD_FAILURE() << c.typed << " gave " << got << ", not " << c.fields;
                ++mismatches;
            }
        }
    }
}

// The window's sentence for the same position, whatever the notation.
TEST(Program, PrintsTheWindowsSentence) {
    for (const WindowPosition& p : WindowPositions) {
        const Result r = run({p.typed});
        EXPECT_EQ(r.out, std::string(p.sentence) + "\n") << p.typed;
        EXPECT_EQ(r.status, 0);
    }
    // Every seconds text of the window's five-character box, at both ends of the degrees.
    composer::Composer window;
    for (int hundredths = 0; hundredths < 6000; ++hundredths) {
        char seconds[8];
        std::snprintf(seconds, sizeof seconds, "%d.%02d", hundredths / 100, hundredths % 100);
        composer::TrameFields fields{"89", "59", seconds, "S", "00", "00", seconds, "W"};
        const std::string sentence = window.ComposeTrame(fields);
        const trame::PositionReading reading =
            trame::ReadPosition("89 59 " + std::string(seconds) + " S 0 0 " + seconds + " W");
        ASSERT_EQ(composer::PositionTrame(reading.position.latitude, reading.position.longitude),
                  sentence)
            << seconds;
    }
}

TEST(Program, CommandLines) {
    const std::string sample =
        "$GPRMC,000000.000,A,4642.8593,N,00538.6125,E,0.00,000.00,000000,,,0*12";
    const std::string directory = std::filesystem::temp_directory_path().string();
    // What Windows PowerShell 5.1 and Notepad's "Unicode" write: UTF-16LE after its mark.
    std::string utf16 = "\xFF\xFE";
    for (const char c : std::string("46.714322 5.643542\r\n")) {
        utf16 += {c, '\0'};
    }
    const struct {
        std::vector<std::string> arguments;
        std::string input;
        int status;
        std::string out; // exactly
        const char* err; // a part of it
    } cases[] = {
        {{"46.714322", "5.643542"}, "", 0, sample + "\n", ""},
        {{"--lat", "46 42 51.56 N", "--lon=5 38 36.75 E"}, "", 0, sample + "\n", ""},
        {{"--", "-33.8688", "151.2093"},
         "",
         0,
         "$GPRMC,000000.000,A,3352.1280,S,15112.5580,E,0.00,000.00,000000,,,0*00\n",
         ""},
        {{"--crlf", "46.714322", "5.643542"}, "", 0, sample + "\r\n", ""},
        {{"--format=c", "--no-crlf", "46.714322", "5.643542"},
         "",
         0,
         "/* " + sample +
             " : 70 octets */\n#define TRAME_OCTETS 70\n"
             "static const char trame[TRAME_OCTETS + 1] =\n    \"" +
             sample + "\";\n",
         ""},
        {{"--format", "dt", "46.714322", "5.643542"},
         "",
         0,
         "; " + sample + " et CR LF : 72 octets (table de RETLW)\n        dt      \"" + sample +
             "\", 0x0D, 0x0A\n",
         ""},
        {{"--batch", "-"},
         "\xEF\xBB\xBF"
         "46.714322 5.643542\n\nbalise 2;46 42 51.56 N 5 38 36.75 E\r\n",
         0,
         sample + "\nbalise 2;" + sample + "\n",
         ""},
        {{"--batch", "-"},
         "46,714322;5,643542\r\"Mai;son\";\"46.714322 5.643542\"\n",
         0,
         sample + "\n\"Mai;son\";" + sample + "\n",
         ""},
        {{"--batch", "-"}, utf16, 0, sample + "\n", ""},
        {{"--batch", directory}, "", 2, "", "est un dossier"},
        {{"-o", directory, "46", "5"}, "", 2, "", "est un dossier"},
        {{"--batch", "-"},
         "46.714322 5.643542\n91 5\nx;abc\n",
         1,
         sample + "\n",
         "ligne 3 : « abc » est illisible"},
        // The EEPROM holds one sentence with its CR LF, not two.
        {{"--batch", "-", "--format", "de"}, "46 5\n47 6\n", 2, "", "144 octets ne tiennent pas"},
        // A batch's firmware forms are written as they come: the count comes last.
        {{"--batch", "-", "--format", "c", "--no-crlf"},
         "46.714322 5.643542\n",
         0,
         "static const char trame[] =\n    \"" + sample + "\";\n/* " + sample +
             " : 70 octets */\n" + "#define TRAME_OCTETS 70\n",
         ""},
        {{"--batch", "-", "--format", "c"},
         "",
         0,
         "static const char trame[] =\n    \"\";\n/* 0 trames et leurs CR LF : 0 octets */\n"
         "#define TRAME_OCTETS 0\n",
         ""},
        {{"--batch", "-"},
         std::string(100000, '4') + "\n46.714322 5.643542",
         1,
         sample + "\n",
         "ligne 1 : plus de 4096 octets, passée"},
        {{"--check", sample, "$GPRMC,,V,,,,,,,,,,N*53"},
         "",
         0,
         "valide : " + sample +
             "\n  degrés décimaux : 46.714322 5.643542\n"
             "  degrés, minutes : 46°42.8593'N 5°38.6125'E\n"
             "  degrés, minutes, secondes : 46°42'51.56\"N 5°38'36.75\"E\n"
             "  remarque : date « 000000 », qui n'est pas un jour : gpsd n'en tire ni date ni "
             "heure, GPSBabel et pynmea2 aucune date\n"
             "  remarque : mode « 0 », pas une lettre de mode NMEA mais celui de la balise : "
             "gpsd le prend pour A, pynmea2 l'ignore\n"
             "valide : $GPRMC,,V,,,,,,,,,,N*53\n  sans position\n",
         ""},
        {{"--check"},
         "$GPRMC,,V,,,,,,,,,,N*53\r\n\n$GPRMC,,V,,,,,,,,,,N*54\n",
         1,
         "valide : $GPRMC,,V,,,,,,,,,,N*53\n  sans position\ninvalide : $GPRMC,,V,,,,,,,,,,N*54\n"
         "  somme de contrôle fausse : *53 attendue, pas *54\n",
         ""},
        {{"--check"},
         "\xEF\xBB\xBF$GPRMC,,V,,,,,,,,,,N*53 \t\n",
         0,
         "valide : $GPRMC,,V,,,,,,,,,,N*53\n  sans position\n",
         ""},
        {{"--check"}, "", 2, "", "aucune trame"},
        {{"abc", "def"}, "", 2, "", "position illisible : « abc » est illisible : « a »"},
        {{}, "", 2, "", "aucune position"},
        {{"--format", "bin", "46", "5"}, "", 2, "", "forme inconnue « bin »"},
        {{"--lat", "46"}, "", 2, "", "--lat et --lon vont ensemble"},
        {{"--lat", "46", "--lon", "5", "47", "6"}, "", 2, "", "donnée deux fois"},
        {{"--batch", "-", "46", "5"}, "", 2, "", "pas de position en argument"},
        {{"--lat", "46", "--lon", "5", "--lat", "47"}, "", 2, "", "--lat est donnée deux fois"},
        {{"--batch", "/nonexistent/positions.csv"}, "", 2, "", "impossible de lire"},
        {{"--check", "--format", "c"}, "", 2, "", "compte rendu"},
        {{"--crlf=yes", "46", "5"}, "", 2, "", "ne prend pas de valeur"},
        {{"--crlf", "--no-crlf", "46", "5"}, "", 2, "", "--crlf et --no-crlf s'excluent"},
        {{"--check", "--check"}, "", 2, "", "--check est donnée deux fois"},
        {{"--colour", "46", "5"}, "", 2, "", "option inconnue « --colour »"},
        {{"46", "5", "-o"}, "", 2, "", "-o demande une valeur"},
        {{"-o", "/nonexistent/balise.hex", "46", "5"}, "", 2, "", "impossible d'écrire"},
    };
    for (const auto& c : cases) {
        const Result r = run(c.arguments, c.input);
        const std::string what = c.arguments.empty() ? "(none)" : c.arguments.front();
        EXPECT_EQ(r.status, c.status) << what << "\n" << r.err;
        if (c.status != 2 && c.out.empty()) {
            EXPECT_FALSE(r.out.empty()) << what;
        } else {
            EXPECT_EQ(r.out, c.out) << what;
        }
        EXPECT_NE(r.err.find(c.err), std::string::npos) << what << " said: " << r.err;
    }
}

// An input that fails midway, as the system's files do: the run fails whatever it had done.
class FailingInput : public std::streambuf {
public:
    FailingInput(std::size_t lines, bool memory) : lines_(lines), memory_(memory) {}

protected:
    int_type underflow() override {
        if (lines_-- == 0) {
            memory_ ? throw std::bad_alloc()
                    : throw platform::Failure("impossible de lire « x » : erreur d'entrée-sortie");
        }
        setg(line_, line_, line_ + sizeof line_ - 1);
        return traits_type::to_int_type(line_[0]);
    }

private:
    std::size_t lines_;
    bool memory_;
    char line_[6] = "46 5\n";
};

TEST(Program, AFailureMidwayIsAFailure) {
    const std::string file = (std::filesystem::temp_directory_path() / "trame-kept.txt").string();
    for (const bool memory : {false, true}) {
        for (const auto& arguments : std::vector<std::vector<std::string>>{
                 {"--batch", "-"}, {"--batch", "-", "-o", file}, {"--check", "-o", file}}) {
            std::ofstream(file) << "kept";
            FailingInput input(1000, memory);
            std::istream in(&input);
            std::ostringstream out, err;
            EXPECT_EQ(trame::Run(arguments, in, out, err), 2) << arguments[0];
            EXPECT_NE(err.str().find(memory ? "mémoire épuisée" : "erreur d'entrée-sortie"),
                      std::string::npos)
                << err.str();
            std::ifstream kept(file);
            EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "kept");
        }
    }
    std::filesystem::remove(file);
}

TEST(Program, HelpFitsEightyColumns) {
    std::istringstream help(run({"--help"}).out);
    for (std::string line; std::getline(help, line);) {
        // Characters, not bytes: UTF-8 continuation bytes do not count.
        EXPECT_LE(std::ranges::count_if(line, [](char c) { return (c & 0xC0) != 0x80; }), 80)
            << line;
    }
}

// Arguments are UTF-8 whatever the system; so are the names of the files they give.
TEST(Program, FileNamedInUtf8) {
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / std::filesystem::path(u8"trame-été.txt");
    const std::u8string name = file.u8string();
    const Result r = run({"-o", std::string(name.begin(), name.end()), "46.714322", "5.643542"});
    std::ifstream written(file, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(written)), {});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(text, "$GPRMC,000000.000,A,4642.8593,N,00538.6125,E,0.00,000.00,000000,,,0*12\n");
    written.close();
    std::filesystem::remove(file);
}

TEST(CheckSentence, ReasonsAndPositions) {
    // The window writes odd entries as they were typed.
    composer::TrameFields odd{"9x", "75", "20745", "N", "05", "00", "00.00", "E"};
    const std::string fromOddEntries = composer::Composer().ComposeTrame(odd);
    composer::TrameFields wrongWidth{"5", "00", "00.00", "N", "05", "00", "00.00", "E"};
    const std::string fromShortDegrees = composer::Composer().ComposeTrame(wrongWidth);
    const std::string body = "GPRMC,000000.000,A,4642.8593,N,00538.6125,E,0.00,000.00,000000,,,0";
    const auto sentence = [](const std::string& b) { return composer::WithChecksum("$" + b); };

    const struct {
        std::string sentence;
        const char* problemOrPosition;
    } cases[] = {
        {"$" + body + "*12", "46.714322 5.643542"},
        {"$" + body + "*12\r\n", "46.714322 5.643542"},
        {sentence("GNRMC,120000,A,3352.1280,S,15112.5580,E,0.5,54.7,191194,020.3,E"),
         "-33.868800 151.209300"},
        {sentence("GPRMC,,A,4559.99999,N,00000.0001,W,,,,,,,"), "46°0'0.00\"N"},
        {body + "*12", "pas de « $ » au début"},
        {"$" + body, "pas de somme de contrôle « *HH »"},
        {"$" + body + "*1G", "pas de somme de contrôle « *HH »"},
        {"$" + body + "*2", "d'un seul chiffre : *12 attendue"},
        {sentence("GPRMC,,A,4642.8593,N,00538.6125,E,,,,,,,") + "x", "« *HH »"},
        {"$GPRMC,,V,,,,,,,,,,N*53x", "« *HH »"},
        {sentence("GPRMC,,V,,,,,,*,,,,N"), "« * » au milieu de la trame"},
        {"$" + body + "*13", "fausse : *12 attendue, pas *13"},
        {"$GPRMC,000000.000,A,0000.1250,N,00000.0500,E,0.00,000.00,000000,,,0*1c",
         "en minuscules : *1C attendue"},
        {sentence(body + ",,,,,,,,,,,"), "83 caractères avec CR LF"},
        {sentence("GPGGA,000000.000,4642.8593,N,00538.6125,E,1,05,1.0,0,M,0,M,,"),
         "pas une trame RMC"},
        {sentence("GPRMC,000000.000,A,4642.8593,N,00538.6125,E,0.00,000.00"), "9 champs"},
        {sentence("GPRMC,000000.000,X,4642.8593,N,00538.6125,E,0.00,000.00,000000,,,0"),
         "état « X »"},
        {fromOddEntries, "latitude « 9x75.5.75 » n'a pas la forme ddmm.mmmm"},
        {fromShortDegrees, "n'a pas la forme ddmm.mmmm"},
        {sentence("GPRMC,,A,4660.0000,N,00538.6125,E,,,,,,,"), "minutes de 60 ou plus"},
        {sentence("GPRMC,,A,9000.0001,N,00538.6125,E,,,,,,,"), "au-delà de 90°"},
        {sentence("GPRMC,,A,4642.8593,N,18000.0001,E,,,,,,,"), "au-delà de 180°"},
        {sentence("GPRMC,,A,4642.8593,N,0538.6125,E,,,,,,,"), "n'a pas la forme dddmm.mmmm"},
        {sentence("GPRMC,,A,4642.,N,00538.6125,E,,,,,,,"), "n'a pas la forme ddmm.mmmm"},
        {sentence("GPRMC,,A,4642.8593,,00538.6125,E,,,,,,,"), "N ou S de la latitude manquante"},
        {sentence("GPRMC,,A,4642.8593,N,00538.6125,O,,,,,,,"), "remplacée par « O »"},
    };
    for (const auto& c : cases) {
        const trame::SentenceCheck check = trame::CheckSentence(c.sentence);
        EXPECT_NE((check.problem + check.position).find(c.problemOrPosition), std::string::npos)
            << c.sentence << "\n"
            << check.problem << check.position;
    }
}

// The clock's UTC time, milliseconds cut, and date in place of the beacon's; checksums worked
// out by hand.
TEST(WithTime, TimeDateAndChecksumOfTheClock) {
    using namespace std::chrono;
    const std::string beacon =
        "$GPRMC,000000.000,A,4642.8593,N,00538.6125,E,0.00,000.00,000000,,,0*12";
    const struct {
        sys_days day;
        system_clock::duration time;
        std::string sentence;
    } cases[] = {
        {sys_days{1970y / 1 / 1},
         {},
         "000000.000,A,4642.8593,N,00538.6125,E,0.00,000.00,010170,,,0*15"},
        {sys_days{2024y / 2 / 29}, 23h + 59min + 59s + 999ms,
         "235959.999,A,4642.8593,N,00538.6125,E,0.00,000.00,290224,,,0*15"},
        {sys_days{2000y / 3 / 1}, 12h + 34min + 56s + 789ms,
         "123456.789,A,4642.8593,N,00538.6125,E,0.00,000.00,010300,,,0*11"},
        {sys_days{1999y / 12 / 31}, 1999us,
         "000000.001,A,4642.8593,N,00538.6125,E,0.00,000.00,311299,,,0*12"},
        {sys_days{2026y / 1 / 7}, 9h + 50min + 7s + 250ms,
         "095007.250,A,4642.8593,N,00538.6125,E,0.00,000.00,070126,,,0*1C"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(trame::WithTime(beacon, c.day + c.time), "$GPRMC," + c.sentence);
    }
    EXPECT_EQ(
        trame::WithTime("$GPRMC,000000.000,A,3352.1280,S,15112.5580,E,0.00,000.00,000000,,,0*00",
                        sys_days{1999y / 12 / 31} + 23h + 59min + 59s + 999ms),
        "$GPRMC,235959.999,A,3352.1280,S,15112.5580,E,0.00,000.00,311299,,,0*09");
}

// Exact values × 10^7 of the fields, and the nearest whole number of ten-millionths.
TEST(Gpx, DecimalDegreesAreTheSentencesDigitsRounded) {
    const struct {
        const char* field;
        char letter;
        const char* degrees;
    } cases[] = {
        {"4642.8593", 'N', "46.7143217"},   // 1401429650/3
        {"00538.6125", 'W', "-5.6435417"},  // 169306250/3
        {"0000.0001", 'S', "-0.0000017"},   // 50/3
        {"0000.0002", 'N', "0.0000033"},    // 100/3
        {"0000.0003", 'N', "0.0000050"},    // 50
        {"4559.9999", 'N', "45.9999983"},   // 1379999950/3
        {"17959.9999", 'E', "179.9999983"}, // 5399999950/3
        {"00000.0006", 'W', "-0.0000100"},  // 100
        {"9000.0000", 'S', "-90.0000000"},
        {"18000.0000", 'E', "-180.0000000"}, // GPX's longitudes stop short of +180
        {"18000.0000", 'W', "-180.0000000"},
        {"0000.0000", 'S', "0.0000000"},
        {"00000.0000", 'W', "0.0000000"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(trame::DecimalDegrees(c.field, c.letter), c.degrees) << c.field << c.letter;
    }
}

TEST(Gpx, NamesAreUtf8ThatXmlTakes) {
    const struct {
        std::string name, xml;
    } cases[] = {
        {"A&B <x> \"q\" 'a'", "A&amp;B &lt;x&gt; \"q\" 'a'"},
        {"été \u20AC \U0001F4E1", "été \u20AC \U0001F4E1"},
        {"\xC9t\xE9 \x80\x9C\x81", "Été \u20AC\u0153\uFFFD"}, // Windows-1252
        {"\xED\xA0\x80", "\u00ED\u00A0\u20AC"},               // a surrogate is no UTF-8
        {std::string("a\0b\x01\tc\x7F", 7), "a\uFFFDb\uFFFD\tc\x7F"},
        {"\xEF\xBF\xBE", "\uFFFD"}, // U+FFFE
    };
    for (const auto& c : cases) {
        EXPECT_EQ(trame::XmlText(c.name), c.xml) << c.name;
    }
}

TEST(Gpx, OneWaypointALineNamedOrNumberedWithoutTime) {
    const std::string head = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<gpx version=\"1.1\" "
                             "creator=\"quorvelin-trame ";
    const auto waypoint = [](const char* lat, const char* lon, const char* name,
                             const std::string& sentence) {
        return std::string("  <wpt lat=\"") + lat + "\" lon=\"" + lon + "\">\n    <name>" + name +
               "</name>\n    <desc>" + sentence + "</desc>\n  </wpt>\n";
    };
    const std::string maison =
        "$GPRMC,000000.000,A,4642.8593,N,00538.6125,E,0.00,000.00,000000,,,0*12";
    const std::string sydney =
        "$GPRMC,000000.000,A,3352.1280,S,15112.5580,E,0.00,000.00,000000,,,0*00";
    const struct {
        std::vector<std::string> arguments;
        std::string input, waypoints;
    } cases[] = {
        {{"--format", "gpx", "46.714322", "5.643542"},
         "",
         waypoint("46.7143217", "5.6435417", "1", maison)},
        {{"--format", "gpx", "--batch", "-"},
         "maison;46.714322 5.643542\n\n\"A;B & <C>\";-33.8688 151.2093\n40 5;x\n-33.8688 "
         "151.2093\n",
         waypoint("46.7143217", "5.6435417", "maison", maison) +
             waypoint("-33.8688000", "151.2093000", "A;B &amp; &lt;C&gt;", sydney) +
             waypoint("-33.8688000", "151.2093000", "5", sydney)},
        {{"--format", "gpx", "--batch", "-"}, "", ""},
    };
    for (const auto& c : cases) {
        const Result r = run(c.arguments, c.input);
        EXPECT_EQ(r.status, c.input.find(";x") == std::string::npos ? 0 : 1) << r.err;
        ASSERT_TRUE(r.out.starts_with(head)) << r.out;
        EXPECT_TRUE(r.out.ends_with(">\n" + c.waypoints + "</gpx>\n")) << r.out;
        EXPECT_EQ(r.out.find("<time>"), std::string::npos);
    }
    EXPECT_NE(run({"--format", "gpx", "--crlf", "46", "5"}).err.find("ni --crlf"),
              std::string::npos);
}

} // namespace
