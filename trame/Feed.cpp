#include "trame/Feed.h"

#include "platform/Failure.h"
#include "platform/SerialPort.h"
#include "trame/Program.h"

#include <chrono>
#include <ostream>

namespace trame {
namespace {

std::string sentMessage(long long sent) {
    return std::to_string(sent) + (sent > 1 ? " trames envoyées" : " trame envoyée");
}

} // namespace

// Sendings keep to the clock, each one interval after the start of the one before, however
// long the bytes take on the line; one that falls behind is sent at once.
int Feed(const Options& o, const std::string& sentence, std::ostream& err) {
    using Clock = std::chrono::steady_clock;
    long long sent = 0;
    try {
        platform::SerialPort port(*o.port, o.baud);
        const platform::StopRequest stop;
        err << "quorvelin-trame : envoi de " << sentence << " sur " << *o.port << " à " << o.baud
            << " bauds (8N1)" << (o.count ? "" : " ; Ctrl+C pour arrêter") << std::endl;
        const std::string line = sentence + "\r\n";
        const Clock::time_point start = Clock::now();
        while (port.send(line)) {
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
    err << "quorvelin-trame : " << sentMessage(sent) << " sur " << *o.port << '\n';
    return Success;
}

} // namespace trame
