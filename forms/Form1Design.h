// The main window: eight position boxes, the compose button and the sentence.
#pragma once

#include "forms/Design.h"

#include <array>

namespace forms {

// The sample sentence of the design, hidden from load on.
inline constexpr std::string_view SampleSentence =
    " $GPRMC,221545.000,A,4642.8593,N,00538.6125,E,0.28,257.55,161110,,,A*6A";

namespace form1 {
namespace parts {

inline constexpr Font Bold975{9.75, true};
inline constexpr Font Bold825{8.25, true};
inline constexpr Font Bold12{12, true};
inline constexpr Font Bold135{13.5, true};

constexpr Control box(std::string_view name, int tab, Rect place, std::string_view text,
                      int maxLength, std::string_view accessibleName, Font font = Bold975) {
    Control control{name, Kind::EntryBox, tab, place, text, font, Align::Centre, LightCyan};
    control.maxLength = maxLength;
    control.accessibleName = accessibleName;
    return control;
}

// A hemisphere box: one letter, always selected, so typing N, S, E or W replaces it.
constexpr Control hemisphere(std::string_view name, int tab, Rect place, std::string_view text,
                             std::string_view accessibleName) {
    Control control = box(name, tab, place, text, 1, accessibleName);
    control.keepsSelected = true;
    return control;
}

// The marks are shorter than a line of their font: only its top, where they sit, shows.
constexpr Control mark(std::string_view name, int tab, Rect place, std::string_view text,
                       Font font) {
    Control control{name, Kind::Label, tab, place, text, font};
    control.background = std::nullopt;
    control.decorative = true; // each box's name already says its unit
    return control;
}

constexpr Control button(std::string_view name, int tab, Rect place, std::string_view caption,
                         Colour background, Font font, std::string_view description) {
    Control control{name, Kind::Button, tab, place, caption, font, Align::Centre, background};
    control.handPointer = true;
    control.accessibleDescription = description;
    return control;
}

constexpr Control caption(std::string_view name, int tab, Rect place, std::string_view text,
                          Font font, std::optional<Colour> colour = std::nullopt) {
    Control control{name, Kind::Label, tab, place, text, font, Align::Centre};
    control.foreground = colour;
    return control;
}

constexpr Control sentenceBox() {
    Control control{"TextTrame", Kind::ReadOnlyBox, 3, {240, 2760, 6255, 405}, ""};
    control.align = Align::Centre; // as every entry box
    control.background = LightYellow;
    control.foreground = Navy;
    control.accessibleName = "Trame NMEA";
    control.announcement = "Trame créée";
    return control;
}

constexpr Control sampleSentence() {
    Control control{"Label6", Kind::Label, 13, {360, 2400, 6015, 375}, SampleSentence};
    control.align = Align::Centre;
    control.background = std::nullopt; // opaque in the design, but never shown
    control.visible = false;
    return control;
}

} // namespace parts

// In the order the controls are made; their names are their object names.
inline constexpr std::array<Control, 21> Controls{
    parts::button("CmdAide", 20, {120, 120, 975, 255}, "A lire", LightGrey, {},
                  "À propos du programme"),
    parts::hemisphere("LongPos", 12, {5760, 720, 375, 405}, "E", "Longitude, hémisphère E ou W"),
    parts::hemisphere("LatPos", 11, {2640, 720, 375, 375}, "N", "Latitude, hémisphère N ou S"),
    parts::box("LongSec", 10, {4800, 720, 615, 375}, "00.00", 5, "Longitude, secondes"),
    parts::box("LongMin", 9, {4320, 720, 375, 375}, "00", 2, "Longitude, minutes"),
    parts::box("LongDeg", 8, {3840, 720, 375, 375}, "05", 2, "Longitude, degrés"),
    parts::box("LatSec", 7, {1680, 720, 615, 375}, "00.00", 5, "Latitude, secondes",
               parts::Bold825),
    parts::box("LatMin", 6, {1080, 720, 375, 375}, "00", 2, "Latitude, minutes"),
    parts::box("LatDeg", 5, {600, 720, 375, 375}, "46", 2, "Latitude, degrés"),
    parts::sentenceBox(),
    parts::button("Command1", 0, {2520, 1800, 1935, 495}, "Créer la trame NMEA", LightGreen,
                  parts::Bold825, "Compose la trame de la position saisie"),
    parts::mark("Label9", 19, {5400, 600, 135, 135}, "''", parts::Bold135),
    parts::mark("Label8", 18, {2280, 600, 255, 135}, "''", parts::Bold135),
    parts::mark("Label7", 17, {4680, 600, 255, 135}, "'", parts::Bold135),
    parts::mark("Label5", 16, {1560, 600, 135, 255}, "'", parts::Bold135),
    parts::mark("Label4", 15, {4200, 600, 135, 135}, "°", parts::Bold12),
    parts::mark("Label3", 14, {960, 600, 135, 135}, "°", parts::Bold12),
    parts::sampleSentence(),
    parts::caption("Label2", 4, {3000, 3240, 975, 255}, "Trame", parts::Bold12),
    parts::caption("Label1", 2, {4200, 1200, 1695, 375}, "Longitude", parts::Bold135, Blue),
    parts::caption("Latitude", 1, {1200, 1200, 1215, 375}, "Latitude", parts::Bold135, Blue),
};

// The controls that the window's behaviour and front-ends refer to, and its bare surface.
struct Tag;
using Id = ControlId<Tag>;
inline constexpr Id Form1{Surface};
inline constexpr Id LatDeg = Named<Tag>(Controls, "LatDeg");
inline constexpr Id LatMin = Named<Tag>(Controls, "LatMin");
inline constexpr Id LatSec = Named<Tag>(Controls, "LatSec");
inline constexpr Id LatPos = Named<Tag>(Controls, "LatPos");
inline constexpr Id LongDeg = Named<Tag>(Controls, "LongDeg");
inline constexpr Id LongMin = Named<Tag>(Controls, "LongMin");
inline constexpr Id LongSec = Named<Tag>(Controls, "LongSec");
inline constexpr Id LongPos = Named<Tag>(Controls, "LongPos");
inline constexpr Id TextTrame = Named<Tag>(Controls, "TextTrame");
inline constexpr Id Label6 = Named<Tag>(Controls, "Label6");
inline constexpr Id Command1 = Named<Tag>(Controls, "Command1");
inline constexpr Id CmdAide = Named<Tag>(Controls, "CmdAide");

inline constexpr Window Design{
    .name = "Form1",
    .caption = "Quorvelin ",
    .frame = Frame::SizableToolWindow,
    .clientWidth = 6735,
    .clientHeight = 3705,
    .hasIcon = true,
    .controls = Controls,
    .initialFocus = Command1,
};

} // namespace form1

constexpr const Window& Form1Design() {
    return form1::Design;
}

} // namespace forms
