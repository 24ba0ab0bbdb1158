#include "forms/AboutDesign.h"

#include <array>

namespace forms {
namespace {

constexpr Font Bold{8.25, true};

Control label(std::string_view name, int tab, Rect place, std::string_view text, Font font,
              Align align = Align::Left) {
    return {name, Kind::Label, tab, place, text, font, align};
}

Control picture() {
    // The system's window and window-text colours.
    Control control{
        "picIcon", Kind::PictureBox, 1, {240, 240, 510, 510}, "", {}, Align::Left, White, Black};
    control.decorative = true; // the program's icon beside its name
    return control;
}

Control button(std::string_view name, int tab, Rect place, std::string_view caption) {
    return {name, Kind::Button, tab, place, caption, {}, Align::Centre};
}

Control link() {
    Control control = label(about::lblvexor, 9, {3360, 1920, 1695, 255}, WebPage, Bold);
    control.foreground = Blue;
    control.accessibleDescription = "Ouvre la page de l'auteur";
    return control;
}

Control description() {
    Control control = label("lblDescription", 3, {210, 960, 6165, 450},
                            "Génère une trame GPRMC utilisant les coordonnées géographiques "
                            "choisies.",
                            Bold);
    control.foreground = Black;
    return control;
}

const std::array<Control, 10> Controls{
    picture(),
    button(about::cmdOK, 0, {4920, 2625, 1260, 345}, "OK"),
    button(about::cmdSysInfo, 2, {4920, 3000, 1245, 345}, "&Infos système..."),
    label("Label4", 10, {1800, 3000, 1815, 255}, "vexor, 2026", Bold, Align::Centre),
    link(),
    label("Label3", 8, {720, 1920, 2535, 255}, "Plus d'informations  ici ---->", Bold,
          Align::Right),
    label("Label2", 7, {240, 1440, 6015, 375},
          "Cette trame permet la programmation d'un pic 16f628 destiné à la localisation APRS.",
          Bold),
    label("Label1", 6, {1080, 120, 4095, 495}, "Quorvelin", {18, true}, Align::Centre),
    description(),
    label(about::lblVersion, 5, {1080, 600, 3885, 225}, "Version", {}, Align::Centre),
};

// A grey line with a white one just under it, two rows thick: an etched rule above the buttons.
const std::array<Line, 2> Lines{
    Line{"Line1", 0, 105, 2460, 5654, 2460, White, 2},
    Line{"Line1", 1, 90, 2445, 5654, 2445, Grey, 1},
};

const Window Design{about::frmAbout,
                    "",
                    Frame::FixedDialog,
                    6390,
                    3555,
                    Rect{2340, 1935, 6390, 3555},
                    false,
                    Controls,
                    Lines,
                    about::cmdOK,
                    about::cmdOK,
                    about::cmdOK};

} // namespace

const Window& AboutDesign() {
    return Design;
}

} // namespace forms
