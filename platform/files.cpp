#include "platform/Files.h"

#include "platform/FileCalls.h"

#include <cstring>

namespace platform {

InputFile::InputFile()
    : handle_(files::StandardInput()), owned_(false), shown_("l'entrée standard") {}

InputFile::InputFile(const std::string& path, const std::string& shown)
    : handle_(files::OpenToRead(path, "« " + shown + " »")), owned_(true),
      shown_("« " + shown + " »") {}

InputFile::~InputFile() {
    if (owned_) {
        files::Close(handle_);
    }
}

InputFile::int_type InputFile::underflow() {
    if (gptr() == egptr()) {
        const std::size_t got = files::Read(handle_, buffer_, sizeof buffer_, shown_);
        setg(buffer_, buffer_, buffer_ + got);
        if (got == 0) {
            return traits_type::eof();
        }
    }
    return traits_type::to_int_type(*gptr());
}

struct OutputFile::Replacement {
    files::Temporary temporary;
    bool done = false;
};

OutputFile::OutputFile() : handle_(files::StandardOutput()), shown_("la sortie standard") {
    setp(buffer_, buffer_ + sizeof buffer_);
}

OutputFile::OutputFile(const std::string& path, const std::string& shown)
    : handle_(-1), shown_("« " + shown + " »"), replacement_(std::make_unique<Replacement>()) {
    replacement_->temporary = files::CreateBeside(path, shown_);
    handle_ = replacement_->temporary.handle;
    setp(buffer_, buffer_ + sizeof buffer_);
}

OutputFile::~OutputFile() {
    if (replacement_ && !replacement_->done) {
        files::Discard(replacement_->temporary);
    }
}

void OutputFile::Commit() {
    flushBuffer();
    if (replacement_) {
        files::Replace(replacement_->temporary, shown_);
        replacement_->done = true;
    }
}

void OutputFile::writeAll(const char* text, std::size_t count) {
    files::Write(handle_, text, count, shown_);
}

void OutputFile::flushBuffer() {
    const auto pending = static_cast<std::size_t>(pptr() - pbase());
    setp(buffer_, buffer_ + sizeof buffer_); // nothing is written twice, even after a failure
    writeAll(buffer_, pending);
}

OutputFile::int_type OutputFile::overflow(int_type c) {
    flushBuffer();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(c);
        pbump(1);
    }
    return traits_type::not_eof(c);
}

std::streamsize OutputFile::xsputn(const char* text, std::streamsize count) {
    const auto size = static_cast<std::size_t>(count);
    if (size <= static_cast<std::size_t>(epptr() - pptr())) {
        std::memcpy(pptr(), text, size);
        pbump(static_cast<int>(count));
    } else {
        flushBuffer();
        writeAll(text, size);
    }
    return count;
}

int OutputFile::sync() {
    flushBuffer();
    return 0;
}

} // namespace platform
