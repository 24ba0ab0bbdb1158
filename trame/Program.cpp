#include "trame/Program.h"

#include "composer/Position.h"
#include "platform/Failure.h"
#include "platform/Files.h"
#include "platform/Visible.h"
#include "trame/Check.h"
#include "trame/Feed.h"
#include "trame/Firmware.h"
#include "trame/Options.h"
#include "trame/PositionText.h"
#include "trame/TextInput.h"

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
    "  -o, --output FICHIER      écrit dans FICHIER au lieu de la sortie standard ;\n"
    "                            FICHIER n'est remplacé qu'une fois tout écrit\n"
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
    "illisible, lecture ou écriture impossible, mémoire épuisée ou port série\n"
    "inutilisable : le fichier de -o reste tel qu'il était, et rien n'est écrit sur\n"
    "la sortie standard, sauf par un --batch ou un --check qui échoue en cours de\n"
    "route (les lignes déjà écrites y restent).\n";

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

// Standard output, or the -o file, which is replaced only once the run has written
// everything: a run that fails or is interrupted leaves it as it was.
class Destination {
public:
    Destination(const Options& o, std::ostream& out) : out_(out) {
        if (o.output) {
            file_.emplace(*o.output, platform::Visible(*o.output));
        }
    }

    void Write(std::string_view text) {
        if (file_) {
            file_->sputn(text.data(), static_cast<std::streamsize>(text.size()));
        } else if (!out_.write(text.data(), static_cast<std::streamsize>(text.size()))) {
            throw platform::Failure("impossible d'écrire dans la sortie standard");
        }
    }

    void Commit() {
        if (file_) {
            file_->Commit();
        } else if (!out_.flush()) {
            throw platform::Failure("impossible d'écrire dans la sortie standard");
        }
    }

private:
    std::ostream& out_;
    std::optional<platform::OutputFile> file_;
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

// How the sentences are written: their line end and how a run names them.
struct Output {
    Form form;
    bool crlf;
    std::string lineEnd;

    explicit Output(const Options& o)
        : form(o.form), crlf(o.crlf.value_or(o.form != Form::Text)),
          lineEnd(crlf                   ? "\r\n"
                  : o.form == Form::Text ? "\n"
                                         : "") {}

    std::string What(std::size_t count, const std::string& sentence) const {
        return count == 1 ? sentence + (crlf ? " et CR LF" : "")
                          : std::to_string(count) + " trames" + (crlf ? " et leurs CR LF" : "");
    }
};

// The EEPROM's forms, which hold at most EepromBytes: refused beyond.
void checkEeprom(Form form, std::size_t bytes) {
    if (InEeprom(form) && bytes > EepromBytes) {
        throw platform::Failure(std::to_string(bytes) + " octets ne tiennent pas dans les " +
                                std::to_string(EepromBytes) + " octets de l'EEPROM");
    }
}

// The sentences in the chosen form, written as they come, except the EEPROM's forms, whose
// few bytes are held until their size is known to fit.
class Writer {
public:
    Writer(const Output& output, Destination& destination, bool batch)
        : output_(output), destination_(destination), batch_(batch) {}

    void Add(std::string_view name, const std::string& sentence) {
        const std::string bytes = sentence + output_.lineEnd;
        if (count_++ == 0 && batch_ && !held()) {
            destination_.Write(FirmwareStart(output_.form));
        }
        bytes_ += bytes.size();
        last_ = sentence;
        if (output_.form == Form::Text) {
            destination_.Write((name.empty() ? "" : std::string(name) + ";") + bytes);
        } else if (held()) {
            held_ += held_.size() <= EepromBytes ? bytes : std::string();
        } else {
            destination_.Write(FirmwarePiece(output_.form, bytes));
        }
    }

    // The end of the output, then the note that goes to the standard error, if any.
    std::string Finish() {
        const std::string what = output_.What(count_, last_);
        if (held()) {
            checkEeprom(output_.form, bytes_);
            destination_.Write(FirmwareText(output_.form, held_, what));
        } else if (output_.form != Form::Text && batch_) {
            destination_.Write(FirmwareEnd(output_.form, count_, bytes_, what));
        }
        destination_.Commit();
        return output_.form == Form::Hex
                   ? std::to_string(bytes_) + " octets, EEPROM à partir de 0x2100"
                   : std::string();
    }

private:
    // A single sentence is held too, so that its comment comes first as it always has.
    bool held() const { return InEeprom(output_.form) || (output_.form != Form::Text && !batch_); }

    const Output& output_;
    Destination& destination_;
    std::size_t count_ = 0, bytes_ = 0;
    std::string last_, held_;
    const bool batch_;
};

// One sentence a line: "NAME;POSITION" or "POSITION". Unreadable and overlong lines are told
// with their numbers; the others are written.
int batch(std::istream& input, Writer& writer, std::ostream& err) {
    LineReader lines(input);
    std::string line, error;
    std::string_view name;
    int status = Success;
    LineReader::Got got;
    for (std::size_t number = 1; (got = lines.Next(line)) != LineReader::Got::End; ++number) {
        if (got == LineReader::Got::TooLong) {
            err << Name << " : ligne " << number << " : plus de " << MaxLineBytes
                << " octets, passée\n";
            status = SomeInvalid;
            continue;
        }
        if (line.find_first_not_of(" \t") == std::string::npos) {
            continue;
        }
        const std::string sentence = composeLine(line, name, error);
        if (!error.empty()) {
            err << Name << " : ligne " << number << " : " << error << '\n';
            status = SomeInvalid;
            continue;
        }
        writer.Add(name, sentence);
    }
    return status;
}

int produce(const Options& o, std::istream& in, std::ostream& out, std::ostream& err) {
    const Output output(o);
    int status = Success;
    if (o.batch) {
        Destination destination(o, out);
        Writer writer(output, destination, true);
        if (*o.batch == "-") {
            status = batch(in, writer, err);
        } else {
            platform::InputFile file(*o.batch, platform::Visible(*o.batch));
            std::istream stream(&file);
            status = batch(stream, writer, err);
        }
        const std::string note = writer.Finish();
        if (!note.empty()) {
            err << Name << " : " << note << '\n';
        }
        return status;
    }
    std::string error;
    const std::string text = o.latitude ? *o.latitude + " , " + *o.longitude : joined(o.operands);
    const std::string sentence = compose(text, error);
    if (!error.empty()) {
        err << Name << " : position illisible : " << error << "\nFormes acceptées :\n"
            << AcceptedForms;
        return UsageError;
    }
    if (o.port) {
        return Feed(o, sentence, err);
    }
    checkEeprom(o.form, sentence.size() + output.lineEnd.size());
    Destination destination(o, out);
    Writer writer(output, destination, false);
    writer.Add({}, sentence);
    if (const std::string note = writer.Finish(); !note.empty()) {
        err << Name << " : " << note << '\n';
    }
    return status;
}

// "valide : SENTENCE" and its position, or "invalide : SENTENCE" and why.
std::string checkReport(std::string_view sentence, int& status) {
    sentence = sentence.substr(0, sentence.find_last_not_of(" \t\r\n") + 1);
    const SentenceCheck result = CheckSentence(sentence);
    if (!result.problem.empty()) {
        status = SomeInvalid;
        return "invalide : " + platform::Visible(sentence) + "\n  " + result.problem + '\n';
    }
    return "valide : " + std::string(sentence) + '\n' +
           (result.position.empty() ? "  sans position\n" : result.position);
}

// Each sentence checked and told as it comes, from the arguments or the input's lines.
int check(const Options& o, std::istream& in, std::ostream& out, std::ostream& err) {
    Destination destination(o, out);
    int status = Success;
    std::size_t checked = 0;
    for (const std::string& sentence : o.operands) {
        destination.Write(checkReport(sentence, status));
        ++checked;
    }
    if (o.operands.empty()) {
        LineReader lines(in);
        std::string line;
        LineReader::Got got;
        for (std::size_t number = 1; (got = lines.Next(line)) != LineReader::Got::End; ++number) {
            if (got == LineReader::Got::TooLong) {
                destination.Write("invalide : ligne " + std::to_string(number) + "\n  plus de " +
                                  std::to_string(MaxLineBytes) + " octets : pas une trame\n");
                status = SomeInvalid;
            } else if (line.find_first_not_of(" \t") != std::string::npos) {
                destination.Write(checkReport(line, status));
            } else {
                continue;
            }
            ++checked;
        }
    }
    if (checked == 0) {
        return usage(err, "aucune trame à vérifier");
    }
    destination.Commit();
    return status;
}

int run(const Options& o, std::istream& in, std::ostream& out, std::ostream& err) {
    if (o.help || o.version) {
        out << (o.help ? helpText() : std::string(Name) + " " + QUORVELIN_VERSION + '\n');
        if (!out.flush()) {
            throw platform::Failure("impossible d'écrire dans la sortie standard");
        }
        return Success;
    }
    if (o.output && isDirectory(*o.output)) {
        return usage(err, "« " + platform::Visible(*o.output) +
                              " » est un dossier : -o demande un fichier");
    }
    return o.check ? check(o, in, out, err) : produce(o, in, out, err);
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
