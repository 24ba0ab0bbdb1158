#include "win32/Fatal.h"

#include "forms/AppDescriptor.h"
#include "forms/FatalError.h"
#include "text/Wide.h"

namespace win32 {
namespace {

void systemBox(const std::wstring& caption, const std::wstring& text) {
    // Task-modal: no other window of the program takes input while it is shown.
    MessageBoxW(nullptr, text.c_str(), caption.c_str(), MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

FatalBox shownBox = systemBox;

} // namespace

void SetFatalBox(FatalBox box) {
    shownBox = box;
}

void FatalError(std::exception_ptr error) noexcept {
    try {
        shownBox(text::Wide(forms::AppDescriptor.Title), text::Wide(forms::FatalErrorText(error)));
    } catch (...) {
        // Nothing more can be told; the process ends all the same.
    }
    ExitProcess(1);
}

} // namespace win32
