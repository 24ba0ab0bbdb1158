#include "about_window/AboutSlot.h"

namespace about_window {

AboutSlot::AboutSlot(const design::AppDescriptorRecord& descriptor, AboutServices services)
    : descriptor_(descriptor), services_(std::move(services)) {}

AboutSlot::~AboutSlot() {
    delete window_;
}

void AboutSlot::Request() {
    if (window_ == nullptr) {
        // No owner: the window lives beside the main window, not above it.
        window_ = new frmAbout(descriptor_, services_);
    }
    window_->show();
    window_->raise();
    window_->activateWindow();
}

} // namespace about_window
