#include "trame/PositionText.h"

#include <algorithm>
#include <charconv>
#include <vector>

namespace trame {

const char* const AcceptedForms = "  46.714322 5.643542\n"
                                  "  46,714322 5,643542\n"
                                  "  -33.8688, 151.2093\n"
                                  "  46°42'51.56\"N 5°38'36.75\"E\n"
                                  "  N 46 42 51.56 E 5 38 36.75\n"
                                  "  46 42.8593 N, 5 38.6125 E\n"
                                  "  4642.8593N 00538.6125E\n"
                                  "  40.7128N 74.0060O (O : ouest)\n";

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

// The bytes of the UTF-8 character that starts with `lead`; one for anything else.
std::size_t characterLength(char lead) {
    const auto byte = static_cast<unsigned char>(lead);
    return byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
}

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
            error = "« " + std::string(text_.substr(pos_, characterLength(c))) + " » est illisible";
        }
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

// The value, or false when it is beyond what a double holds. Decimals too small for one are 0.
bool numberOf(std::string_view text, double& value) {
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec == std::errc::result_out_of_range &&
        text.substr(0, text.find('.')).find_first_not_of('0') == std::string_view::npos) {
        value = 0;
        return true;
    }
    return ec == std::errc();
}

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

// How many numbers the latitude has: the one split that the letters, separators, marks,
// signs and decimals allow, or the middle of an even count when several fit.
bool findSplit(const std::vector<Token>& tokens, std::size_t& split, std::string& error) {
    const auto numbers = static_cast<std::size_t>(
        std::count_if(tokens.begin(), tokens.end(),
                      [](const Token& token) { return token.kind == Kind::Number; }));
    // The splits the letters and separators allow, and those where the parts fit too.
    std::size_t placed = 0, firstPlaced = 0, fitting = 0, firstFitting = 0;
    bool middleFits = false;
    for (std::size_t s = 0; s <= numbers; ++s) {
        if (!lettersAndSeparatorsFit(tokens, s, numbers)) {
            continue;
        }
        firstPlaced = placed++ == 0 ? s : firstPlaced;
        if (partsFit(tokens, s, numbers)) {
            firstFitting = fitting++ == 0 ? s : firstFitting;
            middleFits = middleFits || (numbers % 2 == 0 && s == numbers / 2);
        }
    }
    if (placed == 0) {
        error = "une lettre d'hémisphère se met avant ou après sa coordonnée, la latitude "
                "(N ou S) d'abord, la longitude (E, W ou O) ensuite";
        return false;
    }
    if (placed == 1 || fitting == 1 || middleFits) {
        split = placed == 1 ? firstPlaced : fitting == 1 ? firstFitting : numbers / 2;
        return true;
    }
    error =
        "le nombre de valeurs (" + std::to_string(numbers) + ") ne dit pas où finit la latitude";
    return false;
}

// Two groups of numbers, each with its hemisphere letter if one was typed.
bool group(const std::vector<Token>& tokens, Group& first, Group& second, std::string& error) {
    const auto letters = std::count_if(tokens.begin(), tokens.end(), [](const Token& token) {
        return token.kind == Kind::Letter;
    });
    if (letters > 2) {
        error = "plus de deux lettres d'hémisphère";
        return false;
    }
    std::size_t split = 0;
    if (!findSplit(tokens, split, error)) {
        return false;
    }
    std::size_t index = 0;
    for (const Token& token : tokens) {
        if (token.kind == Kind::Number) {
            (index++ < split ? first : second).Add(token);
        } else if (token.kind == Kind::Letter) {
            Group& into = isLatitudeLetter(token) ? first : second;
            if (into.letter != 0) {
                error = "deux lettres d'hémisphère pour une même coordonnée";
                return false;
            }
            into.letter = token.text[0];
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
    const std::size_t integerDigits =
        whole.text.find('.') == std::string::npos ? whole.text.size() : whole.text.find('.');
    if (integerDigits < 4) {
        return;
    }
    Token degrees = whole, minutes{Kind::Number, whole.text.substr(integerDigits - 2)};
    degrees.text = whole.text.substr(0, integerDigits - 2);
    group.numbers[0] = degrees;
    group.numbers[1] = minutes;
    group.count = 2;
}

bool toAngle(Group& group, const char* name, char positive, char negative, double limit,
             composer::Angle& angle, std::string& error) {
    expandSentenceForm(group);
    const std::string what = std::string(" de la ") + name;
    if (group.count == 0 || group.count > 3) {
        error =
            group.count == 0 ? "il manque la " + std::string(name) : "plus de trois nombres" + what;
        return false;
    }
    angle.count = static_cast<int>(group.count);
    double total = 0;
    for (int i = 0; i < angle.count; ++i) {
        const Token& number = group.numbers[static_cast<std::size_t>(i)];
        const char* const partName[] = {"degrés", "minutes", "secondes"};
        if (number.mark != NoMark && number.mark != i) {
            error = "les " + std::string(partName[i]) + what + " portent un autre signe";
            return false;
        }
        if (i > 0 && number.sign != 0) {
            error = "un signe devant les " + std::string(partName[i]) + what;
            return false;
        }
        if (i + 1 < angle.count && number.text.find('.') != std::string::npos) {
            error = "les " + std::string(partName[i]) + what +
                    " ont des décimales : seule la dernière valeur peut en avoir";
            return false;
        }
        if (!numberOf(number.text, angle.parts[i])) {
            error = "les " + std::string(partName[i]) + what + " sont hors limites";
            return false;
        }
        if (i > 0 && angle.parts[i] >= 60) {
            error = "les " + std::string(partName[i]) + what + " atteignent 60";
            return false;
        }
        constexpr double unitsInADegree[] = {1, 60, 3600};
        total += angle.parts[i] / unitsInADegree[i];
    }
    const char sign = group.numbers[0].sign;
    if (group.letter != 0 && sign != 0 && (sign == '-') != (group.letter == negative)) {
        error = std::string("le signe « ") + sign + " » contredit la lettre « " + group.letter +
                " »" + what;
        return false;
    }
    // "-0" is no southern or western position: the sentence has no negative zero.
    angle.hemisphere = group.letter != 0           ? group.letter
                       : sign == '-' && total != 0 ? negative
                                                   : positive;
    if (total > limit) {
        error =
            "la " + std::string(name) + " dépasse " + std::to_string(static_cast<int>(limit)) + "°";
        return false;
    }
    return true;
}

} // namespace

PositionReading ReadPosition(std::string_view text) {
    PositionReading reading;
    std::string& error = reading.error;
    const std::vector<Token> tokens = Tokenizer(text).Read(error);
    Group first, second;
    if (!error.empty() || !group(tokens, first, second, error)) {
        return reading;
    }
    if (toAngle(first, "latitude", 'N', 'S', 90, reading.position.latitude, error)) {
        toAngle(second, "longitude", 'E', 'W', 180, reading.position.longitude, error);
    }
    return reading;
}

} // namespace trame
