#include "win32/TopWindow.h"

#include "text/Wide.h"
#include "win32/Fatal.h"

#include <stdexcept>
#include <utility>
#include <windowsx.h>

namespace win32 {
namespace {

struct Frame {
    DWORD style;
    DWORD exStyle;
};

// Neither kind of window has a minimise or maximise button. The tool window keeps its small
// caption but has a taskbar button and an Alt+Tab entry, so that it can be found once covered.
Frame frameOf(forms::Frame frame) {
    if (frame == forms::Frame::SizableToolWindow) {
        return {WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN,
                WS_EX_TOOLWINDOW | WS_EX_APPWINDOW};
    }
    return {WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, WS_EX_DLGMODALFRAME};
}

// A dialog window of the system's dialog manager, which keeps its data in the window's extra
// bytes; its icon, if its design has one, at the sizes the system shows.
void registerClass(const wchar_t* name, bool hasIcon, WNDPROC procedure) {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(GetModuleHandleW(nullptr), name, &existing)) {
        return;
    }
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS;
    windowClass.cbWndExtra = DLGWINDOWEXTRA;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hIcon = hasIcon ? AppIcon(GetSystemMetrics(SM_CXICON)) : nullptr;
    windowClass.hIconSm = hasIcon ? AppIcon(GetSystemMetrics(SM_CXSMICON)) : nullptr;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(SurfaceColour);
    windowClass.lpszClassName = name;
    if (RegisterClassExW(&windowClass) == 0) {
        throw std::runtime_error("RegisterClassExW");
    }
}

} // namespace

TopWindow::~TopWindow() {
    if (window_ != nullptr) {
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0); // no message reaches a half-destroyed object
        DestroyWindow(window_);
    }
}

void TopWindow::Create(const forms::Window& design, const wchar_t* className, HWND owner,
                       Scale scale, Services services) {
    registerClass(className, design.hasIcon, procedure);
    const Frame frame = frameOf(design.frame);
    RECT outer{0, 0, scale.Pixels(design.clientWidth), scale.Pixels(design.clientHeight)};
    if (design.clientPlace) {
        outer = scale.Place(*design.clientPlace);
    }
    AdjustWindowRectEx(&outer, frame.style, FALSE, frame.exStyle);
    const int x = design.clientPlace ? outer.left : CW_USEDEFAULT;
    const int y = design.clientPlace ? outer.top : CW_USEDEFAULT;
    CreateWindowExW(frame.exStyle, className, text::Wide(design.caption).c_str(), frame.style, x, y,
                    outer.right - outer.left, outer.bottom - outer.top, owner, nullptr,
                    GetModuleHandleW(nullptr), this);
    if (window_ == nullptr) {
        throw std::runtime_error("CreateWindowExW " + std::string(design.name));
    }
    form_ = std::make_unique<Form>(window_, design, scale, std::move(services));
    // The dialog manager first gives the focus to the first control that Tab reaches; the
    // controls are made in tab order, so that is the design's lowest tab index.
    if (design.initialFocus &&
        GetNextDlgTabItem(window_, nullptr, FALSE) != form_->control(*design.initialFocus)) {
        throw std::logic_error("initial focus not first in tab order: " + std::string(design.name));
    }
    if (design.defaultButton) {
        SendMessageW(window_, DM_SETDEFID,
                     static_cast<WPARAM>(GetDlgCtrlID(form_->control(*design.defaultButton))), 0);
    }
    // The focus and the access keys are shown from the start, not only once a key is pressed.
    SendMessageW(window_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS | UISF_HIDEACCEL),
                 0);
}

LRESULT CALLBACK TopWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* const self =
            static_cast<TopWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* const self = reinterpret_cast<TopWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) {
        return DefDlgProcW(window, message, wParam, lParam);
    }
    return Guarded([&] { return self->handle(message, wParam, lParam); });
}

LRESULT TopWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND window = window_;
    if (form_ != nullptr && window_ != nullptr) {
        if (const std::optional<LRESULT> answer = form_->Handle(message, wParam, lParam)) {
            return *answer;
        }
    }
    switch (message) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
        pointer(message, lParam);
        return 0;
    case WM_COMMAND:
        if (lParam != 0) {
            command(reinterpret_cast<HWND>(lParam), HIWORD(wParam));
        } else if (const auto cancel = form_->design().cancelButton;
                   LOWORD(wParam) == IDCANCEL && cancel && events_ != nullptr) {
            events_->Raise(*cancel, forms::Event::Click); // Esc
        }
        return 0;
    case WM_CLOSE:
        // Closing unloads the window; the dialog manager would turn it into IDCANCEL.
        return DefWindowProcW(window, message, wParam, lParam);
    case WM_NCDESTROY:
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        window_ = nullptr;
        Closed();
        break;
    default:
        break;
    }
    return DefDlgProcW(window, message, wParam, lParam);
}

void TopWindow::command(HWND control, WORD code) {
    if (form_ == nullptr) {
        return;
    }
    if (code == BN_SETFOCUS && form_->isButton(control)) {
        // The dialog manager moves the default look, which Enter follows, only with the focus
        // that it gives itself; a click or a program sets it directly, and is handed over.
        SendMessageW(window_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
        return;
    }
    const std::optional<std::size_t> index = form_->index(control);
    if (events_ != nullptr && index && (code == BN_CLICKED || code == EN_CHANGE)) {
        events_->Raise(*index, code == BN_CLICKED ? forms::Event::Click : forms::Event::Change);
    }
}

// Labels take no pointer events: the window receives the moves and clicks over them.
void TopWindow::pointer(UINT message, LPARAM lParam) {
    if (events_ == nullptr) {
        return;
    }
    const forms::Pointer pointer = message == WM_MOUSEMOVE     ? forms::Pointer::Move
                                   : message == WM_LBUTTONDOWN ? forms::Pointer::Press
                                                               : forms::Pointer::Release;
    const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    events_->Report(pointer, form_->index(ChildWindowFromPointEx(window_, at, CWP_SKIPINVISIBLE)));
}

} // namespace win32
