// The system calls behind InputFile and OutputFile, one file of them per system. Handles are
// file descriptors on POSIX and HANDLEs on Windows. Each failure throws Failure with a French
// text that names the file by `shown`.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace platform::files {

std::intptr_t StandardInput();
std::intptr_t StandardOutput();

// Opens a file (UTF-8 path) to read; a folder is refused.
std::intptr_t OpenToRead(const std::string& path, const std::string& shown);

// Some bytes, as many as are there; 0 at the end.
std::size_t Read(std::intptr_t handle, char* bytes, std::size_t count, const std::string& shown);

// Every byte.
void Write(std::intptr_t handle, const char* bytes, std::size_t count, const std::string& shown);

void Close(std::intptr_t handle);

// A new temporary file beside the file `path` names (beside its target, for a symbolic link),
// with the file's permissions when it exists. Until Replace or Discard, the temporary is
// removed if a signal or Ctrl+C ends the program.
struct Temporary {
    std::intptr_t handle = -1;
    std::string path;   // the temporary
    std::string target; // the file it will replace
};
Temporary CreateBeside(const std::string& path, const std::string& shown);

// Flushes the temporary to the disk, closes it and renames it over its target.
void Replace(Temporary& temporary, const std::string& shown);

// Closes and removes the temporary.
void Discard(Temporary& temporary) noexcept;

} // namespace platform::files
