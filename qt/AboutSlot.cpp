#include "qt/AboutSlot.h"

#include "qt/Taskbar.h"

#include <QWindow>

namespace qt {

AboutSlot::AboutSlot(const forms::AppDescriptorRecord& descriptor, AboutServices services)
    : descriptor_(descriptor), services_(std::move(services)) {}

AboutSlot::~AboutSlot() {
    delete window_;
}

void AboutSlot::Request() {
    if (window_ == nullptr) {
        // No owner and transient for no window: closing the main window leaves this one open,
        // and the program ends only when this one is closed too.
        window_ = new AboutWindow(descriptor_, services_);
    }
    if (window_->isMinimized()) {
        // Made iconic by the window manager, the window is made iconic through Qt as well:
        // otherwise Qt takes it for restored already, and showing it normal asks nothing of
        // the window manager.
        window_->windowHandle()->setWindowStates(Qt::WindowMinimized);
    }
    window_->showNormal();
    window_->raise();
    window_->activateWindow();
}

void AboutSlot::MainWindowClosed() {
    if (window_ != nullptr && window_->isVisible()) {
        qt::ReturnToTaskbar(window_);
    }
}

} // namespace qt
