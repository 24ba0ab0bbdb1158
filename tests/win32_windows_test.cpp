// Both windows of the Win32 front-end, created in this process and driven with the messages a
// user's keyboard and mouse send (WM_CHAR, BM_CLICK, WM_MOUSEMOVE...), read back from what they
// show: texts, styles, places, fonts and pixels.
#include "forms/AboutDesign.h"
#include "forms/Form1Design.h"
#include "text/Wide.h"
#include "win32/Fatal.h"
#include "win32/Handles.h"
#include "win32/Program.h"

#include <gtest/gtest.h>
#include <windowsx.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace {

using win32::Program;

constexpr COLORREF Green = RGB(128, 255, 128);

// The control of that name in the design: the tests go by the names a user of the design reads.
HWND named(const win32::Form& form, std::string_view name) {
    const auto& controls = form.design().controls;
    const auto found = std::find_if(controls.begin(), controls.end(),
                                    [&](const forms::Control& c) { return c.name == name; });
    return form.control(static_cast<std::size_t>(found - controls.begin()));
}

// The design name of a control of the window, or of the window itself.
std::string_view nameOf(const win32::Form& form, HWND control) {
    const std::optional<std::size_t> index = form.index(control);
    return !index                     ? std::string_view{}
           : *index == forms::Surface ? form.design().name
                                      : form.design().controls[*index].name;
}

// The colour shown near the control's bottom right corner, where no text reaches.
COLORREF colourShown(HWND control) {
    UpdateWindow(control);
    RECT area{};
    GetClientRect(control, &area);
    const HDC dc = GetDC(control);
    const COLORREF colour = GetPixel(dc, area.right - 3, area.bottom - 3);
    ReleaseDC(control, dc);
    return colour;
}

class Windows : public testing::Test {
protected:
    explicit Windows(win32::Scale scale = {96}) : program(services(), scale) {}
    void SetUp() override { program.Start(SW_SHOWNORMAL); }

    // Message boxes and pages are recorded, not shown or opened.
    win32::Services services() {
        return {[this](const std::string& caption, const std::string& text) {
                    boxes.insert(boxes.end(), {caption, text});
                },
                [this](const std::string&) {
                    ++pages;
                    return !pageFails;
                }};
    }

    // Delivers what waits in the queue, as the message loop does.
    void pump() {
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                quit = true;
            } else {
                Program::Dispatch(message);
            }
        }
    }

    HWND main(const char* name) { return named(program.form1().form(), name); }
    HWND about(const char* name) { return named(program.about().window()->form(), name); }
    HWND aboutWindow() { return program.about().window()->handle(); }

    static std::string text(HWND window) {
        std::wstring text(256, L'\0');
        text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), 256)));
        return text::Narrow(text);
    }

    // Selects the box's text, then types over it; "\b" deletes.
    static void type(HWND box, const std::string& typed) {
        SendMessageW(box, EM_SETSEL, 0, -1);
        for (const wchar_t c : text::Wide(typed)) {
            SendMessageW(box, WM_CHAR, c, 1);
        }
    }

    void openAbout() {
        SendMessageW(main("CmdAide"), BM_CLICK, 0, 0);
        pump();
        ASSERT_NE(program.about().window(), nullptr);
    }

    // The centre of a control, in its window's client area.
    static POINT centre(HWND control) {
        RECT place{};
        GetWindowRect(control, &place);
        MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&place), 2);
        return {(place.left + place.right) / 2, (place.top + place.bottom) / 2};
    }

    void pointer(UINT message, POINT at) {
        SendMessageW(aboutWindow(), message, 0, MAKELPARAM(at.x, at.y));
    }

    std::vector<std::string> boxes; // caption, then text
    int pages = 0;
    bool pageFails = false;
    bool quit = false;
    Program program;
};

constexpr const char* Defaults =
    "$GPRMC,000000.000,A,4600.0000,N,00500.0000,E,0.00,000.00,000000,,,0*18";

TEST_F(Windows, MainWindowComposesWhatIsTyped) {
    // Enter presses the focused button: the compose button has the focus from the start.
    PostMessageW(main("Command1"), WM_KEYDOWN, VK_RETURN, 1);
    pump();
    EXPECT_EQ(text(main("TextTrame")), Defaults);
    const struct {
        std::vector<std::pair<const char*, const char*>> typed;
        const char* sentence;
    } cases[] = {
        {{{"LatMin", "42"}, {"LatSec", "51.56"}, {"LongMin", "38"}, {"LongSec", "36.75"}},
         "$GPRMC,000000.000,A,4642.8593,N,00538.6125,E,0.00,000.00,000000,,,0*12"},
        {{{"LatDeg", "0"},
          {"LatMin", "0"},
          {"LatSec", "0"},
          {"LongMin", "0"},
          {"LongSec", "0"},
          {"LongPos", "w"}},
         "$GPRMC,000000.000,A,0000.0000,N,00500.0000,W,0.00,000.00,000000,,,0*08"},
    };
    for (const auto& c : cases) {
        for (const auto& [box, typed] : c.typed) {
            type(main(box), typed);
        }
        SendMessageW(main("Command1"), BM_CLICK, 0, 0);
        EXPECT_EQ(text(main("TextTrame")), c.sentence);
    }
    for (const char* corrected : {"LatDeg", "LatMin", "LongMin"}) {
        EXPECT_EQ(text(main(corrected)), "00") << corrected;
    }
    EXPECT_EQ(text(main("LatSec")), "0");

    // The sentence is copied from its box.
    SendMessageW(main("TextTrame"), EM_SETSEL, 0, -1);
    SendMessageW(main("TextTrame"), WM_COPY, 0, 0);
    ASSERT_TRUE(OpenClipboard(nullptr));
    const HANDLE copied = GetClipboardData(CF_UNICODETEXT);
    const auto* const characters = static_cast<const wchar_t*>(GlobalLock(copied));
    EXPECT_EQ(characters ? text::Narrow(characters) : "", cases[1].sentence);
    GlobalUnlock(copied);
    CloseClipboard();
}

// Enter presses the focused button, however the focus came to it, and no button from a box:
// the main window has no default button.
TEST_F(Windows, EnterPressesTheFocusedButtonAndNoneFromABox) {
    const auto key = [this](WPARAM key) {
        PostMessageW(GetFocus(), WM_KEYDOWN, key, 1);
        pump();
    };
    const auto click = [this](const char* box) {
        SendMessageW(main(box), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        SendMessageW(main(box), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    };
    key(VK_TAB); // from the compose button, which the dialog manager made the default
    ASSERT_EQ(GetFocus(), main("TextTrame"));
    key(VK_RETURN);
    click("LatDeg");
    key(VK_RETURN);
    EXPECT_EQ(text(main("TextTrame")), "") << "nothing composed";
    click("LongPos");
    key(VK_TAB);
    ASSERT_EQ(GetFocus(), main("CmdAide"));
    key(VK_RETURN);
    EXPECT_NE(program.about().window(), nullptr) << "the coloured button reached by Tab";
}

// Each window gives the focus back to the control that had it when it is activated again.
TEST_F(Windows, FocusComesBackOnActivation) {
    openAbout();
    SetFocus(main("LatSec")); // each window active in turn
    SetFocus(about("cmdSysInfo"));
    for (const auto& [window, focus] : {std::pair(program.form1().handle(), main("LatSec")),
                                        std::pair(aboutWindow(), about("cmdSysInfo"))}) {
        SetActiveWindow(window);
        pump();
        EXPECT_EQ(GetFocus(), focus) << nameOf(program.form1().form(), focus);
    }
}

TEST_F(Windows, BoxesKeepTheirLimitsAndOneCapitalLetterForTheHemisphere) {
    const struct {
        const char* box;
        const char* typed;
        const char* shown;
    } cases[] = {
        {"LatDeg", "123", "12"}, {"LongMin", "123", "12"}, {"LatSec", "1234567", "12345"},
        {"LatPos", "\b", "S"},   {"LatPos", "n", "N"},     {"LatPos", "x", "S"},
        {"LatPos", "nn", "N"},   {"LongPos", "\b", "W"},   {"LongPos", "e", "E"},
        {"LongPos", "N", "W"},   {"LongPos", "ee", "E"},   {"TextTrame", "x", ""},
    };
    for (const auto& c : cases) {
        type(main(c.box), c.typed);
        EXPECT_EQ(text(main(c.box)), c.shown) << c.box << " typed " << c.typed;
    }

    // A hemisphere box has its letter selected once reached by a click or Tab and after each
    // edit, so a letter typed wherever the caret stands replaces it.
    const auto selected = [this](const char* box) {
        return GetFocus() == main(box) &&
               SendMessageW(main(box), EM_GETSEL, 0, 0) == MAKELRESULT(0, 1);
    };
    const auto post = [this](UINT message, WPARAM key) {
        PostMessageW(GetFocus(), message, key, 1);
        pump();
    };
    SendMessageW(main("LatPos"), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageW(main("LatPos"), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    EXPECT_TRUE(selected("LatPos")) << "clicked";
    post(WM_KEYDOWN, VK_TAB);
    EXPECT_TRUE(selected("LongPos")) << "Tab";
    const struct {
        std::vector<std::pair<UINT, WPARAM>> keys;
        const char* shown;
    } edits[] = {
        {{{WM_CHAR, 'w'}}, "W"},
        {{{WM_CHAR, 'W'}}, "W"},
        {{{WM_KEYDOWN, VK_END}, {WM_CHAR, 'e'}}, "E"},
        {{{WM_CHAR, '\b'}, {WM_CHAR, 'e'}}, "E"},
    };
    for (const auto& edit : edits) {
        for (const auto& [message, key] : edit.keys) {
            post(message, key);
        }
        EXPECT_EQ(text(main("LongPos")), edit.shown);
        EXPECT_TRUE(selected("LongPos")) << edit.shown;
    }

    // Ctrl+A selects the whole text of a box.
    type(main("LatSec"), "12.34");
    SetFocus(main("LatSec"));
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    post(WM_KEYDOWN, 'A');
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(SendMessageW(main("LatSec"), EM_GETSEL, 0, 0), MAKELRESULT(0, 5));
    EXPECT_EQ(text(main("LatSec")), "12.34");
}

struct Look {
    const char* control;
    int height; // LOGFONT: the characters' height, negative
    bool bold;
    std::optional<COLORREF> colour;
};

LOGFONTW fontOf(HWND control) {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font,
               &font);
    return font;
}

// Every control where its design puts it, in pixels at 96 dpi (the picture sizes itself), and
// a few of them in their fonts and colours.
void expectControls(HWND window, const win32::Form& form, const forms::Window& design,
                    const std::vector<Look>& looks) {
    for (const forms::Control& c : design.controls) {
        RECT place{};
        GetWindowRect(named(form, c.name), &place);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&place), 2);
        const bool sized = c.kind != forms::Kind::PictureBox;
        EXPECT_EQ(place.left, forms::Pixels(c.place.left)) << c.name;
        EXPECT_EQ(place.top, forms::Pixels(c.place.top)) << c.name;
        EXPECT_TRUE(!sized || place.right - place.left == forms::Pixels(c.place.width)) << c.name;
        EXPECT_TRUE(!sized || place.bottom - place.top == forms::Pixels(c.place.height)) << c.name;
    }
    for (const Look& look : looks) {
        const HWND control = named(form, look.control);
        const LOGFONTW font = fontOf(control);
        // The design's bitmap face where it has the size and the system lacks its successor.
        const std::wstring face = font.lfFaceName;
        EXPECT_TRUE(face == L"Microsoft Sans Serif" || face == L"MS Sans Serif") << look.control;
        EXPECT_EQ(font.lfHeight, look.height) << look.control;
        EXPECT_EQ(font.lfWeight, look.bold ? FW_BOLD : FW_NORMAL) << look.control;
        EXPECT_TRUE(!look.colour || colourShown(control) == *look.colour) << look.control;
    }
}

POINT clientOrigin(HWND window) {
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    return origin;
}

SIZE clientSize(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return {client.right, client.bottom};
}

TEST_F(Windows, MainWindowStyleFontsColoursPlacesAndTabOrder) {
    const HWND window = program.form1().handle();
    EXPECT_EQ(text(window), "Quorvelin ");
    EXPECT_EQ(GetWindowLongPtrW(window, GWL_STYLE) &
                  (WS_THICKFRAME | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX),
              WS_THICKFRAME | WS_SYSMENU);
    // A small caption, yet a taskbar button and an Alt+Tab entry.
    EXPECT_EQ(GetWindowLongPtrW(window, GWL_EXSTYLE) & (WS_EX_TOOLWINDOW | WS_EX_APPWINDOW),
              WS_EX_TOOLWINDOW | WS_EX_APPWINDOW);
    EXPECT_NE(GetClassLongPtrW(window, GCLP_HICON), 0);
    EXPECT_EQ(std::pair(clientSize(window).cx, clientSize(window).cy), std::pair(449l, 247l));
    expectControls(window, program.form1().form(), forms::Form1Design(),
                   {{"Command1", -11, true, Green},
                    {"CmdAide", -11, false, RGB(192, 192, 192)},
                    {"LatDeg", -13, true, RGB(192, 255, 255)},
                    {"LatSec", -11, true, {}},
                    {"TextTrame", -11, false, RGB(255, 255, 192)},
                    {"Latitude", -18, true, {}},
                    {"Label3", -16, true, {}}});
    EXPECT_FALSE(IsWindowVisible(main("Label6")));

    // Each box shows the whole of its text between its margins, the sentence too.
    SendMessageW(main("Command1"), BM_CLICK, 0, 0);
    for (const char* box : {"LatDeg", "LatSec", "LongSec", "LongPos", "TextTrame"}) {
        const HDC dc = GetDC(main(box));
        const win32::Selected font(
            dc, reinterpret_cast<HFONT>(SendMessageW(main(box), WM_GETFONT, 0, 0)));
        const std::wstring shown = text::Wide(text(main(box)));
        SIZE extent{};
        GetTextExtentPoint32W(dc, shown.c_str(), static_cast<int>(shown.size()), &extent);
        ReleaseDC(main(box), dc);
        const LRESULT margins = SendMessageW(main(box), EM_GETMARGINS, 0, 0);
        EXPECT_LE(LOWORD(margins) + extent.cx + HIWORD(margins), clientSize(main(box)).cx) << box;
    }

    // The pointing hand over both buttons, its fingertip the hot spot.
    for (const char* button : {"Command1", "CmdAide"}) {
        SetCursor(nullptr);
        SendMessageW(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(main(button)), HTCLIENT);
        ICONINFO hand{};
        ASSERT_TRUE(GetIconInfo(GetCursor(), &hand)) << button;
        EXPECT_EQ(std::pair(hand.xHotspot, hand.yHotspot), std::pair(12ul, 1ul)) << button;
        DeleteObject(hand.hbmMask);
        DeleteObject(hand.hbmColor);
    }

    // Tab goes from the initial focus through the boxes in their tab order, labels left out.
    EXPECT_EQ(GetFocus(), main("Command1"));
    std::vector<std::string> order;
    for (HWND at = GetFocus(); order.size() < 11; at = GetNextDlgTabItem(window, at, FALSE)) {
        order.push_back(std::string(nameOf(program.form1().form(), at)));
    }
    EXPECT_EQ(order, (std::vector<std::string>{"Command1", "TextTrame", "LatDeg", "LatMin",
                                               "LatSec", "LongDeg", "LongMin", "LongSec", "LatPos",
                                               "LongPos", "CmdAide"}));
}

TEST_F(Windows, AboutWindowStyleFontsAndPlace) {
    openAbout();
    const HWND window = aboutWindow();
    EXPECT_EQ(text(window), "À propos de Quorvelin");
    EXPECT_EQ(text(about("lblVersion")), "Version 1.0.0");
    EXPECT_EQ(GetWindowLongPtrW(window, GWL_STYLE) &
                  (WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX),
              WS_CAPTION | WS_SYSMENU);
    EXPECT_EQ(GetWindowLongPtrW(window, GWL_EXSTYLE) & (WS_EX_DLGMODALFRAME | WS_EX_APPWINDOW),
              WS_EX_DLGMODALFRAME);
    EXPECT_EQ(SendMessageW(window, WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_EQ(GetClassLongPtrW(window, GCLP_HICON), 0);
    // Owned, so out of the taskbar, but not by the main window, whose closing it outlives.
    const HWND owner = GetWindow(window, GW_OWNER);
    EXPECT_TRUE(owner != nullptr && owner != program.form1().handle() && !IsWindowVisible(owner));
    EXPECT_EQ(std::pair(clientOrigin(window).x, clientOrigin(window).y), std::pair(156l, 129l));
    EXPECT_EQ(std::pair(clientSize(window).cx, clientSize(window).cy), std::pair(426l, 237l));
    expectControls(
        window, program.about().window()->form(), forms::AboutDesign(),
        {{"Label1", -24, true, {}}, {"lblvexor", -11, true, {}}, {"lblVersion", -11, false, {}}});
    EXPECT_EQ(GetFocus(), about("cmdOK"));
}

TEST_F(Windows, LinkLightsUpOverItGoesOutOnlyOverTheBareWindowAndOpensOnePagePerClick) {
    openAbout();
    const COLORREF surface = GetSysColor(COLOR_BTNFACE);
    const HWND link = about("lblvexor");
    EXPECT_EQ(colourShown(link), surface);
    const struct {
        const char* over; // a control, or the bare window at (x, y)
        POINT at;
        COLORREF shown;
    } moves[] = {
        {"lblvexor", {}, Green},        {"Label3", {}, Green},  {nullptr, {5, 5}, surface},
        {"lblvexor", {}, Green},        {"picIcon", {}, Green}, {"cmdOK", {}, Green},
        {nullptr, {200, 163}, surface}, // on the etched rule, which is drawn on the window
    };
    for (const auto& m : moves) {
        if (m.over == nullptr) {
            pointer(WM_MOUSEMOVE, m.at);
        } else if (about(m.over) == about("cmdOK")) {
            SendMessageW(about("cmdOK"), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3)); // buttons take theirs
        } else {
            pointer(WM_MOUSEMOVE, centre(about(m.over)));
        }
        EXPECT_EQ(colourShown(link), m.shown) << (m.over ? m.over : "bare window");
    }

    // One page per click, a double-click included; a page that cannot be opened is told.
    const POINT centre = Windows::centre(link);
    const struct {
        std::vector<std::pair<UINT, POINT>> pointer;
        int pages;
    } clicks[] = {
        {{{WM_LBUTTONDOWN, centre}, {WM_LBUTTONUP, centre}}, 1},
        {{{WM_LBUTTONDOWN, centre},
          {WM_LBUTTONUP, centre},
          {WM_LBUTTONDBLCLK, centre},
          {WM_LBUTTONUP, centre}},
         2},
        {{{WM_LBUTTONDOWN, centre}, {WM_LBUTTONUP, {5, 5}}}, 2}, // released off the link
    };
    for (const auto& click : clicks) {
        for (const auto& [message, at] : click.pointer) {
            pointer(message, at);
        }
        EXPECT_EQ(pages, click.pages);
    }
    EXPECT_EQ(colourShown(link), Green);
    pageFails = true;
    pointer(WM_LBUTTONDOWN, centre);
    pointer(WM_LBUTTONUP, centre);
    EXPECT_EQ(boxes, (std::vector<std::string>{"Quorvelin",
                                               "Impossible d'ouvrir la page www.vexor.example"}));
    EXPECT_NE(program.about().window(), nullptr) << "the window stays";
}

TEST_F(Windows, OneAboutWindowLoadedAfreshAfterEachClose) {
    openAbout();
    const HWND first = aboutWindow();
    pointer(WM_MOUSEMOVE, centre(about("lblvexor")));
    SetWindowTextW(first, L"changed");
    ShowWindow(first, SW_MINIMIZE);
    openAbout();
    EXPECT_EQ(aboutWindow(), first);
    EXPECT_FALSE(IsIconic(first)) << "restored";
    EXPECT_EQ(text(first), "changed") << "not loaded again";
    EXPECT_EQ(FindWindowExW(nullptr, first, L"QuorvelinAbout", nullptr), nullptr) << "no other";

    // OK, Esc, Enter and the close box each unload it; the next request loads it afresh.
    const std::vector<std::function<void()>> closings{
        [&] { SendMessageW(about("cmdOK"), BM_CLICK, 0, 0); },
        [&] { PostMessageW(about("cmdSysInfo"), WM_KEYDOWN, VK_ESCAPE, 1); },
        [&] { PostMessageW(about("cmdOK"), WM_KEYDOWN, VK_RETURN, 1); },
        [&] { SendMessageW(aboutWindow(), WM_CLOSE, 0, 0); },
    };
    for (const auto& close : closings) {
        close();
        pump();
        EXPECT_EQ(FindWindowW(L"QuorvelinAbout", nullptr), nullptr);
        openAbout();
        EXPECT_EQ(text(aboutWindow()), "À propos de Quorvelin");
        EXPECT_EQ(colourShown(about("lblvexor")), GetSysColor(COLOR_BTNFACE));
        EXPECT_EQ(GetFocus(), about("cmdOK"));
    }
    EXPECT_FALSE(quit) << "the main window is still open";

    // Enter on the focused system-information button presses it: no tool is registered here.
    SetFocus(about("cmdSysInfo"));
    PostMessageW(about("cmdSysInfo"), WM_KEYDOWN, VK_RETURN, 1);
    pump();
    EXPECT_EQ(boxes,
              (std::vector<std::string>{
                  "Quorvelin", "Les informations système ne sont pas disponibles actuellement"}));
}

// The sentence stands in the middle of its box: as much room on its left as on its right.
TEST_F(Windows, SentenceIsCentredInItsBox) {
    SendMessageW(main("Command1"), BM_CLICK, 0, 0);
    const HWND box = main("TextTrame");
    const std::wstring shown = text::Wide(text(box));
    const HDC dc = GetDC(box);
    SIZE extent{};
    {
        const win32::Selected font(dc,
                                   reinterpret_cast<HFONT>(SendMessageW(box, WM_GETFONT, 0, 0)));
        GetTextExtentPoint32W(dc, shown.c_str(), static_cast<int>(shown.size()), &extent);
    }
    ReleaseDC(box, dc);
    const int left = GET_X_LPARAM(SendMessageW(box, EM_POSFROMCHAR, 0, 0));
    const int right = clientSize(box).cx - left - extent.cx;
    EXPECT_LE(std::abs(left - right), 2) << left << " left, " << right << " right";
}

// What screen readers are told, as a hook of theirs receives it.
std::vector<std::pair<DWORD, HWND>> heard;

void CALLBACK listen(HWINEVENTHOOK /*hook*/, DWORD event, HWND window, LONG object, LONG child,
                     DWORD /*thread*/, DWORD /*time*/) {
    if (object == OBJID_CLIENT && child == CHILDID_SELF) {
        heard.emplace_back(event, window);
    }
}

// Each composition is read out from the sentence's box while the focus stays on the button: the
// box is read-only, and tells the live-region event, the one that readers without UI Automation's
// notifications follow.
TEST_F(Windows, EachSentenceIsReadOutWithoutMovingTheFocus) {
    const HWND box = main("TextTrame");
    EXPECT_NE(GetWindowLongPtrW(box, GWL_STYLE) & ES_READONLY, 0);
    heard.clear();
    const HWINEVENTHOOK hook =
        SetWinEventHook(EVENT_OBJECT_LIVEREGIONCHANGED, EVENT_OBJECT_LIVEREGIONCHANGED, nullptr,
                        listen, GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hook, nullptr);
    for (int press = 0; press < 2; ++press) {
        PostMessageW(main("Command1"), WM_KEYDOWN, VK_SPACE, 1);
        PostMessageW(main("Command1"), WM_KEYUP, VK_SPACE, 0xC0000001);
        pump();
    }
    UnhookWinEvent(hook);
    EXPECT_EQ(text(box), Defaults);
    EXPECT_EQ(GetFocus(), main("Command1"));
    EXPECT_EQ(heard,
              (std::vector<std::pair<DWORD, HWND>>(2, {EVENT_OBJECT_LIVEREGIONCHANGED, box})));
}

// A pixel of a window, its frame included, as the screen shows it.
COLORREF pixelOf(HWND window, int x, int y) {
    const HDC dc = GetWindowDC(window);
    const COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return colour;
}

// The marks above the seconds boxes lie beneath them: each box's sunken frame stays whole, its
// top row and left column all in the colour they have where no mark reaches.
TEST_F(Windows, MarksLieBeneathTheBoxesTheyTouch) {
    RedrawWindow(program.form1().handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    for (const char* name : {"LatSec", "LongSec"}) {
        const HWND box = main(name);
        RECT outer{};
        GetWindowRect(box, &outer);
        const int width = outer.right - outer.left;
        const int height = outer.bottom - outer.top;
        const COLORREF top = pixelOf(box, width / 2, 0);
        const COLORREF left = pixelOf(box, 0, height / 2);
        for (int x = 0; x < width - 1; ++x) {
            EXPECT_EQ(pixelOf(box, x, 0), top) << name << " top row at " << x;
        }
        for (int y = 0; y < height - 1; ++y) {
            EXPECT_EQ(pixelOf(box, 0, y), left) << name << " left column at " << y;
        }
    }
}

// The etched rule: the grey line one pixel wide, the white one two pixels wide just under it.
TEST_F(Windows, AboutRuleIsAGreyLineOverAWhiteOneTwiceAsWide) {
    openAbout();
    UpdateWindow(aboutWindow());
    const HDC dc = GetDC(aboutWindow());
    std::vector<COLORREF> column;
    for (int y = 162; y <= 166; ++y) {
        column.push_back(GetPixel(dc, 100, y));
    }
    ReleaseDC(aboutWindow(), dc);
    const COLORREF surface = GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(column, (std::vector<COLORREF>{surface, RGB(128, 128, 128), RGB(255, 255, 255),
                                             RGB(255, 255, 255), surface}));
}

// At 144 dpi every place and font grows by half.
class WindowsAt144Dpi : public Windows {
protected:
    WindowsAt144Dpi() : Windows({144}) {}
};

TEST_F(WindowsAt144Dpi, ScaleTwipsAndFontsWithTheScreen) {
    const HWND window = program.form1().handle();
    EXPECT_EQ(std::pair(clientSize(window).cx, clientSize(window).cy), std::pair(674l, 371l));
    RECT box{};
    GetWindowRect(main("LatDeg"), &box);
    EXPECT_EQ(box.right - box.left, 38);
    EXPECT_EQ(fontOf(main("LatDeg")).lfHeight, -20);
    // The face scales: its characters are as tall as asked, not those of a smaller fixed size.
    const HDC dc = GetDC(main("LatDeg"));
    TEXTMETRICW metrics{};
    {
        const win32::Selected font(
            dc, reinterpret_cast<HFONT>(SendMessageW(main("LatDeg"), WM_GETFONT, 0, 0)));
        GetTextMetricsW(dc, &metrics);
    }
    ReleaseDC(main("LatDeg"), dc);
    EXPECT_EQ(metrics.tmHeight - metrics.tmInternalLeading, 20);
    openAbout();
    EXPECT_EQ(std::pair(clientOrigin(aboutWindow()).x, clientOrigin(aboutWindow()).y),
              std::pair(234l, 194l));
}

// Every text inked whole in its control: drawn in the control's own font as the control lays it
// out, none of its pixels falls outside the room the control gives it (a box's formatting
// rectangle, a label's client area, a button's inside its edges). A line box may be cut where no
// glyph reaches, as the design's marks and single-line labels are. Each line is drawn centred:
// one that fits its room fits it however aligned.
class WindowsAtDpi : public Windows, public testing::WithParamInterface<int> {
protected:
    WindowsAtDpi() : Windows({GetParam()}) {}

    // The width of a text in the font the control holds.
    static int extentOf(HWND control, const std::wstring& shown) {
        const HDC dc = GetDC(control);
        SIZE extent{};
        {
            const win32::Selected font(
                dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
            GetTextExtentPoint32W(dc, shown.c_str(), static_cast<int>(shown.size()), &extent);
        }
        ReleaseDC(control, dc);
        return extent.cx;
    }

    // Draws the text unclipped in the middle of a white canvas three times the room's size; true
    // when every pixel it inks lies within the room.
    static bool inkedWithin(HWND control, const std::wstring& shown, UINT format, RECT room) {
        const int width = room.right - room.left;
        const int height = room.bottom - room.top;
        BITMAPINFO canvas{};
        canvas.bmiHeader = {
            sizeof(BITMAPINFOHEADER), 3 * width, -3 * height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        const win32::Owned<HBITMAP, win32::deleteGdiObject> bitmap(
            CreateDIBSection(nullptr, &canvas, DIB_RGB_COLORS, &bits, nullptr, 0));
        const HDC dc = CreateCompatibleDC(nullptr);
        {
            const win32::Selected drawn(dc, bitmap.get());
            const win32::Selected font(
                dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
            const RECT all{0, 0, 3 * width, 3 * height};
            FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
            RECT at{width, height, 2 * width, 2 * height};
            format |= DT_CENTER | DT_NOCLIP;
            SetBkMode(dc, TRANSPARENT);
            DrawTextW(dc, shown.c_str(), static_cast<int>(shown.size()), &at, format);
            GdiFlush();
        }
        DeleteDC(dc);
        const auto* const pixels = static_cast<const std::uint32_t*>(bits);
        for (int y = 0; y < 3 * height; ++y) {
            for (int x = 0; x < 3 * width; ++x) {
                const bool inside = x >= width && x < 2 * width && y >= height && y < 2 * height;
                if (!inside && (pixels[y * 3 * width + x] & 0xFFFFFF) != 0xFFFFFF) {
                    return false;
                }
            }
        }
        return true;
    }
};

TEST_P(WindowsAtDpi, EveryTextIsShownWhole) {
    SendMessageW(main("Command1"), BM_CLICK, 0, 0);
    const std::pair<const char*, const char*> widest[] = {
        {"LatDeg", "88"}, {"LatMin", "88"},  {"LatSec", "59.99"},     {"LatPos", "N"},
        {"LatPos", "S"},  {"LongDeg", "88"}, {"LongMin", "88"},       {"LongSec", "59.99"},
        {"LongPos", "E"}, {"LongPos", "W"},  {"TextTrame", Defaults},
    };
    for (const auto& [name, shown] : widest) {
        SetWindowTextW(main(name), text::Wide(shown).c_str());
        RECT formatting{};
        SendMessageW(main(name), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&formatting));
        // Laid out by its advance widths, the text fits between the margins too.
        EXPECT_LE(extentOf(main(name), text::Wide(shown)), formatting.right - formatting.left)
            << name << " \"" << shown << "\"";
        EXPECT_TRUE(
            inkedWithin(main(name), text::Wide(shown), DT_SINGLELINE | DT_NOPREFIX, formatting))
            << name << " \"" << shown << "\"";
    }
    openAbout();
    const std::pair<const win32::Form*, const forms::Window*> windows[] = {
        {&program.form1().form(), &forms::Form1Design()},
        {&program.about().window()->form(), &forms::AboutDesign()}};
    for (const auto& [form, design] : windows) {
        for (const forms::Control& c : design->controls) {
            const HWND control = named(*form, c.name);
            RECT room{};
            GetClientRect(control, &room);
            UINT format = DT_WORDBREAK | DT_NOPREFIX;
            if (c.kind == forms::Kind::Button) {
                InflateRect(&room, -GetSystemMetrics(SM_CXEDGE), -GetSystemMetrics(SM_CYEDGE));
                format = DT_VCENTER | DT_SINGLELINE;
            } else if (c.kind != forms::Kind::Label || !IsWindowVisible(control)) {
                continue;
            }
            EXPECT_TRUE(inkedWithin(control, text::Wide(text(control)), format, room))
                << c.name << " \"" << text(control) << "\"";
        }
    }
}

// How much ink a text leaves drawn black on white in a font: the sum over its pixels of their
// darkness, in whole black pixels.
int inkOf(HFONT font, const std::wstring& text) {
    constexpr int Width = 400;
    constexpr int Height = 80;
    BITMAPINFO canvas{};
    canvas.bmiHeader = {sizeof(BITMAPINFOHEADER), Width, -Height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const win32::Owned<HBITMAP, win32::deleteGdiObject> bitmap(
        CreateDIBSection(nullptr, &canvas, DIB_RGB_COLORS, &bits, nullptr, 0));
    const HDC dc = CreateCompatibleDC(nullptr);
    {
        const win32::Selected drawn(dc, bitmap.get());
        const win32::Selected chosen(dc, font);
        const RECT all{0, 0, Width, Height};
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        SetBkMode(dc, TRANSPARENT);
        TextOutW(dc, 4, 4, text.c_str(), static_cast<int>(text.size()));
        GdiFlush();
    }
    DeleteDC(dc);
    const auto* const pixels = static_cast<const std::uint32_t*>(bits);
    int ink = 0;
    for (int i = 0; i < Width * Height; ++i) {
        ink += 3 * 255 - static_cast<int>((pixels[i] & 0xFF) + (pixels[i] >> 8 & 0xFF) +
                                          (pixels[i] >> 16 & 0xFF));
    }
    return ink / (3 * 255);
}

// Regular text of a given height as the system draws it: its sans serif at regular weight, the
// face that "Microsoft Sans Serif" gives (Liberation Sans under Wine).
win32::Font regularOfHeight(LONG height) {
    LOGFONTW regular{};
    regular.lfHeight = height;
    regular.lfWeight = FW_NORMAL;
    regular.lfCharSet = DEFAULT_CHARSET;
    regular.lfOutPrecision = OUT_TT_PRECIS;
    const std::wstring_view face = L"Microsoft Sans Serif";
    std::copy(face.begin(), face.end(), regular.lfFaceName);
    return win32::Font(CreateFontIndirectW(&regular));
}

// A bold font shows its weight at every size: its text leaves at least two fifths more ink than
// regular text as tall, whatever face it is drawn in. Measured under Wine against Liberation Sans:
// bold that the eye sees leaves 1.45 to 1.64 times as much (the bitmap face emboldened at 11 and
// 13 pixels, Liberation Sans Bold from 18 pixels or drawn black-and-white), bold that looks regular
// 1.16 to 1.35 (Liberation Sans Bold antialiased below 18 pixels, the bitmap face emboldened at
// 16). Wine gives the same faces at these heights whatever the dpi of its prefix.
TEST_P(WindowsAtDpi, BoldIsSeenBold) {
    openAbout();
    const std::wstring sample = L"Créer 46 00.00 Latitude";
    const std::pair<const win32::Form*, const forms::Window*> windows[] = {
        {&program.form1().form(), &forms::Form1Design()},
        {&program.about().window()->form(), &forms::AboutDesign()}};
    for (const auto& [form, design] : windows) {
        for (const forms::Control& c : design->controls) {
            if (!c.font.bold) {
                continue;
            }
            const HWND control = named(*form, c.name);
            const auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
            const win32::Font regular = regularOfHeight(fontOf(control).lfHeight);
            const int bold = inkOf(font, sample);
            const int plain = inkOf(regular.get(), sample);
            EXPECT_GE(5 * bold, 7 * plain) << c.name << " at " << c.font.points << " points: ink "
                                           << bold << " against " << plain << " in regular";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Dpi, WindowsAtDpi, testing::Values(96, 120, 144));

// The fatal box is captioned with the title and says what went wrong; the process then ends
// with status 1.
void showOnStandardError(const std::wstring& caption, const std::wstring& text) {
    std::fprintf(stderr, "%s: %s\n", text::Narrow(caption).c_str(), text::Narrow(text).c_str());
}

TEST(FatalErrorDeathTest, AnErrorEscapingAHandlerEndsTheProcessWithStatus1) {
    EXPECT_EXIT(
        {
            win32::SetFatalBox(showOnStandardError);
            win32::Guarded([]() -> LRESULT { throw std::invalid_argument("x"); });
        },
        testing::ExitedWithCode(1), "Quorvelin: Argument ou appel de proc");
}

} // namespace
