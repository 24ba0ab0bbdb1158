#include "trame/PositionText.h"

#include "platform/Visible.h"
#include "text/Utf8.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

namespace trame {

const char* const AcceptedForms = "  46.714322 5.643542\n"
                                  "  46,714322 5,643542\n"
                                  "  -33.8688, 151.2093\n"
                                  "  46°42'51.56\"N 5°38'36.75\"E\n"
                                  "  N 46 42 51.56 E 5 38 36.75\n"
                                  "  46 42.8593 N, 5 38.6125 E\n"
                                  "  4642.8593N 00538.6125E\n"
                                  "  40.7128N 74.0060O (O : ouest)\n"
                                  "  geo:46.7143,5.6435\n";

namespace {

enum class Kind { Number, Letter, Separator };
enum Mark { NoMark = -1, Degrees = 0, Minutes = 1, Seconds = 2 };

struct Token {
    Kind kind = Kind::Number;
    std::string text; // a number's digits with "." as separator, or the hemisphere letter
    char sign = 0;    // '+', '-' or none
    Mark mark = NoMark;
};

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

char hemisphereLetter(char c) {
    switch (c) {
    case 'N':
    case 'n':
        return 'N';
    case 'S':
    case 's':
        return 'S';
    case 'E':
    case 'e':
        return 'E';
    case 'W':
    case 'w':
    case 'O': // ouest
    case 'o':
        return 'W';
    default:
        return 0;
    }
}

// The marks, longest first so that "''" is read before "'".
struct MarkText {
    std::string_view text;
    Mark mark;
};
constexpr MarkText markTexts[] = {
    {"\xC2\xB0", Degrees},
    {"\xC2\xBA", Degrees},
    {"\xB0", Degrees},
    {"d", Degrees},
    {"''", Seconds},
    {"\"", Seconds},
    {"\xE2\x80\xB3", Seconds},
    {"\xE2\x80\x9D", Seconds},
    {"'", Minutes},
    {"\xE2\x80\xB2", Minutes},
    {"\xE2\x80\x99", Minutes},
    {"m", Minutes},
};

// The minus sign of typeset texts (U+2212), as maps and encyclopaedias print coordinates.
constexpr std::string_view unicodeMinus = "\xE2\x88\x92";

class Tokenizer {
public:
    explicit Tokenizer(std::string_view text) : text_(text) {}

    // The tokens, or an empty list and `error` set.
    std::vector<Token> Read(std::string& error) {
        std::vector<Token> tokens;
        tokens.reserve(8);
        while (pos_ < text_.size() && error.empty()) {
            readOne(tokens, error);
        }
        return error.empty() ? tokens : std::vector<Token>{};
    }

private:
    bool startsNumber(std::size_t at) const {
        return at < text_.size() &&
               (isDigit(text_[at]) ||
                (text_[at] == '.' && at + 1 < text_.size() && isDigit(text_[at + 1])));
    }

    bool startsSignedNumber(std::size_t at) const {
        if (at >= text_.size()) {
            return false;
        }
        if (text_.substr(at).starts_with(unicodeMinus)) {
            return startsNumber(at + unicodeMinus.size());
        }
        return startsNumber(at) || ((text_[at] == '+' || text_[at] == '-') && startsNumber(at + 1));
    }

    void readOne(std::vector<Token>& tokens, std::string& error) {
        const char c = text_[pos_];
        const bool attached = pos_ > 0 && !tokens.empty() && tokens.back().kind == Kind::Number &&
                              lastNumberEnd_ == pos_;
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            ++pos_;
        } else if (text_.substr(pos_).starts_with("\xC2\xA0")) { // no-break space
            pos_ += 2;
        } else if (c == ',' || c == ';') {
            tokens.push_back({Kind::Separator, std::string(1, c)});
            ++pos_;
        } else if (startsSignedNumber(pos_)) {
            tokens.push_back(readNumber(error));
        } else if (const Mark mark = readMark(tokens, attached); mark != NoMark) {
            if (tokens.empty() || tokens.back().kind != Kind::Number ||
                tokens.back().mark != NoMark) {
                error = "signe de degrés, minutes ou secondes sans nombre devant";
            } else {
                tokens.back().mark = mark;
            }
        } else if (hemisphereLetter(c) != 0 && attached && startsSignedNumber(pos_ + 1)) {
            // "5e2" is no position: positions have no exponents.
            error = "« " + std::string(1, c) + " » entre deux chiffres est illisible";
        } else if (hemisphereLetter(c) != 0 &&
                   (pos_ + 1 == text_.size() || !isLetter(text_[pos_ + 1]))) {
            tokens.push_back({Kind::Letter, std::string(1, hemisphereLetter(c))});
            ++pos_;
        } else {
            error = unreadable();
        }
    }

    // The whole word the character that cannot be read stands in ("46.71432/5.64354", a
    // link), and the character itself when the word has more.
    std::string unreadable() const {
        constexpr std::string_view blanks = " \t\r\n";
        const std::size_t before = text_.find_last_of(blanks, pos_);
        const std::size_t start = before == std::string_view::npos ? 0 : before + 1;
        const std::string_view word =
            text_.substr(start, text_.find_first_of(blanks, pos_) - start);
        const std::string character =
            platform::Visible(text_.substr(pos_, text::FirstCharacter(text_.substr(pos_)).length));
        return "« " + platform::Visible(word) + " » est illisible" +
               (character == platform::Visible(word)
                    ? std::string()
                    : " : « " + character + " » n'a pas sa place dans une position");
    }

    // A sign, digits, and a decimal part after "." or after a "," that stands between digits.
    // "46,5,5" is refused: 46 and 5.5, or 46.5 and 5.
    Token readNumber(std::string& error) {
        Token token{Kind::Number, ""};
        if (text_[pos_] == '+' || text_[pos_] == '-') {
            token.sign = text_[pos_++];
        } else if (text_.substr(pos_).starts_with(unicodeMinus)) {
            token.sign = '-';
            pos_ += unicodeMinus.size();
        }
        const std::size_t start = pos_;
        bool decimal = false, decimalComma = false;
        while (pos_ < text_.size()) {
            const char c = text_[pos_];
            if (isDigit(c)) {
                token.text += c;
            } else if (!decimal && (c == '.' || (c == ',' && !token.text.empty())) &&
                       pos_ + 1 < text_.size() && isDigit(text_[pos_ + 1])) {
                decimal = true;
                decimalComma = c == ',';
                token.text += '.';
            } else {
                break;
            }
            ++pos_;
        }
        lastNumberEnd_ = pos_;
        if (decimalComma && pos_ + 1 < text_.size() && text_[pos_] == ',' &&
            isDigit(text_[pos_ + 1])) {
            error = "« " + std::string(text_.substr(start, pos_ + 2 - start)) +
                    " » est ambigu : séparez la latitude et la longitude par une espace";
        }
        return token;
    }

    // A degree, minute or second mark at the current place. The letters d, m and s count only
    // right after a number, and s only after minutes (else it is the southern hemisphere).
    Mark readMark(const std::vector<Token>& tokens, bool attached) {
        for (const auto& [markText, mark] : markTexts) {
            if (!text_.substr(pos_).starts_with(markText)) {
                continue;
            }
            if (markText.size() == 1 && isLetter(markText[0]) && !attached) {
                continue;
            }
            pos_ += markText.size();
            return mark;
        }
        if (text_[pos_] == 's' && attached && tokens.size() >= 2 &&
            tokens[tokens.size() - 2].mark == Minutes) {
            ++pos_;
            return Seconds;
        }
        return NoMark;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    std::size_t lastNumberEnd_ = std::string_view::npos;
};

bool isLatitudeLetter(const Token& token) {
    return token.kind == Kind::Letter && (token.text[0] == 'N' || token.text[0] == 'S');
}

// A coordinate's numbers (more than three are only counted: they are refused) and letter.
struct Group {
    Token numbers[4];
    std::size_t count = 0;
    char letter = 0;

    void Add(const Token& number) {
        if (count < std::size(numbers)) {
            numbers[count] = number;
        }
        ++count;
    }
};

// Whether the latitude can be the first `split` of the `numbers`, as the letters and separators
// place it: the latitude's letter (N, S) stands before or after the latitude, the longitude's
// (E, W) before or after the longitude, and a separator between numbers ends the latitude.
bool lettersAndSeparatorsFit(const std::vector<Token>& tokens, std::size_t split,
                             std::size_t numbers) {
    std::size_t before = 0;
    bool interiorSeparator = false, separatorAtSplit = false, longitudeLetterAtSplit = false;
    for (const Token& token : tokens) {
        if (token.kind == Kind::Number) {
            ++before;
        } else if (token.kind == Kind::Separator) {
            const bool interior = before > 0 && before < numbers;
            interiorSeparator = interiorSeparator || interior;
            separatorAtSplit = separatorAtSplit || (interior && before == split);
        } else if (isLatitudeLetter(token)) {
            if ((before != 0 && before != split) || (before == split && longitudeLetterAtSplit)) {
                return false;
            }
        } else if (before != split && before != numbers) {
            return false;
        } else {
            longitudeLetterAtSplit = longitudeLetterAtSplit || before == split;
        }
    }
    return !interiorSeparator || separatorAtSplit;
}

// Whether each coordinate's numbers fit its parts: one to three, a mark only on its own part,
// a sign only on the degrees, decimals only on the last part.
bool partsFit(const std::vector<Token>& tokens, std::size_t split, std::size_t numbers) {
    if (split == 0 || split > 3 || split == numbers || numbers - split > 3) {
        return false;
    }
    std::size_t index = 0;
    for (const Token& token : tokens) {
        if (token.kind != Kind::Number) {
            continue;
        }
        const std::size_t count = index < split ? split : numbers - split;
        const std::size_t place = index < split ? index : index - split;
        ++index;
        if ((token.mark != NoMark && static_cast<std::size_t>(token.mark) != place) ||
            (token.sign != 0 && place != 0) ||
            (token.text.find('.') != std::string::npos && place + 1 != count)) {
            return false;
        }
    }
    return true;
}

// "4642.8593" and "00538.6125": degrees, then two digits of whole minutes.
void expandSentenceForm(Group& group) {
    if (group.count != 1 || group.numbers[0].mark != NoMark) {
        return;
    }
    const Token whole = group.numbers[0];
    const std::size_t integerDigits = std::min(whole.text.find('.'), whole.text.size());
    if (integerDigits < 4) {
        return;
    }
    Token degrees = whole, minutes{Kind::Number, whole.text.substr(integerDigits - 2)};
    degrees.text = whole.text.substr(0, integerDigits - 2);
    group.numbers[0] = degrees;
    group.numbers[1] = minutes;
    group.count = 2;
}

// The whole digits of a number, without leading zeros.
std::string_view wholeDigits(std::string_view number) {
    std::string_view whole = number.substr(0, number.find('.'));
    whole.remove_prefix(std::min(whole.find_first_not_of('0'), whole.size()));
    return whole;
}

// Whether whole minutes or seconds stay below 60.
bool belowSixty(std::string_view number) {
    const std::string_view whole = wholeDigits(number);
    return whole.size() < 2 || (whole.size() == 2 && whole < "60");
}

// Why the group's numbers are no parts of a coordinate, or nothing.
std::string partsProblem(const Group& group, const std::string& what) {
    const char* const partName[] = {"degrés", "minutes", "secondes"};
    for (std::size_t i = 0; i < group.count; ++i) {
        const Token& number = group.numbers[i];
        const char* problem = nullptr;
        if (number.mark != NoMark && static_cast<std::size_t>(number.mark) != i) {
            problem = " portent un autre signe";
        } else if (i > 0 && number.sign != 0) {
            return std::string("un signe devant les ") + partName[i] + what;
        } else if (i + 1 < group.count && number.text.find('.') != std::string::npos) {
            problem = " ont des décimales : seule la dernière valeur peut en avoir";
        } else if (i == 0 && wholeDigits(number.text).size() > 3) {
            problem = " sont hors limites";
        } else if (i > 0 && !belowSixty(number.text)) {
            problem = " atteignent 60";
        }
        if (problem != nullptr) {
            return std::string("les ") + partName[i] + what + problem;
        }
    }
    return {};
}

// The coordinate, computed on the digits as typed, or `error`.
bool toAngle(Group& group, const char* name, char positive, char negative, int limit,
             composer::Angle& angle, std::string& error) {
    expandSentenceForm(group);
    const std::string what = std::string(" de la ") + name;
    if (group.count == 0 || group.count > 3) {
        error =
            group.count == 0 ? "il manque la " + std::string(name) : "plus de trois nombres" + what;
        return false;
    }
    if (error = partsProblem(group, what); !error.empty()) {
        return false;
    }
    angle.count = static_cast<int>(group.count);
    for (std::size_t i = 0; i < group.count; ++i) {
        angle.parts[i] = group.numbers[i].text;
    }
    const char sign = group.numbers[0].sign;
    if (group.letter != 0 && sign != 0 && (sign == '-') != (group.letter == negative)) {
        error = std::string("le signe « ") + sign + " » contredit la lettre « " + group.letter +
                " »" + what;
        return false;
    }
    const auto minutes = composer::MinutesOf(angle);
    const std::uint64_t limitMinutes = static_cast<std::uint64_t>(limit) * 600000;
    if (!minutes || minutes->tenThousandths > limitMinutes ||
        (minutes->tenThousandths == limitMinutes && minutes->cut)) {
        error = "la " + std::string(name) + " dépasse " + std::to_string(limit) + "°";
        return false;
    }
    // "-0" is no southern or western position: the sentence has no negative zero.
    const bool zero = minutes->tenThousandths == 0 && !minutes->cut;
    angle.hemisphere = group.letter != 0      ? group.letter
                       : sign == '-' && !zero ? negative
                                              : positive;
    return true;
}

// The numbers read with the latitude's first `split`, each coordinate with its letter.
PositionReading readSplit(const std::vector<Token>& tokens, std::size_t split) {
    PositionReading reading;
    Group first, second;
    std::size_t index = 0;
    for (const Token& token : tokens) {
        if (token.kind == Kind::Number) {
            (index++ < split ? first : second).Add(token);
        } else if (token.kind == Kind::Letter) {
            Group& into = isLatitudeLetter(token) ? first : second;
            if (into.letter != 0) {
                reading.error = "deux lettres d'hémisphère pour une même coordonnée";
                return reading;
            }
            into.letter = token.text[0];
        }
    }
    if (toAngle(first, "latitude", 'N', 'S', 90, reading.position.latitude, reading.error)) {
        toAngle(second, "longitude", 'E', 'W', 180, reading.position.longitude, reading.error);
    }
    return reading;
}

// The numbers as typed, with a mark on each part: 46°42'51.56".
std::string partsText(const std::vector<Token>& tokens, std::size_t from, std::size_t to) {
    const char* const marks[] = {"°", "'", "\""};
    std::string text;
    std::size_t index = 0;
    for (const Token& token : tokens) {
        if (token.kind == Kind::Number && index >= from && index < to) {
            text += (token.sign == '-' ? "-" : "") + token.text + marks[index - from];
        }
        index += token.kind == Kind::Number ? 1 : 0;
    }
    return text;
}

// Bare numbers that give a position in more than one way are refused with the readings and
// how to write the one meant.
std::string ambiguity(const std::vector<Token>& tokens, const std::vector<std::size_t>& splits,
                      std::size_t numbers) {
    std::string readings;
    for (const std::size_t split : splits) {
        readings += (readings.empty() ? "" : " ou ") + partsText(tokens, 0, split) + " " +
                    partsText(tokens, split, numbers);
    }
    // The examples split the numbers half and half when that is one of the readings.
    const bool middle = std::ranges::find(splits, numbers / 2) != splits.end();
    const std::size_t example = middle ? numbers / 2 : splits.front();
    std::string numbersText, withComma, withLetters;
    std::size_t index = 0;
    for (const Token& token : tokens) {
        if (token.kind != Kind::Number) {
            continue;
        }
        const std::string number = (token.sign == '-' ? "-" : "") + token.text;
        const bool last = ++index == numbers, endsLatitude = index == example;
        numbersText += number + (last ? "" : " ");
        withComma += number + (last ? "" : endsLatitude ? ", " : " ");
        withLetters += number + (endsLatitude ? " N " : last ? " E" : " ");
    }
    return "« " + numbersText + " » se lit de " + std::to_string(splits.size()) +
           " façons : " + readings + " ; séparez la latitude de la longitude par une virgule (« " +
           withComma + " ») ou des lettres (« " + withLetters + " »)";
}

// The one reading among the splits whose parts fit that the ranges allow.
PositionReading readFitting(const std::vector<Token>& tokens,
                            const std::vector<std::size_t>& fitting, std::size_t numbers) {
    if (fitting.empty()) {
        return {{},
                "le nombre de valeurs (" + std::to_string(numbers) +
                    ") ne dit pas où finit la latitude"};
    }
    // An even count is read half and half when that fits: its error is the one to tell, even
    // if another split would read ("46 60 5 0" is no 46° and 60°05').
    const bool middleFits =
        numbers % 2 == 0 && std::ranges::find(fitting, numbers / 2) != fitting.end();
    PositionReading reading;
    std::vector<std::size_t> valid;
    for (const std::size_t split : fitting) {
        if (PositionReading candidate = readSplit(tokens, split); candidate.error.empty()) {
            reading = std::move(candidate);
            valid.push_back(split);
        }
    }
    if (valid.size() > 1) {
        return {{}, ambiguity(tokens, valid, numbers)};
    }
    if (valid.empty() || (middleFits && valid.front() != numbers / 2)) {
        return readSplit(tokens, middleFits ? numbers / 2 : fitting.front());
    }
    return reading;
}

// The one reading that the letters, separators, marks, signs, decimals and ranges allow.
PositionReading readTokens(const std::vector<Token>& tokens) {
    PositionReading reading;
    const auto numbers = static_cast<std::size_t>(
        std::count_if(tokens.begin(), tokens.end(),
                      [](const Token& token) { return token.kind == Kind::Number; }));
    if (numbers > 6) { // three parts a coordinate at most
        reading.error = std::to_string(numbers) + " nombres : une position en a de deux à six";
        return reading;
    }
    std::vector<std::size_t> placed, fitting;
    for (std::size_t s = 0; s <= numbers; ++s) {
        if (lettersAndSeparatorsFit(tokens, s, numbers)) {
            placed.push_back(s);
            if (partsFit(tokens, s, numbers)) {
                fitting.push_back(s);
            }
        }
    }
    if (placed.empty()) {
        reading.error = "une lettre d'hémisphère se met avant ou après sa coordonnée, la latitude "
                        "(N ou S) d'abord, la longitude (E, W ou O) ensuite";
        return reading;
    }
    if (placed.size() == 1) {
        return readSplit(tokens, placed.front());
    }
    return readFitting(tokens, fitting, numbers);
}

} // namespace

// "geo:46.7143,5.6435;u=35" (RFC 5870), as phones and map sites share a place: latitude,
// longitude and an altitude, which the sentence has no room for, in WGS 84.
// The position's text ("46.7143 , 5.6435"), or `error`, or none when the text is no such URI.
std::optional<std::string> fromGeoUri(std::string_view text, std::string& error) {
    const std::size_t start = std::min(text.find_first_not_of(" \t"), text.size());
    std::string_view uri = text.substr(start);
    if (uri.size() < 4 || (uri.substr(0, 4) != "geo:" && uri.substr(0, 4) != "GEO:")) {
        return std::nullopt;
    }
    uri.remove_prefix(4);
    std::string_view parameters = uri.substr(std::min(uri.find(';'), uri.size()));
    uri = uri.substr(0, uri.find(';'));
    for (std::string_view crs = "crs="; !parameters.empty();) {
        parameters.remove_prefix(1);
        const std::string_view parameter = parameters.substr(0, parameters.find(';'));
        if (parameter.starts_with(crs) && parameter.substr(crs.size()) != "wgs84") {
            error = "les coordonnées « " + platform::Visible(parameter.substr(crs.size())) +
                    " » ne sont pas en WGS 84, le système du GPS";
            return std::string();
        }
        parameters.remove_prefix(parameter.size());
    }
    // The commas part the coordinates: "geo:46,5" is 46° and 5°.
    std::string coordinates(uri.substr(0, uri.find(',', uri.find(',') + 1)));
    if (const std::size_t comma = coordinates.find(','); comma != std::string::npos) {
        coordinates.replace(comma, 1, " , ");
    }
    return coordinates;
}

PositionReading ReadPosition(std::string_view text) {
    std::string error;
    const std::optional<std::string> geo = fromGeoUri(text, error);
    if (!error.empty()) {
        return {{}, error};
    }
    text = geo ? std::string_view(*geo) : text;
    const std::vector<Token> tokens = Tokenizer(text).Read(error);
    if (!error.empty()) {
        return {{}, error};
    }
    if (std::ranges::count(tokens, Kind::Letter, &Token::kind) > 2) {
        return {{}, "plus de deux lettres d'hémisphère"};
    }
    return readTokens(tokens);
}

std::string SentenceOf(std::string_view text, std::string& error) {
    const PositionReading reading = ReadPosition(text);
    error = reading.error;
    return error.empty()
               ? composer::PositionTrame(reading.position.latitude, reading.position.longitude)
               : std::string();
}

} // namespace trame
