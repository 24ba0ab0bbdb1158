#include "trame/Program.h"

#include "platform/Failure.h"
#include "platform/Files.h"
#include "platform/Visible.h"
#include "trame/Batch.h"
#include "trame/Feed.h"
#include "trame/Options.h"
#include "trame/Output.h"
#include "trame/PositionText.h"
#include "trame/Report.h"
#include "trame/Status.h"

#include <filesystem>
#include <istream>
#include <new>
#include <optional>
#include <ostream>
#include <string_view>

namespace trame {
namespace {

constexpr const char* Name = "quorvelin-trame";

const char* const Help =
    "Utilisation : quorvelin-trame [OPTIONS] POSITION\n"
    "              quorvelin-trame [OPTIONS] --lat LATITUDE --lon LONGITUDE\n"
    "              quorvelin-trame [OPTIONS] --batch FICHIER\n"
    "              quorvelin-trame --check [TRAME...]\n"
    "              quorvelin-trame --port PORT [OPTIONS] POSITION\n"
    "\n"
    "Écrit la trame NMEA 0183 $GPRMC d'une position fixe, somme de contrôle\n"
    "comprise, ou vérifie des trames. Tous les champs autres que la position sont\n"
    "fixes.\n"
    "\n"
    "La position : la latitude puis la longitude, en degrés décimaux, en degrés et\n"
    "minutes ou en degrés, minutes et secondes, avec un signe ou une lettre N, S,\n"
    "E, W ou O (ouest) avant ou après les nombres. Par exemple :\n"
    "%FORMS%"
    "\n"
    "%OPTIONS%"
    "\n"
    "Code de sortie : 0 réussite ; 1 une trame invalide ou une ligne de --batch\n"
    "illisible (les autres sont traitées) ; 2 erreur d'utilisation, position\n"
    "illisible, lecture ou écriture impossible, mémoire épuisée ou port série\n"
    "inutilisable : le fichier de -o reste tel qu'il était, et rien n'est écrit sur\n"
    "la sortie standard, sauf par un --batch ou un --check qui échoue en cours de\n"
    "route (les lignes déjà écrites y restent).\n";

// The help: its fixed text, the accepted forms and the options' table.
std::string helpText() {
    std::string text = Help;
    const auto splice = [&](std::string_view marker, const std::string& part) {
        text.replace(text.find(marker), marker.size(), part);
    };
    splice("%FORMS%", AcceptedForms);
    splice("%OPTIONS%", "Options :\n" + OptionsHelp());
    return text;
}

// The arguments are UTF-8 on every system; Windows would read a narrow path in its ANSI code page.
bool isDirectory(const std::string& utf8) {
    std::error_code error;
    return std::filesystem::is_directory(
        std::filesystem::path(std::u8string(utf8.begin(), utf8.end())), error);
}

int usage(std::ostream& err, const std::string& message) {
    err << Name << " : " << message << "\nEssayez « " << Name << " --help ».\n";
    return UsageError;
}

std::string joined(const std::vector<std::string>& words) {
    std::string text;
    for (const std::string& word : words) {
        text += (text.empty() ? "" : " ") + word;
    }
    return text;
}

// The note a run leaves on the standard error, if any.
void tell(std::ostream& err, const std::string& note) {
    if (!note.empty()) {
        err << Name << " : " << note << '\n';
    }
}

int batch(const Options& o, std::istream& in, std::ostream& out, std::ostream& err) {
    Destination destination(o, out);
    Writer writer(o, destination, true);
    int status = Success;
    if (*o.batch == "-") {
        status = Batch(in, writer, err);
    } else {
        platform::InputFile file(*o.batch, platform::Visible(*o.batch));
        std::istream stream(&file);
        status = Batch(stream, writer, err);
    }
    tell(err, writer.Finish());
    return status;
}

// One position: its sentence written, or sent on the serial port.
int position(const Options& o, std::ostream& out, std::ostream& err) {
    std::string error;
    const std::string text = o.latitude ? *o.latitude + " , " + *o.longitude : joined(o.operands);
    const std::string sentence = SentenceOf(text, error);
    if (!error.empty()) {
        err << Name << " : position illisible : " << error << "\nFormes acceptées :\n"
            << AcceptedForms;
        return UsageError;
    }
    if (o.port) {
        return Feed(o, sentence, err);
    }
    Destination destination(o, out);
    Writer writer(o, destination, false);
    writer.Add({}, sentence);
    tell(err, writer.Finish());
    return Success;
}

int help(const Options& o, std::ostream& out) {
    out << (o.help ? helpText() : std::string(Name) + " " + QUORVELIN_VERSION + '\n');
    if (!out.flush()) {
        throw platform::Failure("impossible d'écrire dans la sortie standard");
    }
    return Success;
}

int run(const Options& o, std::istream& in, std::ostream& out, std::ostream& err) {
    if (o.output && isDirectory(*o.output)) {
        return usage(err, "« " + platform::Visible(*o.output) +
                              " » est un dossier : -o demande un fichier");
    }
    if (o.help || o.version) {
        return help(o, out);
    }
    if (o.check) {
        Destination destination(o, out);
        return Report(o.operands, in, destination, err);
    }
    return o.batch ? batch(o, in, out, err) : position(o, out, err);
}

} // namespace

int Run(std::span<const std::string> arguments, std::istream& in, std::ostream& out,
        std::ostream& err) {
    const OptionsReading reading = ReadOptions(arguments);
    if (!reading.error.empty()) {
        return usage(err, reading.error);
    }
    try {
        return run(reading.options, in, out, err);
    } catch (const platform::Failure& failure) {
        err << Name << " : " << failure.what() << '\n';
    } catch (const std::bad_alloc&) {
        err << Name << " : mémoire épuisée\n";
    }
    return UsageError;
}

} // namespace trame
