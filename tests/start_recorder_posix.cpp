// Started by the launcher tests: writes how it was started beside itself, in "<path>.log".
#include <fstream>
#include <string>

int main(int argc, char* argv[]) {
    std::ofstream log{std::string{argv[0]} + ".log"};
    for (int i = 0; i < argc; ++i) {
        log << (i > 0 ? " " : "") << argv[i];
    }
    log << "\n-1\n"; // no show style here
}
