// The command line, read in one place into one record.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace trame {

enum class Form { Text, Dt, De, C, Hex };

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
};

// The options, or `error` in French when the command line cannot be used.
struct OptionsReading {
    Options options;
    std::string error;
};

// The arguments after the program's name. An argument that starts with "-" and then a digit
// or "." is a negative coordinate, not an option; "--" ends the options.
OptionsReading ReadOptions(std::span<const std::string> arguments);

} // namespace trame
