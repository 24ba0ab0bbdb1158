// The design's twips and &H00BBGGRR colours as Qt geometry and palettes.
#pragma once

#include "forms/Design.h"

#include <QColor>
#include <QPalette>
#include <QRect>
#include <QWidget>

#include <cstdint>

namespace qt {

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
// for, with every colour set on the window itself: a desktop's theme (its palette, or those it
// gives each kind of widget) would otherwise put its light texts on the light cyan, yellow and
// green, and the blue and black texts on a dark window. Call before creating the controls,
// which take the window's colours wherever the design fixes none.
inline void UseDesignPalette(QWidget* window) {
    // Windows' surface of dialogs and buttons (&H8000000F); Qt derives black texts on it, white
    // boxes, and the rest. The style's own palette would follow the desktop's theme.
    const QPalette light(BgrColor(0x00F0F0F0));
    QPalette fixed;
    for (int group = 0; group < QPalette::NColorGroups; ++group) {
        for (int role = 0; role < QPalette::NColorRoles; ++role) {
            const auto g = static_cast<QPalette::ColorGroup>(group);
            const auto r = static_cast<QPalette::ColorRole>(role);
            if (r != QPalette::NoRole) {
                fixed.setBrush(g, r, light.brush(g, r)); // each one set, so none is the theme's
            }
        }
    }
    window->setPalette(fixed);
}

} // namespace qt
