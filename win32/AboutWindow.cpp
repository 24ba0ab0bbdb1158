#include "win32/AboutWindow.h"

#include "forms/AboutDesign.h"

#include <stdexcept>
#include <utility>

namespace win32 {

AboutWindow::AboutWindow(const forms::AppDescriptorRecord& descriptor, HWND owner, Scale scale,
                         Services services, std::function<void()> closed)
    : closed_(std::move(closed)) {
    Create(forms::AboutDesign(), L"QuorvelinAbout", owner, scale, std::move(services));
    logic_.emplace(
        form(), [this](forms::Events& events) { Bind(events); }, descriptor);
    form().OnPageNotOpened([this] { (*logic_)->PageNotOpened(); });
}

AboutWindow::~AboutWindow() = default;

void AboutWindow::StartSysInfo() {
    (*logic_)->StartSysInfo();
}

// Shown again, as if new, in case the window manager keeps it minimised: a window without a
// minimise button stays shown for Wine when openbox minimises it anyway.
void AboutWindow::Show() {
    if (IsWindowVisible(handle())) {
        ShowWindow(handle(), SW_HIDE);
    }
    ShowWindow(handle(), SW_SHOW);
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

forms::TopLevel& AboutSlot::Load() {
    if (!owner_) {
        owner_.reset(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                     GetModuleHandleW(nullptr), nullptr));
        if (!owner_) {
            throw std::runtime_error("CreateWindowExW owner");
        }
    }
    window_.reset(); // the closed window's controls and state go
    window_.emplace(descriptor_, owner_.get(), scale_, services_, [this] {
        Unloaded();
        if (closed_) {
            closed_();
        }
    });
    return *window_;
}

} // namespace win32
