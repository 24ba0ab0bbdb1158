#include "win32/Program.h"

#include <utility>

namespace win32 {
namespace {

// A dialog window of this thread, whose keys go to the dialog manager: a dialog's class keeps
// DLGWINDOWEXTRA bytes for it, which the About window's hidden owner has not.
bool dialog(HWND window) {
    return GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId() &&
           GetClassLongPtrW(window, GCL_CBWNDEXTRA) >= DLGWINDOWEXTRA;
}

} // namespace

Program::Program(Services services, Scale scale, const forms::AppDescriptorRecord& descriptor)
    : services_(std::move(services)), scale_(scale),
      about_(descriptor, scale, services_, [this] { lifetime_.WindowClosed(); }),
      lifetime_(about_, [] { PostQuitMessage(0); }) {}

void Program::Start(int show) {
    form1_.emplace(
        scale_, services_, [this] { about_.Request(); }, [this] { lifetime_.MainClosed(); });
    form1_->Show(show);
}

int Program::Run() {
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        Dispatch(message);
    }
    return static_cast<int>(message.wParam);
}

void Program::Dispatch(MSG& message) {
    const HWND top = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    if (top != nullptr && dialog(top) && IsDialogMessageW(top, &message)) {
        return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

} // namespace win32
