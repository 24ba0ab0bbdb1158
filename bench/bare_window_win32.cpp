// The yardstick of the Windows start-up benchmark: one Win32 window with a caption and one
// text in the program's font, registered, created, shown and served by a message loop, as
// little as a window program that shows text does.
#include <windows.h>

namespace {

LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// The program's default font: "Microsoft Sans Serif", 8.25 points at the screen's DPI.
HFONT programFont() {
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    LOGFONTW font{};
    font.lfHeight = -MulDiv(825, dpi, 7200);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfOutPrecision = OUT_TT_PRECIS;
    font.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    lstrcpyW(font.lfFaceName, L"Microsoft Sans Serif");
    return CreateFontIndirectW(&font);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*commandLine*/, int show) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = L"BareWindow";
    RegisterClassW(&windowClass);
    const HWND window =
        CreateWindowExW(0, L"BareWindow", L"Bare", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                        CW_USEDEFAULT, 449, 247, nullptr, nullptr, instance, nullptr);
    const HFONT font = programFont();
    const HWND text = CreateWindowExW(0, L"STATIC", L"Latitude", WS_CHILD | WS_VISIBLE, 8, 8, 200,
                                      20, window, nullptr, instance, nullptr);
    SendMessageW(text, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    ShowWindow(window, show);
    UpdateWindow(window);
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        DispatchMessageW(&message);
    }
    DeleteObject(font);
    return static_cast<int>(message.wParam);
}
