// The "MS Sans Serif" fonts of the design; where the system lacks it, a face of the same widths
// stands in.
#pragma once

#include <QFont>
#include <QFontDatabase>
#include <QString>
#include <QStringList>

namespace qt {

// The faces that may stand in for "MS Sans Serif", first found first: its own successor, then
// the face of the same widths that the Debian package depends on. Faces that merely look alike
// are left out: DejaVu Sans cuts the sentence's checksum off and clips several captions,
// Nimbus Sans sinks the °, ′ and ″ marks below their labels.
inline QStringList FontSubstitutes() {
    return {QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Liberation Sans")};
}

// The face the fonts are drawn in: "MS Sans Serif" where the system has it, else the first of
// its stand-ins that it has. Named once rather than left to Qt's substitution table, which
// would first ask fontconfig for every face that could stand in for the missing one.
inline QString DesignFace() {
    static const QString face = [] {
        const QStringList installed = QFontDatabase::families();
        for (const QString& f : QStringList(QStringLiteral("MS Sans Serif")) + FontSubstitutes()) {
            if (installed.contains(f)) {
                return f;
            }
        }
        return QStringLiteral("MS Sans Serif");
    }();
    return face;
}

// The windows' own font, which controls without a font of their own use.
inline QFont SansSerif(qreal points = 8.25) {
    QFont font(DesignFace());
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    return font;
}

inline QFont BoldSansSerif(qreal points) {
    QFont font = SansSerif(points);
    font.setBold(true);
    return font;
}

} // namespace qt
