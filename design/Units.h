// The units in which the windows are designed: twips and &H00BBGGRR colours.
#pragma once

#include <QColor>
#include <QPalette>
#include <QRect>
#include <QStyle>
#include <QWidget>

#include <cstdint>

namespace design {

// 15 twips make one pixel at 96 dots per inch.
constexpr int Pixels(int twips) {
    return twips / 15;
}

constexpr QRect TwipsRect(int left, int top, int width, int height) {
    return {Pixels(left), Pixels(top), Pixels(width), Pixels(height)};
}

// Light green (8454016): the compose button and the highlighted link.
inline constexpr std::uint32_t LightGreen = 0x0080FF80;

// A colour written &H00BBGGRR: red in the low byte.
constexpr QColor BgrColor(std::uint32_t bgr) {
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

inline void SetColour(QWidget* widget, QPalette::ColorRole role, QColor colour) {
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

inline void SetColour(QWidget* widget, QPalette::ColorRole role, std::uint32_t bgr) {
    SetColour(widget, role, BgrColor(bgr));
}

// The windows are drawn in the light colours their fixed backgrounds and texts were chosen
// for: under a dark theme, the system's light texts would vanish on the light cyan, yellow and
// green, and the blue and black texts on a dark window. Call before creating the controls.
inline void UseDesignPalette(QWidget* window) {
    window->setPalette(window->style()->standardPalette());
}

} // namespace design
