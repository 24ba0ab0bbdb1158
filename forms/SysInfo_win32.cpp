#include "forms/SysInfo.h"

#include "forms/RegistryReader.h"
#include "platform/Programs.h"

#include <string>
#include <string_view>

namespace forms {
namespace {

namespace registry = platform::registry;

constexpr const char* ToolPathKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr const char* ToolPathValue = "PATH";
constexpr const char* ToolFolderKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
constexpr const char* ToolFolderValue = "MSINFO";
constexpr const char* ToolFileName = "\\MSINFO32.EXE";

// A drive and its root, or a network share. Any other path would be looked for from the current
// drive or folder, where anyone may have put a program of that name.
bool absolute(std::string_view path) {
    const auto separator = [](char c) { return c == '\\' || c == '/'; };
    const auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
    return (path.size() >= 3 && letter(path[0]) && path[1] == ':' && separator(path[2])) ||
           (path.size() >= 2 && separator(path[0]) && separator(path[1]));
}

} // namespace

// False when the registry names no tool, or names it by a path that is not absolute; an
// unreadable value or a failed start throws.
bool StartTool() {
    std::string toolPath;
    const bool named = GetKeyValue(registry::LocalMachine, ToolPathKey, ToolPathValue, toolPath);
    if (!named && !GetKeyValue(registry::LocalMachine, ToolFolderKey, ToolFolderValue, toolPath)) {
        return false;
    }
    // The reader drops one terminating zero; a text stored with more ends at its first.
    toolPath = toolPath.substr(0, toolPath.find('\0'));
    if (!named) {
        // Plain joining: a folder ending in a backslash gives a doubled one.
        toolPath += ToolFileName;
    }
    // Only the folder's tool is looked for; the first value's path is started as it is.
    if (!absolute(toolPath) || (!named && !platform::PlainFileExists(toolPath))) {
        return false;
    }
    platform::StartProgramFile(toolPath, platform::ShowNormal);
    return true;
}

} // namespace forms
