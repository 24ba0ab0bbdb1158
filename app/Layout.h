// The units in which the windows are laid out: twips, &H00BBGGRR colours and the
// "MS Sans Serif" fonts of the design (the system substitutes a face where it is absent).
#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <cstdint>

namespace app {

// 15 twips make one pixel at 96 dots per inch.
constexpr int Pixels(int twips) {
    return twips / 15;
}

constexpr QRect TwipsRect(int left, int top, int width, int height) {
    return {Pixels(left), Pixels(top), Pixels(width), Pixels(height)};
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

// Where "MS Sans Serif" is missing, a face of similar width keeps the texts inside their boxes.
inline void InstallFontSubstitutes() {
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Microsoft Sans Serif"),
                                QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                                QStringLiteral("Nimbus Sans")});
}

// The windows' own font, which controls without a font of their own use.
inline QFont SansSerif(qreal points = 8.25) {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    return font;
}

inline QFont BoldSansSerif(qreal points) {
    QFont font = SansSerif(points);
    font.setBold(true);
    return font;
}

} // namespace app
