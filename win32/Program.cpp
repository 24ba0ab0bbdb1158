#include "win32/Program.h"

#include <utility>

namespace win32 {
namespace {

// The program's top-level windows; message boxes and other programs' windows are not.
bool ours(HWND window) {
    wchar_t name[32] = {};
    GetClassNameW(window, name, 32);
    return std::wstring_view(name).starts_with(L"Quorvelin");
}

} // namespace

Program::Program(Services services, Scale scale, const forms::AppDescriptorRecord& descriptor)
    : services_(std::move(services)), scale_(scale),
      about_(descriptor, scale, services_, [this] { closed(); }) {}

void Program::Start(int show) {
    form1_.emplace(
        scale_, services_, [this] { about_.Request(); }, [this] { closed(); });
    form1_->Show(show);
}

void Program::closed() {
    if ((!form1_ || !form1_->loaded()) && about_.window() == nullptr) {
        PostQuitMessage(0);
    }
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
    if (top != nullptr && ours(top) && IsDialogMessageW(top, &message)) {
        return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

} // namespace win32
