#include "trame/Program.h"

#include "composer/Position.h"
#include "trame/Check.h"
#include "trame/Feed.h"
#include "trame/Firmware.h"
#include "trame/Options.h"
#include "trame/PositionText.h"

#include <fstream>
#include <iostream>
#include <memory>

namespace trame {
namespace {

constexpr const char* Name = "quorvelin-trame";

const char* const Help =
    "Usage : quorvelin-trame [OPTIONS] POSITION\n"
    "        quorvelin-trame [OPTIONS] --lat LATITUDE --lon LONGITUDE\n"
    "        quorvelin-trame [OPTIONS] --batch FICHIER\n"
    "        quorvelin-trame --check [TRAME...]\n"
    "        quorvelin-trame --port PORT [--interval SECONDES] [--count N] POSITION\n"
    "\n"
    "Écrit la trame NMEA 0183 $GPRMC d'une position fixe, somme de contrôle comprise,\n"
    "ou vérifie des trames. Tous les champs autres que la position sont fixes.\n"
    "\n"
    "La position : la latitude puis la longitude, en degrés décimaux, en degrés et\n"
    "minutes ou en degrés, minutes et secondes, avec un signe ou une lettre N, S, E, W\n"
    "ou O (ouest) avant ou après les nombres. Par exemple :\n"
    "%FORMS%"
    "\n"
    "Options :\n"
    "  --lat TEXTE, --lon TEXTE  la latitude et la longitude dans deux arguments\n"
    "  --check [TRAME...]        vérifie chaque trame (lues sur l'entrée standard s'il\n"
    "                            n'y en a pas) et donne sa position\n"
    "  --batch FICHIER           une position par ligne, ou NOM;POSITION ; « - » pour\n"
    "                            l'entrée standard ; une trame par ligne en sortie\n"
    "  --format FORME            text (la trame, par défaut), dt (table RETLW),\n"
    "                            de (EEPROM du PIC16F628 à 0x2100), c (tableau C),\n"
    "                            hex (fichier Intel HEX de l'EEPROM)\n"
    "  --crlf, --no-crlf         avec ou sans CR LF après chaque trame (par défaut :\n"
    "                            avec pour dt, de, c et hex, sans pour text)\n"
    "  -o FICHIER                écrit dans FICHIER au lieu de la sortie standard\n"
    "  --port PORT               envoie la trame suivie de CR LF sur le port série PORT\n"
    "                            (/dev/ttyUSB0, COM3), comme la balise, pour essayer un\n"
    "                            tracker, un TNC ou un logiciel APRS ; Ctrl+C l'arrête\n"
    "  --interval SECONDES       une trame toutes les SECONDES (1 par défaut ; 0.5 ou\n"
    "                            0,5 pour deux par seconde)\n"
    "  --baud VITESSE            la vitesse du port en bauds, 8N1 (4800 par défaut)\n"
    "  --count N                 s'arrête après N trames\n"
    "  -h, --help                affiche cette aide\n"
    "  --version                 affiche la version\n"
    "\n"
    "Code de sortie : 0 réussite ; 1 une trame invalide ou une ligne de --batch\n"
    "illisible (les autres sont traitées) ; 2 erreur d'utilisation, position\n"
    "illisible ou port série inutilisable (rien n'est écrit sur la sortie standard).\n";

std::string helpText() {
    std::string text = Help;
    const std::string_view marker = "%FORMS%";
    return text.replace(text.find(marker), marker.size(), AcceptedForms);
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

// What a run produced for standard output, held back until nothing can fail any more.
struct Produced {
    std::string sentences; // each with its line end
    std::size_t count = 0;
    std::string lastSentence;
    int status = Success;
};

// One sentence a line: "NAME;POSITION" or "POSITION". Unreadable lines are reported.
void batch(std::istream& lines, const Options& o, const std::string& lineEnd, Produced& produced,
           std::ostream& err) {
    std::string line;
    std::string error;
    for (std::size_t number = 1; std::getline(lines, line); ++number) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.find_first_not_of(" \t") == std::string::npos) {
            continue;
        }
        const std::size_t semicolon = line.find(';');
        const std::string_view position = semicolon == std::string::npos
                                              ? std::string_view(line)
                                              : std::string_view(line).substr(semicolon + 1);
        const std::string sentence = compose(position, error);
        if (!error.empty()) {
            err << Name << " : ligne " << number << " : " << error << '\n';
            produced.status = SomeInvalid;
            continue;
        }
        if (semicolon != std::string::npos && o.form == Form::Text) {
            produced.sentences.append(line, 0, semicolon + 1);
        }
        produced.sentences += sentence;
        produced.sentences += lineEnd;
        produced.lastSentence = sentence;
        ++produced.count;
    }
}

int writeOut(const Options& o, const std::string& text, std::ostream& out, std::ostream& err) {
    if (!o.output) {
        out << text << std::flush;
        return Success;
    }
    std::ofstream file(*o.output, std::ios::binary);
    if (!(file << text) || !file.flush()) {
        err << Name << " : impossible d'écrire dans « " << *o.output << " »\n";
        return UsageError;
    }
    return Success;
}

int produce(const Options& o, std::istream& in, std::ostream& out, std::ostream& err) {
    const bool withCrlf = o.crlf.value_or(o.form != Form::Text);
    const std::string lineEnd = withCrlf ? "\r\n" : o.form == Form::Text ? "\n" : "";
    Produced produced;
    if (o.batch) {
        std::ifstream file;
        if (*o.batch != "-") {
            file.open(*o.batch, std::ios::binary);
            if (!file) {
                return usage(err, "impossible de lire « " + *o.batch + " »");
            }
        }
        batch(*o.batch == "-" ? in : file, o, lineEnd, produced, err);
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
        produced.count = 1;
    }

    std::string text = produced.sentences;
    if (o.form != Form::Text) {
        if (InEeprom(o.form) && text.size() > EepromBytes) {
            err << Name << " : " << text.size() << " octets ne tiennent pas dans les "
                << EepromBytes << " octets de l'EEPROM\n";
            return UsageError;
        }
        const std::string what =
            produced.count == 1
                ? produced.lastSentence + (withCrlf ? " et CR LF" : "")
                : std::to_string(produced.count) + " trames" + (withCrlf ? " et leurs CR LF" : "");
        text = FirmwareText(o.form, text, what);
        if (o.form == Form::Hex) {
            err << Name << " : " << produced.sentences.size()
                << " octets, EEPROM à partir de 0x2100\n";
        }
    }
    const int written = writeOut(o, text, out, err);
    return written != Success ? written : produced.status;
}

// "valide : SENTENCE" and its position, or "invalide : SENTENCE" and why, for each sentence.
int check(const Options& o, std::istream& in, std::ostream& out, std::ostream& err) {
    std::vector<std::string> sentences = o.operands;
    if (sentences.empty()) {
        for (std::string line; std::getline(in, line);) {
            if (line.find_first_not_of(" \t\r") != std::string::npos) {
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
        while (!sentence.empty() && (sentence.back() == '\n' || sentence.back() == '\r')) {
            sentence.remove_suffix(1);
        }
        const SentenceCheck result = CheckSentence(sentence);
        if (result.problem.empty()) {
            report += "valide : " + std::string(sentence) + '\n';
            report += result.position.empty() ? "  sans position\n" : result.position;
        } else {
            report += "invalide : " + std::string(sentence) + "\n  " + result.problem + '\n';
            status = SomeInvalid;
        }
    }
    const int written = writeOut(o, report, out, err);
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
    if (o.help) {
        out << helpText();
        return Success;
    }
    if (o.version) {
        out << Name << " " << QUORVELIN_VERSION << '\n';
        return Success;
    }
    if (o.check) {
        return check(o, in, out, err);
    }
    return produce(o, in, out, err);
}

} // namespace trame
