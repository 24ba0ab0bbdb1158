// The About window: what the program is, a link to its author's page, and a button that
// starts the system's information tool.
#pragma once

#include "forms/Design.h"

#include <array>

namespace forms {

// The author's page: shown by the link and opened by it, the same text.
inline constexpr std::string_view WebPage = "www.vexor.example";

namespace about {
namespace parts {

inline constexpr Font Bold{8.25, true};

constexpr Control label(std::string_view name, int tab, Rect place, std::string_view text,
                        Font font, Align align = Align::Left) {
    return {name, Kind::Label, tab, place, text, font, align};
}

constexpr Control picture() {
    // The system's window and window-text colours.
    Control control{
        "picIcon", Kind::PictureBox, 1, {240, 240, 510, 510}, "", {}, Align::Left, White, Black};
    control.decorative = true; // the program's icon beside its name
    return control;
}

constexpr Control button(std::string_view name, int tab, Rect place, std::string_view caption) {
    return {name, Kind::Button, tab, place, caption, {}, Align::Centre};
}

constexpr Control link() {
    Control control = label("lblvexor", 9, {3360, 1920, 1695, 255}, WebPage, Bold);
    control.foreground = Blue;
    control.accessibleDescription = "Ouvre la page de l'auteur";
    return control;
}

constexpr Control description() {
    Control control = label("lblDescription", 3, {210, 960, 6165, 450},
                            "Génère une trame GPRMC utilisant les coordonnées géographiques "
                            "choisies.",
                            Bold);
    control.foreground = Black;
    return control;
}

} // namespace parts

// In the order the controls are made; their names are their object names.
inline constexpr std::array<Control, 10> Controls{
    parts::picture(),
    parts::button("cmdOK", 0, {4920, 2625, 1260, 345}, "OK"),
    parts::button("cmdSysInfo", 2, {4920, 3000, 1245, 345}, "&Infos système..."),
    parts::label("Label4", 10, {1800, 3000, 1815, 255}, "vexor, 2026", parts::Bold, Align::Centre),
    parts::link(),
    parts::label("Label3", 8, {720, 1920, 2535, 255}, "Plus d'informations  ici ---->", parts::Bold,
                 Align::Right),
    parts::label(
        "Label2", 7, {240, 1440, 6015, 375},
        "Cette trame permet la programmation d'un pic 16f628 destiné à la localisation APRS.",
        parts::Bold),
    parts::label("Label1", 6, {1080, 120, 4095, 495}, "Quorvelin", {18, true}, Align::Centre),
    parts::description(),
    parts::label("lblVersion", 5, {1080, 600, 3885, 225}, "Version", {}, Align::Centre),
};

// A grey line with a white one just under it, two rows thick: an etched rule above the buttons.
inline constexpr std::array<Line, 2> Lines{
    Line{"Line1", 0, 105, 2460, 5654, 2460, White, 2},
    Line{"Line1", 1, 90, 2445, 5654, 2445, Grey, 1},
};

// The controls that the window's behaviour and front-ends refer to, and its bare surface.
struct Tag;
using Id = ControlId<Tag>;
inline constexpr Id frmAbout{Surface};
inline constexpr Id lblVersion = Named<Tag>(Controls, "lblVersion");
inline constexpr Id lblvexor = Named<Tag>(Controls, "lblvexor");
inline constexpr Id cmdOK = Named<Tag>(Controls, "cmdOK");
inline constexpr Id cmdSysInfo = Named<Tag>(Controls, "cmdSysInfo");

inline constexpr Window Design{
    .name = "frmAbout",
    .caption = "",
    .frame = Frame::FixedDialog,
    .clientWidth = 6390,
    .clientHeight = 3555,
    .clientPlace = Rect{2340, 1935, 6390, 3555},
    .controls = Controls,
    .lines = Lines,
    .initialFocus = cmdOK,
    .defaultButton = cmdOK,
    .cancelButton = cmdOK,
};

} // namespace about

constexpr const Window& AboutDesign() {
    return about::Design;
}

} // namespace forms
