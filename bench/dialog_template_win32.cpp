// The floor of the Windows start-up benchmark: the main window built the plainest way Windows
// offers, a dialog made by the system's dialog manager from a template in memory. The same
// controls from the design's table, in the same order, at the same places (scaled as the
// program scales them, then written in dialog units), with their texts and nothing else: the
// system's font and colours, the dialog class's frame without an icon, no cursor, subclass or
// binding. It carries the program's manifest, so that its controls are the same common
// controls 6.
#include "forms/Form1Design.h"
#include "text/Wide.h"
#include "win32/Scale.h"

#include <string_view>
#include <vector>

namespace {

// The predefined classes' atoms in a dialog template.
constexpr WORD ButtonAtom = 0x0080;
constexpr WORD EditAtom = 0x0081;
constexpr WORD StaticAtom = 0x0082;

struct Kind {
    WORD atom;
    DWORD style;
    DWORD exStyle;
};

// The kind of control alone: its class, Tab's stops, the boxes' sunken border and scrolling.
Kind kindOf(forms::Kind kind) {
    switch (kind) {
    case forms::Kind::Button:
        return {ButtonAtom, WS_TABSTOP | BS_PUSHBUTTON, 0};
    case forms::Kind::EntryBox:
        return {EditAtom, WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case forms::Kind::ReadOnlyBox:
        return {EditAtom, WS_TABSTOP | ES_AUTOHSCROLL | ES_READONLY, WS_EX_CLIENTEDGE};
    case forms::Kind::Label:
    case forms::Kind::PictureBox:
        break;
    }
    return {StaticAtom, SS_LEFT, 0};
}

// Pixels as dialog units of the system's font, which a template without a font of its own is
// laid out in: the dialog manager turns them back into pixels, to within one.
class DialogUnits {
public:
    DialogUnits() : base_(GetDialogBaseUnits()) {}
    WORD X(int pixels) const { return unit(pixels, 4, LOWORD(base_)); }
    WORD Y(int pixels) const { return unit(pixels, 8, HIWORD(base_)); }

private:
    static WORD unit(int pixels, int perBase, int base) {
        return static_cast<WORD>(MulDiv(pixels, perBase, base));
    }
    LONG base_;
};

// A template is a sequence of 16-bit words, its items aligned on 32 bits.
class Template {
public:
    void Word(WORD word) { words_.push_back(word); }
    void Double(DWORD word) {
        Word(LOWORD(word));
        Word(HIWORD(word));
    }
    void Text(std::string_view utf8) {
        for (const wchar_t c : text::Wide(utf8)) {
            Word(static_cast<WORD>(c));
        }
        Word(0);
    }
    void Align() {
        if (words_.size() % 2 != 0) {
            Word(0);
        }
    }
    const DLGTEMPLATE* Data() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

private:
    std::vector<WORD> words_;
};

void place(Template& out, const RECT& pixels, const DialogUnits& units) {
    out.Word(units.X(pixels.left));
    out.Word(units.Y(pixels.top));
    out.Word(units.X(pixels.right - pixels.left));
    out.Word(units.Y(pixels.bottom - pixels.top));
}

void item(Template& out, const forms::Control& c, WORD id, const win32::Scale& scale,
          const DialogUnits& units) {
    const Kind kind = kindOf(c.kind);
    out.Align();
    out.Double(WS_CHILD | (c.visible ? WS_VISIBLE : 0) | kind.style);
    out.Double(kind.exStyle);
    place(out, scale.Place(c.place), units);
    out.Word(id);
    out.Word(0xFFFF);
    out.Word(kind.atom);
    out.Text(c.caption);
    out.Word(0); // no creation data
}

// The main window's frame and caption, its client area and its controls in the program's order
// of creation, which is Tab's.
Template mainWindow(const win32::Scale& scale) {
    const forms::Window& design = forms::Form1Design();
    const DialogUnits units;
    const std::vector<const forms::Control*> order = forms::InTabOrder(design);
    Template out;
    out.Double(WS_VISIBLE | WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME |
               WS_CLIPCHILDREN);
    out.Double(WS_EX_TOOLWINDOW | WS_EX_APPWINDOW);
    out.Word(static_cast<WORD>(order.size()));
    place(out, {0, 0, scale.Pixels(design.clientWidth), scale.Pixels(design.clientHeight)}, units);
    out.Word(0); // no menu
    out.Word(0); // the dialog class
    out.Text(design.caption);
    for (const forms::Control* const c : order) {
        item(out, *c, static_cast<WORD>(100 + (c - design.controls.data())), scale, units);
    }
    return out;
}

INT_PTR CALLBACK procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM /*lParam*/) {
    switch (message) {
    case WM_INITDIALOG:
        return TRUE; // the focus on the first control Tab reaches
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL) { // closed, or Esc
            DestroyWindow(dialog);
            return TRUE;
        }
        break;
    case WM_DESTROY:
        PostQuitMessage(0);
        return TRUE;
    default:
        break;
    }
    return FALSE;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*commandLine*/,
                   int /*show*/) {
    const Template dialog = mainWindow(win32::SystemScale());
    const HWND window = CreateDialogIndirectParamW(instance, dialog.Data(), nullptr, procedure, 0);
    if (window == nullptr) {
        return 1;
    }
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageW(window, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return static_cast<int>(message.wParam);
}
