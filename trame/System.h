// What differs between systems at the program's edge.
#pragma once

#include <string>
#include <vector>

namespace trame {

// The console for one run: the arguments after the program's name as UTF-8 texts, whatever
// the console's code page, and standard streams that pass bytes unchanged. What the
// constructor changes in the console, the destructor puts back.
class Console {
public:
    Console(int argc, char** argv);
    ~Console();
    Console(const Console&) = delete;
    Console& operator=(const Console&) = delete;

    const std::vector<std::string>& Arguments() const { return arguments_; }

private:
    std::vector<std::string> arguments_;
    // The output code page to put back, where consoles have one (Windows); 0 for none.
    [[maybe_unused]] unsigned previousCodePage_ = 0;
};

} // namespace trame
