// Start-up of the Windows program against a bare Win32 window and against its floor, the same
// controls from a dialog template, all started the same way in alternating runs: from the call that
// creates the process to its first window shown, with the program waiting for input. Medians are
// printed, and minimums, which a machine shared with other work disturbs less; nothing is checked.
// The programs are closed through their windows after each run, as a user would.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#ifndef QUORVELIN_EXE
#error "QUORVELIN_EXE, BARE_WINDOW_EXE and DIALOG_TEMPLATE_EXE must name the programs to start"
#endif

namespace {

constexpr int Runs = 21;

struct Search {
    DWORD process;
    HWND window;
};

HWND shownWindowOf(DWORD process) {
    Search search{process, nullptr};
    EnumWindows(
        [](HWND window, LPARAM data) {
            auto* const search = reinterpret_cast<Search*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == search->process && IsWindowVisible(window)) {
                search->window = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.window;
}

double seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency{};
    QueryPerformanceFrequency(&frequency);
    return double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

// Milliseconds to the first shown window; a negative figure when the program failed.
double startOnce(const char* program) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string commandLine = "program";
    LARGE_INTEGER started{};
    QueryPerformanceCounter(&started);
    if (!CreateProcessA(program, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return -1;
    }
    WaitForInputIdle(process.hProcess, 30000);
    HWND window = nullptr;
    while ((window = shownWindowOf(process.dwProcessId)) == nullptr &&
           WaitForSingleObject(process.hProcess, 1) == WAIT_TIMEOUT) {
    }
    LARGE_INTEGER shown{};
    QueryPerformanceCounter(&shown);
    PostMessageW(window, WM_CLOSE, 0, 0);
    DWORD status = 1;
    if (WaitForSingleObject(process.hProcess, 10000) == WAIT_OBJECT_0) {
        GetExitCodeProcess(process.hProcess, &status);
    } else {
        TerminateProcess(process.hProcess, 1);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return window != nullptr && status == 0 ? 1000 * seconds(started, shown) : -1;
}

double median(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

double minimum(const std::vector<double>& samples) {
    return *std::min_element(samples.begin(), samples.end());
}

long long fileSize(const char* path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExA(path, GetFileExInfoStandard, &data);
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

} // namespace

int main() {
    const char* const programs[] = {QUORVELIN_EXE, BARE_WINDOW_EXE, DIALOG_TEMPLATE_EXE};
    constexpr int Programs = sizeof programs / sizeof programs[0];
    std::vector<double> samples[Programs];
    for (const char* program : programs) {
        startOnce(program); // the files in the page cache, the prefix's services started
    }
    for (int run = 0; run < Runs; ++run) {
        for (int i = 0; i < Programs; ++i) {
            Sleep(150); // the X server done with the previous program
            const double ms = startOnce(programs[i]);
            if (ms < 0) {
                std::printf("%s did not start and end cleanly\n", programs[i]);
                return 1;
            }
            samples[i].push_back(ms);
        }
    }
    const double ours = median(samples[0]);
    const double bare = median(samples[1]);
    const double oursMin = minimum(samples[0]);
    const double bareMin = minimum(samples[1]);
    std::printf(
        "Windows start-up to first shown window under Wine, %d alternating runs, median "
        "(minimum):\n"
        "  Quorvelin.exe       %7.1f ms (%5.1f)  (%lld bytes)\n"
        "  bare Win32 window   %7.1f ms (%5.1f)  (a caption and one text in the program's font)\n"
        "  ratio               %7.2fx   (%.2fx)\n",
        Runs, ours, oursMin, fileSize(programs[0]), bare, bareMin, ours / bare, oursMin / bareMin);
    // The ratio to the floor on a line of its own, in one fixed form, so that runs can be
    // compared by it; the minimums' ratio under it.
    const double plain = median(samples[2]);
    const double plainMin = minimum(samples[2]);
    std::printf("  dialog template     %7.1f ms (%5.1f)  (the same controls, system font and "
                "colours)\n"
                "  ratio to the dialog template  %.2fx\n"
                "  of the minimums               (%.2fx)\n",
                plain, plainMin, ours / plain, oursMin / plainMin);
}
