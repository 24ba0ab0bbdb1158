// The main window: eight position boxes, the compose button and the sentence.
#pragma once

#include "forms/Design.h"

namespace forms {

const Window& Form1Design();

// The sample sentence of the design, hidden from load on.
inline constexpr std::string_view SampleSentence =
    " $GPRMC,221545.000,A,4642.8593,N,00538.6125,E,0.28,257.55,161110,,,A*6A";

} // namespace forms
