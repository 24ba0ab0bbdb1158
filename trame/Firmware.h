// The sentence's bytes as the firmware's source or a PIC programmer takes them.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace trame {

// The sentence as it is written: the text itself, a form for the firmware's source (dt, de, c)
// or for a PIC programmer (hex), or a map's waypoint (gpx, written by Gpx.h).
enum class Form { Text, Dt, De, C, Hex, Gpx };

// The data EEPROM of the PIC16F628 (and 16F628A, 16F84A; the 16F648A has more).
inline constexpr std::size_t EepromBytes = 128;

// Where the EEPROM's data stand in the programmer's file: 0x2100 in words, one byte a word.
inline constexpr unsigned EepromHexAddress = 0x4200;

// The bytes (the sentences, with their CR LF when they carry one) in a firmware form (not
// Text); `what` names them in the comment. Forms that go into the EEPROM (De, Hex) need the
// caller to have checked the size.
std::string FirmwareText(Form form, std::string_view bytes, std::string_view what);

// The dt and c forms of a batch, written as the sentences come: the start, one piece a
// sentence (its bytes with their CR LF), then the end, where the comment names the bytes,
// since only then are they counted.
std::string FirmwareStart(Form form);
std::string FirmwarePiece(Form form, std::string_view bytes);
std::string FirmwareEnd(Form form, std::size_t pieces, std::size_t bytes, std::string_view what);

// Whether the form puts the bytes into the data EEPROM.
bool InEeprom(Form form);

} // namespace trame
