#include "trame/Options.h"

#include "platform/SerialPort.h"
#include "platform/Visible.h"

#include <algorithm>
#include <charconv>
#include <type_traits>

namespace trame {
namespace {

bool isNumber(std::string_view argument) {
    return argument.size() > 1 && argument[0] == '-' &&
           ((argument[1] >= '0' && argument[1] <= '9') || argument[1] == '.');
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

std::string setForm(Options& o, const std::string& name) {
    constexpr struct {
        std::string_view name;
        Form form;
    } forms[] = {{"text", Form::Text}, {"dt", Form::Dt},   {"de", Form::De},
                 {"c", Form::C},       {"hex", Form::Hex}, {"gpx", Form::Gpx}};
    for (const auto& known : forms) {
        if (known.name == name) {
            o.form = known.form;
            return {};
        }
    }
    return "forme inconnue « " + platform::Visible(name) + " » : text, dt, de, c, hex ou gpx";
}

std::string setInterval(Options& o, const std::string& text) {
    const auto seconds = readNumber<double>(text);
    if (!seconds || !(*seconds >= 0.001 && *seconds <= 86400)) {
        return "--interval demande un nombre de secondes de 0.001 à 86400 (1, 0.5, 2,5…)";
    }
    o.interval = std::chrono::duration<double>(*seconds);
    o.sending = true;
    return {};
}

std::string setBaud(Options& o, const std::string& text) {
    const auto speed = readNumber<int>(text);
    const auto& speeds = platform::SerialSpeeds;
    o.sending = true;
    if (!speed || std::find(speeds.begin(), speeds.end(), *speed) == speeds.end()) {
        std::string known;
        for (const int each : speeds) {
            known += (known.empty() ? "" : ", ") + std::to_string(each);
        }
        return "vitesse inconnue « " + platform::Visible(text) + " » : " + known;
    }
    o.baud = *speed;
    return {};
}

std::string setCount(Options& o, const std::string& text) {
    o.count = readNumber<long long>(text);
    o.sending = true;
    return o.count && *o.count >= 1 ? "" : "--count demande un nombre entier de trames, 1 ou plus";
}

constexpr int CrlfSlot = 1;

constexpr Option Table[] = {
    {"", "--lat", "TEXTE", "la latitude dans un argument à elle",
     [](Options& o, const std::string& v) { return o.latitude = v, std::string(); }},
    {"", "--lon", "TEXTE", "la longitude dans un argument à elle",
     [](Options& o, const std::string& v) { return o.longitude = v, std::string(); }},
    {"", "--check", "",
     "vérifie chaque trame donnée en argument (lues sur\nl'entrée standard s'il n'y en a pas) "
     "et donne\nsa position",
     [](Options& o, const std::string&) { return o.check = true, std::string(); }},
    {"", "--batch", "FICHIER",
     "une position par ligne, ou NOM;POSITION ; « - » pour\nl'entrée standard ; une trame par "
     "ligne en sortie",
     [](Options& o, const std::string& v) { return o.batch = v, std::string(); }},
    {"", "--format", "FORME",
     "text (la trame, par défaut), dt (table RETLW),\nde (EEPROM du PIC16F628 à 0x2100), c "
     "(tableau C),\nhex (fichier Intel HEX de l'EEPROM), gpx (points\nGPX 1.1 pour une carte, "
     "nommés par NOM;)",
     setForm},
    {"", "--crlf", "", "CR LF après chaque trame (par défaut avec dt, de, c\net hex)",
     [](Options& o, const std::string&) { return o.crlf = true, std::string(); }, CrlfSlot},
    {"", "--no-crlf", "", "sans CR LF (par défaut avec text)",
     [](Options& o, const std::string&) { return o.crlf = false, std::string(); }, CrlfSlot},
    {"-o", "--output", "FICHIER",
     "écrit dans FICHIER au lieu de la sortie standard ;\nFICHIER n'est remplacé qu'une fois "
     "tout écrit",
     [](Options& o, const std::string& v) { return o.output = v, std::string(); }},
    {"", "--port", "PORT",
     "envoie la trame et CR LF sur le port série PORT\n(/dev/ttyUSB0, COM3) comme la balise, "
     "pour essayer\nun traceur, un TNC ou un logiciel APRS ; Ctrl+C\nl'arrête",
     [](Options& o, const std::string& v) { return o.port = v, std::string(); }},
    {"", "--interval", "SECONDES",
     "l'intervalle entre deux trames (1 par défaut ; 0.5\nou 0,5 pour deux par seconde)",
     setInterval},
    {"", "--baud", "VITESSE", "la vitesse du port en bauds, 8N1 (4800 par défaut)", setBaud},
    {"", "--count", "N", "s'arrête après N trames", setCount},
    {"", "--timestamp", "",
     "chaque trame envoyée porte l'heure et la date UTC\nde l'horloge (hhmmss.sss, ddmmyy), "
     "comme celle\nd'un récepteur qui a une position",
     [](Options& o, const std::string&) { return o.timestamp = o.sending = true, std::string(); }},
    {"-h", "--help", "", "affiche cette aide",
     [](Options& o, const std::string&) { return o.help = true, std::string(); }},
    {"", "--version", "", "affiche la version",
     [](Options& o, const std::string&) { return o.version = true, std::string(); }},
};

const Option* find(std::string_view name) {
    const auto found = std::ranges::find_if(Table, [&](const Option& option) {
        return option.longName == name || option.shortName == name;
    });
    return found == std::end(Table) ? nullptr : found;
}

// Checks that go across options, once all are read.
std::string conflicts(const Options& o) {
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
    if (!o.port && o.sending) {
        return "--interval, --baud, --count et --timestamp vont avec --port";
    }
    if (o.form == Form::Gpx && o.crlf) {
        return "--format gpx écrit un fichier XML : ni --crlf, ni --no-crlf";
    }
    if (!o.check && !o.batch && !positionGiven) {
        return "aucune position donnée";
    }
    return {};
}

// Reads the arguments one by one; `given` holds the options already given.
class Reader {
public:
    explicit Reader(std::span<const std::string> arguments) : arguments_(arguments) {}

    std::string Read(Options& o) {
        for (; next_ < arguments_.size(); ++next_) {
            const std::string_view argument = arguments_[next_];
            if (ended_ || argument.size() < 2 || argument[0] != '-' || isNumber(argument)) {
                o.operands.emplace_back(argument);
            } else if (argument == "--") {
                ended_ = true;
            } else if (std::string error = readOption(argument, o); !error.empty()) {
                return error;
            }
        }
        return conflicts(o);
    }

private:
    // "--name=value" or "--name value"; "-oFILE" or "-o FILE".
    std::string readOption(std::string_view argument, Options& o) {
        std::optional<std::string> inlineValue;
        const std::size_t equals = argument.find('=');
        const Option* option = nullptr;
        if (argument.starts_with("--")) {
            option = find(argument.substr(0, equals));
            if (equals != std::string_view::npos) {
                inlineValue = std::string(argument.substr(equals + 1));
            }
        } else {
            option = find(argument.substr(0, 2));
            if (argument.size() > 2 && option != nullptr && !option->value.empty()) {
                inlineValue = std::string(argument.substr(2));
            } else if (argument.size() > 2) {
                option = nullptr; // "-hx"
            }
        }
        if (option == nullptr) {
            return "option inconnue « " +
                   platform::Visible(argument.starts_with("--") ? argument.substr(0, equals)
                                                                : argument) +
                   " »";
        }
        // Messages name the option as it was typed.
        const std::string_view name =
            argument.starts_with("--") ? argument.substr(0, equals) : argument.substr(0, 2);
        // Given twice, the second would silently win.
        const auto previous = std::ranges::find_if(given_, [&](const Option* other) {
            return other == option || (option->slot != 0 && other->slot == option->slot);
        });
        if (previous != given_.end()) {
            return (*previous == option ? "l'option " + std::string(name) + " est donnée deux fois"
                                        : std::string((*previous)->longName) + " et " +
                                              std::string(name) + " s'excluent");
        }
        given_.push_back(option);
        if (option->value.empty()) {
            return inlineValue ? "l'option " + std::string(name) + " ne prend pas de valeur"
                               : option->set(o, {});
        }
        if (!inlineValue && next_ + 1 == arguments_.size()) {
            return "l'option " + std::string(name) + " demande une valeur";
        }
        return option->set(o, inlineValue ? *inlineValue : arguments_[++next_]);
    }

    std::span<const std::string> arguments_;
    std::size_t next_ = 0;
    bool ended_ = false;
    std::vector<const Option*> given_;
};

} // namespace

const std::span<const Option> OptionTable = Table;

std::string OptionsHelp() {
    constexpr std::size_t helpColumn = 28;
    std::string text;
    for (const Option& option : Table) {
        std::string names = "  ";
        names += option.shortName.empty() ? "" : std::string(option.shortName) + ", ";
        names += std::string(option.longName) + (option.value.empty() ? "" : " ");
        names += option.value;
        names.resize(std::max(names.size() + 2, helpColumn), ' ');
        // The first line after the names, the others under it.
        std::string_view help = option.help;
        for (std::string indent = names; !help.empty(); indent.assign(helpColumn, ' ')) {
            const std::size_t end = std::min(help.find('\n'), help.size());
            text += indent + std::string(help.substr(0, end)) + '\n';
            help.remove_prefix(std::min(end + 1, help.size()));
        }
    }
    return text + "  --                        termine les options\n";
}

OptionsReading ReadOptions(std::span<const std::string> arguments) {
    OptionsReading reading;
    reading.error = Reader(arguments).Read(reading.options);
    return reading;
}

} // namespace trame
