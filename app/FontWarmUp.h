// Reads the system's font configuration on a second thread while the application connects
// to its display: on X11 that connection takes longer than reading the configuration, so
// the first window's text no longer waits for it.
#pragma once

#include <thread>

namespace app {

class FontWarmUp {
public:
    FontWarmUp();
    FontWarmUp(const FontWarmUp&) = delete;
    FontWarmUp& operator=(const FontWarmUp&) = delete;
    ~FontWarmUp() { Wait(); }

    // Returns once the configuration is read; call it before the first text is laid out.
    void Wait() {
        if (reader_.joinable()) {
            reader_.join();
        }
    }

private:
    std::thread reader_;
};

} // namespace app
