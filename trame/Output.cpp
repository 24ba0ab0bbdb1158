#include "trame/Output.h"

#include "platform/Failure.h"
#include "platform/Visible.h"
#include "trame/Firmware.h"
#include "trame/Gpx.h"

namespace trame {

Destination::Destination(const Options& o, std::ostream& out) : out_(out) {
    if (o.output) {
        file_.emplace(*o.output, platform::Visible(*o.output));
    }
}

void Destination::Write(std::string_view text) {
    if (file_) {
        file_->sputn(text.data(), static_cast<std::streamsize>(text.size()));
    } else if (!out_.write(text.data(), static_cast<std::streamsize>(text.size()))) {
        throw platform::Failure("impossible d'écrire dans la sortie standard");
    }
}

void Destination::Commit() {
    if (file_) {
        file_->Commit();
    } else if (!out_.flush()) {
        throw platform::Failure("impossible d'écrire dans la sortie standard");
    }
}

Writer::Writer(const Options& o, Destination& destination, bool batch)
    : form_(o.form), crlf_(o.crlf.value_or(o.form != Form::Text && o.form != Form::Gpx)),
      lineEnd_(crlf_                  ? "\r\n"
               : o.form == Form::Text ? "\n"
                                      : ""),
      destination_(destination), batch_(batch) {}

bool Writer::held() const {
    return InEeprom(form_) || (form_ != Form::Text && form_ != Form::Gpx && !batch_);
}

// The opening of a form written as it comes, before its first sentence, or at the end when
// none came.
void Writer::open() {
    if (!opened_ && form_ != Form::Text && !held()) {
        destination_.Write(form_ == Form::Gpx ? GpxStart() : FirmwareStart(form_));
    }
    opened_ = true;
}

void Writer::Add(const Label& label, const std::string& sentence) {
    open();
    ++count_;
    if (form_ == Form::Gpx) {
        destination_.Write(GpxWaypoint(
            label.name.empty() ? std::to_string(label.line) : std::string(label.name), sentence));
        return;
    }
    const std::string bytes = sentence + lineEnd_;
    bytes_ += bytes.size();
    last_ = sentence;
    if (form_ == Form::Text) {
        destination_.Write(label.written.empty() ? bytes
                                                 : std::string(label.written) + ";" + bytes);
    } else if (held()) {
        held_ += held_.size() <= EepromBytes ? bytes : std::string(); // past it, only counted
    } else {
        destination_.Write(FirmwarePiece(form_, bytes));
    }
}

std::string Writer::Finish() {
    const std::string what =
        count_ == 1 ? last_ + (crlf_ ? " et CR LF" : "")
                    : std::to_string(count_) + " trames" + (crlf_ ? " et leurs CR LF" : "");
    if (InEeprom(form_) && bytes_ > EepromBytes) {
        throw platform::Failure(std::to_string(bytes_) + " octets ne tiennent pas dans les " +
                                std::to_string(EepromBytes) + " octets de l'EEPROM");
    }
    open();
    if (form_ == Form::Gpx) {
        destination_.Write(GpxEnd());
    } else if (held()) {
        destination_.Write(FirmwareText(form_, held_, what));
    } else if (form_ != Form::Text) {
        destination_.Write(FirmwareEnd(form_, count_, bytes_, what));
    }
    destination_.Commit();
    return form_ == Form::Hex ? std::to_string(bytes_) + " octets, EEPROM à partir de 0x2100"
                              : std::string();
}

} // namespace trame
