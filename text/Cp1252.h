// The composer works on bytes; the windows hand it Windows-1252, the code page the sentence's
// users' beacons and PCs share, so é or ° typed in a box count as one byte in the checksum.
// The windows' own texts are UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace text {

// The character a byte stands for; the five bytes Windows-1252 leaves unused keep their C1
// code point, as Windows itself maps them.
char32_t Cp1252Character(unsigned char byte);

// Characters outside Windows-1252, and bytes that are not UTF-8, become "?", one each.
std::string ToCp1252(std::string_view utf8);
std::string FromCp1252(std::string_view bytes);

} // namespace text
