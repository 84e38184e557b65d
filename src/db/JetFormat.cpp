// Format's dispatch (named formats, which kind of pattern), date patterns and
// text patterns. Number patterns are in JetFormatNumber.cpp.
#include "db/JetFormat.h"

#include "common/Strings.h"

#include <array>

namespace veltrix::jet {
namespace {

constexpr std::array<const char*, 12> kMonthNames = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};
constexpr std::array<const char*, 7> kDayNames = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                  "Thursday", "Friday", "Saturday"};

struct NamedFormat {
    std::string_view name;
    std::string_view pattern;
};

// Patterns for Jet's named formats, written for this program's ISO dates.
constexpr NamedFormat kNamedFormats[] = {
    {"FIXED", "0.00"},
    {"STANDARD", "#,##0.00"},
    {"CURRENCY", "#,##0.00"},
    {"PERCENT", "0.00%"},
    {"SCIENTIFIC", "0.00E+00"},
    {"SHORT DATE", "yyyy-mm-dd"},
    {"MEDIUM DATE", "yy-mmm-dd"},
    {"LONG DATE", "yyyy\xE5\xB9\xB4m\xE6\x9C\x88"
                  "d\xE6\x97\xA5"}, // yyyy年m月d日
    {"LONG TIME", "hh:nn:ss"},
    {"MEDIUM TIME", "hh:nn AM/PM"},
    {"SHORT TIME", "hh:nn"},
};

enum class PatternKind { Number, Date, Text, Literal };

PatternKind Classify(std::string_view pattern) {
    bool date = false, text = false;
    for (size_t i = 0; i < pattern.size(); ++i) {
        char c = pattern[i];
        if (c == '"') {
            size_t close = pattern.find('"', i + 1);
            i = close == std::string_view::npos ? pattern.size() : close;
        } else if (c == '\\') {
            ++i;
        } else if (c == '0' || c == '#') {
            return PatternKind::Number;
        } else if (std::string_view("dDmMyYhHnNsSwWqQcCtT").find(c) != std::string_view::npos) {
            date = true;
        } else if (c == '@' || c == '&' || c == '<' || c == '>') {
            text = true;
        }
    }
    return date ? PatternKind::Date : text ? PatternKind::Text : PatternKind::Literal;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size())
        return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        if (ToLowerAscii(text[i]) != ToLowerAscii(prefix[i]))
            return false;
    }
    return true;
}

// The next date token after `at` (skipping literals) is an s: "mm:ss" minutes.
bool SecondsFollow(std::string_view pattern, size_t at) {
    for (; at < pattern.size(); ++at) {
        char c = ToLowerAscii(pattern[at]);
        if (c == 's')
            return true;
        if (std::string_view("dmyhnwqct").find(c) != std::string_view::npos)
            return false;
    }
    return false;
}

} // namespace

std::string FormatDate(const JetDate& date, std::string_view pattern) {
    CivilDateTime c = date.Civil();
    bool twelveHour = false;
    for (std::string_view marker : {"AM/PM", "A/P", "AMPM"}) {
        for (size_t i = 0; i + marker.size() <= pattern.size(); ++i)
            twelveHour = twelveHour || StartsWithNoCase(pattern.substr(i), marker);
    }
    std::string out;
    bool afterHour = false;
    for (size_t i = 0; i < pattern.size();) {
        char raw = pattern[i];
        char ch = ToLowerAscii(raw);
        size_t run = 1;
        while (i + run < pattern.size() && ToLowerAscii(pattern[i + run]) == ch)
            ++run;
        auto two = [](int value) { return StrFormat("%02d", value); };
        if (raw == '"') {
            size_t close = pattern.find('"', i + 1);
            if (close == std::string_view::npos)
                close = pattern.size();
            out += pattern.substr(i + 1, close - i - 1);
            i = close + 1;
            continue;
        }
        if (raw == '\\' && i + 1 < pattern.size()) {
            out += pattern[i + 1];
            i += 2;
            continue;
        }
        if (ch == 'a' && (StartsWithNoCase(pattern.substr(i), "AM/PM") ||
                          StartsWithNoCase(pattern.substr(i), "AMPM"))) {
            size_t length = StartsWithNoCase(pattern.substr(i), "AMPM") ? 4 : 5;
            std::string marker = c.hour < 12 ? "AM" : "PM";
            out += raw == 'a' ? ToLowerAscii(marker) : marker;
            i += length;
            continue;
        }
        if (ch == 'a' && StartsWithNoCase(pattern.substr(i), "A/P")) {
            char marker = c.hour < 12 ? 'A' : 'P';
            out += raw == 'a' ? ToLowerAscii(marker) : marker;
            i += 3;
            continue;
        }
        bool token = true;
        switch (ch) {
        case 'y':
            if (run >= 4) {
                out += StrFormat("%04d", c.year);
                run = 4;
            } else if (run >= 2) {
                out += two(c.year % 100);
                run = 2;
            } else {
                out += std::to_string(date.DayOfYear());
            }
            break;
        case 'm':
            if (run <= 2 && (afterHour || SecondsFollow(pattern, i + run))) {
                out += run == 2 ? two(c.minute) : std::to_string(c.minute);
            } else if (run >= 4) {
                out += kMonthNames[c.month - 1];
                run = 4;
            } else if (run == 3) {
                out += std::string_view(kMonthNames[c.month - 1]).substr(0, 3);
            } else {
                out += run == 2 ? two(c.month) : std::to_string(c.month);
            }
            break;
        case 'd':
            if (run >= 6) {
                out += FormatDate(date, "yyyy\xE5\xB9\xB4m\xE6\x9C\x88"
                                        "d\xE6\x97\xA5");
                run = 6;
            } else if (run == 5) {
                out += FormatDate(date, "yyyy-mm-dd");
            } else if (run == 4) {
                out += kDayNames[date.Weekday() - 1];
            } else if (run == 3) {
                out += std::string_view(kDayNames[date.Weekday() - 1]).substr(0, 3);
            } else {
                out += run == 2 ? two(c.day) : std::to_string(c.day);
            }
            break;
        case 'h': {
            int hour = twelveHour ? (c.hour % 12 == 0 ? 12 : c.hour % 12) : c.hour;
            run = std::min<size_t>(run, 2);
            out += run == 2 ? two(hour) : std::to_string(hour);
            break;
        }
        case 'n':
            run = std::min<size_t>(run, 2);
            out += run == 2 ? two(c.minute) : std::to_string(c.minute);
            break;
        case 's':
            run = std::min<size_t>(run, 2);
            out += run == 2 ? two(c.second) : std::to_string(c.second);
            break;
        case 'w':
            if (run >= 2) {
                int jan1 = (date.Weekday() - 1 - (date.DayOfYear() - 1) % 7 + 7) % 7;
                out += std::to_string((date.DayOfYear() - 1 + jan1) / 7 + 1);
                run = 2;
            } else {
                out += std::to_string(date.Weekday());
            }
            break;
        case 'q':
            run = 1;
            out += std::to_string((c.month - 1) / 3 + 1);
            break;
        case 'c':
            run = 1;
            out += date.Text();
            break;
        case 't':
            if (run >= 5) {
                run = 5;
                out += FormatDate(date, "hh:nn:ss");
            } else {
                token = false;
            }
            break;
        default:
            token = false;
        }
        if (!token) {
            out.append(pattern.substr(i, run));
        } else {
            afterHour = ch == 'h';
        }
        i += run;
    }
    return out;
}

std::string FormatText(std::string_view text, std::string_view pattern) {
    std::string value(text);
    std::string placeholders;
    bool leftToRight = false;
    std::vector<std::pair<bool, std::string>> parts; // (placeholder, literal or '@'/'&')
    for (size_t i = 0; i < pattern.size(); ++i) {
        char c = pattern[i];
        if (c == '<')
            value = ToLowerAscii(value);
        else if (c == '>')
            value = ToUpperAscii(value);
        else if (c == '!')
            leftToRight = true;
        else if (c == '@' || c == '&')
            parts.emplace_back(true, std::string(1, c));
        else if (c == '\\' && i + 1 < pattern.size())
            parts.emplace_back(false, std::string(1, pattern[++i]));
        else
            parts.emplace_back(false, std::string(1, c));
    }
    size_t slots = 0;
    for (const auto& part : parts)
        slots += part.first;
    if (slots == 0)
        return value + [&] {
            std::string literals;
            for (const auto& part : parts)
                literals += part.second;
            return literals;
        }();
    // Characters beyond the placeholders stay with the first (or last) one.
    std::string out;
    if (leftToRight) {
        size_t next = 0;
        size_t seen = 0;
        for (const auto& part : parts) {
            if (!part.first) {
                out += part.second;
                continue;
            }
            ++seen;
            if (next < value.size())
                out += value[next++];
            else if (part.second == "@")
                out += ' ';
            if (seen == slots && next < value.size())
                out += value.substr(next);
        }
        return out;
    }
    std::vector<std::string> pieces;
    size_t remaining = value.size();
    size_t seen = 0;
    for (size_t i = parts.size(); i-- > 0;) {
        if (!parts[i].first) {
            pieces.push_back(parts[i].second);
            continue;
        }
        ++seen;
        if (remaining > 0)
            pieces.emplace_back(1, value[--remaining]);
        else if (parts[i].second == "@")
            pieces.emplace_back(" ");
        if (seen == slots && remaining > 0)
            pieces.push_back(value.substr(0, remaining));
    }
    for (size_t i = pieces.size(); i-- > 0;)
        out += pieces[i];
    return out;
}

std::optional<std::string> FormatJetValue(const JetValue& value, std::string_view pattern) {
    if (value.IsNull())
        return std::nullopt;
    std::string plain = value.IsText() ? std::string(value.text) : NumberText(value.number);
    std::string upper = ToUpperAscii(pattern);
    if (pattern.empty())
        return plain;
    if (upper == "GENERAL NUMBER" || upper == "GENERAL DATE") {
        JetDate date;
        if (upper == "GENERAL DATE" && value.IsText() && ParseDateText(value.text, date))
            return date.Text();
        return plain;
    }
    for (std::string_view names : {"YES/NO", "TRUE/FALSE", "ON/OFF"}) {
        if (upper != names)
            continue;
        std::optional<Number> number =
            value.IsNumber() ? std::optional<Number>(value.number) : ParseNumericText(value.text);
        if (!number)
            return plain;
        size_t slash = names.find('/');
        std::string_view answer =
            number->AsDouble() != 0 ? names.substr(0, slash) : names.substr(slash + 1);
        std::string word(answer.substr(0, 1));
        word += ToLowerAscii(answer.substr(1));
        return word;
    }
    for (const NamedFormat& named : kNamedFormats) {
        if (upper == named.name)
            pattern = named.pattern;
    }

    switch (Classify(pattern)) {
    case PatternKind::Number:
    case PatternKind::Literal: {
        std::optional<Number> number =
            value.IsNumber() ? std::optional<Number>(value.number) : ParseNumericText(value.text);
        if (!number)
            return plain;
        return FormatNumber(*number, pattern);
    }
    case PatternKind::Date: {
        JetDate date;
        bool ok = false;
        if (value.IsText()) {
            ok = ParseDateText(value.text, date);
            if (!ok) {
                std::optional<Number> number = ParseNumericText(value.text);
                ok = number && JetDate::FromSerial(number->AsDouble(), date);
            }
        } else {
            ok = JetDate::FromSerial(value.number.AsDouble(), date);
        }
        return ok ? FormatDate(date, pattern) : plain;
    }
    case PatternKind::Text:
        return FormatText(plain, pattern);
    }
    return plain;
}

} // namespace veltrix::jet
