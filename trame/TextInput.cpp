#include "trame/TextInput.h"

#include <algorithm>

namespace trame {

void AppendUtf8(std::string& text, char32_t c) {
    const auto byte = [&](char32_t value) { text += static_cast<char>(value); };
    if (c < 0x80) {
        byte(c);
    } else if (c < 0x800) {
        byte(0xC0 | (c >> 6));
        byte(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        byte(0xE0 | (c >> 12));
        byte(0x80 | ((c >> 6) & 0x3F));
        byte(0x80 | (c & 0x3F));
    } else {
        byte(0xF0 | (c >> 18));
        byte(0x80 | ((c >> 12) & 0x3F));
        byte(0x80 | ((c >> 6) & 0x3F));
        byte(0x80 | (c & 0x3F));
    }
}

namespace {

// UTF-16 as UTF-8, as far as whole characters go: what is left for the next block (an odd
// byte, a high surrogate whose low one may follow) stays in `bytes`. At the end, a lone
// surrogate becomes U+FFFD.
void convertUtf16(std::string& bytes, bool bigEndian, bool atEnd, std::string& text) {
    const auto unitAt = [&](std::size_t i) -> char32_t {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        return bigEndian ? (first << 8) | second : (second << 8) | first;
    };
    std::size_t i = 0;
    for (; i + 1 < bytes.size(); i += 2) {
        char32_t c = unitAt(i);
        const bool high = c >= 0xD800 && c < 0xDC00;
        if (high && i + 3 >= bytes.size() && !atEnd) {
            break; // its low surrogate may be in the next block
        }
        if (high && i + 3 < bytes.size() && unitAt(i + 2) >= 0xDC00 && unitAt(i + 2) < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (unitAt(i + 2) - 0xDC00);
            i += 2;
        } else if (c >= 0xD800 && c < 0xE000) {
            c = 0xFFFD;
        }
        AppendUtf8(text, c);
    }
    bytes.erase(0, i);
}

} // namespace

LineReader::LineReader(std::istream& in) : in_(in.rdbuf()) {
    // The byte-order mark: the first block, or the first three bytes, tell.
    while (block_.size() < 3 && !ended_) {
        char bytes[3];
        const std::size_t got = readSome(bytes, 3 - block_.size());
        block_.append(bytes, got);
        ended_ = got == 0;
    }
    if (block_.starts_with("\xEF\xBB\xBF")) {
        taken_ = 3;
    } else if (block_.starts_with("\xFF\xFE") || block_.starts_with("\xFE\xFF")) {
        encoding_ = block_[0] == '\xFF' ? Encoding::Utf16LittleEndian : Encoding::Utf16BigEndian;
        utf16_ = block_.substr(2);
        block_.clear();
    }
}

// What the stream has at hand, or at least one byte (0 at the end): a terminal's or a pipe's
// lines are read as they come.
std::size_t LineReader::readSome(char* bytes, std::size_t count) {
    std::streamsize available = in_->in_avail();
    if (available <= 0 && in_->sgetc() != std::char_traits<char>::eof()) {
        available = in_->in_avail();
    }
    if (available <= 0) {
        return 0;
    }
    return static_cast<std::size_t>(
        in_->sgetn(bytes, std::min(static_cast<std::streamsize>(count), available)));
}

bool LineReader::fill() {
    block_.clear();
    taken_ = 0;
    while (block_.empty() && !ended_) {
        char bytes[1 << 16];
        const std::size_t got = readSome(bytes, sizeof bytes);
        ended_ = got == 0;
        if (encoding_ == Encoding::Utf8) {
            block_.append(bytes, got);
        } else {
            utf16_.append(bytes, got);
            convertUtf16(utf16_, encoding_ == Encoding::Utf16BigEndian, ended_, block_);
        }
    }
    return !block_.empty();
}

LineReader::Got LineReader::Next(std::string& line) {
    line.clear();
    bool started = false, tooLong = false;
    for (;;) {
        if (taken_ == block_.size() && !fill()) {
            return !started ? Got::End : tooLong ? Got::TooLong : Got::Line;
        }
        if (afterCr_) {
            afterCr_ = false;
            taken_ += block_[taken_] == '\n' ? 1 : 0;
            continue;
        }
        const auto lineEnd =
            std::find_if(block_.begin() + static_cast<std::ptrdiff_t>(taken_), block_.end(),
                         [](char c) { return c == '\n' || c == '\r'; });
        const auto end = static_cast<std::size_t>(lineEnd - block_.begin());
        started = true;
        if (!tooLong && line.size() + (end - taken_) > MaxLineBytes) {
            tooLong = true;
            line.clear();
        }
        if (!tooLong) {
            line.append(block_, taken_, end - taken_);
        }
        if (end == block_.size()) {
            taken_ = end;
            continue;
        }
        afterCr_ = block_[end] == '\r';
        taken_ = end + 1;
        return tooLong ? Got::TooLong : Got::Line;
    }
}

std::vector<Cell> SemicolonCells(std::string_view line) {
    std::vector<Cell> cells;
    std::size_t start = 0;
    for (;;) {
        Cell cell;
        std::size_t i = start;
        if (i < line.size() && line[i] == '"') {
            for (++i; i < line.size(); ++i) {
                if (line[i] != '"') {
                    cell.text += line[i];
                } else if (i + 1 < line.size() && line[i + 1] == '"') {
                    cell.text += '"';
                    ++i;
                } else {
                    ++i; // the closing quote
                    break;
                }
            }
        }
        const std::size_t end = std::min(line.find(';', i), line.size());
        cell.text.append(line.substr(i, end - i));
        cell.written = line.substr(start, end - start);
        cells.push_back(std::move(cell));
        if (end == line.size()) {
            return cells;
        }
        start = end + 1;
    }
}

} // namespace trame
