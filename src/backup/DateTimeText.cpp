#include "backup/DateTimeText.h"

#include <cstdio>
#include <vector>

#include "system/TextCase.h"

namespace {

// One piece of a picture: a run of one field letter, or literal text.
struct PictureToken {
    char letter = 0;  // 0 for literal text
    int count = 0;
    std::string literal;
};

// Splits a picture into field runs and literal text. Quoted text is literal,
// with two quotes inside it standing for one; every letter that is not a field
// letter of this picture is literal as well.
std::vector<PictureToken> Tokenize(const std::string& picture, const std::string& fieldLetters) {
    std::vector<PictureToken> tokens;
    auto appendLiteral = [&tokens](const std::string& text) {
        if (text.empty()) return;
        if (tokens.empty() || tokens.back().letter != 0) tokens.push_back(PictureToken{});
        tokens.back().literal += text;
    };
    size_t i = 0;
    while (i < picture.size()) {
        const char c = picture[i];
        if (c == '\'') {
            std::string text;
            ++i;
            while (i < picture.size()) {
                if (picture[i] == '\'') {
                    if (i + 1 < picture.size() && picture[i + 1] == '\'') {
                        text += '\'';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                text += picture[i++];
            }
            appendLiteral(text);
        } else if (fieldLetters.find(c) != std::string::npos) {
            size_t end = i;
            while (end < picture.size() && picture[end] == c) ++end;
            PictureToken token;
            token.letter = c;
            token.count = static_cast<int>(end - i);
            tokens.push_back(token);
            i = end;
        } else {
            appendLiteral(std::string(1, c));
            ++i;
        }
    }
    return tokens;
}

const char kDateLetters[] = "dMyg";
const char kTimeLetters[] = "hHmst";

std::string Number(int value, int minDigits) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%0*d", minDigits, value);
    return buffer;
}

bool IsBlank(unsigned char c) { return c == ' ' || c == '\t' || c == 0xA0; }

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

// Walks through a text while a picture is matched against it.
class Scanner {
public:
    Scanner(const std::string& text, size_t position) : text_(text), pos_(position) {}
    size_t Position() const { return pos_; }
    bool AtEnd() const { return pos_ >= text_.size(); }
    void SkipBlanks() {
        while (!AtEnd() && IsBlank(static_cast<unsigned char>(text_[pos_]))) ++pos_;
    }
    // A blank of the picture stands for any run of blanks, none included; any
    // other character must be there, letter case aside.
    bool MatchLiteral(const std::string& literal) {
        for (const char c : literal) {
            if (IsBlank(static_cast<unsigned char>(c))) {
                SkipBlanks();
            } else if (!AtEnd() && SameText(std::string(1, text_[pos_]), std::string(1, c))) {
                ++pos_;
            } else {
                return false;
            }
        }
        return true;
    }
    bool ReadNumber(int maxDigits, int& value, int& digits) {
        value = 0;
        digits = 0;
        while (digits < maxDigits && !AtEnd() && text_[pos_] >= '0' && text_[pos_] <= '9') {
            value = value * 10 + (text_[pos_] - '0');
            ++pos_;
            ++digits;
        }
        return digits > 0;
    }
    // Length of the longest candidate that the text continues with, or 0.
    size_t MatchLength(const std::string& candidate) const {
        if (candidate.empty() || text_.size() - pos_ < candidate.size()) return 0;
        return SameText(text_.substr(pos_, candidate.size()), candidate) ? candidate.size() : 0;
    }
    void Advance(size_t count) { pos_ += count; }

private:
    const std::string& text_;
    size_t pos_;
};

// The index of the longest name the text continues with, or -1; consumes it.
template <size_t N>
int MatchName(Scanner& scanner, const std::array<std::string, N>& full, const std::array<std::string, N>& abbrev) {
    int best = -1;
    size_t bestLength = 0;
    for (size_t i = 0; i < N; ++i) {
        for (const std::string* name : {&full[i], &abbrev[i]}) {
            const size_t length = scanner.MatchLength(*name);
            if (length > bestLength) {
                bestLength = length;
                best = static_cast<int>(i);
            }
        }
    }
    scanner.Advance(bestLength);
    return best;
}

bool IsNumericField(const PictureToken& token) {
    switch (token.letter) {
        case 'd':
        case 'M':
            return token.count <= 2;
        case 'y':
        case 'h':
        case 'H':
        case 'm':
        case 's':
            return true;
        default:
            return false;
    }
}

struct ParsedDate {
    int year = 0, month = 0, day = 0;
    bool haveYear = false, haveMonth = false, haveDay = false;
};

bool ParseDatePart(Scanner& scanner, const std::string& picture, const DateTimeFormats& formats, ParsedDate& date) {
    const std::vector<PictureToken> tokens = Tokenize(picture, kDateLetters);
    for (size_t i = 0; i < tokens.size(); ++i) {
        const PictureToken& token = tokens[i];
        if (token.letter == 0) {
            if (!scanner.MatchLiteral(token.literal)) return false;
            continue;
        }
        // Numbers written side by side without a separator keep their widths.
        const bool packed = i + 1 < tokens.size() && IsNumericField(tokens[i + 1]);
        int value = 0, digits = 0;
        switch (token.letter) {
            case 'd':
                if (token.count <= 2) {
                    if (!scanner.ReadNumber(2, value, digits)) return false;
                    date.day = value;
                    date.haveDay = true;
                } else if (MatchName(scanner, formats.dayNames, formats.abbrevDayNames) < 0) {
                    return false;
                }
                break;
            case 'M':
                if (token.count <= 2) {
                    if (!scanner.ReadNumber(2, value, digits)) return false;
                    date.month = value;
                } else {
                    const int index = MatchName(scanner, formats.monthNames, formats.abbrevMonthNames);
                    if (index < 0) return false;
                    date.month = index + 1;
                }
                date.haveMonth = true;
                break;
            case 'y': {
                const int maxDigits = (packed && token.count <= 2) ? 2 : 4;
                if (!scanner.ReadNumber(maxDigits, value, digits)) return false;
                if (digits <= 2) {
                    // The century that ends with the two-digit-year limit.
                    const int limit = formats.twoDigitYearMax;
                    value = limit - ((limit % 100 - value + 100) % 100);
                }
                date.year = value;
                date.haveYear = true;
                break;
            }
            case 'g':
                scanner.Advance(scanner.MatchLength(formats.eraName));
                break;
        }
    }
    return date.haveYear && date.haveMonth && date.haveDay;
}

struct ParsedTime {
    int hour = 0, minute = 0, second = 0;
    int designator = 0;  // 0 none, 1 AM, 2 PM
};

bool ParseTimePart(Scanner& scanner, const std::string& picture, const DateTimeFormats& formats, ParsedTime& time) {
    for (const PictureToken& token : Tokenize(picture, kTimeLetters)) {
        if (token.letter == 0) {
            if (!scanner.MatchLiteral(token.literal)) return false;
            continue;
        }
        int value = 0, digits = 0;
        switch (token.letter) {
            case 'h':
            case 'H':
                if (!scanner.ReadNumber(2, value, digits)) return false;
                time.hour = value;
                break;
            case 'm':
                if (!scanner.ReadNumber(2, value, digits)) return false;
                time.minute = value;
                break;
            case 's':
                if (!scanner.ReadNumber(2, value, digits)) return false;
                time.second = value;
                break;
            case 't': {
                // The whole designator or its first letter; missing is allowed.
                const std::string am = formats.amDesignator, pm = formats.pmDesignator;
                const size_t candidates[4] = {scanner.MatchLength(am), scanner.MatchLength(pm),
                                              scanner.MatchLength(am.substr(0, 1)),
                                              scanner.MatchLength(pm.substr(0, 1))};
                size_t best = 0;
                for (int k = 0; k < 4; ++k) {
                    if (candidates[k] > best) {
                        best = candidates[k];
                        time.designator = (k % 2 == 0) ? 1 : 2;
                    }
                }
                scanner.Advance(best);
                break;
            }
        }
    }
    return true;
}

}  // namespace

bool IsValidDateTime(const LocalDateTime& v) {
    return v.year >= 1 && v.year <= 9999 && v.month >= 1 && v.month <= 12 && v.day >= 1 &&
           v.day <= DaysInMonth(v.year, v.month) && v.hour >= 0 && v.hour <= 23 && v.minute >= 0 && v.minute <= 59 &&
           v.second >= 0 && v.second <= 59 && v.millisecond >= 0 && v.millisecond <= 999;
}

int DayOfWeekMondayFirst(int year, int month, int day) {
    // Days since 1 March of year 0 of the proleptic Gregorian calendar.
    const int y = month <= 2 ? year - 1 : year;
    const int era = (y >= 0 ? y : y - 399) / 400;
    const int yearOfEra = y - era * 400;
    const int dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    const long days = static_cast<long>(era) * 146097 + dayOfEra;  // day 0 was a Wednesday
    return static_cast<int>(((days % 7) + 7 + 2) % 7);
}

std::string FormatDatePicture(const LocalDateTime& value, const std::string& picture, const DateTimeFormats& formats) {
    std::string out;
    for (const PictureToken& token : Tokenize(picture, kDateLetters)) {
        switch (token.letter) {
            case 0:
                out += token.literal;
                break;
            case 'd':
                if (token.count <= 2) {
                    out += Number(value.day, token.count);
                } else {
                    const int weekday = DayOfWeekMondayFirst(value.year, value.month, value.day);
                    out += token.count == 3 ? formats.abbrevDayNames[static_cast<size_t>(weekday)]
                                            : formats.dayNames[static_cast<size_t>(weekday)];
                }
                break;
            case 'M':
                if (token.count <= 2) {
                    out += Number(value.month, token.count);
                } else if (value.month >= 1 && value.month <= 12) {
                    out += token.count == 3 ? formats.abbrevMonthNames[static_cast<size_t>(value.month - 1)]
                                            : formats.monthNames[static_cast<size_t>(value.month - 1)];
                }
                break;
            case 'y':
                // One or two letters both give the last two digits with a leading zero.
                out += token.count >= 3 ? Number(value.year, 4) : Number(value.year % 100, 2);
                break;
            case 'g':
                out += formats.eraName;
                break;
        }
    }
    return out;
}

std::string FormatTimePicture(const LocalDateTime& value, const std::string& picture, const DateTimeFormats& formats) {
    std::string out;
    const std::string& designator = value.hour < 12 ? formats.amDesignator : formats.pmDesignator;
    for (const PictureToken& token : Tokenize(picture, kTimeLetters)) {
        const int width = token.count >= 2 ? 2 : 1;
        switch (token.letter) {
            case 0:
                out += token.literal;
                break;
            case 'h': {
                const int hour12 = value.hour % 12 == 0 ? 12 : value.hour % 12;
                out += Number(hour12, width);
                break;
            }
            case 'H':
                out += Number(value.hour, width);
                break;
            case 'm':
                out += Number(value.minute, width);
                break;
            case 's':
                out += Number(value.second, width);
                break;
            case 't':
                out += token.count == 1 ? designator.substr(0, 1) : designator;
                break;
        }
    }
    return out;
}

std::string DateTimeToText(const LocalDateTime& value, const DateTimeFormats& formats) {
    std::string text = FormatDatePicture(value, formats.shortDate, formats);
    if (value.hour != 0 || value.minute != 0 || value.second != 0) {
        text += ' ';
        text += FormatTimePicture(value, formats.longTime, formats);
    }
    return text;
}

bool TextToDateTime(const std::string& text, const DateTimeFormats& formats, LocalDateTime& result) {
    Scanner scanner(text, 0);
    scanner.SkipBlanks();
    ParsedDate date;
    if (!ParseDatePart(scanner, formats.shortDate, formats, date)) return false;
    scanner.SkipBlanks();
    ParsedTime time;
    if (!scanner.AtEnd()) {
        if (!ParseTimePart(scanner, formats.longTime, formats, time)) return false;
        scanner.SkipBlanks();
        if (!scanner.AtEnd()) return false;
    }
    if (time.designator != 0) {
        if (time.hour > 12) return false;
        if (time.designator == 2 && time.hour < 12) time.hour += 12;
        if (time.designator == 1 && time.hour == 12) time.hour = 0;
    }
    LocalDateTime value;
    value.year = date.year;
    value.month = date.month;
    value.day = date.day;
    value.hour = time.hour;
    value.minute = time.minute;
    value.second = time.second;
    value.millisecond = 0;
    if (!IsValidDateTime(value)) return false;
    result = value;
    return true;
}
