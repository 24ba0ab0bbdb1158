#include "win32/AboutWindow.h"

#include "forms/AboutDesign.h"

#include <stdexcept>
#include <utility>

namespace win32 {

AboutWindow::AboutWindow(const forms::AppDescriptorRecord& descriptor, HWND owner, Scale scale,
                         Services services, std::function<void()> closed)
    : closed_(std::move(closed)) {
    Create(forms::AboutDesign(), L"QuorvelinAbout", owner, scale, std::move(services));
    logic_.emplace(form(), descriptor);
    Bind(logic_->events());
    form().OnPageNotOpened([this] { logic_->PageNotOpened(); });
    logic_->Form_Load();
}

AboutWindow::~AboutWindow() = default;

void AboutWindow::StartSysInfo() {
    logic_->StartSysInfo();
}

void AboutWindow::Closed() {
    if (closed_) {
        closed_();
    }
}

AboutSlot::AboutSlot(const forms::AppDescriptorRecord& descriptor, Scale scale, Services services,
                     std::function<void()> closed)
    : descriptor_(descriptor), scale_(scale), services_(std::move(services)),
      closed_(std::move(closed)) {}

void AboutSlot::Request() {
    if (!owner_) {
        owner_.reset(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                     GetModuleHandleW(nullptr), nullptr));
        if (!owner_) {
            throw std::runtime_error("CreateWindowExW owner");
        }
    }
    if (window() == nullptr) {
        window_.reset(); // the closed window's controls and state go
        window_.emplace(descriptor_, owner_.get(), scale_, services_, closed_);
        ShowWindow(window_->handle(), SW_SHOW);
    } else if (IsIconic(window_->handle())) {
        ShowWindow(window_->handle(), SW_RESTORE);
    } else {
        // Shown again, as if new, in case the window manager keeps it minimised: a window
        // without a minimise button stays shown for Wine when openbox minimises it anyway.
        ShowWindow(window_->handle(), SW_HIDE);
        ShowWindow(window_->handle(), SW_SHOW);
    }
    SetForegroundWindow(window_->handle());
}

AboutWindow* AboutSlot::window() {
    return window_ && window_->loaded() ? &*window_ : nullptr;
}

} // namespace win32
