#include "composer/Composer.h"
#include "composer/Position.h"
#include "window_positions.h"

#include <gtest/gtest.h>

#include <charconv>

#include <clocale>
#include <cstdio>
#include <locale>
#include <stdexcept>
#include <string>

namespace {

using composer::Composer;
using composer::TrameFields;

TrameFields defaults() {
    return {"46", "00", "00.00", "N", "05", "00", "00.00", "E"};
}

std::string checksumOf(const std::string& sentence) {
    char hex[3];
    std::snprintf(
        hex, sizeof hex, "%02X",
        composer::NmeaChecksum(std::string_view(sentence).substr(1, sentence.size() - 4)));
    return hex;
}

struct SentenceCase {
    const char* what;
    TrameFields fields;
    const char* sentence;
};

void PrintTo(const SentenceCase& c, std::ostream* out) {
    *out << c.what;
}

class Sentences : public testing::TestWithParam<SentenceCase> {};

TEST_P(Sentences, FirstCompositionAfterReset) {
    Composer composer;
    composer.ResetTrame();
    TrameFields fields = GetParam().fields;
    EXPECT_EQ(composer.ComposeTrame(fields), GetParam().sentence);
}

INSTANTIATE_TEST_SUITE_P(
    Positions, Sentences,
    testing::Values(
        SentenceCase{"defaults", defaults(),
                     "$GPRMC,000000.000,A,4600.0000,N,00500.0000,E,0.00,000.00,000000,,,0*18"},
        SentenceCase{"sample",
                     {"46", "42", "51.56", "N", "05", "38", "36.75", "E"},
                     "$GPRMC,000000.000,A,4642.8593,N,00538.6125,E,0.00,000.00,000000,,,0*12"},
        SentenceCase{"leading zero of the checksum",
                     {"00", "00", "00.00", "N", "05", "00", "00.00", "W"},
                     "$GPRMC,000000.000,A,0000.0000,N,00500.0000,W,0.00,000.00,000000,,,0*08"},
        SentenceCase{"south west extremes",
                     {"89", "59", "59.99", "S", "99", "59", "59.99", "W"},
                     "$GPRMC,000000.000,A,8959.9998,S,09959.9998,W,0.00,000.00,000000,,,0*11"},
        // Too short: the columns after the field keep the template's text.
        SentenceCase{"one-character degrees",
                     {"5", "00", "00.00", "N", "05", "00", "00.00", "E"},
                     "$GPRMC,000000.000,A,500.0000,N0,00500.0000,E,0.00,000.00,000000,,,0*1F"},
        // Too long: the field is cut at its width and the separator after it stays.
        SentenceCase{"three-character degrees",
                     {"046", "00", "00.00", "N", "105", "00", "00.00", "E"},
                     "$GPRMC,000000.000,A,04600.0000,,010500.0000,,0.00,000.00,000000,,,0*12"},
        SentenceCase{"empty texts",
                     {"", "", "", "", "", "", "", ""},
                     "$GPRMC,000000.000,A,.0000,000,0,0.0000,000,0,0.00,000.00,000000,,,0*14"}),
    [](const auto& info) {
        std::string name = info.param.what;
        for (char& c : name) {
            c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        }
        return name;
    });

composer::Angle angleOf(const std::string& degrees, const std::string& minutes,
                        const std::string& seconds, const std::string& hemisphere) {
    return {{degrees, minutes, seconds}, 3, hemisphere[0]};
}

// The window's texts and the same numbers give the same sentence.
TEST(PositionTrame, WritesTheWindowsSentenceFromNumbers) {
    for (const WindowPosition& p : WindowPositions) {
        TrameFields fields = p.fields;
        EXPECT_EQ(Composer().ComposeTrame(fields), p.sentence);
        const TrameFields& f = p.fields;
        EXPECT_EQ(composer::PositionTrame(angleOf(f.latDeg, f.latMin, f.latSec, f.latPos),
                                          angleOf(f.longDeg, f.longMin, f.longSec, f.longPos)),
                  p.sentence);
    }
}

TEST(PositionDigits, CutsTheMinutesAndCarriesWholeOnes) {
    const struct {
        composer::Angle angle;
        int degreeDigits;
        const char* digits;
    } cases[] = {
        {{{"46.714322"}, 1}, 2, "4642.8593"},
        {{{"151.2093"}, 1}, 3, "15112.5580"},
        {{{"180"}, 1}, 3, "18000.0000"},
        {{{"40.7128"}, 1}, 2, "4042.7680"}, // 0.7128 * 60 is 42.767999... in binary
        {{{"34.3"}, 1}, 2, "3418.0000"},
        {{{"179.99999999999999"}, 1}, 3, "17959.9999"},
        {{{"0046", "42.85939999"}, 2}, 2, "4642.8593"},
        {{{"5", "59.99999"}, 2}, 3, "00559.9999"},
        {{{"89", "59", "59.99999999999999"}, 3}, 2, "8959.9999"},
        {{{"89", "59", "59.9994"}, 3}, 2, "8959.9999"},
        {{{"0", "0", ".006"}, 3}, 2, "0000.0001"},
        {{{".00000001"}, 1}, 2, "0000.0000"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(composer::PositionDigits(c.angle, c.degreeDigits), c.digits) << c.digits;
    }
}

TEST(ComposeTrame, CorrectsALoneZeroToTwoDigitsAndLeavesOtherTexts) {
    const struct {
        const char* typed;
        const char* kept;
    } cases[] = {{"0", "00"}, {"00", "00"}, {"000", "000"}, {"", ""}, {"5", "5"}, {" 0", " 0"}};
    for (const auto& c : cases) {
        Composer composer;
        TrameFields fields{c.typed, c.typed, "0", "N", c.typed, c.typed, "0", "E"};
        const std::string sentence = composer.ComposeTrame(fields);
        EXPECT_EQ(fields.latDeg, c.kept) << c.typed;
        EXPECT_EQ(fields.latMin, c.kept) << c.typed;
        EXPECT_EQ(fields.longDeg, c.kept) << c.typed;
        EXPECT_EQ(fields.longMin, c.kept) << c.typed;
        EXPECT_EQ(sentence.substr(composer::LatColumn - 1, 2 * std::string(c.kept).size()),
                  std::string(c.kept) + c.kept)
            << c.typed;
    }
}

TEST(ComposeTrame, WorkingSentenceCarriesOverBetweenCompositions) {
    Composer composer;
    TrameFields sample{"46", "42", "51.56", "N", "05", "38", "36.75", "E"};
    const std::string first = composer.ComposeTrame(sample);
    EXPECT_EQ(composer.ComposeTrame(sample), first) << "same position, same sentence";

    // A short latitude now leaves the previous hemisphere letter in column 31.
    TrameFields shortDegrees = sample;
    shortDegrees.latDeg = "5";
    const std::string sentence = composer.ComposeTrame(shortDegrees);
    EXPECT_EQ(sentence.substr(composer::LatColumn - 1, composer::LatWidth), "542.8593,NN");

    composer.ResetTrame();
    EXPECT_EQ(
        composer.ComposeTrame(shortDegrees).substr(composer::LatColumn - 1, composer::LatWidth),
        "542.8593,N0");
}

TEST(ComposeTrame, SentenceIsAlways70CharactersWithAValidChecksum) {
    const char* const texts[] = {"",      "0",     "9",     "46", "999",
                                 "59.99", "&HFFF", "1e999", "é°", "xx,x"};
    Composer composer;
    for (const char* a : texts) {
        for (const char* b : texts) {
            TrameFields fields{a, b, b, a, b, a, a, b};
            const std::string sentence = composer.ComposeTrame(fields);
            ASSERT_EQ(sentence.size(), 70u) << a << " / " << b;
            EXPECT_EQ(sentence.substr(0, composer::LatColumn - 1),
                      composer::TrameTemplate.substr(0, composer::LatColumn - 1));
            EXPECT_EQ(sentence.substr(44, 23), composer::TrameTemplate.substr(44, 23));
            EXPECT_EQ(sentence[67], '*');
            EXPECT_EQ(sentence.substr(68), checksumOf(sentence)) << sentence;
        }
    }
}

TEST(ComposeTrame, NonAsciiBytesCountWithTheirEightBitCode) {
    Composer composer;
    TrameFields fields = defaults();
    fields.latMin = "\xB0"; // Windows-1252 degree sign
    const std::string sentence = composer.ComposeTrame(fields);
    EXPECT_EQ(sentence.substr(composer::LatColumn - 1, 10), "46\xB0.0000,N");
    EXPECT_EQ(sentence.substr(68), checksumOf(sentence));
    EXPECT_EQ(sentence.substr(68), "98");
}

TEST(SecondsFraction, DigitsOfDecimalMinutes) {
    const struct {
        const char* seconds;
        const char* fraction;
    } cases[] = {
        {"7.5", "1250"},    {"6", "1000"},      {"3", "0500"},     {"00.00", "0000"},
        {"abc", "0000"},    {"51,56", "8500"},  {"60", "0000"},    {"90", "5000"},
        {"51.56", "8593"},  {"36.75", "6125"},  {"59.99", "9998"}, {"&H1E", "5000"},
        {"&h1e", "5000"},   {"&O17", "2500"},   {"&H", "0000"},    {" 3 0", "5000"},
        {"3\t0\n", "5000"}, {"-30", ".500"},    {"+30", "5000"},   {"1e999", "0000"},
        {"-1e999", "0000"}, {"1e-999", "0000"}, {"3e1", "5000"},   {"3E1", "5000"},
        {"30e", "5000"},    {".", "0000"},      {".6", "0100"},    {"6.", "1000"},
        {"inf", "0000"},    {"nan", "0000"},    {"0x1E", "0000"},  {"--3", "0000"},
        {"0.0001", "0000"}, {"1000", ".666"},   {"0.6", "0100"},   {"", "0000"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(composer::SecondsFraction(c.seconds), c.fraction) << '"' << c.seconds << '"';
    }
}

TEST(DecimalText, FifteenSignificantDigitsInPlainNotation) {
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {0.0, "0"},
        {-0.0, "0"},
        {1.0, "1"},
        {0.125, "0.125"},
        {51.56 / 60, "0.859333333333333"},
        {2.0 / 3, "0.666666666666667"},
        {0.0001 / 60, "0.00000166666666666667"},
        {1e20, "100000000000000000000"},
        {123456789012345678.0, "123456789012346000"},
        {-0.5, "-0.5"},
        {10.0, "10"},
        {16.666666666666668, "16.6666666666667"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(composer::DecimalText(c.value), c.text) << c.value;
    }
}

TEST(Composer, SameSentenceUnderAFrenchLocale) {
    Composer plain;
    TrameFields sample{"46", "42", "51.56", "N", "05", "38", "36.75", "E"};
    const std::string expected = plain.ComposeTrame(sample);

    // The name of the French locale differs between C libraries.
    const char* french = nullptr;
    for (const char* name : {"fr_FR.UTF-8", "fr-FR", "French_France.1252"}) {
        if ((french = std::setlocale(LC_ALL, name)) != nullptr) {
            break;
        }
    }
    ASSERT_NE(french, nullptr) << "no French locale is installed";
    ASSERT_EQ(*std::localeconv()->decimal_point, ',');
    std::locale previous;
    try {
        previous = std::locale::global(std::locale(french));
    } catch (const std::runtime_error&) {
        // This C++ library names only the "C" locale; the C library's one is set.
    }
    Composer composer;
    TrameFields again{"46", "42", "51.56", "N", "05", "38", "36.75", "E"};
    EXPECT_EQ(composer.ComposeTrame(again), expected);
    EXPECT_EQ(composer::SecondsFraction("51.56"), "8593");
    std::locale::global(previous);
    std::setlocale(LC_ALL, "C");
}

} // namespace
