// The main window: eight position boxes, the compose button and the sentence, built from the
// window's description; its behaviour is the toolkit-free one.
#pragma once

#include "forms/Form1Logic.h"
#include "forms/Windows.h"
#include "win32/TopWindow.h"

#include <functional>
#include <optional>

namespace win32 {

class Form1Window : public TopWindow {
public:
    // Loads the window, hidden: its controls, then its load handler. requestAbout is what the
    // "A lire" button asks for; closed, what its closing tells.
    Form1Window(Scale scale, Services services, std::function<void()> requestAbout,
                std::function<void()> closed);
    ~Form1Window() override;

    // Shows the window: its first showing already has the load handler's effect.
    void Show(int show);

protected:
    void Closed() override;

private:
    std::function<void()> closed_;
    std::optional<forms::Loaded<forms::Form1Logic>> logic_;
};

} // namespace win32
