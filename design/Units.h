// The design's twips and &H00BBGGRR colours as Qt geometry and palettes.
#pragma once

#include "forms/Design.h"

#include <QColor>
#include <QPalette>
#include <QRect>
#include <QStyle>
#include <QWidget>

#include <cstdint>

namespace design {

// A place in twips as pixels at 96 dots per inch.
constexpr QRect PixelRect(const forms::Rect& twips) {
    return {forms::Pixels(twips.left), forms::Pixels(twips.top), forms::Pixels(twips.width),
            forms::Pixels(twips.height)};
}

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
