// How a window is described once for every front-end: its frame, its client area and one
// record per control, in twips (1/1440 inch) and &H00BBGGRR colours. No toolkit here.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace forms {

// 15 twips make one pixel at 96 dots per inch.
constexpr int Pixels(int twips) {
    return twips / 15;
}

// Red in the low byte; system colours are written as the colour they stand for.
using Colour = std::uint32_t;
inline constexpr Colour Black = 0x00000000;
inline constexpr Colour White = 0x00FFFFFF;
inline constexpr Colour Grey = 0x00808080;
inline constexpr Colour LightGrey = 0x00C0C0C0;
inline constexpr Colour Blue = 0x00C00000;
inline constexpr Colour Navy = 0x00800000;
inline constexpr Colour LightCyan = 0x00FFFFC0;
inline constexpr Colour LightYellow = 0x00C0FFFF;
inline constexpr Colour LightGreen = 0x0080FF80; // 8454016

enum class Kind { Button, EntryBox, ReadOnlyBox, Label, PictureBox };
enum class Align { Left, Centre, Right };

struct Rect {
    int left, top, width, height; // twips
};

// "MS Sans Serif" at a size in points; 0 points is the window's own font (8.25, regular).
struct Font {
    double points = 0;
    bool bold = false;
};

struct Control {
    std::string_view name;
    Kind kind;
    int tabIndex;
    Rect place;
    std::string_view caption; // UTF-8; an entry box's first text
    Font font{};
    Align align = Align::Left;
    std::optional<Colour> background{}; // unset: the system's; labels: transparent
    std::optional<Colour> foreground{};
    int maxLength = 0; // entry boxes; 0: no limit
    // Entry boxes whose whole text stays selected, on focus and after every edit, so that a
    // typed character replaces it instead of being refused by the length limit.
    bool keepsSelected = false;
    bool visible = true;               // hidden ones are hidden from load on
    bool handPointer = false;          // the pointing-hand mouse pointer
    bool decorative = false;           // left out of what screen readers read
    std::string_view accessibleName{}; // French, for screen readers; unset: the caption
    std::string_view accessibleDescription{};
    // Boxes only the program fills: each new text is told to screen readers after these words,
    // wherever the focus is, since the user who asked for it stays on the button that did.
    std::string_view announcement{};
};

// A horizontal line: a band `width` pixels thick whose top row is the one its end points name,
// so that a thicker line grows downwards and never over the line drawn just above it.
struct Line {
    std::string_view name;
    int index;
    int x1, y1, x2, y2; // twips; y2 == y1
    Colour colour;
    int width; // pixels
};

// The band a line covers, in twips: from its first end point, `width` pixels down.
constexpr Rect Band(const Line& line) {
    return {line.x1, line.y1, line.x2 - line.x1, line.width * 15};
}

enum class Frame { SizableToolWindow, FixedDialog };

// Controls go by their index in their window's table; this one stands for the window's bare
// surface, where no control is.
inline constexpr std::size_t Surface = static_cast<std::size_t>(-1);

struct Window {
    std::string_view name;
    std::string_view caption;
    Frame frame;
    int clientWidth, clientHeight;     // twips
    std::optional<Rect> clientPlace{}; // unset: where the window system puts a new window
    bool hasIcon = false;
    std::span<const Control> controls; // creation order
    std::span<const Line> lines{};
    std::optional<std::size_t> initialFocus{};
    std::optional<std::size_t>
        defaultButton{}; // what Enter presses when no other button has the focus
    std::optional<std::size_t> cancelButton{}; // what Esc presses
};

// A control of one window: its index in that window's table, typed by the window (Tag), so that a
// control of another window cannot stand for it.
template <class Tag> struct ControlId {
    constexpr explicit ControlId(std::size_t i) : index(i) {}
    constexpr operator std::size_t() const { return index; }
    std::size_t index;
};

// The id of the control of that name in a window's table: a name the table lacks does not build.
template <class Tag, std::size_t N>
consteval ControlId<Tag> Named(const std::array<Control, N>& controls, std::string_view name) {
    const auto found = std::find_if(controls.begin(), controls.end(),
                                    [&](const Control& c) { return c.name == name; });
    if (found == controls.end()) {
        throw "no control of that name"; // not a constant: the program does not build
    }
    return ControlId<Tag>(static_cast<std::size_t>(found - controls.begin()));
}

// The controls in the order Tab visits them (by tab index), each once.
inline std::vector<const Control*> InTabOrder(const Window& window) {
    std::vector<const Control*> order;
    for (const Control& control : window.controls) {
        order.push_back(&control);
    }
    std::stable_sort(order.begin(), order.end(),
                     [](const Control* a, const Control* b) { return a->tabIndex < b->tabIndex; });
    return order;
}

} // namespace forms
