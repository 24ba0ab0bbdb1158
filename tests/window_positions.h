// Positions the main window can write, shared by the composer's tests and quorvelin-trame's:
// the window's eight texts, the same position as typed on the command line, and the sentence
// both must give, byte for byte.
#pragma once

#include "composer/Composer.h"

struct WindowPosition {
    composer::TrameFields fields;
    const char* typed;
    const char* sentence;
};

inline const WindowPosition WindowPositions[] = {
    {{"46", "00", "00.00", "N", "05", "00", "00.00", "E"},
     "46 00 00.00 N 05 00 00.00 E",
     "$GPRMC,000000.000,A,4600.0000,N,00500.0000,E,0.00,000.00,000000,,,0*18"},
    {{"46", "42", "51.56", "N", "05", "38", "36.75", "E"},
     "46°42'51.56\"N 5°38'36.75\"E",
     "$GPRMC,000000.000,A,4642.8593,N,00538.6125,E,0.00,000.00,000000,,,0*12"},
    {{"00", "00", "00.00", "N", "05", "00", "00.00", "W"},
     "0 0 0 N 5 0 0 W",
     "$GPRMC,000000.000,A,0000.0000,N,00500.0000,W,0.00,000.00,000000,,,0*08"},
    {{"89", "59", "59.99", "S", "99", "59", "59.99", "W"},
     "S 89 59 59.99 W 99 59 59.99",
     "$GPRMC,000000.000,A,8959.9998,S,09959.9998,W,0.00,000.00,000000,,,0*11"},
    // Seconds whose minutes, written to 15 digits, end in ...99999: cut, never rounded up.
    {{"33", "51", "35.9", "S", "70", "40", "12.3", "W"},
     "-33 51 35.9 -70 40 12.3",
     "$GPRMC,000000.000,A,3351.5983,S,07040.2050,W,0.00,000.00,000000,,,0*17"},
    {{"0", "0", "7.5", "N", "0", "0", "3", "E"},
     "0d0m7.5sN 0d0m3sE",
     "$GPRMC,000000.000,A,0000.1250,N,00000.0500,E,0.00,000.00,000000,,,0*1C"},
    {{"12", "07", "0.006", "N", "01", "02", "59.9", "E"},
     "12 07 0,006 N 1 2 59,9 E",
     "$GPRMC,000000.000,A,1207.0001,N,00102.9983,E,0.00,000.00,000000,,,0*12"},
};
