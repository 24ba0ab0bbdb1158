#include "forms/Windows.h"

namespace forms {

void AboutSlot::Request() {
    if (window_ == nullptr) {
        window_ = &Load();
    }
    if (window_->Minimised()) {
        window_->Restore();
    } else {
        window_->Show();
    }
    window_->Activate();
}

} // namespace forms
