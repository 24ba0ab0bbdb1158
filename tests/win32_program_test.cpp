// The whole program, Quorvelin.exe, run as a child process and driven through its windows'
// messages from outside, as a user's clicks reach it: how it ends, and what it starts.
#include "tests/platform_fixture.h"
#include "tests/start_records.h"

#ifndef UNICODE
#define UNICODE
#endif
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#ifndef QUORVELIN_EXE
#error "QUORVELIN_EXE must name the program under test"
#endif

namespace {

namespace fs = std::filesystem;

struct Found {
    DWORD process;
    const wchar_t* className;
    HWND window;
};

// The program, started at construction and ended, if it is still running, at destruction.
class RunningProgram {
public:
    RunningProgram() {
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        std::wstring commandLine = L"Quorvelin.exe";
        EXPECT_TRUE(CreateProcessW(fs::path(QUORVELIN_EXE).wstring().c_str(), commandLine.data(),
                                   nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                   &process_));
        CloseHandle(process_.hThread);
        WaitForInputIdle(process_.hProcess, 10000);
    }
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;
    ~RunningProgram() {
        if (!ended(0)) {
            TerminateProcess(process_.hProcess, 99);
        }
        CloseHandle(process_.hProcess);
    }

    // The program's visible window of that class, once it is there.
    HWND window(const wchar_t* className) const {
        Found found{process_.dwProcessId, className, nullptr};
        for (int tries = 0; tries < 250 && found.window == nullptr; ++tries) {
            EnumWindows(
                [](HWND window, LPARAM data) {
                    auto* const found = reinterpret_cast<Found*>(data);
                    DWORD process = 0;
                    GetWindowThreadProcessId(window, &process);
                    wchar_t name[32] = {};
                    GetClassNameW(window, name, 32);
                    if (process == found->process && IsWindowVisible(window) &&
                        std::wstring_view(name) == found->className) {
                        found->window = window;
                    }
                    return TRUE;
                },
                reinterpret_cast<LPARAM>(&found));
            if (found.window == nullptr) {
                Sleep(20);
            }
        }
        return found.window;
    }

    HWND openAbout() const {
        SendMessageW(FindWindowExW(window(L"QuorvelinForm1"), nullptr, L"Button", L"A lire"),
                     BM_CLICK, 0, 0);
        return window(L"QuorvelinAbout");
    }

    bool ended(DWORD waitMs) const {
        return WaitForSingleObject(process_.hProcess, waitMs) == WAIT_OBJECT_0;
    }
    DWORD exitCode() const {
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(process_.hProcess, &code);
        return code;
    }

private:
    PROCESS_INFORMATION process_{};
};

TEST(Program, EndsWithStatus0WhenItsLastWindowClosesInEitherOrder) {
    const struct {
        const char* what;
        std::vector<const wchar_t*> closed; // window classes, in closing order
    } cases[] = {
        {"main window alone", {L"QuorvelinForm1"}},
        {"About window, then main window", {L"QuorvelinAbout", L"QuorvelinForm1"}},
        {"main window, then About window", {L"QuorvelinForm1", L"QuorvelinAbout"}},
    };
    for (const auto& c : cases) {
        const RunningProgram program;
        ASSERT_NE(program.window(L"QuorvelinForm1"), nullptr) << c.what;
        if (c.closed.size() > 1) {
            ASSERT_NE(program.openAbout(), nullptr) << c.what;
        }
        for (std::size_t i = 0; i < c.closed.size(); ++i) {
            PostMessageW(program.window(c.closed[i]), WM_CLOSE, 0, 0);
            const bool last = i + 1 == c.closed.size();
            EXPECT_EQ(program.ended(last ? 10000 : 500), last) << c.what << ", window " << i;
        }
        EXPECT_EQ(program.exitCode(), 0u) << c.what;
    }
}

TEST(Program, CarriesItsIconPointerManifestAndVersionRecord) {
    const HMODULE file = LoadLibraryExW(fs::path(QUORVELIN_EXE).wstring().c_str(), nullptr,
                                        LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(file, nullptr);
    const struct {
        const wchar_t* type;
        const wchar_t* name;
    } resources[] = {{RT_GROUP_ICON, MAKEINTRESOURCEW(1)},
                     {RT_GROUP_CURSOR, L"HANDPOINTER"},
                     {RT_MANIFEST, MAKEINTRESOURCEW(1)},
                     {RT_VERSION, MAKEINTRESOURCEW(1)}};
    for (const auto& r : resources) {
        EXPECT_NE(FindResourceW(file, r.name, r.type), nullptr)
            << reinterpret_cast<std::uintptr_t>(r.type);
    }
    FreeLibrary(file);
}

fs::path windowsFolder() {
    wchar_t folder[MAX_PATH];
    return fs::path(std::wstring(folder, GetWindowsDirectoryW(folder, MAX_PATH)));
}

// The recorder stands in for the Windows folder's explorer.exe and for the system-information
// tool that the registry names.
class ProgramStarts : public testing::Test {
protected:
    void SetUp() override {
        if (!testsupport::MayRewriteSystem()) {
            GTEST_SKIP() << "would replace this machine's explorer.exe and registry keys";
        }
        testsupport::ClearTestKeys();
        tool = (testsupport::ScratchFolder() / "tool.exe").string();
        testsupport::InstallRecorder(tool);
        testsupport::SetValue("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", 1,
                              tool + std::string(1, '\0'));
        fs::rename(explorer, saved);
        testsupport::InstallRecorder(explorer.string());
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove(explorer, ignored);
        fs::remove(explorer.string() + ".log", ignored);
        fs::rename(saved, explorer, ignored);
        testsupport::ClearTestKeys();
    }

    const fs::path explorer = windowsFolder() / "explorer.exe";
    const fs::path saved = windowsFolder() / "explorer.exe.quorvelin-saved";
    std::string tool;
};

TEST_F(ProgramStarts, TheLinkAndTheSystemInformationToolAsSpecified) {
    const RunningProgram program;
    const HWND about = program.openAbout();
    ASSERT_NE(about, nullptr);

    const HWND link = FindWindowExW(about, nullptr, L"Static", L"www.vexor.example");
    RECT place{};
    GetWindowRect(link, &place);
    MapWindowPoints(nullptr, about, reinterpret_cast<POINT*>(&place), 2);
    const LPARAM centre =
        MAKELPARAM((place.left + place.right) / 2, (place.top + place.bottom) / 2);
    PostMessageW(about, WM_LBUTTONDOWN, MK_LBUTTON, centre);
    PostMessageW(about, WM_LBUTTONUP, 0, centre);
    const std::optional<testsupport::StartRecord> page = testsupport::RunOf(explorer.string());
    ASSERT_TRUE(page.has_value());
    EXPECT_EQ(page->commandLine, "explorer.exe www.vexor.example");
    EXPECT_EQ(page->showStyle, SW_SHOWMINIMIZED);

    SendMessageW(FindWindowExW(about, nullptr, L"Button", L"&Infos système..."), BM_CLICK, 0, 0);
    const std::optional<testsupport::StartRecord> run = testsupport::RunOf(tool);
    ASSERT_TRUE(run.has_value());
    EXPECT_EQ(run->commandLine, "\"" + tool + "\"");
    EXPECT_EQ(run->showStyle, SW_SHOWNORMAL);

    PostMessageW(about, WM_CLOSE, 0, 0);
    PostMessageW(program.window(L"QuorvelinForm1"), WM_CLOSE, 0, 0);
    EXPECT_TRUE(program.ended(10000));
}

} // namespace
