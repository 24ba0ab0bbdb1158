// The main window: eight position boxes, the compose button and the sentence, built from the
// window's description; its behaviour is the toolkit-free one.
#pragma once

#include "forms/Form1Logic.h"
#include "win32/TopWindow.h"

#include <functional>
#include <optional>

namespace win32 {

class Form1Window : public TopWindow {
public:
    // requestAbout is what the "A lire" button asks for; closed, what its closing tells.
    Form1Window(Scale scale, Services services, std::function<void()> requestAbout,
                std::function<void()> closed);
    ~Form1Window() override;

    // Runs the load handler, then shows the window: the first showing already has its effect.
    void Show(int show);

protected:
    void Closed() override;

private:
    std::function<void()> closed_;
    std::optional<forms::Form1Logic> logic_;
};

} // namespace win32
