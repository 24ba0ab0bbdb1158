// quorvelin-trame: the $GPRMC sentence of a position, from the command line.
#include "platform/Files.h"
#include "trame/Program.h"
#include "trame/System.h"

#include <iostream>

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const trame::Console console(argc, argv);
    // The standard streams through the system's calls, so that a failed read or write is
    // told with its reason rather than taken for the end.
    platform::InputFile input;
    platform::OutputFile output;
    std::istream in(&input);
    std::ostream out(&output);
    out.exceptions(std::ios::badbit);
    return trame::Run(console.Arguments(), in, out, std::cerr);
}
