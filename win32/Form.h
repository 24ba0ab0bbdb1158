// Builds a window's controls from its toolkit-free description and shows what its behaviour
// says: the thin Win32 side of both windows.
#pragma once

#include "forms/Design.h"
#include "forms/View.h"
#include "win32/Handles.h"
#include "win32/Scale.h"
#include "win32/Win32.h"

#include <commctrl.h>

#include <cstddef>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace win32 {

// What the windows ask of the system; tests give their own.
struct Services {
    // A box with an OK button alone that holds the whole program: no window of it takes input
    // while the box is shown.
    std::function<void(const std::string& caption, const std::string& text)> messageBox;
    // Hands the address to the system's page opener without waiting; false when it could not.
    std::function<bool(const std::string& address)> openWebPage;
};

// The system's message box and page opener.
Services SystemServices();

// The resources that the program's resource script links in.
inline constexpr WORD AppIconId = 1;
inline constexpr const wchar_t* HandPointerName = L"HANDPOINTER";
HICON AppIcon(int size);

// The window's surface, which transparent labels let show through.
inline constexpr int SurfaceColour = COLOR_BTNFACE;

class Form : public forms::View {
public:
    // Creates one control per record of the design, in tab order (the order Tab follows).
    Form(HWND window, const forms::Window& design, Scale scale, Services services);
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    std::string Text(std::size_t control) const override;
    void SetText(std::size_t control, const std::string& text) override;
    void SetVisible(std::size_t control, bool visible) override;
    void SetBackground(std::size_t control, std::optional<forms::Colour> colour) override;
    void SetCaption(const std::string& caption) override;
    void MessageBox(const std::string& caption, const std::string& text) override;
    void Unload() override;
    void OpenWebPage(const std::string& address) override;

    // What OpenWebPage calls when the page could not be opened.
    void OnPageNotOpened(std::function<void()> handler) { pageNotOpened_ = std::move(handler); }

    const forms::Window& design() const { return design_; }
    HWND control(std::size_t index) const { return controls_.at(index).handle; }
    // The index of one of the window's controls, or Surface for the window; nothing for any other.
    std::optional<std::size_t> index(HWND control) const;
    bool isButton(HWND control) const;

    // Colours (WM_CTLCOLOR*), coloured buttons (NM_CUSTOMDRAW), the pointing hand
    // (WM_SETCURSOR) and the design's lines (WM_PAINT); nothing for other messages.
    std::optional<LRESULT> Handle(UINT message, WPARAM wParam, LPARAM lParam);

private:
    struct Built {
        const forms::Control* design = nullptr;
        HWND handle = nullptr;
        std::optional<forms::Colour> background;
    };

    const Built* built(HWND control) const;
    HFONT font(forms::Font design);
    HBRUSH brush(forms::Colour colour);
    HWND create(const forms::Control& design, int id);
    LRESULT colour(HDC dc, HWND control);
    LRESULT drawButton(const NMCUSTOMDRAW& draw);
    void paintLines();

    HWND window_;
    const forms::Window& design_;
    Scale scale_;
    Services services_;
    std::function<void()> pageNotOpened_;
    std::map<std::pair<double, bool>, Font> fonts_;
    std::map<forms::Colour, Brush> brushes_;
    std::vector<Built> controls_; // in the design's order
    HCURSOR hand_ = nullptr;      // loaded when first over a button that has it
};

} // namespace win32
