#include "update/DrawLine.h"

#include "common/Strings.h"
#include "update/DrawLineReader.h"

#include <sstream>

namespace veltrix {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Reads 1 to `maxDigits` digits at `text[*pos]`.
std::optional<int> ReadDigits(std::string_view text, size_t* pos, size_t minDigits,
                              size_t maxDigits) {
    size_t start = *pos;
    int value = 0;
    while (*pos < text.size() && IsDigit(text[*pos]) && *pos - start < maxDigits) {
        value = value * 10 + (text[*pos] - '0');
        ++*pos;
    }
    if (*pos - start < minDigits)
        return std::nullopt;
    return value;
}

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

std::optional<std::string> IsoDate(int year, int month, int day) {
    if (year < 1 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
        return std::nullopt;
    return StrFormat("%04d-%02d-%02d", year, month, day);
}

std::string_view WithoutLineEnd(std::string_view field) {
    while (!field.empty() && (field.back() == '\n' || field.back() == '\r'))
        field.remove_suffix(1);
    return field;
}

// A field the server fills in before the draw has taken place: "-", "--",
// "*", "?".
bool IsPlaceholder(std::string_view field) {
    field = WithoutLineEnd(field);
    if (field.empty())
        return false;
    for (char c : field) {
        if (c != '-' && c != '*' && c != '?')
            return false;
    }
    return true;
}

} // namespace

int DrawIssueNumber(std::string_view field) {
    return AtoiPrefix(field);
}

bool IsPlainDrawNumber(std::string_view field, bool endsLine) {
    if (endsLine) {
        if (!field.empty() && field.back() == '\n')
            field.remove_suffix(1);
        if (!field.empty() && field.back() == '\r')
            field.remove_suffix(1);
    }
    size_t i = 0;
    if (i < field.size() && (field[i] == '+' || field[i] == '-'))
        ++i;
    size_t digits = field.size() - i;
    if (digits < 1 || digits > 9)
        return false;
    for (; i < field.size(); ++i) {
        if (!IsDigit(field[i]))
            return false;
    }
    return true;
}

std::optional<std::string> NormalizeDrawDate(std::string_view field) {
    size_t pos = 0;
    bool allDigits = true;
    for (char c : field)
        allDigits = allDigits && IsDigit(c);
    if (field.size() == 8 && allDigits) {
        auto number = [&](size_t at, size_t n) { return AtoiPrefix(field.substr(at, n)); };
        return IsoDate(number(0, 4), number(4, 2), number(6, 2));
    }
    std::optional<int> year = ReadDigits(field, &pos, 4, 4);
    if (!year || pos >= field.size())
        return std::nullopt;
    char separator = field[pos];
    if (separator != '-' && separator != '/' && separator != '.')
        return std::nullopt;
    ++pos;
    std::optional<int> month = ReadDigits(field, &pos, 1, 2);
    if (!month || pos >= field.size() || field[pos] != separator)
        return std::nullopt;
    ++pos;
    std::optional<int> day = ReadDigits(field, &pos, 1, 2);
    if (!day || pos != field.size())
        return std::nullopt;
    return IsoDate(*year, *month, *day);
}

std::string EscapeSqlQuotes(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 2);
    for (char c : text) {
        out += c;
        if (c == '\'')
            out += '\'';
    }
    return out;
}

std::string BuildDrawInsert(const LotteryInfo& game, std::string_view issue, std::string_view date,
                            std::span<const std::string_view> numbers) {
    // The format's placeholders take the issue, the date, then the numbers;
    // substituting by hand keeps a '%' in a field from meaning anything.
    std::string_view format = game.insertFormat;
    std::string sql;
    sql.reserve(format.size() + issue.size() + date.size() + numbers.size() * 4);
    size_t next = 0; // which placeholder comes next
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '%' && i + 1 < format.size() && format[i + 1] == 's') {
            if (next == 0)
                sql += EscapeSqlQuotes(issue);
            else if (next == 1)
                sql += EscapeSqlQuotes(date);
            else if (next - 2 < numbers.size())
                sql += numbers[next - 2];
            else
                sql += "NULL"; // a column the line may leave out (3d test numbers)
            ++next;
            ++i;
        } else {
            sql += format[i];
        }
    }
    return sql;
}

size_t DrawFieldsUsed(const LotteryInfo& game, size_t fieldCount) {
    if (game.kind == LotteryKind::ThreeD && fieldCount == 5)
        return 5;
    return static_cast<size_t>(game.minTokenCount);
}

DrawLineVerdict JudgeDrawLine(const LotteryInfo& game, const std::vector<std::string_view>& fields,
                              int newestIssue) {
    DrawLineVerdict verdict;
    auto fault = [&verdict](DrawLineFault why, size_t field) {
        verdict.fault = why;
        verdict.field = static_cast<int>(field);
        return verdict;
    };
    verdict.issue = fields.empty() ? 0 : DrawIssueNumber(fields[0]);
    if (verdict.issue <= newestIssue)
        return fault(DrawLineFault::NotNewer, 1);
    for (size_t i = 1; i < fields.size(); ++i) {
        if (IsPlaceholder(fields[i]))
            return fault(DrawLineFault::NotDrawnYet, i + 1);
    }
    size_t used = DrawFieldsUsed(game, fields.size());
    if (fields.size() < used)
        return fault(DrawLineFault::TooFewFields, fields.size() + 1);
    // A NUL cannot travel through the C-string database interface intact.
    if (fields[0].find('\0') != std::string_view::npos)
        return fault(DrawLineFault::BadIssue, 1);
    std::optional<std::string> date = NormalizeDrawDate(fields[1]);
    if (!date)
        return fault(DrawLineFault::BadDate, 2);
    std::span<const std::string_view> numbers(fields.data() + 2, used - 2);
    for (size_t i = 0; i < numbers.size(); ++i) {
        bool endsLine = i + 2 == fields.size() - 1;
        if (!IsPlainDrawNumber(numbers[i], endsLine))
            return fault(DrawLineFault::BadNumber, i + 3);
    }
    verdict.statement = BuildDrawInsert(game, fields[0], *date, numbers);
    return verdict;
}

std::string_view DrawLineFaultText(DrawLineFault fault) {
    switch (fault) {
    case DrawLineFault::None:
        return "";
    case DrawLineFault::NotNewer:
        return "not newer than the stored issue";
    case DrawLineFault::TooFewFields:
        return "too few fields";
    case DrawLineFault::BadIssue:
        return "a NUL byte in the issue";
    case DrawLineFault::BadNumber:
        return "not a plain integer";
    case DrawLineFault::BadDate:
        return "not a real date";
    case DrawLineFault::NotDrawnYet:
        return "not drawn yet";
    }
    return "";
}

std::string_view DrawFieldColumn(const LotteryInfo& game, int field) {
    std::string_view columns = game.columns;
    for (int n = 1; n < field; ++n) {
        size_t comma = columns.find(',');
        if (comma == std::string_view::npos)
            return {};
        columns.remove_prefix(comma + 1);
    }
    return columns.substr(0, columns.find(','));
}

std::optional<DrawNumberRange> DrawFieldRange(const LotteryInfo& game, int field) {
    std::string_view column = DrawFieldColumn(game, field);
    bool main = column.starts_with("H");
    bool extra = column.starts_with("L");
    switch (game.kind) {
    case LotteryKind::Dlt:
        if (main || extra)
            return DrawNumberRange{1, main ? 35 : 12};
        break;
    case LotteryKind::Ssq:
        if (main || extra)
            return DrawNumberRange{1, main ? 33 : 16};
        break;
    case LotteryKind::P5:
    case LotteryKind::P3:
    case LotteryKind::ThreeD:
        if (main)
            return DrawNumberRange{0, 9};
        break;
    case LotteryKind::T22x5:
    case LotteryKind::SevenXc:
    case LotteryKind::SevenLc:
        break; // nothing in the program depends on their ranges
    }
    return std::nullopt;
}

bool HoldsDrawLine(const LotteryInfo& game, std::string_view bytes) {
    std::istringstream in{std::string(bytes)};
    DrawLineReader reader(in);
    std::vector<std::string_view> fields;
    std::string_view piece;
    while (reader.Next(&piece)) {
        SplitDrawFields(piece, &fields);
        if (JudgeDrawLine(game, fields, 0).fault == DrawLineFault::None)
            return true;
    }
    return false;
}

std::string DrawProgressText(const LotteryInfo& game, int count) {
    std::string text(game.progressFormat);
    size_t at = text.find("%d");
    if (at != std::string::npos)
        text.replace(at, 2, std::to_string(count));
    return text;
}

} // namespace veltrix
