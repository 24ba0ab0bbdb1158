// The command line, read in one place into one record, from one table of the options.
#pragma once

#include "trame/Firmware.h"

#include <chrono>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace trame {

struct Options {
    bool help = false;
    bool version = false;
    bool check = false;                   // --check: the operands are sentences
    std::optional<std::string> batch;     // --batch FILE, "-" for standard input
    std::vector<std::string> operands;    // the position's words, or the sentences to check
    std::optional<std::string> latitude;  // --lat
    std::optional<std::string> longitude; // --lon
    Form form = Form::Text;
    std::optional<bool> crlf;          // --crlf / --no-crlf; unset: the form's own choice
    std::optional<std::string> output; // -o FILE
    std::optional<std::string> port;   // --port PORT: the sentence sent there again and again
    std::chrono::duration<double> interval{1.0}; // --interval SECONDS between two sendings
    int baud = 4800;                             // --baud SPEED
    std::optional<long long> count;              // --count N sentences, then stop
    bool timestamp = false;                      // --timestamp: the clock's time in each one
    bool sending = false;                        // --interval, --baud, --count or --timestamp given
};

// One option: its names, its value's name (none for a flag), its help and what it sets.
struct Option {
    std::string_view shortName; // "-o", or empty
    std::string_view longName;  // "--output"
    std::string_view value;     // "FICHIER"; empty for a flag
    std::string_view help;      // lines joined by "\n"
    // Sets the option from its value (empty for a flag); a French reason when it cannot.
    std::string (*set)(Options& o, const std::string& value);
    int slot = 0; // options of one slot exclude each other (--crlf, --no-crlf); 0: its own
};

// Every option, in the order of the help.
extern const std::span<const Option> OptionTable;

// The options' part of --help, written from the table.
std::string OptionsHelp();

// The options, or `error` in French when the command line cannot be used.
struct OptionsReading {
    Options options;
    std::string error;
};

// The arguments after the program's name. An argument that starts with "-" and then a digit
// or "." is a negative coordinate, not an option; "--" ends the options.
OptionsReading ReadOptions(std::span<const std::string> arguments);

} // namespace trame
