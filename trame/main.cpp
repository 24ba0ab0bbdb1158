// quorvelin-trame: the $GPRMC sentence of a position, from the command line.
#include "trame/Program.h"
#include "trame/System.h"

#include <iostream>

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> arguments = trame::PrepareConsole(argc, argv);
    return trame::Run(arguments, std::cin, std::cout, std::cerr);
}
