#include "about_window/AboutSlot.h"

namespace about_window {

AboutSlot::AboutSlot(const forms::AppDescriptorRecord& descriptor, AboutServices services)
    : descriptor_(descriptor), services_(std::move(services)) {}

AboutSlot::~AboutSlot() {
    delete window_;
}

void AboutSlot::Request() {
    if (window_ == nullptr) {
        // No owner and transient for no window: closing the main window leaves this one open,
        // and the program ends only when this one is closed too.
        window_ = new frmAbout(descriptor_, services_);
    }
    if (window_->isMinimized()) {
        // Window managers give an iconic window back when it is shown anew; Qt alone keeps
        // waiting for the manager to restore it.
        window_->hide();
    }
    window_->showNormal();
    window_->raise();
    window_->activateWindow();
}

} // namespace about_window
