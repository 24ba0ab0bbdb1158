#include "trame/Program.h"

#include "composer/Position.h"
#include "trame/Check.h"
#include "trame/Feed.h"
#include "trame/Firmware.h"
#include "trame/Options.h"
#include "trame/PositionText.h"
#include "trame/TextInput.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
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
    "Options :\n"
    "  --lat TEXTE, --lon TEXTE  la latitude et la longitude dans deux arguments\n"
    "  --check [TRAME...]        vérifie chaque trame (lues sur l'entrée standard\n"
    "                            s'il n'y en a pas) et donne sa position\n"
    "  --batch FICHIER           une position par ligne, ou NOM;POSITION ; « - » pour\n"
    "                            l'entrée standard ; une trame par ligne en sortie\n"
    "  --format FORME            text (la trame, par défaut), dt (table RETLW),\n"
    "                            de (EEPROM du PIC16F628 à 0x2100), c (tableau C),\n"
    "                            hex (fichier Intel HEX de l'EEPROM)\n"
    "  --crlf, --no-crlf         avec ou sans CR LF après chaque trame (par défaut :\n"
    "                            avec pour dt, de, c et hex, sans pour text)\n"
    "  -o, --output FICHIER      écrit dans FICHIER au lieu de la sortie standard\n"
    "  --port PORT               envoie la trame et CR LF sur le port série PORT\n"
    "                            (/dev/ttyUSB0, COM3) comme la balise, pour essayer\n"
    "                            un traceur, un TNC ou un logiciel APRS ; Ctrl+C\n"
    "                            l'arrête\n"
    "  --interval SECONDES       l'intervalle entre deux trames (1 par défaut ; 0.5\n"
    "                            ou 0,5 pour deux par seconde)\n"
    "  --baud VITESSE            la vitesse du port en bauds, 8N1 (4800 par défaut)\n"
    "  --count N                 s'arrête après N trames\n"
    "  -h, --help                affiche cette aide\n"
    "  --version                 affiche la version\n"
    "  --                        termine les options\n"
    "\n"
    "Code de sortie : 0 réussite ; 1 une trame invalide ou une ligne de --batch\n"
    "illisible (les autres sont traitées) ; 2 erreur d'utilisation, position\n"
    "illisible ou port série inutilisable (rien n'est écrit sur la sortie standard).\n";

std::string helpText() {
    std::string text = Help;
    const std::string_view marker = "%FORMS%";
    return text.replace(text.find(marker), marker.size(), AcceptedForms);
}

// The arguments are UTF-8 on every system; Windows would read a narrow path in its ANSI code page.
std::filesystem::path pathOf(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

bool isDirectory(const std::string& utf8) {
    std::error_code error;
    return std::filesystem::is_directory(pathOf(utf8), error);
}

int usage(std::ostream& err, const std::string& message) {
    err << Name << " : " << message << "\nEssayez « " << Name << " --help ».\n";
    return UsageError;
}

// A sentence, or `error` when the text is no position.
std::string compose(std::string_view text, std::string& error) {
    const PositionReading reading = ReadPosition(text);
    error = reading.error;
    return error.empty()
               ? composer::PositionTrame(reading.position.latitude, reading.position.longitude)
               : std::string();
}

std::string joined(const std::vector<std::string>& words) {
    std::string text;
    for (const std::string& word : words) {
        text += (text.empty() ? "" : " ") + word;
    }
    return text;
}

// Standard output, or the -o file, opened at the first write so that a refused run leaves
// no file behind.
class Destination {
public:
    Destination(const Options& o, std::ostream& out) : path_(o.output), out_(out) {}

    void Write(std::string_view text) {
        if (path_ && !file_.is_open()) {
            file_.open(pathOf(*path_), std::ios::binary);
        }
        (path_ ? static_cast<std::ostream&>(file_) : out_)
            .write(text.data(), static_cast<std::streamsize>(text.size()));
    }

    // Success, or the usage status once the reason is told.
    int Finish(std::ostream& err) {
        std::ostream& stream = path_ ? static_cast<std::ostream&>(file_) : out_;
        if (path_ && !file_.is_open()) {
            Write({});
        }
        if (!stream.flush()) {
            err << Name << " : impossible d'écrire dans "
                << (path_ ? "« " + *path_ + " »" : std::string("la sortie standard")) << '\n';
            return UsageError;
        }
        return Success;
    }

private:
    std::optional<std::string> path_;
    std::ostream& out_;
    std::ofstream file_;
};

// What a run produced for the destination, held back until nothing can fail any more, except
// a batch's plain sentences, which go out as they come.
struct Produced {
    std::string sentences; // each with its line end
    std::size_t bytes = 0;
    std::size_t count = 0;
    std::string lastSentence;
    int status = Success;
};

// The cells from `first` on, joined again by semicolons.
std::string joinedCells(const std::vector<Cell>& cells, std::size_t first) {
    std::string text;
    for (std::size_t i = first; i < cells.size(); ++i) {
        text += (i > first ? ";" : "") + cells[i].text;
    }
    return text;
}

// A batch line's sentence and its name as written, empty when unnamed. The whole line is a
// position when it reads as one ("46,7;5,6": latitude and longitude in two columns);
// otherwise its first cell is the name.
std::string composeLine(std::string_view line, std::string_view& name, std::string& error) {
    name = {};
    if (line.find('"') == std::string_view::npos) { // no quoted cell: no copies
        std::string sentence = compose(line, error);
        if (!error.empty() && line.find(';') != std::string_view::npos) {
            name = line.substr(0, line.find(';'));
            sentence = compose(line.substr(name.size() + 1), error);
        }
        return sentence;
    }
    const std::vector<Cell> cells = SemicolonCells(line);
    std::string sentence = compose(joinedCells(cells, 0), error);
    if (!error.empty() && cells.size() > 1) {
        name = cells.front().written;
        sentence = compose(joinedCells(cells, 1), error);
    }
    return sentence;
}

// One sentence a line: "NAME;POSITION" or "POSITION". Unreadable lines are reported.
void batch(std::istream& input, const Options& o, const std::string& lineEnd, Produced& produced,
           Destination& destination, std::ostream& err) {
    constexpr std::size_t chunk = 1 << 16;
    LineReader lines(input);
    std::string line;
    std::string error;
    std::string_view name;
    for (std::size_t number = 1; lines.Next(line); ++number) {
        if (line.find_first_not_of(" \t") == std::string::npos) {
            continue;
        }
        const std::string sentence = composeLine(line, name, error);
        if (!error.empty()) {
            err << Name << " : ligne " << number << " : " << error << '\n';
            produced.status = SomeInvalid;
            continue;
        }
        if (!name.empty() && o.form == Form::Text) {
            produced.sentences.append(name);
            produced.sentences += ';';
        }
        produced.sentences += sentence;
        produced.sentences += lineEnd;
        produced.lastSentence = sentence;
        ++produced.count;
        if (o.form == Form::Text && produced.sentences.size() >= chunk) {
            produced.bytes += produced.sentences.size();
            destination.Write(produced.sentences);
            produced.sentences.clear();
        }
    }
    produced.bytes += produced.sentences.size();
}

int produce(const Options& o, std::istream& in, Destination& destination, std::ostream& err) {
    const bool withCrlf = o.crlf.value_or(o.form != Form::Text);
    const std::string lineEnd = withCrlf ? "\r\n" : o.form == Form::Text ? "\n" : "";
    Produced produced;
    if (o.batch) {
        std::ifstream file;
        if (*o.batch != "-") {
            if (isDirectory(*o.batch)) {
                return usage(err,
                             "« " + *o.batch + " » est un dossier, pas un fichier de positions");
            }
            file.open(pathOf(*o.batch), std::ios::binary);
            if (!file) {
                return usage(err, "impossible de lire « " + *o.batch + " »");
            }
        }
        batch(*o.batch == "-" ? in : file, o, lineEnd, produced, destination, err);
    } else {
        std::string error;
        const std::string text =
            o.latitude ? *o.latitude + " , " + *o.longitude : joined(o.operands);
        produced.lastSentence = compose(text, error);
        if (!error.empty()) {
            err << Name << " : position illisible : " << error << "\nFormes acceptées :\n"
                << AcceptedForms;
            return UsageError;
        }
        if (o.port) {
            return Feed(o, produced.lastSentence, err);
        }
        produced.sentences = produced.lastSentence + lineEnd;
        produced.bytes = produced.sentences.size();
        produced.count = 1;
    }

    if (o.form == Form::Text) {
        destination.Write(produced.sentences);
    } else {
        if (InEeprom(o.form) && produced.bytes > EepromBytes) {
            err << Name << " : " << produced.bytes << " octets ne tiennent pas dans les "
                << EepromBytes << " octets de l'EEPROM\n";
            return UsageError;
        }
        const std::string what =
            produced.count == 1
                ? produced.lastSentence + (withCrlf ? " et CR LF" : "")
                : std::to_string(produced.count) + " trames" + (withCrlf ? " et leurs CR LF" : "");
        destination.Write(FirmwareText(o.form, produced.sentences, what));
        if (o.form == Form::Hex) {
            err << Name << " : " << produced.bytes << " octets, EEPROM à partir de 0x2100\n";
        }
    }
    const int written = destination.Finish(err);
    return written != Success ? written : produced.status;
}

// "valide : SENTENCE" and its position, or "invalide : SENTENCE" and why, for each sentence.
int check(const Options& o, std::istream& in, std::ostream& out, std::ostream& err) {
    std::vector<std::string> sentences = o.operands;
    if (sentences.empty()) {
        LineReader lines(in);
        for (std::string line; lines.Next(line);) {
            if (line.find_first_not_of(" \t") != std::string::npos) {
                sentences.push_back(line);
            }
        }
    }
    if (sentences.empty()) {
        return usage(err, "aucune trame à vérifier");
    }
    std::string report;
    int status = Success;
    for (std::string_view sentence : sentences) {
        sentence = sentence.substr(0, sentence.find_last_not_of(" \t\r\n") + 1);
        const SentenceCheck result = CheckSentence(sentence);
        if (result.problem.empty()) {
            report += "valide : " + std::string(sentence) + '\n';
            report += result.position.empty() ? "  sans position\n" : result.position;
        } else {
            report += "invalide : " + std::string(sentence) + "\n  " + result.problem + '\n';
            status = SomeInvalid;
        }
    }
    Destination destination(o, out);
    destination.Write(report);
    const int written = destination.Finish(err);
    return written != Success ? written : status;
}

} // namespace

int Run(std::span<const std::string> arguments, std::istream& in, std::ostream& out,
        std::ostream& err) {
    const OptionsReading reading = ReadOptions(arguments);
    if (!reading.error.empty()) {
        return usage(err, reading.error);
    }
    const Options& o = reading.options;
    if (o.help || o.version) {
        if (o.help) {
            out << helpText();
        } else {
            out << Name << " " << QUORVELIN_VERSION << '\n';
        }
        if (!out.flush()) {
            err << Name << " : impossible d'écrire dans la sortie standard\n";
            return UsageError;
        }
        return Success;
    }
    if (o.output && isDirectory(*o.output)) {
        return usage(err, "« " + *o.output + " » est un dossier : -o demande un fichier");
    }
    if (o.check) {
        return check(o, in, out, err);
    }
    Destination destination(o, out);
    return produce(o, in, destination, err);
}

} // namespace trame
