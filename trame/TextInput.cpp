#include "trame/TextInput.h"

#include <algorithm>
#include <iterator>

namespace trame {
namespace {

void appendUtf8(std::string& text, char32_t c) {
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

// UTF-16 as UTF-8; a lone surrogate becomes U+FFFD.
std::string utf8FromUtf16(std::string_view bytes, bool bigEndian) {
    const auto unitAt = [&](std::size_t i) -> char32_t {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        return bigEndian ? (first << 8) | second : (second << 8) | first;
    };
    std::string text;
    text.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        char32_t c = unitAt(i);
        if (c >= 0xD800 && c < 0xDC00 && i + 3 < bytes.size() && unitAt(i + 2) >= 0xDC00 &&
            unitAt(i + 2) < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (unitAt(i + 2) - 0xDC00);
            i += 2;
        } else if (c >= 0xD800 && c < 0xE000) {
            c = 0xFFFD;
        }
        appendUtf8(text, c);
    }
    return text;
}

} // namespace

LineReader::LineReader(std::istream& in) : in_(&in) {
    const int first = in.peek();
    if (first != 0xEF && first != 0xFF && first != 0xFE) {
        return; // the common case, read as it comes
    }
    // A possible byte-order mark: read whole, since a stream cannot give bytes back.
    const std::string all((std::istreambuf_iterator<char>(in)), {});
    if (all.starts_with("\xFF\xFE") || all.starts_with("\xFE\xFF")) {
        converted_.str(utf8FromUtf16(std::string_view(all).substr(2), all[0] == '\xFE'));
    } else {
        converted_.str(all.starts_with("\xEF\xBB\xBF") ? all.substr(3) : all);
    }
    in_ = &converted_;
}

bool LineReader::Next(std::string& line) {
    if (rest_ == std::string::npos) {
        if (!std::getline(*in_, block_)) {
            return false;
        }
        rest_ = 0;
    }
    const std::size_t cr = block_.find('\r', rest_);
    if (rest_ == 0 && cr == std::string::npos) { // the common line: no copy
        line.swap(block_);
        rest_ = std::string::npos;
        return true;
    }
    const bool blockEnds = cr == std::string::npos || cr + 1 == block_.size(); // LF or CR LF
    line.assign(block_, rest_, (cr == std::string::npos ? block_.size() : cr) - rest_);
    rest_ = blockEnds ? std::string::npos : cr + 1;
    return true;
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
