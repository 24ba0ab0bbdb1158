// Text files as spreadsheets, Notepad and Windows PowerShell write them: a byte-order mark,
// UTF-16, lines ending at LF, CR LF or a lone CR, and semicolon CSV with quoted cells.
#pragma once

#include <istream>
#include <string>
#include <string_view>
#include <vector>

namespace trame {

// No position, even with a name before it, needs more: longer lines are skipped unread.
inline constexpr std::size_t MaxLineBytes = 4096;

// The lines of a stream, in UTF-8 without the byte-order mark, read as they come in blocks:
// UTF-16 with its byte-order mark is converted on the way. A failed read is the stream
// buffer's exception (platform::InputFile's Failure).
class LineReader {
public:
    explicit LineReader(std::istream& in);

    enum class Got { Line, TooLong, End };

    // The next line without its end; TooLong for a line of more than MaxLineBytes, which is
    // passed over without being kept.
    Got Next(std::string& line);

private:
    enum class Encoding { Utf8, Utf16LittleEndian, Utf16BigEndian };

    bool fill();
    std::size_t readSome(char* bytes, std::size_t count);

    std::streambuf* in_;
    Encoding encoding_ = Encoding::Utf8;
    std::string block_;     // bytes read and not yet taken, in UTF-8
    std::size_t taken_ = 0; // where the untaken bytes of `block_` start
    std::string utf16_;     // UTF-16 bytes that wait for the rest of their character
    bool afterCr_ = false;  // a LF that comes next ends no line: CR LF
    bool ended_ = false;
};

// One cell of a semicolon CSV line: its text, unquoted, and the text as it was written.
struct Cell {
    std::string text;
    std::string_view written;
};

// "\"Maison\";46.5 5.5" gives Maison and 46.5 5.5; "" inside quotes is one ".
std::vector<Cell> SemicolonCells(std::string_view line);

} // namespace trame
