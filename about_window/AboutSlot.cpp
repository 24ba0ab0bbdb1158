#include "about_window/AboutSlot.h"

#include <QWindow>

namespace about_window {

AboutSlot::AboutSlot(const design::AppDescriptorRecord& descriptor, AboutServices services)
    : descriptor_(descriptor), services_(std::move(services)) {}

AboutSlot::~AboutSlot() {
    delete window_;
}

void AboutSlot::Request(QWidget* requester) {
    if (window_ == nullptr) {
        // No owner: closing the main window leaves this one open.
        window_ = new frmAbout(descriptor_, services_);
    }
    if (requester != nullptr) {
        // Transient for the window that asked: window managers then leave it out of the
        // taskbar and give it no icon of its own, yet its life stays its own.
        window_->winId();
        window_->windowHandle()->setTransientParent(requester->windowHandle());
    }
    // A window minimised by the window manager comes back too.
    window_->setWindowState(window_->windowState() & ~Qt::WindowMinimized);
    window_->show();
    window_->raise();
    window_->activateWindow();
}

} // namespace about_window
