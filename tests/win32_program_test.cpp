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
#include <utility>
#include <vector>

#ifndef QUORVELIN_EXE
#error "QUORVELIN_EXE must name the program under test"
#endif

namespace {

namespace fs = std::filesystem;

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

    // Its shown window of that class, once there; the tests start one program at a time.
    HWND window(const wchar_t* className) const {
        for (int tries = 0; tries < 250; ++tries, Sleep(20)) {
            const HWND found = FindWindowW(className, nullptr);
            DWORD process = 0;
            GetWindowThreadProcessId(found, &process);
            if (found && process == process_.dwProcessId && IsWindowVisible(found)) {
                return found;
            }
        }
        return nullptr;
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
    const std::vector<std::vector<const wchar_t*>> closingOrders{
        {L"QuorvelinForm1"},
        {L"QuorvelinAbout", L"QuorvelinForm1"},
        {L"QuorvelinForm1", L"QuorvelinAbout"},
    };
    for (const auto& closed : closingOrders) {
        const RunningProgram program;
        ASSERT_TRUE(closed.size() == 1 || program.openAbout() != nullptr);
        for (std::size_t i = 0; i < closed.size(); ++i) {
            PostMessageW(program.window(closed[i]), WM_CLOSE, 0, 0);
            const bool last = i + 1 == closed.size();
            EXPECT_EQ(program.ended(last ? 10000 : 500), last) << closed.size() << ", " << i;
        }
        EXPECT_EQ(program.exitCode(), 0u);
    }
}

// While a message box is shown, neither window takes input: the box holds the whole program.
TEST(Program, AMessageBoxHoldsBothWindows) {
    if (!testsupport::MayRewriteSystem()) {
        GTEST_SKIP() << "would remove this machine's system-information keys";
    }
    testsupport::ClearTestKeys(); // no tool: its button shows the message
    const RunningProgram program;
    const HWND about = program.openAbout();
    ASSERT_NE(about, nullptr);
    PostMessageW(FindWindowExW(about, nullptr, L"Button", L"&Infos système..."), BM_CLICK, 0, 0);
    const HWND box = program.window(L"#32770");
    ASSERT_NE(box, nullptr);
    const HWND main = program.window(L"QuorvelinForm1");
    EXPECT_EQ(std::pair(IsWindowEnabled(main), IsWindowEnabled(about)), std::pair(FALSE, FALSE));
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    for (int tries = 0; tries < 250 && IsWindow(box); ++tries) {
        Sleep(20);
    }
    EXPECT_EQ(std::pair(IsWindowEnabled(main), IsWindowEnabled(about)), std::pair(TRUE, TRUE));
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

    RECT link{};
    GetWindowRect(FindWindowExW(about, nullptr, L"Static", L"www.vexor.example"), &link);
    MapWindowPoints(nullptr, about, reinterpret_cast<POINT*>(&link), 2);
    const LPARAM centre = MAKELPARAM((link.left + link.right) / 2, (link.top + link.bottom) / 2);
    PostMessageW(about, WM_LBUTTONDOWN, MK_LBUTTON, centre);
    PostMessageW(about, WM_LBUTTONUP, 0, centre);
    SendMessageW(FindWindowExW(about, nullptr, L"Button", L"&Infos système..."), BM_CLICK, 0, 0);

    const std::optional<testsupport::StartRecord> page = testsupport::RunOf(explorer.string());
    ASSERT_TRUE(page.has_value());
    EXPECT_EQ(page->commandLine, "explorer.exe www.vexor.example");
    EXPECT_EQ(page->showStyle, SW_SHOWMINIMIZED);
    const std::optional<testsupport::StartRecord> run = testsupport::RunOf(tool);
    ASSERT_TRUE(run.has_value());
    EXPECT_EQ(run->commandLine, "\"" + tool + "\"");
    EXPECT_EQ(run->showStyle, SW_SHOWNORMAL);
}

} // namespace
