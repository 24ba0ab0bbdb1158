// The one About window of the process: created on first request, shown modeless, and loaded
// afresh after each close.
#pragma once

#include "about_window/frmAbout.h"

#include <QPointer>

namespace about_window {

class AboutSlot {
public:
    explicit AboutSlot(const design::AppDescriptorRecord& descriptor = design::AppDescriptor,
                       AboutServices services = SystemServices());
    AboutSlot(const AboutSlot&) = delete;
    AboutSlot& operator=(const AboutSlot&) = delete;
    ~AboutSlot();

    // Loads the window if it is not loaded, then shows it, or only restores it and brings it to
    // the front. The window is kept transient for the requesting window, if any.
    void Request(QWidget* requester = nullptr);

    // The loaded window, or null.
    frmAbout* window() const { return window_; }

private:
    const design::AppDescriptorRecord& descriptor_;
    AboutServices services_;
    QPointer<frmAbout> window_;
};

} // namespace about_window
