#include "Images.h"

#include <QFile>
#include <QtEndian>

namespace app {
namespace {

QByteArray resource(const char* path) {
    QFile file(QString::fromLatin1(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray{};
}

} // namespace

QPixmap AppIconPixmap() {
    QPixmap pixmap;
    pixmap.loadFromData(resource(":/AppIcon.ico"), "ICO");
    return pixmap;
}

QIcon AppIcon() {
    return QIcon(AppIconPixmap());
}

QPoint CursorHotSpot(const QByteArray& curFile) {
    // ICONDIR (reserved, type 2 = cursor, count) then the first entry, whose planes and
    // bit-count words hold the hot spot in a cursor file.
    constexpr qsizetype entryHotSpot = 6 + 4;
    if (curFile.size() < entryHotSpot + 4 ||
        qFromLittleEndian<quint16>(curFile.constData() + 2) != 2) {
        return {};
    }
    return {qFromLittleEndian<quint16>(curFile.constData() + entryHotSpot),
            qFromLittleEndian<quint16>(curFile.constData() + entryHotSpot + 2)};
}

QCursor HandPointer() {
    const QByteArray file = resource(":/HandPointer.cur");
    QPixmap pixmap;
    pixmap.loadFromData(file, "CUR");
    const QPoint hotSpot = CursorHotSpot(file);
    return QCursor(pixmap, hotSpot.x(), hotSpot.y());
}

} // namespace app
