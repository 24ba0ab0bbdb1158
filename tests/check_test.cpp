// --check judges every field of RMC, not only the position: each case is the sentence's body
// (its checksum is added here) and what the check must say of it, written out by hand.
#include "composer/Composer.h"
#include "trame/Check.h"

#include <gtest/gtest.h>

#include <string>

namespace {

trame::SentenceCheck checkBody(const std::string& body) {
    return trame::CheckSentence(composer::WithChecksum("$" + body));
}

TEST(CheckFields, FaultsNameTheFieldAndItsValue) {
    const struct {
        std::string body;
        const char* problem; // exactly
    } cases[] = {
        {"GPRMC,ab:cd:ef,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W,A",
         "heure « ab:cd:ef » n'a pas la forme hhmmss ou hhmmss.ss"},
        {"GPRMC,123519.,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W,A",
         "heure « 123519. » n'a pas la forme hhmmss ou hhmmss.ss"},
        {"GPRMC,240000,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W,A",
         "heure « 240000 » : heures de 24 ou plus"},
        {"GPRMC,126000,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W,A",
         "heure « 126000 » : minutes de 60 ou plus"},
        {"GPRMC,123560,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W,A",
         "heure « 123560 » : secondes de 60 ou plus (60 n'est permis qu'à 235960, seconde "
         "intercalaire)"},
        {"GPRMC,235961,A,4807.038,N,01131.000,E,022.4,084.4,311216,003.1,W,A",
         "heure « 235961 » : secondes de 60 ou plus (60 n'est permis qu'à 235960, seconde "
         "intercalaire)"},
        {"GPRMC,123519,A,4807.038,N,01131.000,E,xx,084.4,230394,003.1,W,A",
         "vitesse « xx » n'est pas un nombre décimal"},
        {"GPRMC,123519,A,4807.038,N,01131.000,E,-1.5,084.4,230394,003.1,W,A",
         "vitesse « -1.5 » n'est pas un nombre décimal"},
        {"GPRMC,123519,A,4807.038,N,01131.000,E,022.4,yy,230394,003.1,W,A",
         "cap « yy » n'est pas un nombre décimal"},
        {"GPRMC,123519,A,4807.038,N,01131.000,E,022.4,1.2.3,230394,003.1,W,A",
         "cap « 1.2.3 » n'est pas un nombre décimal"},
        {"GPRMC,123519,A,4807.038,N,01131.000,E,022.4,360.0,230394,003.1,W,A",
         "cap « 360.0 » : 360° ou plus"},
        {"GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,999999,003.1,W,A",
         "date « 999999 » : pas de mois 99"},
        {"GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,310494,003.1,W,A",
         "date « 310494 » : pas de jour 31 en avril"},
        {"GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,000394,003.1,W,A",
         "date « 000394 » : pas de jour 00 en mars"},
        {"GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,290223,003.1,W,A",
         "date « 290223 » : pas de 29 février, l'année 23 n'est pas bissextile"},
        {"GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,23031994,003.1,W,A",
         "date « 23031994 » n'a pas la forme ddmmyy"},
        {"GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,,A",
         "lettre E ou W de la déclinaison magnétique manquante"},
        {"GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,N,A",
         "lettre E ou W de la déclinaison magnétique remplacée par « N »"},
        {"GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,,W,A",
         "déclinaison magnétique manquante devant sa lettre « W »"},
        {"GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,3°,W,A",
         "déclinaison magnétique « 3° » n'est pas un nombre décimal"},
        {"GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,180.1,W,A",
         "déclinaison magnétique « 180.1 » : au-delà de 180°"},
        {"GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W,X",
         "mode « X » au lieu de A, D, E, F, M, N, P, R ou S"},
        {"GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W,A,X",
         "état de navigation « X » au lieu de S, C, U ou V"},
        {"GPRMC,123519,A,,,,,022.4,084.4,230394,003.1,W,A",
         "état A (position valide) sans position"},
        // Characters that cannot be seen are named, never echoed.
        {"GPRMC,12\x01"
         "519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W,A",
         "heure « 12\\x01519 » n'a pas la forme hhmmss ou hhmmss.ss"},
        {"GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W," + std::string(1, '\0'),
         "mode « \\x00 » au lieu de A, D, E, F, M, N, P, R ou S"},
        {"GPRMC,123519,A,4807.038,N,01131.000,E,22\u202F4,084.4,230394,003.1,W,A",
         "vitesse « 22U+202F4 » n'est pas un nombre décimal"},
        {"GPRMC,123519,A,4807.038,N,01131.000,E,\xE9t\xE9,084.4,230394,003.1,W,A",
         "vitesse « \\xE9t\\xE9 » n'est pas un nombre décimal"}, // Latin-1, not UTF-8
        {"GPRMC,123519,A,4807.038,N,01131.000,E,\u00E9t\u00E9,084.4,230394,003.1,W,A",
         "vitesse « \u00E9t\u00E9 » n'est pas un nombre décimal"},
        {"GPRMC,123519,\x1B,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W,A",
         "état « \\x1B » au lieu de A ou V"},
        {"G\x7FRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W,A",
         "pas une trame RMC (« G\\x7FRMC »)"},
        // Every faulty field is named, in the sentence's order.
        {"GPRMC,ab:cd:ef,A,4807.038,N,01131.000,E,xx,084.4,999999,003.1,W,X",
         "heure « ab:cd:ef » n'a pas la forme hhmmss ou hhmmss.ss\n"
         "  vitesse « xx » n'est pas un nombre décimal\n"
         "  date « 999999 » : pas de mois 99\n"
         "  mode « X » au lieu de A, D, E, F, M, N, P, R ou S"},
    };
    for (const auto& c : cases) {
        const trame::SentenceCheck check = checkBody(c.body);
        EXPECT_EQ(check.problem, c.problem) << c.body;
        EXPECT_EQ(check.position, "") << c.body;
    }
}

TEST(CheckFields, AcceptedSentencesAndWhatIsSaidOfThem) {
    const char* const position = "  degrés décimaux : 48.117300 11.516667\n"
                                 "  degrés, minutes : 48°07.038'N 11°31.000'E\n"
                                 "  degrés, minutes, secondes : 48°7'2.28\"N 11°31'0.00\"E\n";
    const struct {
        std::string body;
        std::string lines; // exactly
    } cases[] = {
        {"GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W", position},
        {"GPRMC,235960.50,A,4807.038,N,01131.000,E,.5,0,311216,,,D", position},
        {"GPRMC,000000,A,4807.038,N,01131.000,E,,359.99,290200,180,E,R,C", position},
        {"GPRMC,,A,4807.038,N,01131.000,E,5.,,290296,0.0,W,P,U", position},
        {"GPRMC,123519,A,4807.038,N,01131.000,E,0,0,010100,,,S,", position},
        {"GPRMC,123519,V,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W,N,V",
         std::string("  état V : le récepteur marque cette position comme non valide\n") +
             position},
        {"GPRMC,123519,V,,,,,,,,,,N,V", ""},
        {"GPRMC,123519,A,0000.0000,S,00000.0000,W,,,,,,A",
         "  degrés décimaux : 0.000000 0.000000\n"
         "  degrés, minutes : 0°00.0000'S 0°00.0000'W\n"
         "  degrés, minutes, secondes : 0°0'0.00\"S 0°0'0.00\"W\n"},
        {"GPRMC,123519,A,0000.0000,S,00000.0001,W,,,,,,A",
         "  degrés décimaux : 0.000000 -0.000002\n"
         "  degrés, minutes : 0°00.0000'S 0°00.0001'W\n"
         "  degrés, minutes, secondes : 0°0'0.00\"S 0°0'0.01\"W\n"},
        // The beacon's own placeholders, kept valid, with what clients make of them.
        {"GPRMC,000000.000,V,,,,,0.00,000.00,000000,,,0",
         "  sans position\n"
         "  remarque : date « 000000 », qui n'est pas un jour : gpsd n'en tire ni date ni heure, "
         "GPSBabel et pynmea2 aucune date\n"
         "  remarque : mode « 0 », pas une lettre de mode NMEA mais celui de la balise : gpsd le "
         "prend pour A, pynmea2 l'ignore\n"},
    };
    for (const auto& c : cases) {
        const trame::SentenceCheck check = checkBody(c.body);
        EXPECT_EQ(check.problem, "") << c.body;
        EXPECT_EQ(check.position, c.lines) << c.body;
    }
    // Every mode letter of NMEA 2.3 to 4.1, and every navigational status of 4.1.
    for (const char mode : std::string("ADEFMNPRS")) {
        for (const char status : std::string("SCUV")) {
            const std::string body = "GPRMC,,V,,,,,,,,,," + std::string{mode, ',', status};
            EXPECT_EQ(checkBody(body).problem, "") << body;
        }
    }
}

} // namespace
