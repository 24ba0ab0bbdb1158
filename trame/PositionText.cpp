#include "trame/PositionText.h"

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
        } else if (startsNumber(pos_) || ((c == '+' || c == '-') && startsNumber(pos_ + 1)) ||
                   (text_.substr(pos_).starts_with(unicodeMinus) &&
                    startsNumber(pos_ + unicodeMinus.size()))) {
            tokens.push_back(readNumber());
        } else if (const Mark mark = readMark(tokens, attached); mark != NoMark) {
            if (tokens.empty() || tokens.back().kind != Kind::Number ||
                tokens.back().mark != NoMark) {
                error = "signe de degrés, minutes ou secondes sans nombre devant";
            } else {
                tokens.back().mark = mark;
            }
        } else if (hemisphereLetter(c) != 0 &&
                   (pos_ + 1 == text_.size() || !isLetter(text_[pos_ + 1]))) {
            tokens.push_back({Kind::Letter, std::string(1, hemisphereLetter(c))});
            ++pos_;
        } else {
            error = "« " + std::string(text_.substr(pos_, characterLength(c))) + " » est illisible";
        }
    }

    // A sign, digits, and a decimal part after "." or after a "," that stands between digits.
    Token readNumber() {
        Token token{Kind::Number, ""};
        if (text_[pos_] == '+' || text_[pos_] == '-') {
            token.sign = text_[pos_++];
        } else if (text_.substr(pos_).starts_with(unicodeMinus)) {
            token.sign = '-';
            pos_ += unicodeMinus.size();
        }
        bool decimal = false;
        while (pos_ < text_.size()) {
            const char c = text_[pos_];
            if (isDigit(c)) {
                token.text += c;
            } else if (!decimal && (c == '.' || (c == ',' && !token.text.empty())) &&
                       pos_ + 1 < text_.size() && isDigit(text_[pos_ + 1])) {
                decimal = true;
                token.text += '.';
            } else {
                break;
            }
            ++pos_;
        }
        lastNumberEnd_ = pos_;
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

double numberOf(std::string_view text) {
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
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

// Where the latitude's numbers end: a separator between numbers, or the second degree mark,
// or the middle of an even count.
bool splitWithoutLetters(const std::vector<Token>& tokens, std::size_t& count, std::string& error) {
    std::vector<std::size_t> separators, degreeMarks;
    std::size_t numbers = 0;
    for (const Token& token : tokens) {
        if (token.kind == Kind::Separator && numbers > 0) {
            separators.push_back(numbers);
        } else if (token.kind == Kind::Number) {
            if (token.mark == Degrees) {
                degreeMarks.push_back(numbers);
            }
            ++numbers;
        }
    }
    // A separator after the last number ends the text, it splits nothing.
    std::erase(separators, numbers);
    if (separators.size() == 1) {
        count = separators.front();
    } else if (degreeMarks.size() == 2 && degreeMarks.front() == 0) {
        count = degreeMarks.back();
    } else if (separators.empty() && numbers % 2 == 0) {
        count = numbers / 2;
    } else {
        error = "le nombre de valeurs (" + std::to_string(numbers) +
                ") ne dit pas où finit la latitude";
        return false;
    }
    return true;
}

// Two groups of numbers, each with its hemisphere letter if one was typed.
bool group(const std::vector<Token>& tokens, Group& first, Group& second, std::string& error) {
    std::vector<std::size_t> letters;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        if (tokens[i].kind == Kind::Letter) {
            letters.push_back(i);
        }
    }
    if (letters.size() > 2) {
        error = "plus de deux lettres d'hémisphère";
        return false;
    }
    std::size_t firstNumber = 0;
    while (firstNumber < tokens.size() && tokens[firstNumber].kind == Kind::Separator) {
        ++firstNumber;
    }
    const bool prefix = !letters.empty() && letters.front() == firstNumber;
    // The token that starts the longitude, or none when the numbers' count must tell.
    std::size_t split = 0;
    if (prefix && letters.size() == 2) {
        split = letters[1];
    } else if (!prefix && !letters.empty()) {
        split = letters[0] + 1;
        if (letters.size() == 2 && letters[1] != tokens.size() - 1) {
            error =
                "une lettre d'hémisphère se met avant ou après chaque coordonnée, pas au milieu";
            return false;
        }
    } else {
        std::size_t count = 0;
        if (!splitWithoutLetters(tokens, count, error)) {
            return false;
        }
        for (split = 0; count > 0; ++split) {
            count -= tokens[split].kind == Kind::Number ? 1 : 0;
        }
    }
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        Group& into = i < split ? first : second;
        if (tokens[i].kind == Kind::Number) {
            into.Add(tokens[i]);
        } else if (tokens[i].kind == Kind::Letter) {
            if (into.letter != 0) {
                error = "deux lettres d'hémisphère pour une même coordonnée";
                return false;
            }
            into.letter = tokens[i].text[0];
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
        angle.parts[i] = numberOf(number.text);
        if (i > 0 && angle.parts[i] >= 60) {
            error = "les " + std::string(partName[i]) + what + " atteignent 60";
            return false;
        }
        constexpr double unitsInADegree[] = {1, 60, 3600};
        total += angle.parts[i] / unitsInADegree[i];
    }
    const char sign = group.numbers[0].sign;
    if (group.letter != 0 && group.letter != positive && group.letter != negative) {
        error = std::string("« ") + group.letter + " » n'est pas un hémisphère" + what;
        return false;
    }
    if (group.letter != 0 && sign != 0 && (sign == '-') != (group.letter == negative)) {
        error = std::string("le signe « ") + sign + " » contredit la lettre « " + group.letter +
                " »" + what;
        return false;
    }
    angle.hemisphere = group.letter != 0 ? group.letter : sign == '-' ? negative : positive;
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
    const auto isLongitude = [](char letter) { return letter == 'E' || letter == 'W'; };
    if (isLongitude(first.letter) && !isLongitude(second.letter)) {
        std::swap(first, second); // "E 5.6 N 46.7": the letters say which is which
    }
    if (toAngle(first, "latitude", 'N', 'S', 90, reading.position.latitude, error)) {
        toAngle(second, "longitude", 'E', 'W', 180, reading.position.longitude, error);
    }
    return reading;
}

} // namespace trame
