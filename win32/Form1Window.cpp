#include "win32/Form1Window.h"

#include "forms/Form1Design.h"

#include <utility>

namespace win32 {

Form1Window::Form1Window(Scale scale, Services services, std::function<void()> requestAbout,
                         std::function<void()> closed)
    : closed_(std::move(closed)) {
    Create(forms::Form1Design(), L"QuorvelinForm1", nullptr, scale, std::move(services));
    logic_.emplace(form(), std::move(requestAbout));
}

Form1Window::~Form1Window() = default;

void Form1Window::Show(int show) {
    logic_->Form_Load();
    ShowWindow(handle(), show);
    UpdateWindow(handle());
}

void Form1Window::Command(std::string_view control, WORD code) {
    if (!logic_) {
        return; // the controls are still being built
    }
    using Handler = void (forms::Form1Logic::*)();
    const struct {
        std::string_view control;
        WORD code;
        Handler handler;
    } handlers[] = {
        {"LatPos", EN_CHANGE, &forms::Form1Logic::LatPos_Change},
        {"LongPos", EN_CHANGE, &forms::Form1Logic::LongPos_Change},
        {"Command1", BN_CLICKED, &forms::Form1Logic::Command1_Click},
        {"CmdAide", BN_CLICKED, &forms::Form1Logic::CmdAide_Click},
    };
    for (const auto& h : handlers) {
        if (h.control == control && h.code == code) {
            ((*logic_).*h.handler)();
        }
    }
}

void Form1Window::Closed() {
    if (closed_) {
        closed_();
    }
}

} // namespace win32
