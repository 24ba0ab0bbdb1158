#include "win32/Form1Window.h"

#include "forms/Form1Design.h"

#include <utility>

namespace win32 {

Form1Window::Form1Window(Scale scale, Services services, std::function<void()> requestAbout,
                         std::function<void()> closed)
    : closed_(std::move(closed)) {
    Create(forms::Form1Design(), L"QuorvelinForm1", nullptr, scale, std::move(services));
    logic_.emplace(
        form(), [this](forms::Events& events) { Bind(events); }, std::move(requestAbout));
}

Form1Window::~Form1Window() = default;

void Form1Window::Show(int show) {
    ShowWindow(handle(), show);
    UpdateWindow(handle());
}

void Form1Window::Closed() {
    if (closed_) {
        closed_();
    }
}

} // namespace win32
