#include "trame/Batch.h"

#include "trame/PositionText.h"
#include "trame/Status.h"
#include "trame/TextInput.h"

#include <string>
#include <vector>

namespace trame {
namespace {

// The cells from `first` on, joined again by semicolons.
std::string joinedCells(const std::vector<Cell>& cells, std::size_t first) {
    std::string text;
    for (std::size_t i = first; i < cells.size(); ++i) {
        text += (i > first ? ";" : "") + cells[i].text;
    }
    return text;
}

// A line's sentence and its name, written and read, empty when unnamed. The whole line is a
// position when it reads as one ("46,7;5,6": latitude and longitude in two columns); otherwise
// its first cell is the name.
std::string composeLine(std::string_view line, Label& label, std::string& name,
                        std::string& error) {
    label.written = label.name = {};
    if (line.find('"') == std::string_view::npos) { // no quoted cell: no copies
        std::string sentence = SentenceOf(line, error);
        if (!error.empty() && line.find(';') != std::string_view::npos) {
            label.written = label.name = line.substr(0, line.find(';'));
            sentence = SentenceOf(line.substr(label.written.size() + 1), error);
        }
        return sentence;
    }
    const std::vector<Cell> cells = SemicolonCells(line);
    std::string sentence = SentenceOf(joinedCells(cells, 0), error);
    if (!error.empty() && cells.size() > 1) {
        label.written = cells.front().written;
        label.name = name = cells.front().text;
        sentence = SentenceOf(joinedCells(cells, 1), error);
    }
    return sentence;
}

} // namespace

int Batch(std::istream& input, Writer& writer, std::ostream& err) {
    LineReader lines(input);
    std::string line, error, name;
    Label label;
    int status = Success;
    LineReader::Got got;
    for (std::size_t number = 1; (got = lines.Next(line)) != LineReader::Got::End; ++number) {
        if (got == LineReader::Got::TooLong) {
            err << "quorvelin-trame : ligne " << number << " : plus de " << MaxLineBytes
                << " octets, passée\n";
            status = SomeInvalid;
            continue;
        }
        if (line.find_first_not_of(" \t") == std::string::npos) {
            continue;
        }
        const std::string sentence = composeLine(line, label, name, error);
        if (!error.empty()) {
            err << "quorvelin-trame : ligne " << number << " : " << error << '\n';
            status = SomeInvalid;
            continue;
        }
        label.line = number;
        writer.Add(label, sentence);
    }
    return status;
}

} // namespace trame
