// The one About window of the process: created on first request, shown modeless, and loaded
// afresh after each close.
#pragma once

#include "qt/AboutWindow.h"

#include <QPointer>

namespace qt {

class AboutSlot {
public:
    explicit AboutSlot(const forms::AppDescriptorRecord& descriptor = forms::AppDescriptor,
                       AboutServices services = SystemServices());
    AboutSlot(const AboutSlot&) = delete;
    AboutSlot& operator=(const AboutSlot&) = delete;
    ~AboutSlot();

    // Loads the window if it is not loaded, then shows it, or only restores it, brings it to
    // the front and activates it.
    void Request();

    // Once the main window is closed, a shown About window is the program's last: it comes
    // back to the taskbar, where it can be found even when minimised.
    void MainWindowClosed();

    // The loaded window, or null.
    AboutWindow* window() const { return window_; }

private:
    const forms::AppDescriptorRecord& descriptor_;
    AboutServices services_;
    QPointer<AboutWindow> window_;
};

} // namespace qt
