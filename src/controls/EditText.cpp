#include "controls/EditText.h"

#include "common/TextCodec.h"

namespace veltrix {
namespace {

constexpr char16_t kStandInBase = 0xF700;
constexpr char16_t kStandInLast = 0xF7FF;
constexpr char16_t kEscape = 0xF73F;
constexpr char16_t kEscapedBase = 0xF600; // U+F7xx written after kEscape as U+F6xx

// Characters the document would take as block breaks, and their stand-ins.
struct Special {
    char32_t character;
    char16_t standIn;
};
constexpr Special kSpecials[] = {
    {0x2028, 0xF720},
    {0x2029, 0xF721},
    {0xFDD0, 0xF722},
    {0xFDD1, 0xF723},
};

void AppendCodePoint(QString& out, char32_t c) {
    if (c < 0x10000) {
        out.append(QChar(static_cast<char16_t>(c)));
    } else {
        out.append(QChar(QChar::highSurrogate(c)));
        out.append(QChar(QChar::lowSurrogate(c)));
    }
}

} // namespace

QString EditTextFromStored(std::string_view stored) {
    QString out;
    out.reserve(static_cast<qsizetype>(stored.size()));
    int linesInBlock = 1;
    size_t i = 0;
    while (i < stored.size()) {
        unsigned char byte = static_cast<unsigned char>(stored[i]);
        if (byte >= 0x80) {
            std::optional<DecodedUtf8> decoded = DecodeUtf8At(stored, i);
            if (!decoded) {
                out.append(QChar(static_cast<char16_t>(kStandInBase + byte)));
                ++i;
                continue;
            }
            i += decoded->length;
            char32_t c = decoded->codePoint;
            if (c >= kStandInBase && c <= kStandInLast) {
                out.append(QChar(kEscape));
                out.append(QChar(static_cast<char16_t>(c - kStandInBase + kEscapedBase)));
                continue;
            }
            bool replaced = false;
            for (const Special& special : kSpecials) {
                if (c == special.character) {
                    out.append(QChar(special.standIn));
                    replaced = true;
                }
            }
            if (!replaced)
                AppendCodePoint(out, c);
            continue;
        }
        if (byte == '\r' && i + 1 < stored.size() && stored[i + 1] == '\n') {
            if (linesInBlock == kLinesPerBlock) {
                out.append(QLatin1Char('\n'));
                linesInBlock = 1;
            } else {
                out.append(QChar(kLineSeparator));
                ++linesInBlock;
            }
            i += 2;
            continue;
        }
        if (byte == '\r' || byte == '\n' || byte == 0)
            out.append(QChar(static_cast<char16_t>(kStandInBase + byte)));
        else
            out.append(QLatin1Char(static_cast<char>(byte)));
        ++i;
    }
    return out;
}

std::string StoredTextFromEdit(QStringView raw, size_t maxBytes) {
    std::string out;
    out.reserve(static_cast<size_t>(raw.size()) + static_cast<size_t>(raw.size()) / 8);
    const qsizetype n = raw.size();
    for (qsizetype i = 0; i < n && out.size() < maxBytes; ++i) {
        char16_t u = raw[i].unicode();
        if (u < 0x80) {
            out += static_cast<char>(u);
            continue;
        }
        if (u == 0x2029 || u == kLineSeparator) { // a block break or a line break
            out += "\r\n";
            continue;
        }
        if (u >= kStandInBase && u <= kStandInLast) {
            if (u >= 0xF780) {
                out += static_cast<char>(u - kStandInBase);
                continue;
            }
            if (u == kStandInBase + '\r' || u == kStandInBase + '\n' || u == kStandInBase) {
                out += static_cast<char>(u - kStandInBase);
                continue;
            }
            bool replaced = false;
            for (const Special& special : kSpecials) {
                if (u == special.standIn) {
                    AppendUtf8(out, special.character);
                    replaced = true;
                }
            }
            if (replaced)
                continue;
            if (u == kEscape && i + 1 < n && raw[i + 1].unicode() >= kEscapedBase &&
                raw[i + 1].unicode() < kEscapedBase + 0x100) {
                AppendUtf8(out, raw[i + 1].unicode() - kEscapedBase + kStandInBase);
                ++i;
                continue;
            }
            AppendUtf8(out, u); // typed or left alone: itself
            continue;
        }
        if (QChar::isHighSurrogate(u) && i + 1 < n && QChar::isLowSurrogate(raw[i + 1].unicode())) {
            AppendUtf8(out, QChar::surrogateToUcs4(u, raw[i + 1].unicode()));
            ++i;
            continue;
        }
        if (QChar::isSurrogate(u)) {
            AppendUtf8(out, 0xFFFD);
            continue;
        }
        AppendUtf8(out, u);
    }
    return out;
}

} // namespace veltrix
