// Where the sentences go and in which form: standard output or the -o file, the text or a
// firmware's form.
#pragma once

#include "platform/Files.h"
#include "trame/Options.h"

#include <optional>
#include <ostream>
#include <string>
#include <string_view>

namespace trame {

// Standard output, or the -o file, which is replaced only once the run has written
// everything: a run that fails or is interrupted leaves it as it was. Failures throw
// platform::Failure.
class Destination {
public:
    Destination(const Options& o, std::ostream& out);

    void Write(std::string_view text);
    void Commit();

private:
    std::ostream& out_;
    std::optional<platform::OutputFile> file_;
};

// What names a sentence: its line, and its name as written ("\"Mai;son\"") and as read
// (Mai;son), both empty when it has none.
struct Label {
    std::size_t line = 1;
    std::string_view written, name;
};

// The sentences in the chosen form, written as they come (gpx's waypoints too), except the
// EEPROM's forms, whose few bytes are held until their size is known to fit, and a single
// sentence's firmware form, whose comment comes first.
class Writer {
public:
    Writer(const Options& o, Destination& destination, bool batch);

    // A sentence, with its name as written in the text form ("NAME;SENTENCE"), as read in gpx
    // (or the line's number when it has none).
    void Add(const Label& label, const std::string& sentence);

    // Writes the end and puts the output in place; returns the note for the standard error
    // (the EEPROM's address for hex), if any. Throws platform::Failure when the EEPROM's
    // forms do not fit.
    std::string Finish();

private:
    bool held() const;
    void open();

    const Form form_;
    const bool crlf_;
    const std::string lineEnd_;
    Destination& destination_;
    const bool batch_;
    std::size_t count_ = 0, bytes_ = 0;
    std::string last_, held_;
    bool opened_ = false;
};

} // namespace trame
