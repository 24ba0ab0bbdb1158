#include "trame/Report.h"

#include "platform/Visible.h"
#include "trame/Check.h"
#include "trame/Status.h"
#include "trame/TextInput.h"

namespace trame {
namespace {

std::string reportOf(std::string_view sentence, int& status) {
    sentence = sentence.substr(0, sentence.find_last_not_of(" \t\r\n") + 1);
    const SentenceCheck result = CheckSentence(sentence);
    if (!result.problem.empty()) {
        status = SomeInvalid;
        return "invalide : " + platform::Visible(sentence) + "\n  " + result.problem + '\n';
    }
    return "valide : " + std::string(sentence) + '\n' +
           (result.position.empty() ? "  sans position\n" : result.position);
}

} // namespace

// The input's lines are read only when no sentence was given.
int Report(const std::vector<std::string>& sentences, std::istream& in, Destination& destination,
           std::ostream& err) {
    int status = Success;
    std::size_t checked = 0;
    for (const std::string& sentence : sentences) {
        destination.Write(reportOf(sentence, status));
        ++checked;
    }
    if (sentences.empty()) {
        LineReader lines(in);
        std::string line;
        LineReader::Got got;
        for (std::size_t number = 1; (got = lines.Next(line)) != LineReader::Got::End; ++number) {
            if (got == LineReader::Got::TooLong) {
                destination.Write("invalide : ligne " + std::to_string(number) + "\n  plus de " +
                                  std::to_string(MaxLineBytes) + " octets : pas une trame\n");
                status = SomeInvalid;
            } else if (line.find_first_not_of(" \t") == std::string::npos) {
                continue;
            } else {
                destination.Write(reportOf(line, status));
            }
            ++checked;
        }
    }
    if (checked == 0) {
        err << "quorvelin-trame : aucune trame à vérifier\nEssayez « quorvelin-trame --help ».\n";
        return UsageError;
    }
    destination.Commit();
    return status;
}

} // namespace trame
