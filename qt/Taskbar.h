// Keeping a window out of the desktop's taskbar and pager without making it transient for
// another window, which window managers would keep stacked above that window.
#pragma once

class QWidget;

namespace qt {

// Asks the window manager to leave the window out of taskbars and pagers. Call before the
// window is first shown; on a display other than X11 it does nothing.
void KeepOutOfTaskbar(QWidget* window);

// Asks the window manager to list a shown window in taskbars and pagers again: once the
// window it belonged beside is gone, it is the program's only way back to it.
void ReturnToTaskbar(QWidget* window);

} // namespace qt
