// quorvelin-trame: the $GPRMC sentence of a position, from the command line.
#include "trame/Program.h"
#include "trame/System.h"

#include <iostream>

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const trame::Console console(argc, argv);
    return trame::Run(console.Arguments(), std::cin, std::cout, std::cerr);
}
