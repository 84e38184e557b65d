// Number patterns of Format: up to four sections (positive;negative;zero;null),
// digit placeholders 0 (always a digit) and # (a digit when there is one), a
// decimal point, thousands separators, percent, E+/E- exponents, and literal
// text ("quoted", \escaped or any other character).
#include "db/JetFormat.h"

#include <algorithm>
#include <vector>

namespace veltrix::jet {
namespace {

enum class Part { Zero, Hash, Point, Comma, Percent, Exponent, Literal };

struct Element {
    Part part;
    std::string text; // Literal: the text; Exponent: "+" or "-"
};

std::vector<Element> ParseSection(std::string_view section) {
    std::vector<Element> elements;
    bool seenPoint = false;
    bool seenExponent = false;
    for (size_t i = 0; i < section.size(); ++i) {
        char c = section[i];
        auto literal = [&](std::string_view text) {
            if (!elements.empty() && elements.back().part == Part::Literal)
                elements.back().text += text;
            else
                elements.push_back({Part::Literal, std::string(text)});
        };
        if (c == '"') {
            size_t close = section.find('"', i + 1);
            if (close == std::string_view::npos)
                close = section.size();
            literal(section.substr(i + 1, close - i - 1));
            i = close;
        } else if (c == '\\' && i + 1 < section.size()) {
            literal(section.substr(++i, 1));
        } else if (c == '0') {
            elements.push_back({Part::Zero, {}});
        } else if (c == '#') {
            elements.push_back({Part::Hash, {}});
        } else if (c == '.' && !seenPoint && !seenExponent) {
            seenPoint = true;
            elements.push_back({Part::Point, {}});
        } else if (c == ',' && !seenExponent) {
            elements.push_back({Part::Comma, {}});
        } else if (c == '%') {
            elements.push_back({Part::Percent, {}});
        } else if ((c == 'E' || c == 'e') && !seenExponent && i + 1 < section.size() &&
                   (section[i + 1] == '+' || section[i + 1] == '-')) {
            seenExponent = true;
            elements.push_back({Part::Exponent, std::string(1, section[i + 1])});
            ++i;
        } else {
            literal(section.substr(i, 1));
        }
    }
    return elements;
}

std::vector<std::string_view> SplitSections(std::string_view pattern) {
    std::vector<std::string_view> sections;
    size_t start = 0;
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '"') {
            size_t close = pattern.find('"', i + 1);
            i = close == std::string_view::npos ? pattern.size() : close;
        } else if (pattern[i] == '\\') {
            ++i;
        } else if (pattern[i] == ';') {
            sections.push_back(pattern.substr(start, i - start));
            start = i + 1;
        }
    }
    sections.push_back(pattern.substr(std::min(start, pattern.size())));
    return sections;
}

bool IsDigitPart(Part part) {
    return part == Part::Zero || part == Part::Hash;
}

std::string GroupThousands(const std::string& digits) {
    std::string grouped;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            grouped += ',';
        grouped += digits[i];
    }
    return grouped;
}

// The integer part's elements filled from the right with `digits`; digits
// left over go before the leftmost placeholder.
std::string FillIntegerPart(const std::vector<Element>& part, const std::string& digits,
                            bool grouping, bool keepDigitsWithoutPlaceholder) {
    size_t firstPlaceholder = part.size();
    size_t lastPlaceholder = 0;
    size_t zeros = 0;
    for (size_t i = 0; i < part.size(); ++i) {
        if (IsDigitPart(part[i].part)) {
            firstPlaceholder = std::min(firstPlaceholder, i);
            lastPlaceholder = i;
            zeros += part[i].part == Part::Zero;
        }
    }
    std::string out;
    if (grouping && firstPlaceholder < part.size()) {
        std::string padded = digits;
        if (padded.size() < zeros)
            padded.insert(0, zeros - padded.size(), '0');
        for (size_t i = 0; i < firstPlaceholder; ++i)
            out += part[i].part == Part::Percent ? "%" : part[i].text;
        out += GroupThousands(padded);
        for (size_t i = lastPlaceholder + 1; i < part.size(); ++i)
            out += part[i].part == Part::Percent ? "%" : part[i].text;
        return out;
    }
    std::vector<std::string> pieces;
    size_t remaining = digits.size();
    for (size_t i = part.size(); i-- > 0;) {
        const Element& element = part[i];
        if (IsDigitPart(element.part)) {
            if (remaining > 0)
                pieces.emplace_back(1, digits[--remaining]);
            else if (element.part == Part::Zero)
                pieces.emplace_back("0");
            if (i == firstPlaceholder && remaining > 0)
                pieces.emplace_back(digits.substr(0, remaining));
        } else if (element.part == Part::Percent) {
            pieces.emplace_back("%");
        } else if (element.part == Part::Literal) {
            pieces.push_back(element.text);
        }
    }
    if (firstPlaceholder == part.size() && keepDigitsWithoutPlaceholder)
        pieces.push_back(digits); // ".00" still shows the whole part: 5.25 -> 5.25
    for (size_t i = pieces.size(); i-- > 0;)
        out += pieces[i];
    return out;
}

std::string FormatSection(const Number& number, const std::vector<Element>& elements,
                          bool withSign) {
    // Split into integer part, fraction part and exponent part.
    std::vector<Element> integerPart, fractionPart, exponentPart;
    bool hasPoint = false;
    std::string exponentSign;
    int stage = 0;
    for (const Element& element : elements) {
        if (element.part == Part::Point && stage == 0) {
            hasPoint = true;
            stage = 1;
        } else if (element.part == Part::Exponent) {
            exponentSign = element.text;
            stage = 2;
        } else {
            (stage == 0   ? integerPart
             : stage == 1 ? fractionPart
                          : exponentPart)
                .push_back(element);
        }
    }
    int decimals = 0;
    for (const Element& element : fractionPart)
        decimals += IsDigitPart(element.part);
    int percent = 0;
    for (const Element& element : elements)
        percent += element.part == Part::Percent;
    // A comma between placeholders groups; commas right before the point
    // (or the end of the integer part) each divide by a thousand.
    bool grouping = false;
    int scale = 0;
    std::vector<Element> integerKept;
    for (size_t i = 0; i < integerPart.size(); ++i) {
        if (integerPart[i].part != Part::Comma) {
            integerKept.push_back(integerPart[i]);
            continue;
        }
        bool digitBefore = std::any_of(integerPart.begin(), integerPart.begin() + i,
                                       [](const Element& e) { return IsDigitPart(e.part); });
        bool digitAfter = std::any_of(integerPart.begin() + i + 1, integerPart.end(),
                                      [](const Element& e) { return IsDigitPart(e.part); });
        if (digitBefore && digitAfter)
            grouping = true;
        else if (digitBefore)
            ++scale;
        else
            integerKept.push_back({Part::Literal, ","});
    }

    DecimalDigits value = ToDecimalDigits(number);
    value.negative = false;
    if (!value.digits.empty())
        value.exponent += 2 * percent - 3 * scale;
    std::string exponentText;
    if (!exponentSign.empty()) {
        int integerPlaces = 0;
        for (const Element& element : integerKept)
            integerPlaces += IsDigitPart(element.part);
        integerPlaces = std::max(integerPlaces, 1);
        int shown = 0;
        if (!value.digits.empty()) {
            shown = value.exponent - integerPlaces;
            value.exponent = integerPlaces;
            value = RoundDecimalDigits(value, decimals, Ties::AwayFromZero);
            if (value.exponent > integerPlaces) {
                ++shown;
                value.exponent = integerPlaces;
            }
        }
        int minimum = 0;
        for (const Element& element : exponentPart)
            minimum += element.part == Part::Zero;
        std::string digits = std::to_string(shown < 0 ? -shown : shown);
        if (static_cast<int>(digits.size()) < std::max(minimum, 1))
            digits.insert(0, std::max(minimum, 1) - digits.size(), '0');
        exponentText = shown < 0 ? "E-" : exponentSign == "+" ? "E+" : "E";
        exponentText += digits;
        for (const Element& element : exponentPart) {
            if (element.part == Part::Literal)
                exponentText += element.text;
        }
    } else {
        value = RoundDecimalDigits(value, decimals, Ties::AwayFromZero);
    }

    std::string integerDigits;
    for (int i = 0; i < value.exponent; ++i)
        integerDigits += i < static_cast<int>(value.digits.size()) ? value.digits[i] : '0';
    std::string fractionDigits;
    for (int i = 0; i < decimals; ++i) {
        int at = value.exponent + i;
        fractionDigits +=
            at >= 0 && at < static_cast<int>(value.digits.size()) ? value.digits[at] : '0';
    }

    std::string out = withSign ? "-" : "";
    out += FillIntegerPart(integerKept, integerDigits, grouping, hasPoint);
    if (hasPoint) {
        // Trailing zeros under # placeholders are dropped.
        size_t shownDigits = fractionDigits.size();
        int placeholder = decimals;
        for (size_t i = fractionPart.size(); i-- > 0;) {
            if (!IsDigitPart(fractionPart[i].part))
                continue;
            --placeholder;
            if (fractionPart[i].part == Part::Hash &&
                fractionDigits[static_cast<size_t>(placeholder)] == '0' &&
                shownDigits == static_cast<size_t>(placeholder) + 1)
                shownDigits = static_cast<size_t>(placeholder);
            else
                break;
        }
        out += '.';
        size_t next = 0;
        for (const Element& element : fractionPart) {
            if (IsDigitPart(element.part)) {
                if (next < shownDigits)
                    out += fractionDigits[next];
                ++next;
            } else {
                out += element.part == Part::Percent ? "%" : element.text;
            }
        }
    }
    return out + exponentText;
}

} // namespace

std::string FormatNumber(const Number& number, std::string_view pattern) {
    std::vector<std::string_view> sections = SplitSections(pattern);
    double value = number.AsDouble();
    std::string_view chosen = sections[0];
    bool withSign = value < 0;
    if (value < 0 && sections.size() >= 2 && !sections[1].empty()) {
        chosen = sections[1];
        withSign = false;
    } else if (value == 0 && sections.size() >= 3 && !sections[2].empty()) {
        chosen = sections[2];
    }
    return FormatSection(number, ParseSection(chosen), withSign);
}

} // namespace veltrix::jet
