#include "forms/SysInfo.h"

#include "forms/RegistryReader.h"
#include "platform/Programs.h"

#include <string>

namespace forms {
namespace {

namespace registry = platform::registry;

constexpr const char* ToolPathKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr const char* ToolPathValue = "PATH";
constexpr const char* ToolFolderKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
constexpr const char* ToolFolderValue = "MSINFO";
constexpr const char* ToolFileName = "\\MSINFO32.EXE";

} // namespace

// False when the registry names no tool; an unreadable value or a failed start throws.
bool StartTool() {
    std::string toolPath;
    if (!GetKeyValue(registry::LocalMachine, ToolPathKey, ToolPathValue, toolPath)) {
        if (!GetKeyValue(registry::LocalMachine, ToolFolderKey, ToolFolderValue, toolPath)) {
            return false;
        }
        // Plain joining: a folder ending in a backslash gives a doubled one.
        if (!platform::PlainFileExists(toolPath + ToolFileName)) {
            return false;
        }
        toolPath += ToolFileName;
    }
    // The path from the first value is started without a file test.
    platform::StartProgramFile(toolPath, platform::ShowNormal);
    return true;
}

} // namespace forms
