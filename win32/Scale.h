// The design is drawn at 96 dots per inch. The program declares itself aware of the system's
// DPI, so every place and font is scaled to it: pixels = twips x dpi / 1440, rounded to the
// nearest like the fonts' heights, so that controls keep the room their scaled texts need.
#pragma once

#include "forms/Design.h"
#include "win32/Win32.h"

namespace win32 {

struct Scale {
    int dpi = 96;

    int Pixels(int twips) const { return (twips * dpi + 720) / 1440; }
    // A size the design gives in pixels at 96 dpi: the icon's, a line's width.
    int DesignPixels(int pixels) const { return pixels * dpi / 96; }
    RECT Place(const forms::Rect& twips) const {
        const int left = Pixels(twips.left);
        const int top = Pixels(twips.top);
        return {left, top, left + Pixels(twips.width), top + Pixels(twips.height)};
    }
    // A LOGFONT height: negative, the characters' height without the leading.
    int FontHeight(double points) const { return -static_cast<int>(points * dpi / 72 + 0.5); }
};

// The DPI of the screen, which the system fixes for the whole session of a program that is
// aware of the system's DPI only.
inline Scale SystemScale() {
    const HDC screen = GetDC(nullptr);
    const Scale scale{GetDeviceCaps(screen, LOGPIXELSY)};
    ReleaseDC(nullptr, screen);
    return scale;
}

} // namespace win32
