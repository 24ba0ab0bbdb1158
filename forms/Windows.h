// How the program's windows live, stated once for every front-end: how each loads, when the About
// window is loaded and shown, and when the program ends.
#pragma once

#include "forms/View.h"

#include <functional>
#include <utility>

namespace forms {

// A window's behaviour, loaded: made on the controls that the front-end built from its design
// (the view), its events bound by the front-end to its table, then its load handler run, all
// before the window is first shown.
template <class Logic> class Loaded {
public:
    template <class Bind, class... Arguments>
    Loaded(View& view, const Bind& bind, Arguments&&... arguments)
        : logic_(view, std::forward<Arguments>(arguments)...) {
        bind(logic_.events());
        logic_.Form_Load();
    }

    Logic& operator*() { return logic_; }
    Logic* operator->() { return &logic_; }

private:
    Logic logic_;
};

// A front-end's top-level window, as the program shows it.
class TopLevel {
public:
    virtual bool Minimised() const = 0;
    // Shows the window as it is, hidden or shown.
    virtual void Show() = 0;
    // Shows a minimised window restored.
    virtual void Restore() = 0;
    // Brings the window to the front, with the keyboard.
    virtual void Activate() = 0;

protected:
    ~TopLevel() = default;
};

// The one About window of the process: a request loads it if none is loaded, then shows it,
// restored if minimised, and activates it. Closing it unloads it; the next request loads it
// afresh. Each front-end's slot loads and holds its own window.
class AboutSlot {
public:
    AboutSlot(const AboutSlot&) = delete;
    AboutSlot& operator=(const AboutSlot&) = delete;

    void Request();
    bool IsLoaded() const { return window_ != nullptr; }

protected:
    AboutSlot() = default;
    ~AboutSlot() = default;
    // The front-end tells that the window it loaded is closed.
    void Unloaded() { window_ = nullptr; }

private:
    // Loads a window, hidden.
    virtual TopLevel& Load() = 0;

    TopLevel* window_ = nullptr;
};

// The program ends with its last window, whichever that is: the main window, loaded from the
// start, or the About window, which closing the main window leaves open.
class Lifetime {
public:
    Lifetime(const AboutSlot& about, std::function<void()> end)
        : about_(about), end_(std::move(end)) {}

    void MainClosed() {
        mainLoaded_ = false;
        WindowClosed();
    }
    // After any window is closed, the About window's slot told first.
    void WindowClosed() const {
        if (!mainLoaded_ && !about_.IsLoaded()) {
            end_();
        }
    }

private:
    const AboutSlot& about_;
    std::function<void()> end_;
    bool mainLoaded_ = true;
};

} // namespace forms
