#include "trame/Feed.h"

#include "platform/Failure.h"
#include "platform/SerialPort.h"
#include "platform/Visible.h"
#include "trame/Status.h"
#include "trame/TimeStamp.h"

#include <chrono>
#include <ostream>

namespace trame {
namespace {

std::string sentMessage(long long sent) {
    return std::to_string(sent) + (sent > 1 ? " trames envoyées" : " trame envoyée");
}

} // namespace

// Sendings keep to the clock, each one interval after the start of the one before, however
// long the bytes take on the line; one that falls behind is sent at once. A signal to stop is a
// request from before the port is opened until after it is put back, never a sudden end.
int Feed(const Options& o, const std::string& sentence, std::ostream& err) {
    using Clock = std::chrono::steady_clock;
    const std::string port = platform::Visible(*o.port);
    long long sent = 0;
    try {
        const platform::StopRequest stop;
        platform::SerialPort line(*o.port, o.baud);
        err << "quorvelin-trame : envoi de " << sentence
            << (o.timestamp ? ", à l'heure et à la date UTC de chaque envoi," : "") << " sur "
            << port << " à " << o.baud << " bauds (8N1)"
            << (o.count ? "" : " ; Ctrl+C pour arrêter") << std::endl;
        const std::string bytes = sentence + "\r\n";
        // The clock is read as each sentence goes, however late it goes.
        const auto toSend = [&] {
            return o.timestamp ? WithTime(sentence, std::chrono::system_clock::now()) + "\r\n"
                               : bytes;
        };
        const Clock::time_point start = Clock::now();
        while (line.send(toSend())) {
            ++sent;
            const auto next = start + std::chrono::duration_cast<Clock::duration>(
                                          o.interval * static_cast<double>(sent));
            if ((o.count && sent == *o.count) || stop.waitUntil(next)) {
                break;
            }
        }
    } catch (const platform::Failure& failure) {
        err << "quorvelin-trame : " << failure.what() << '\n';
        if (sent > 0) {
            err << "quorvelin-trame : " << sentMessage(sent) << '\n';
        }
        return UsageError;
    }
    err << "quorvelin-trame : " << sentMessage(sent) << " sur " << port << '\n';
    return Success;
}

} // namespace trame
