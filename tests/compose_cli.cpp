// Composes one sentence a line of eight tab-separated texts (latitude degrees, minutes,
// seconds, hemisphere, then the same for the longitude), each from a freshly reset composer.
#include "composer/Composer.h"

#include <iostream>
#include <sstream>
#include <string>

int main() {
    std::string line;
    while (std::getline(std::cin, line)) {
        std::istringstream texts(line);
        composer::TrameFields fields;
        for (std::string* text :
             {&fields.latDeg, &fields.latMin, &fields.latSec, &fields.latPos, &fields.longDeg,
              &fields.longMin, &fields.longSec, &fields.longPos}) {
            std::getline(texts, *text, '\t');
        }
        composer::Composer composer;
        std::cout << composer.ComposeTrame(fields) << '\n';
    }
}
