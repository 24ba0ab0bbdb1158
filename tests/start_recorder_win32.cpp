// Started by the launcher tests: writes its command line and the show style it was given
// beside itself, in "<path>.log".
#include <windows.h>

#include <fstream>
#include <string>

int main() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    std::ofstream log(std::string(path) + ".log");
    log << GetCommandLineA() << '\n'
        << ((startup.dwFlags & STARTF_USESHOWWINDOW) != 0 ? int(startup.wShowWindow) : -1) << '\n';
}
