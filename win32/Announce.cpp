#include "win32/Announce.h"

#include "win32/Handles.h"

namespace win32 {
namespace {

// UI Automation's notification, looked up at run time: older systems, and Wine, lack it.
using HostProvider = HRESULT(WINAPI*)(HWND, IUnknown**);
using RaiseNotification = HRESULT(WINAPI*)(IUnknown*, int kind, int processing, BSTR text,
                                           BSTR activity);
using AllocString = BSTR(WINAPI*)(const OLECHAR*);
using FreeString = void(WINAPI*)(BSTR);

constexpr int ActionCompleted = 2;     // NotificationKind_ActionCompleted
constexpr int ImportantMostRecent = 1; // NotificationProcessing_ImportantMostRecent

inline void freeLibrary(HMODULE module) {
    FreeLibrary(module);
}
using Library = Owned<HMODULE, freeLibrary>;

template <typename Function> Function lookUp(const Library& library, const char* name) {
    return library ? reinterpret_cast<Function>(
                         reinterpret_cast<void*>(GetProcAddress(library.get(), name)))
                   : nullptr;
}

struct Notifications {
    Library core{LoadLibraryW(L"uiautomationcore.dll")};
    Library strings{LoadLibraryW(L"oleaut32.dll")};
    HostProvider host = lookUp<HostProvider>(core, "UiaHostProviderFromHwnd");
    RaiseNotification raise = lookUp<RaiseNotification>(core, "UiaRaiseNotificationEvent");
    AllocString alloc = lookUp<AllocString>(strings, "SysAllocString");
    FreeString free = lookUp<FreeString>(strings, "SysFreeString");

    bool available() const { return host && raise && alloc && free; }
};

// Loaded at the first announcement, kept for the rest of the process.
const Notifications& notifications() {
    static const Notifications loaded;
    return loaded;
}

void notify(HWND control, const std::wstring& text) {
    const Notifications& uia = notifications();
    if (!uia.available()) {
        return;
    }
    IUnknown* provider = nullptr;
    if (FAILED(uia.host(control, &provider)) || provider == nullptr) {
        return;
    }
    const BSTR said = uia.alloc(text.c_str());
    const BSTR activity = uia.alloc(L"Quorvelin.Trame");
    uia.raise(provider, ActionCompleted, ImportantMostRecent, said, activity);
    uia.free(activity);
    uia.free(said);
    provider->Release();
}

} // namespace

void Announce(HWND control, const std::wstring& text) {
    notify(control, text);
    NotifyWinEvent(EVENT_OBJECT_LIVEREGIONCHANGED, control, OBJID_CLIENT, CHILDID_SELF);
}

} // namespace win32
