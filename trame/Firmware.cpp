#include "trame/Firmware.h"

#include "composer/Composer.h"

#include <cstdint>
#include <string>
#include <vector>

namespace trame {
namespace {

// One line of bytes a sentence: the bytes up to and including each line feed.
std::vector<std::string_view> lines(std::string_view bytes) {
    std::vector<std::string_view> result;
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        const std::size_t length = end == std::string_view::npos ? bytes.size() : end + 1;
        result.push_back(bytes.substr(0, length));
        bytes.remove_prefix(length);
    }
    return result;
}

bool plainInQuotes(char c) {
    return c >= ' ' && c <= '~' && c != '"' && c != '\\' && c != '\'';
}

// The assembler's operands: printable runs as "text", other bytes as 0xHH.
std::string assemblerOperands(std::string_view bytes) {
    std::string operands;
    for (std::size_t i = 0; i < bytes.size();) {
        operands += operands.empty() ? "" : ", ";
        if (plainInQuotes(bytes[i])) {
            const std::size_t start = i;
            while (i < bytes.size() && plainInQuotes(bytes[i])) {
                ++i;
            }
            operands += '"' + std::string(bytes.substr(start, i - start)) + '"';
        } else {
            operands += "0x" + composer::HexDigits(static_cast<std::uint8_t>(bytes[i++]));
        }
    }
    return operands;
}

// One assembler line a sentence, under the given directive.
std::string assemblerLines(std::string_view directive, std::string_view bytes) {
    std::string text;
    for (const std::string_view line : lines(bytes)) {
        text += "        " + std::string(directive) + "      " + assemblerOperands(line) + '\n';
    }
    return text;
}

std::string cString(std::string_view bytes) {
    std::string text = "\"";
    for (const char c : bytes) {
        if (c == '\r') {
            text += "\\r";
        } else if (c == '\n') {
            text += "\\n";
        } else if (c == '"' || c == '\\') {
            text += std::string("\\") + c;
        } else if (c >= ' ' && c <= '~') {
            text += c;
        } else { // octal: a hexadecimal escape would swallow the digits after it
            const auto code = static_cast<std::uint8_t>(c);
            text += {'\\', char('0' + (code >> 6)), char('0' + ((code >> 3) & 7)),
                     char('0' + (code & 7))};
        }
    }
    return text + '"';
}

// Intel HEX: the EEPROM's bytes one a word (low byte first, high byte 0), 16 bytes a record.
std::string intelHex(std::string_view bytes) {
    std::string words;
    for (const char c : bytes) {
        words += c;
        words += '\0';
    }
    std::string text;
    for (std::size_t offset = 0; offset < words.size(); offset += 16) {
        const std::string_view data = std::string_view(words).substr(offset, 16);
        const unsigned address = EepromHexAddress + static_cast<unsigned>(offset);
        const std::uint8_t header[] = {static_cast<std::uint8_t>(data.size()),
                                       static_cast<std::uint8_t>(address >> 8),
                                       static_cast<std::uint8_t>(address & 0xFF), 0x00};
        std::uint8_t sum = 0;
        text += ':';
        for (const std::uint8_t byte : header) {
            text += composer::HexDigits(byte);
            sum += byte;
        }
        for (const char c : data) {
            text += composer::HexDigits(static_cast<std::uint8_t>(c));
            sum += static_cast<std::uint8_t>(c);
        }
        text += composer::HexDigits(static_cast<std::uint8_t>(-sum)) + '\n';
    }
    return text + ":00000001FF\n";
}

} // namespace

bool InEeprom(Form form) {
    return form == Form::De || form == Form::Hex;
}

std::string FirmwareStart(Form form) {
    return form == Form::C ? "static const char trame[] =" : "";
}

std::string FirmwarePiece(Form form, std::string_view bytes) {
    return form == Form::C ? "\n    " + cString(bytes) : assemblerLines("dt", bytes);
}

std::string FirmwareEnd(Form form, std::size_t pieces, std::size_t bytes, std::string_view what) {
    const std::string comment = std::string(what) + " : " + std::to_string(bytes) + " octets";
    if (form == Form::C) {
        return std::string(pieces == 0 ? "\n    \"\"" : "") + ";\n/* " + comment +
               " */\n#define TRAME_OCTETS " + std::to_string(bytes) + "\n";
    }
    return "; " + comment + " (table de RETLW)\n";
}

std::string FirmwareText(Form form, std::string_view bytes, std::string_view what) {
    const std::string count = std::to_string(bytes.size()) + " octets";
    std::string text;
    switch (form) {
    case Form::Dt:
        return "; " + std::string(what) + " : " + count + " (table de RETLW)\n" +
               assemblerLines("dt", bytes);
    case Form::De:
        return "; " + std::string(what) + " : " + count +
               " dans l'EEPROM de données (PIC16F628, 16F628A, 16F648A, 16F84A)\n"
               "        org     0x2100\n" +
               assemblerLines("de", bytes);
    case Form::C:
        text = "/* " + std::string(what) + " : " + count + " */\n#define TRAME_OCTETS " +
               std::to_string(bytes.size()) + "\nstatic const char trame[TRAME_OCTETS + 1] =";
        for (const std::string_view line : lines(bytes)) {
            text += "\n    " + cString(line);
        }
        return text + ";\n";
    case Form::Hex:
        return intelHex(bytes);
    case Form::Text:
    case Form::Gpx:
        break;
    }
    return std::string(bytes);
}

} // namespace trame
