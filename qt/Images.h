// The two images built into the program.
#pragma once

#include <QByteArray>
#include <QCursor>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QPoint>

namespace qt {

// The first picture of an .ico or .cur file of 1, 4 or 8 bits a pixel with a palette;
// a null image for any other kind of file.
QImage DecodeIconImage(const QByteArray& file);

// The 32 x 32 program icon of the executable and the About picture.
QPixmap AppIconPixmap();
// The window's icon: that picture, and the same drawn at 48, 64 and 128 pixels, each drawn
// only when the window system asks for it.
QIcon AppIcon();

// The pointing hand of the main window's buttons, with the hot spot its file gives.
QCursor HandPointer();

// The hot spot stored in the directory entry of a .cur file; (0, 0) when it is not one.
QPoint CursorHotSpot(const QByteArray& curFile);

} // namespace qt
