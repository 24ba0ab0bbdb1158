// The main window: eight position boxes, the compose button and the sentence.
#pragma once

#include "forms/Design.h"

namespace forms {

const Window& Form1Design();

// The names of the window and of the controls that its behaviour and front-ends refer to.
namespace form1 {
inline constexpr std::string_view Form1 = "Form1";
inline constexpr std::string_view LatDeg = "LatDeg";
inline constexpr std::string_view LatMin = "LatMin";
inline constexpr std::string_view LatSec = "LatSec";
inline constexpr std::string_view LatPos = "LatPos";
inline constexpr std::string_view LongDeg = "LongDeg";
inline constexpr std::string_view LongMin = "LongMin";
inline constexpr std::string_view LongSec = "LongSec";
inline constexpr std::string_view LongPos = "LongPos";
inline constexpr std::string_view TextTrame = "TextTrame";
inline constexpr std::string_view Label6 = "Label6";
inline constexpr std::string_view Command1 = "Command1";
inline constexpr std::string_view CmdAide = "CmdAide";
} // namespace form1

// The sample sentence of the design, hidden from load on.
inline constexpr std::string_view SampleSentence =
    " $GPRMC,221545.000,A,4642.8593,N,00538.6125,E,0.28,257.55,161110,,,A*6A";

} // namespace forms
