#include "qt/Images.h"

#include <QFile>
#include <QIconEngine>
#include <QImageReader>
#include <QPainter>
#include <QtEndian>

#include <algorithm>
#include <array>

namespace qt {
namespace {

QByteArray resource(const char* path) {
    QFile file(QString::fromLatin1(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray{};
}

quint32 dword(const QByteArray& bytes, qsizetype at) {
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

QPixmap pixmapOf(const QByteArray& file, const char* format) {
    QImage image = DecodeIconImage(file);
    if (image.isNull()) {
        image = QImage::fromData(file, format);
    }
    return QPixmap::fromImage(image);
}

} // namespace

QImage DecodeIconImage(const QByteArray& file) {
    constexpr qsizetype directorySize = 6 + 16;
    constexpr qsizetype headerSize = 40;
    if (file.size() < directorySize + headerSize) {
        return {};
    }
    // The image's offset comes from the file: it must leave room for the header.
    const qsizetype image = dword(file, 18);
    if (image < directorySize || image > file.size() - headerSize) {
        return {};
    }
    const int width = qFromLittleEndian<qint32>(file.constData() + image + 4);
    const int height = qFromLittleEndian<qint32>(file.constData() + image + 8) / 2;
    const int bits = qFromLittleEndian<quint16>(file.constData() + image + 14);
    if (dword(file, image) != headerSize || width <= 0 || width > 256 || height <= 0 ||
        height > 256 || (bits != 1 && bits != 4 && bits != 8) || dword(file, image + 16) != 0) {
        return {};
    }
    // Rows are bottom-up and padded to 4 bytes: palette indices, then the 1-bit mask
    // (set where the picture is transparent).
    const qsizetype colours = qsizetype(1) << bits;
    const qsizetype palette = image + headerSize;
    const qsizetype colourRow = ((qsizetype(width) * bits + 31) / 32) * 4;
    const qsizetype maskRow = ((qsizetype(width) + 31) / 32) * 4;
    const qsizetype pixels = palette + 4 * colours;
    const qsizetype mask = pixels + colourRow * height;
    if (file.size() < mask + maskRow * height) {
        return {};
    }
    const auto* const data = reinterpret_cast<const uchar*>(file.constData());
    QImage decoded(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y) {
        const uchar* const row = data + pixels + colourRow * (height - 1 - y);
        const uchar* const maskBits = data + mask + maskRow * (height - 1 - y);
        // Written a row at a time: setPixel checks and converts each pixel, which cost the
        // start-up as much as reading the file.
        auto* const out = reinterpret_cast<QRgb*>(decoded.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int bit = x * bits;
            const int index = (row[bit / 8] >> (8 - bits - bit % 8)) & ((1 << bits) - 1);
            const bool transparent = (maskBits[x / 8] >> (7 - x % 8)) & 1;
            const uchar* const bgr = data + palette + 4 * index;
            out[x] = transparent ? qRgba(0, 0, 0, 0) : qRgb(bgr[2], bgr[1], bgr[0]);
        }
    }
    return decoded;
}

// Decoded here rather than by Qt's image plugins: loading a plugin costs the start-up more
// than these two small pictures do.
QPixmap AppIconPixmap() {
    return pixmapOf(resource(":/AppIcon.ico"), "ICO");
}

namespace {

// One of the larger pictures of the icon. Qt's own PNG reader, named: recognising the file
// would load every image plugin to ask each whether it is one of theirs.
QPixmap png(int side) {
    QImageReader reader(QStringLiteral(":/AppIcon-%1.png").arg(side), "PNG");
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

// The 32-pixel picture, and the same drawn larger for docks, task switchers and high-density
// screens. X11 window managers are given up to 128 pixels (256 would pass the size of a plain
// X request); launchers take the larger icons from the installed theme.
constexpr std::array<int, 4> IconSides{32, 48, 64, 128};

// The window icon, each size drawn from its file when the window system asks for it, and not
// kept: the offscreen platform never asks, X11 asks once for every size as the window is
// created and keeps its own copy.
class AppIconEngine : public QIconEngine {
public:
    QPixmap pixmap(const QSize& size, QIcon::Mode /*mode*/, QIcon::State /*state*/) override {
        // A window icon is only ever drawn in its normal mode.
        const int asked = std::max(size.width(), size.height());
        const auto side = std::find_if(IconSides.begin(), IconSides.end() - 1,
                                       [asked](int s) { return s >= asked; });
        const QPixmap drawn = *side == 32 ? AppIconPixmap() : png(*side);
        if (drawn.isNull() || drawn.size() == size) {
            return drawn; // a size that failed to load is not made up from another one
        }
        return drawn.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
    }

    QList<QSize> availableSizes(QIcon::Mode /*mode*/, QIcon::State /*state*/) override {
        QList<QSize> sizes;
        for (const int side : IconSides) {
            sizes << QSize(side, side);
        }
        return sizes;
    }

    QIconEngine* clone() const override { return new AppIconEngine; }
};

} // namespace

QIcon AppIcon() {
    return QIcon(new AppIconEngine);
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
    const QPoint hotSpot = CursorHotSpot(file);
    return QCursor(pixmapOf(file, "CUR"), hotSpot.x(), hotSpot.y());
}

} // namespace qt
