// The composer works on bytes; the window hands it Windows-1252, the code page the sentence's
// users' beacons and PCs share, so é or ° typed in a box count as one byte in the checksum.
#pragma once

#include <QString>

#include <string>

namespace main_window {

// Characters outside Windows-1252 become "?", one per character.
std::string ToCp1252(const QString& text);
QString FromCp1252(const std::string& bytes);

} // namespace main_window
