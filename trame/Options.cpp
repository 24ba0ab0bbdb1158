#include "trame/Options.h"

#include "platform/SerialPort.h"

#include <algorithm>
#include <charconv>
#include <string_view>
#include <type_traits>
#include <vector>

namespace trame {
namespace {

bool isNumber(std::string_view argument) {
    return argument.size() > 1 && argument[0] == '-' &&
           ((argument[1] >= '0' && argument[1] <= '9') || argument[1] == '.');
}

bool readForm(std::string_view name, Form& form) {
    constexpr struct {
        std::string_view name;
        Form form;
    } forms[] = {{"text", Form::Text},
                 {"dt", Form::Dt},
                 {"de", Form::De},
                 {"c", Form::C},
                 {"hex", Form::Hex}};
    for (const auto& known : forms) {
        if (known.name == name) {
            form = known.form;
            return true;
        }
    }
    return false;
}

// The whole text as a number, whatever the locale.
template <typename Number> std::optional<Number> readNumber(std::string text) {
    if constexpr (std::is_floating_point_v<Number>) {
        std::replace(text.begin(), text.end(), ',', '.'); // the French decimal comma too
    }
    Number number{};
    const char* const end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, number);
    if (text.empty() || error != std::errc() || stop != end) {
        return std::nullopt;
    }
    return number;
}

// --interval, --baud and --count, read as they come.
std::string readSending(std::string_view option, const std::string& text, Options& o) {
    if (option == "--interval") {
        const auto seconds = readNumber<double>(text);
        if (!seconds || !(*seconds >= 0.001 && *seconds <= 86400)) {
            return "--interval demande un nombre de secondes de 0.001 à 86400 (1, 0.5, 2,5…)";
        }
        o.interval = std::chrono::duration<double>(*seconds);
    } else if (option == "--baud") {
        const auto speed = readNumber<int>(text);
        const auto& speeds = platform::SerialSpeeds;
        if (!speed || std::find(speeds.begin(), speeds.end(), *speed) == speeds.end()) {
            std::string known;
            for (const int each : speeds) {
                known += (known.empty() ? "" : ", ") + std::to_string(each);
            }
            return "vitesse inconnue « " + text + " » : " + known;
        }
        o.baud = *speed;
    } else {
        o.count = readNumber<long long>(text);
        if (!o.count || *o.count < 1) {
            return "--count demande un nombre entier de trames, 1 ou plus";
        }
    }
    return {};
}

// Checks that go across options, once all are read.
std::string conflicts(const Options& o, bool sendingGiven) {
    const bool positionGiven = !o.operands.empty() || o.latitude || o.longitude;
    if (o.help || o.version) {
        return {};
    }
    if (o.check && (o.batch || o.latitude || o.longitude)) {
        return "--check ne se combine ni avec --batch, ni avec --lat et --lon";
    }
    if (o.check && o.form != Form::Text) {
        return "--check écrit un compte rendu, pas une forme pour le micrologiciel";
    }
    if (o.batch && positionGiven) {
        return "--batch lit les positions dans le fichier : pas de position en argument";
    }
    if (o.latitude.has_value() != o.longitude.has_value()) {
        return "--lat et --lon vont ensemble";
    }
    if (o.latitude && !o.operands.empty()) {
        return "la position est donnée deux fois (--lat/--lon et en argument)";
    }
    if (o.port && (o.check || o.batch || o.output || o.form != Form::Text || o.crlf)) {
        return "--port envoie la trame d'une position, suivie de CR LF : ni --check, ni --batch, "
               "ni --format, ni -o, ni --crlf ou --no-crlf";
    }
    if (!o.port && sendingGiven) {
        return "--interval, --baud et --count vont avec --port";
    }
    if (!o.check && !o.batch && !positionGiven) {
        return "aucune position donnée";
    }
    return {};
}

} // namespace

OptionsReading ReadOptions(std::span<const std::string> arguments) {
    OptionsReading reading;
    Options& o = reading.options;
    bool optionsEnded = false;
    bool sendingGiven = false; // --interval, --baud or --count
    std::vector<std::string_view> valueOptionsGiven;
    for (std::size_t i = 0; i < arguments.size() && reading.error.empty(); ++i) {
        std::string_view argument = arguments[i];
        if (optionsEnded || argument.size() < 2 || argument[0] != '-' || isNumber(argument)) {
            o.operands.emplace_back(argument);
            continue;
        }
        // "--name=value" or "--name value"; "-oFILE" or "-o FILE".
        std::optional<std::string> inlineValue;
        if (const auto equals = argument.find('=');
            argument.starts_with("--") && equals != std::string_view::npos) {
            inlineValue = std::string(argument.substr(equals + 1));
            argument = argument.substr(0, equals);
        } else if (argument.starts_with("-o") && argument.size() > 2) {
            inlineValue = std::string(argument.substr(2));
            argument = "-o";
        }
        // An option that takes a value is given once: a second would silently win.
        const auto value = [&]() -> std::optional<std::string> {
            const std::string_view name = argument == "--output" ? "-o" : argument;
            if (std::ranges::find(valueOptionsGiven, name) != valueOptionsGiven.end()) {
                reading.error = "l'option " + std::string(argument) + " est donnée deux fois";
                return std::nullopt;
            }
            valueOptionsGiven.push_back(name);
            if (inlineValue) {
                return inlineValue;
            }
            if (i + 1 < arguments.size()) {
                return arguments[++i];
            }
            reading.error = "l'option " + std::string(argument) + " demande une valeur";
            return std::nullopt;
        };
        const auto flag = [&](bool& set) {
            if (inlineValue) {
                reading.error = "l'option " + std::string(argument) + " ne prend pas de valeur";
            }
            set = true;
        };
        bool crlf = false, noCrlf = false;
        if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "-h" || argument == "--help") {
            flag(o.help);
        } else if (argument == "--version") {
            flag(o.version);
        } else if (argument == "--check") {
            flag(o.check);
        } else if (argument == "--crlf") {
            flag(crlf);
            o.crlf = true;
        } else if (argument == "--no-crlf") {
            flag(noCrlf);
            o.crlf = false;
        } else if (argument == "--batch") {
            o.batch = value();
        } else if (argument == "--lat") {
            o.latitude = value();
        } else if (argument == "--lon") {
            o.longitude = value();
        } else if (argument == "-o" || argument == "--output") {
            o.output = value();
        } else if (argument == "--port") {
            o.port = value();
        } else if (argument == "--interval" || argument == "--baud" || argument == "--count") {
            if (const auto text = value()) {
                reading.error = readSending(argument, *text, o);
                sendingGiven = true;
            }
        } else if (argument == "--format") {
            if (const auto name = value(); name && !readForm(*name, o.form)) {
                reading.error = "forme inconnue « " + *name + " » : text, dt, de, c ou hex";
            }
        } else {
            reading.error = "option inconnue « " + std::string(argument) + " »";
        }
    }
    if (reading.error.empty()) {
        reading.error = conflicts(o, sendingGiven);
    }
    return reading;
}

} // namespace trame
