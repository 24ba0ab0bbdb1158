// Text files as spreadsheets, Notepad and Windows PowerShell write them: a byte-order mark,
// UTF-16, lines ending at LF, CR LF or a lone CR, and semicolon CSV with quoted cells.
#pragma once

#include <istream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace trame {

// The lines of a stream, in UTF-8 without the byte-order mark. UTF-16 with its byte-order
// mark is converted, which reads it whole; anything else is read line by line.
class LineReader {
public:
    explicit LineReader(std::istream& in);

    // The next line without its end; false at the end of the stream.
    bool Next(std::string& line);

private:
    std::istream* in_;
    std::istringstream converted_;
    std::string block_;                    // up to the next LF, lone CRs included
    std::size_t rest_ = std::string::npos; // where the next line starts in `block_`
};

// One cell of a semicolon CSV line: its text, unquoted, and the text as it was written.
struct Cell {
    std::string text;
    std::string_view written;
};

// "\"Maison\";46.5 5.5" gives Maison and 46.5 5.5; "" inside quotes is one ".
std::vector<Cell> SemicolonCells(std::string_view line);

} // namespace trame
