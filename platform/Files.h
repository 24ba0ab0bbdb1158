// Files read and written through the system's own calls, so that every failure is told with
// its reason and a file is replaced whole or not at all. Failures are Failure errors whose
// text names the file as the caller shows it.
#pragma once

#include <cstdint>
#include <memory>
#include <streambuf>
#include <string>

namespace platform {

// A file, or the standard input, read in blocks as they come (a pipe's or a terminal's
// without waiting for more). A read that fails throws from underflow(), which std::istream
// turns into badbit unless its exceptions() ask for it; reading through the buffer itself
// (sgetn, sgetc) gets the Failure.
class InputFile : public std::streambuf {
public:
    // Standard input.
    InputFile();
    // `path` in UTF-8; `shown` is the name the messages give. Throws Failure when the file
    // cannot be opened or is a folder.
    InputFile(const std::string& path, const std::string& shown);
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;
    ~InputFile() override;

protected:
    int_type underflow() override;

private:
    std::intptr_t handle_;
    bool owned_;
    std::string shown_;
    char buffer_[1 << 16];
};

// Standard output, or a file replaced whole: the bytes go to a temporary file beside it
// (beside the target of a symbolic link), which Commit() flushes to the disk and renames over
// the file. Until then the file stays as it was; the temporary is removed when the object
// goes without a Commit(), and when Ctrl+C, SIGTERM or SIGHUP end the program.
class OutputFile : public std::streambuf {
public:
    // Standard output.
    OutputFile();
    // Throws Failure when the temporary cannot be made.
    OutputFile(const std::string& path, const std::string& shown);
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;
    ~OutputFile() override;

    // Writes what is buffered and, for a file, puts it in place. Throws Failure.
    void Commit();

protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* text, std::streamsize count) override;
    int sync() override;

private:
    void writeAll(const char* text, std::size_t count);
    void flushBuffer();

    struct Replacement; // the temporary and the file it replaces
    std::intptr_t handle_;
    std::string shown_;
    std::unique_ptr<Replacement> replacement_;
    char buffer_[1 << 16];
};

} // namespace platform
