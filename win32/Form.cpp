#include "win32/Form.h"

#include "platform/Programs.h"
#include "text/Wide.h"
#include "win32/Announce.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <iterator>
#include <stdexcept>
#include <utility>

namespace win32 {
namespace {

constexpr double DefaultPoints = 8.25;
constexpr int IconSize = 32;

COLORREF rgb(forms::Colour colour) {
    return static_cast<COLORREF>(colour); // both are &H00BBGGRR
}

LONG alignment(forms::Align align, LONG left, LONG centre, LONG right) {
    switch (align) {
    case forms::Align::Centre:
        return centre;
    case forms::Align::Right:
        return right;
    case forms::Align::Left:
        break;
    }
    return left;
}

struct Kind {
    const wchar_t* className;
    LONG style;
    LONG exStyle;
};

// Boxes and the picture have the sunken border of their kind; labels take no pointer events,
// which go to the window beneath them, and never paint over the controls above them.
Kind kindOf(const forms::Control& c) {
    switch (c.kind) {
    case forms::Kind::Button:
        return {L"BUTTON", WS_TABSTOP | BS_NOTIFY | BS_PUSHBUTTON, 0};
    case forms::Kind::EntryBox: // the sunken border drawn by sunkenEdge
        return {L"EDIT",
                WS_TABSTOP | ES_AUTOHSCROLL | alignment(c.align, ES_LEFT, ES_CENTER, ES_RIGHT), 0};
    case forms::Kind::ReadOnlyBox:
        return {L"EDIT",
                WS_TABSTOP | ES_AUTOHSCROLL | ES_READONLY |
                    alignment(c.align, ES_LEFT, ES_CENTER, ES_RIGHT),
                0};
    case forms::Kind::Label:
        return {L"STATIC",
                WS_CLIPSIBLINGS | SS_NOPREFIX | alignment(c.align, SS_LEFT, SS_CENTER, SS_RIGHT),
                0};
    case forms::Kind::PictureBox:
        return {L"STATIC", SS_ICON | SS_CENTERIMAGE, WS_EX_CLIENTEDGE};
    }
    throw std::invalid_argument("control kind");
}

// The design's face, a bitmap face of a few sizes, and its TrueType successor, which every Windows
// has and which scales with the boxes around it.
constexpr std::wstring_view DesignFace = L"MS Sans Serif";
constexpr std::wstring_view Successor = L"Microsoft Sans Serif";

void setFace(LOGFONTW& font, std::wstring_view face) {
    std::fill(std::begin(font.lfFaceName), std::end(font.lfFaceName), L'\0');
    std::copy(face.begin(), face.end(), font.lfFaceName);
}

int CALLBACK found(const LOGFONTW* /*font*/, const TEXTMETRICW* /*metrics*/, DWORD /*type*/,
                   LPARAM any) {
    *reinterpret_cast<bool*>(any) = true;
    return 0;
}

// Whether the successor is installed, not only stood in for by another face.
bool successorInstalled() {
    static const bool installed = [] {
        LOGFONTW wanted{};
        wanted.lfCharSet = DEFAULT_CHARSET;
        setFace(wanted, Successor);
        bool any = false;
        const HDC screen = GetDC(nullptr);
        EnumFontFamiliesExW(screen, &wanted, found, reinterpret_cast<LPARAM>(&any), 0);
        ReleaseDC(nullptr, screen);
        return any;
    }();
    return installed;
}

// Heights of characters in pixels, measured under Wine with its own fonts. The system emboldens
// a bitmap face by one pixel: that doubles the one-pixel stems of the design's face up to 13
// pixels, but is not seen at 16. Liberation Sans Bold, which Wine stands in for the successor, is
// hinted as thin as its regular below 18 pixels when antialiased; drawn black-and-white, its
// stems are two pixels wide there.
constexpr int BitmapBoldShowsUpTo = 13;
constexpr int StandInBoldShowsFrom = 18;

// Whether the design's bitmap face shows the font: it has characters as tall as the font asks,
// or one pixel shorter, and bold ones that are seen bold.
bool bitmapShows(const LOGFONTW& font) {
    const Font made(CreateFontIndirectW(&font));
    const HDC screen = GetDC(nullptr);
    TEXTMETRICW metrics{};
    std::array<wchar_t, LF_FACESIZE> face{};
    {
        const Selected chosen(screen, made.get());
        GetTextMetricsW(screen, &metrics);
        GetTextFaceW(screen, static_cast<int>(face.size()), face.data());
    }
    ReleaseDC(nullptr, screen);
    const int height = metrics.tmHeight - metrics.tmInternalLeading;
    const bool bitmap = (metrics.tmPitchAndFamily & (TMPF_VECTOR | TMPF_TRUETYPE)) == 0;
    const bool holds = height == -font.lfHeight || height == -font.lfHeight - 1;
    const bool seen = font.lfWeight < FW_BOLD || height <= BitmapBoldShowsUpTo;
    return bitmap && face.data() == DesignFace && holds && seen;
}

std::wstring windowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

// A box's sunken border, the one WS_EX_CLIENTEDGE gives, drawn in its frame: with that style,
// Wine's edit control keeps one more pixel free inside each edge, which the seconds boxes need
// for five bold characters at 96 dpi.
LRESULT CALLBACK sunkenEdge(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR /*id*/,
                            DWORD_PTR /*data*/) {
    switch (message) {
    case WM_NCCALCSIZE: {
        DefSubclassProc(box, message, wParam, lParam);
        auto* const client = reinterpret_cast<RECT*>(lParam); // rgrc[0] comes first either way
        InflateRect(client, -GetSystemMetrics(SM_CXEDGE), -GetSystemMetrics(SM_CYEDGE));
        return 0;
    }
    case WM_NCPAINT: {
        RECT frame{};
        GetWindowRect(box, &frame);
        OffsetRect(&frame, -frame.left, -frame.top);
        const HDC dc = GetWindowDC(box);
        DrawEdge(dc, &frame, EDGE_SUNKEN, BF_RECT);
        ReleaseDC(box, dc);
        return 0;
    }
    case WM_NCDESTROY:
        RemoveWindowSubclass(box, sunkenEdge, 0);
        break;
    default:
        break;
    }
    return DefSubclassProc(box, message, wParam, lParam);
}

// A button that takes every press as a press. With BS_NOTIFY, which its focus notifications need,
// a press within the double-click time of the last click on it would only notify
// BN_DOUBLECLICKED, with no pushed look and no click: "A lire" pressed again soon after a key
// closed About would be lost.
LRESULT CALLBACK everyPress(HWND button, UINT message, WPARAM wParam, LPARAM lParam,
                            UINT_PTR /*id*/, DWORD_PTR /*data*/) {
    switch (message) {
    case WM_LBUTTONDBLCLK:
        return DefSubclassProc(button, WM_LBUTTONDOWN, wParam, lParam);
    case WM_NCDESTROY:
        RemoveWindowSubclass(button, everyPress, 0);
        break;
    default:
        break;
    }
    return DefSubclassProc(button, message, wParam, lParam);
}

// A box whose whole text stays selected: once it has the focus, by a click or by Tab, and after
// every edit. A typed character is taken as replacing it wherever the caret stands, so the length
// limit never refuses it.
LRESULT CALLBACK keepSelected(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR /*id*/,
                              DWORD_PTR /*data*/) {
    if (message == WM_CHAR) {
        SendMessageW(box, EM_SETSEL, 0, -1);
    }
    const LRESULT result = DefSubclassProc(box, message, wParam, lParam);
    switch (message) {
    case WM_SETFOCUS:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_CHAR:
    case WM_PASTE:
    case WM_CUT:
    case WM_CLEAR:
    case WM_UNDO:
    case EM_UNDO:
        SendMessageW(box, EM_SETSEL, 0, -1);
        break;
    case WM_NCDESTROY:
        RemoveWindowSubclass(box, keepSelected, 0);
        break;
    default:
        break;
    }
    return result;
}

} // namespace

Services SystemServices() {
    // Task-modal: without an owner, the box disables every window of the thread.
    return {[](const std::string& caption, const std::string& text) {
                MessageBoxW(nullptr, text::Wide(text).c_str(), text::Wide(caption).c_str(),
                            MB_OK | MB_TASKMODAL);
            },
            [](const std::string& address) { return platform::OpenWebPage(address).opened(); }};
}

HICON AppIcon(int size) {
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(AppIconId),
                                         IMAGE_ICON, size, size, LR_SHARED));
}

Form::Form(HWND window, const forms::Window& design, Scale scale, Services services)
    : window_(window), design_(design), scale_(scale), services_(std::move(services)) {
    const std::vector<const forms::Control*> order = forms::InTabOrder(design);
    controls_.resize(order.size());
    for (const forms::Control* const c : order) {
        const auto index = static_cast<std::size_t>(c - design.controls.data());
        controls_[index] = {c, create(*c, 100 + static_cast<int>(index)), c->background};
    }
    // Labels lie beneath every other control, as labels without a window of their own do: the
    // marks above the boxes leave their frames whole. Tab follows the order of the others alone.
    for (const forms::Control* const c : order) {
        if (c->kind == forms::Kind::Label) {
            SetWindowPos(controls_[static_cast<std::size_t>(c - design.controls.data())].handle,
                         HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
    }
}

HWND Form::create(const forms::Control& c, int id) {
    const Kind kind = kindOf(c);
    RECT place = scale_.Place(c.place);
    if (c.kind == forms::Kind::PictureBox) {
        // Sizes itself to the picture and its border.
        const int side = scale_.DesignPixels(IconSize) + 2 * GetSystemMetrics(SM_CXEDGE);
        place.right = place.left + side;
        place.bottom = place.top + side;
    }
    const HWND handle = CreateWindowExW(
        static_cast<DWORD>(kind.exStyle), kind.className, text::Wide(c.caption).c_str(),
        static_cast<DWORD>(WS_CHILD | kind.style | (c.visible ? WS_VISIBLE : 0)), place.left,
        place.top, place.right - place.left, place.bottom - place.top, window_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    if (handle == nullptr) {
        throw std::runtime_error("CreateWindowExW " + std::string(c.name));
    }
    SendMessageW(handle, WM_SETFONT, reinterpret_cast<WPARAM>(font(c.font)), FALSE);
    if (c.kind == forms::Kind::EntryBox || c.kind == forms::Kind::ReadOnlyBox) {
        SendMessageW(handle, EM_LIMITTEXT, static_cast<WPARAM>(c.maxLength), 0); // 0: no limit
        // The text runs from border to border: at 96 dpi the seconds boxes need every pixel
        // between their borders for five bold characters of the design's face.
        SendMessageW(handle, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(0, 0));
        SetWindowSubclass(handle, sunkenEdge, 0, 0);
        SetWindowPos(handle, nullptr, 0, 0, 0, 0,
                     SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        if (c.keepsSelected) {
            SetWindowSubclass(handle, keepSelected, 0, 0);
        }
    }
    if (c.kind == forms::Kind::Button) {
        SetWindowSubclass(handle, everyPress, 0, 0);
    }
    if (c.kind == forms::Kind::PictureBox) {
        SendMessageW(handle, STM_SETICON,
                     reinterpret_cast<WPARAM>(AppIcon(scale_.DesignPixels(IconSize))), 0);
    }
    return handle;
}

HFONT Form::font(forms::Font design) {
    const auto key = std::pair(design.points > 0 ? design.points : DefaultPoints, design.bold);
    Font& made = fonts_[key];
    if (!made) {
        LOGFONTW font{};
        font.lfHeight = scale_.FontHeight(key.first);
        font.lfWeight = key.second ? FW_BOLD : FW_NORMAL;
        font.lfCharSet = DEFAULT_CHARSET;
        font.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
        // The design's bitmap face grows in steps, unlike the boxes around it; its successor
        // scales with them, and is emboldened by the system, so that bold shows at every size.
        // Where the successor is missing (Wine), the design's face takes the sizes it has where
        // its bold shows; elsewhere the system's stand-in, drawn black-and-white where only so
        // its bold is bolder than its regular.
        setFace(font, DesignFace);
        if (successorInstalled() || !bitmapShows(font)) {
            setFace(font, Successor);
            font.lfOutPrecision = OUT_TT_PRECIS;
            if (!successorInstalled() && key.second && -font.lfHeight < StandInBoldShowsFrom) {
                font.lfQuality = NONANTIALIASED_QUALITY;
            }
        }
        made.reset(CreateFontIndirectW(&font));
    }
    return made.get();
}

HBRUSH Form::brush(forms::Colour colour) {
    Brush& made = brushes_[colour];
    if (!made) {
        made.reset(CreateSolidBrush(rgb(colour)));
    }
    return made.get();
}

const Form::Built* Form::built(HWND control) const {
    const auto found = std::find_if(controls_.begin(), controls_.end(),
                                    [&](const Built& b) { return b.handle == control; });
    return found == controls_.end() ? nullptr : &*found;
}

std::optional<std::size_t> Form::index(HWND control) const {
    if (control == window_) {
        return forms::Surface;
    }
    const Built* const found = built(control);
    return found ? std::optional(static_cast<std::size_t>(found - controls_.data())) : std::nullopt;
}

bool Form::isButton(HWND control) const {
    const Built* const found = built(control);
    return found && found->design->kind == forms::Kind::Button;
}

std::string Form::Text(std::size_t control) const {
    return text::Narrow(windowText(this->control(control)));
}

void Form::SetText(std::size_t control, const std::string& text) {
    if (Text(control) == text) {
        return;
    }
    const HWND handle = this->control(control);
    SetWindowTextW(handle, text::Wide(text).c_str()); // a box sends its change notification
    const forms::Control& design = *controls_.at(control).design;
    if (design.kind != forms::Kind::Label) {
        SendMessageW(handle, EM_SETSEL, 0, 0); // show the start of the text
    }
    // What the program writes in a box that announces is its answer: read out to the user,
    // whose focus stays on what they pressed.
    if (const std::string_view words = design.announcement; !words.empty() && !text.empty()) {
        Announce(handle, text::Wide(std::string(words) + " : " + text));
    }
}

void Form::SetVisible(std::size_t control, bool visible) {
    ShowWindow(this->control(control), visible ? SW_SHOWNA : SW_HIDE);
}

void Form::SetBackground(std::size_t control, std::optional<forms::Colour> colour) {
    Built& found = controls_.at(control);
    if (found.background != colour) {
        found.background = colour;
        InvalidateRect(found.handle, nullptr, TRUE);
    }
}

void Form::SetCaption(const std::string& caption) {
    SetWindowTextW(window_, text::Wide(caption).c_str());
}

void Form::MessageBox(const std::string& caption, const std::string& text) {
    services_.messageBox(caption, text);
}

void Form::Unload() {
    DestroyWindow(window_);
}

void Form::OpenWebPage(const std::string& address) {
    if (!services_.openWebPage(address) && pageNotOpened_) {
        pageNotOpened_();
    }
}

std::optional<LRESULT> Form::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
        if (built(reinterpret_cast<HWND>(lParam)) != nullptr) {
            return colour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        }
        break;
    case WM_NOTIFY:
        if (const auto& draw = *reinterpret_cast<const NMCUSTOMDRAW*>(lParam);
            draw.hdr.code == NM_CUSTOMDRAW) {
            return drawButton(draw);
        }
        break;
    case WM_SETCURSOR: {
        const Built* const over = built(reinterpret_cast<HWND>(wParam));
        if (over && over->design->handPointer && LOWORD(lParam) == HTCLIENT) {
            if (hand_ == nullptr) {
                hand_ = LoadCursorW(GetModuleHandleW(nullptr), HandPointerName);
            }
            SetCursor(hand_);
            return TRUE;
        }
        break;
    }
    case WM_PAINT:
        if (!design_.lines.empty()) {
            paintLines();
            return 0;
        }
        break;
    default:
        break;
    }
    return std::nullopt;
}

// Boxes, the picture and opaque labels in their colours; transparent labels on the window's
// surface. Texts without a colour of their own are black on the design's light backgrounds.
LRESULT Form::colour(HDC dc, HWND control) {
    const Built& c = *built(control);
    const std::optional<forms::Colour> text = c.design->foreground;
    if (c.background) {
        SetBkColor(dc, rgb(*c.background));
        SetTextColor(dc, rgb(text.value_or(forms::Black)));
        return reinterpret_cast<LRESULT>(brush(*c.background));
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, text ? rgb(*text) : GetSysColor(COLOR_BTNTEXT));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(SurfaceColour));
}

// A coloured button: raised in its design's colour, sunken while pressed, its focus always
// shown, drawn whole in place of the system's button; other buttons are the system's.
LRESULT Form::drawButton(const NMCUSTOMDRAW& draw) {
    const Built* const c = built(draw.hdr.hwndFrom);
    if (c == nullptr || !c->design->background || draw.dwDrawStage != CDDS_PREERASE) {
        return CDRF_DODEFAULT;
    }
    const bool pressed = (draw.uItemState & CDIS_SELECTED) != 0;
    RECT area = draw.rc;
    FillRect(draw.hdc, &area, brush(*c->design->background));
    DrawEdge(draw.hdc, &area, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_ADJUST);
    if (pressed) {
        OffsetRect(&area, 1, 1);
    }
    const Selected chosen(
        draw.hdc, reinterpret_cast<HFONT>(SendMessageW(draw.hdr.hwndFrom, WM_GETFONT, 0, 0)));
    SetBkMode(draw.hdc, TRANSPARENT);
    SetTextColor(draw.hdc, GetSysColor(COLOR_BTNTEXT));
    const std::wstring caption = windowText(draw.hdr.hwndFrom);
    DrawTextW(draw.hdc, caption.c_str(), static_cast<int>(caption.size()), &area,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if ((draw.uItemState & CDIS_FOCUS) != 0) {
        RECT focus = draw.rc;
        InflateRect(&focus, -4, -4);
        DrawFocusRect(draw.hdc, &focus);
    }
    return CDRF_SKIPDEFAULT;
}

// Each line in index order, as the band of rows its width covers from its coordinate down: a pen
// would centre them on it, and the grey rule would then hide the white one's first row.
void Form::paintLines() {
    PAINTSTRUCT paint{};
    const HDC dc = BeginPaint(window_, &paint);
    for (const forms::Line& line : design_.lines) {
        const forms::Rect band = forms::Band(line);
        const int top = scale_.Pixels(band.top);
        const RECT area{scale_.Pixels(band.left), top, scale_.Pixels(band.left + band.width),
                        top + std::max(1, scale_.DesignPixels(line.width))};
        FillRect(dc, &area, brush(line.colour));
    }
    EndPaint(window_, &paint);
}

} // namespace win32
