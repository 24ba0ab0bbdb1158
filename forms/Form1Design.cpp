#include "forms/Form1Design.h"

#include <array>

namespace forms {
namespace {

constexpr Font Bold975{9.75, true};
constexpr Font Bold825{8.25, true};
constexpr Font Bold12{12, true};
constexpr Font Bold135{13.5, true};

Control box(std::string_view name, int tab, Rect place, std::string_view text, int maxLength,
            std::string_view accessibleName, Font font = Bold975) {
    Control control{name, Kind::EntryBox, tab, place, text, font, Align::Centre, LightCyan};
    control.maxLength = maxLength;
    control.accessibleName = accessibleName;
    return control;
}

// The marks are shorter than a line of their font: only its top, where they sit, shows.
// A hemisphere box: one letter, always selected, so typing N, S, E or W replaces it.
Control hemisphere(std::string_view name, int tab, Rect place, std::string_view text,
                   std::string_view accessibleName) {
    Control control = box(name, tab, place, text, 1, accessibleName);
    control.keepsSelected = true;
    return control;
}

Control mark(std::string_view name, int tab, Rect place, std::string_view text, Font font) {
    Control control{name, Kind::Label, tab, place, text, font};
    control.background = std::nullopt;
    control.decorative = true; // each box's name already says its unit
    return control;
}

Control button(std::string_view name, int tab, Rect place, std::string_view caption,
               Colour background, Font font, std::string_view description) {
    Control control{name, Kind::Button, tab, place, caption, font, Align::Centre, background};
    control.handPointer = true;
    control.accessibleDescription = description;
    return control;
}

Control caption(std::string_view name, int tab, Rect place, std::string_view text, Font font,
                std::optional<Colour> colour = std::nullopt) {
    Control control{name, Kind::Label, tab, place, text, font, Align::Centre};
    control.foreground = colour;
    return control;
}

Control sentenceBox() {
    Control control{form1::TextTrame, Kind::ReadOnlyBox, 3, {240, 2760, 6255, 405}, ""};
    control.align = Align::Centre;
    control.background = LightYellow;
    control.foreground = Navy;
    control.accessibleName = "Trame NMEA";
    return control;
}

Control sampleSentence() {
    Control control{form1::Label6, Kind::Label, 13, {360, 2400, 6015, 375}, SampleSentence};
    control.align = Align::Centre;
    control.background = std::nullopt; // opaque in the design, but never shown
    control.visible = false;
    return control;
}

const std::array<Control, 21> Controls{
    button(form1::CmdAide, 20, {120, 120, 975, 255}, "A lire", LightGrey, {},
           "À propos du programme"),
    hemisphere(form1::LongPos, 12, {5760, 720, 375, 405}, "E", "Longitude, hémisphère E ou W"),
    hemisphere(form1::LatPos, 11, {2640, 720, 375, 375}, "N", "Latitude, hémisphère N ou S"),
    box(form1::LongSec, 10, {4800, 720, 615, 375}, "00.00", 5, "Longitude, secondes"),
    box(form1::LongMin, 9, {4320, 720, 375, 375}, "00", 2, "Longitude, minutes"),
    box(form1::LongDeg, 8, {3840, 720, 375, 375}, "05", 2, "Longitude, degrés"),
    box(form1::LatSec, 7, {1680, 720, 615, 375}, "00.00", 5, "Latitude, secondes", Bold825),
    box(form1::LatMin, 6, {1080, 720, 375, 375}, "00", 2, "Latitude, minutes"),
    box(form1::LatDeg, 5, {600, 720, 375, 375}, "46", 2, "Latitude, degrés"),
    sentenceBox(),
    button(form1::Command1, 0, {2520, 1800, 1935, 495}, "Créer la trame NMEA", LightGreen, Bold825,
           "Compose la trame de la position saisie"),
    mark("Label9", 19, {5400, 600, 135, 135}, "''", Bold135),
    mark("Label8", 18, {2280, 600, 255, 135}, "''", Bold135),
    mark("Label7", 17, {4680, 600, 255, 135}, "'", Bold135),
    mark("Label5", 16, {1560, 600, 135, 255}, "'", Bold135),
    mark("Label4", 15, {4200, 600, 135, 135}, "°", Bold12),
    mark("Label3", 14, {960, 600, 135, 135}, "°", Bold12),
    sampleSentence(),
    caption("Label2", 4, {3000, 3240, 975, 255}, "Trame", Bold12),
    caption("Label1", 2, {4200, 1200, 1695, 375}, "Longitude", Bold135, Blue),
    caption("Latitude", 1, {1200, 1200, 1215, 375}, "Latitude", Bold135, Blue),
};

const Window Design{
    form1::Form1, "Quorvelin ", Frame::SizableToolWindow, 6735, 3705, std::nullopt, true,
    Controls,     {},           form1::Command1};

} // namespace

const Window& Form1Design() {
    return Design;
}

} // namespace forms
