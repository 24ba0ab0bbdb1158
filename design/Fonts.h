// The "MS Sans Serif" fonts of the design; the system substitutes a face where it is absent.
#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

namespace design {

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

} // namespace design
