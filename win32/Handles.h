// Ownership of the Windows handles the front-end creates: each is released where it was taken.
#pragma once

#include "win32/Win32.h"

#include <memory>
#include <type_traits>

namespace win32 {

template <typename Handle, auto Release> struct Releaser {
    void operator()(Handle handle) const { Release(handle); }
};

template <typename Handle, auto Release>
using Owned = std::unique_ptr<std::remove_pointer_t<Handle>, Releaser<Handle, Release>>;

inline void deleteGdiObject(HGDIOBJ object) {
    DeleteObject(object);
}
inline void destroyWindow(HWND window) {
    DestroyWindow(window);
}

using Font = Owned<HFONT, deleteGdiObject>;
using Brush = Owned<HBRUSH, deleteGdiObject>;
using Pen = Owned<HPEN, deleteGdiObject>;
using Window = Owned<HWND, destroyWindow>;

// Puts a GDI object into a device context for the life of a scope, then the previous one back.
class Selected {
public:
    Selected(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;
    ~Selected() { SelectObject(dc_, previous_); }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

} // namespace win32
