#include "trame/System.h"

#include "text/Wide.h"

#include <fcntl.h>
#include <io.h>
#include <stdio.h>
#include <windows.h>

#include <shellapi.h>

#include <memory>

namespace trame {
namespace {

struct LocalFreeDeleter {
    void operator()(wchar_t** arguments) const { LocalFree(arguments); }
};

} // namespace

// argv holds the arguments in the ANSI code page, which has no ″ and loses what the user
// typed outside it: the wide command line keeps everything. The console shows UTF-8 (the
// messages' accents) for the run, and the streams are binary so that "\n" stays one byte and
// a CR LF asked for is not doubled.
Console::Console(int, char**) : previousCodePage_(GetConsoleOutputCP()) {
    int count = 0;
    const std::unique_ptr<wchar_t*, LocalFreeDeleter> arguments(
        CommandLineToArgvW(GetCommandLineW(), &count));
    for (int i = 1; arguments && i < count; ++i) {
        arguments_.push_back(text::Narrow(arguments.get()[i]));
    }
    if (previousCodePage_ != 0) { // 0: no console at all
        SetConsoleOutputCP(CP_UTF8);
    }
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    _setmode(_fileno(stdin), _O_BINARY);
}

// The console's window outlives the program: the next program gets back its code page.
Console::~Console() {
    if (previousCodePage_ != 0) {
        SetConsoleOutputCP(previousCodePage_);
    }
}

} // namespace trame
