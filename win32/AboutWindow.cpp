#include "win32/AboutWindow.h"

#include "forms/AboutDesign.h"

#include <stdexcept>
#include <utility>
#include <windowsx.h>

namespace win32 {

AboutWindow::AboutWindow(const forms::AppDescriptorRecord& descriptor, HWND owner, Scale scale,
                         Services services, std::function<void()> closed)
    : closed_(std::move(closed)) {
    Create(forms::AboutDesign(), L"QuorvelinAbout", owner, scale, std::move(services));
    SetDefaultButton("cmdOK");
    logic_.emplace(form(), descriptor);
    form().OnPageNotOpened([this] { logic_->PageNotOpened(); });
    logic_->Form_Load();
}

AboutWindow::~AboutWindow() = default;

void AboutWindow::StartSysInfo() {
    logic_->StartSysInfo();
}

void AboutWindow::Command(std::string_view control, WORD code) {
    if (!logic_ || code != BN_CLICKED) {
        return;
    }
    if (control == "cmdOK") {
        logic_->cmdOK_Click();
    } else if (control == "cmdSysInfo") {
        logic_->cmdSysInfo_Click();
    }
}

// Esc presses OK.
void AboutWindow::Cancel() {
    if (logic_) {
        logic_->cmdOK_Click();
    }
}

// The labels take no pointer events: the window receives the moves and clicks over them.
std::optional<LRESULT> AboutWindow::Message(UINT message, WPARAM /*wParam*/, LPARAM lParam) {
    switch (message) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
        pointer(message, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    default:
        return std::nullopt;
    }
}

// Over the link, its handlers; over the bare window (the lines included, which are drawn on
// it), the window's. Over any other control nothing happens: the link keeps its look.
void AboutWindow::pointer(UINT message, POINT at) {
    if (!logic_) {
        return;
    }
    const HWND over = ChildWindowFromPointEx(handle(), at, CWP_SKIPINVISIBLE);
    const bool onLink = over == form().control("lblvexor");
    switch (message) {
    case WM_MOUSEMOVE:
        if (onLink) {
            logic_->lblvexor_MouseMove();
        } else if (over == handle()) {
            logic_->Form_MouseMove();
        }
        break;
    case WM_LBUTTONDOWN:
        pressedOnLink_ = onLink;
        break;
    case WM_LBUTTONDBLCLK:
        pressedOnLink_ = false;
        break;
    case WM_LBUTTONUP:
        if (std::exchange(pressedOnLink_, false) && onLink) {
            logic_->lblvexor_Click();
        }
        break;
    default:
        break;
    }
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
    }
    SetForegroundWindow(window_->handle());
}

AboutWindow* AboutSlot::window() {
    return window_ && window_->loaded() ? &*window_ : nullptr;
}

} // namespace win32
