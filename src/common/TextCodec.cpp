#include "common/TextCodec.h"

#include <cerrno>
#include <iconv.h>

namespace veltrix {

std::optional<DecodedUtf8> DecodeUtf8At(std::string_view bytes, size_t pos) {
    auto byte = [&](size_t i) { return static_cast<unsigned char>(bytes[i]); };
    unsigned char lead = byte(pos);
    if (lead < 0x80)
        return DecodedUtf8{lead, 1};
    size_t length;
    char32_t value;
    char32_t minimum;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        value = lead & 0x1F;
        minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        value = lead & 0x0F;
        minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        value = lead & 0x07;
        minimum = 0x10000;
    } else {
        return std::nullopt;
    }
    if (bytes.size() - pos < length)
        return std::nullopt;
    for (size_t i = 1; i < length; ++i) {
        unsigned char next = byte(pos + i);
        if ((next & 0xC0) != 0x80)
            return std::nullopt;
        value = (value << 6) | (next & 0x3F);
    }
    if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return std::nullopt;
    return DecodedUtf8{value, length};
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

bool IsValidUtf8(std::string_view bytes) {
    size_t pos = 0;
    while (pos < bytes.size()) {
        // Plain ASCII is the common case in settings and result texts.
        if (static_cast<unsigned char>(bytes[pos]) < 0x80) {
            ++pos;
            continue;
        }
        std::optional<DecodedUtf8> decoded = DecodeUtf8At(bytes, pos);
        if (!decoded)
            return false;
        pos += decoded->length;
    }
    return true;
}

namespace {

// One iconv conversion descriptor for the length of a conversion.
class Converter {
public:
    Converter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~Converter() {
        if (Ok())
            iconv_close(m_cd);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool Ok() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    // Converts as much of `in` as possible. Returns false at the first byte
    // sequence that cannot be converted; *consumed tells how far it got.
    bool Convert(std::string_view in, std::string* out, size_t* consumed) {
        char* inPtr = const_cast<char*>(in.data());
        size_t inLeft = in.size();
        char buffer[4096];
        bool ok = true;
        while (inLeft > 0) {
            char* outPtr = buffer;
            size_t outLeft = sizeof buffer;
            size_t result = iconv(m_cd, &inPtr, &inLeft, &outPtr, &outLeft);
            out->append(buffer, static_cast<size_t>(outPtr - buffer));
            if (result == static_cast<size_t>(-1) && errno != E2BIG) {
                ok = false;
                break;
            }
        }
        *consumed = in.size() - inLeft;
        return ok;
    }

private:
    iconv_t m_cd;
};

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

} // namespace

std::string GbkToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 2);
    Converter converter("UTF-8", "GBK");
    if (!converter.Ok()) {
        // No GBK tables on this system: keep ASCII, mark the rest.
        for (char c : bytes)
            out += static_cast<unsigned char>(c) < 0x80 ? std::string_view(&c, 1) : kReplacement;
        return out;
    }
    size_t pos = 0;
    while (pos < bytes.size()) {
        size_t consumed = 0;
        if (converter.Convert(bytes.substr(pos), &out, &consumed))
            break;
        // A byte that starts no GBK character: mark it and go on after it.
        out += kReplacement;
        pos += consumed + 1;
    }
    return out;
}

std::string DecodeLocalText(std::string_view bytes) {
    if (IsValidUtf8(bytes))
        return std::string(bytes);
    return GbkToUtf8(bytes);
}

std::optional<std::string> Utf8ToGbk(std::string_view utf8) {
    if (!IsValidUtf8(utf8))
        return std::nullopt;
    Converter converter("GBK", "UTF-8");
    if (!converter.Ok())
        return std::nullopt;
    std::string gbk;
    size_t consumed = 0;
    if (!converter.Convert(utf8, &gbk, &consumed))
        return std::nullopt;
    return gbk;
}

namespace {

bool IsWide(char32_t c) {
    return (c >= 0x1100 && c <= 0x115F)       // Hangul jamo
           || (c >= 0x2500 && c <= 0x257F)    // box drawing
           || (c >= 0x2E80 && c <= 0x303E)    // CJK radicals, symbols and punctuation
           || (c >= 0x3041 && c <= 0x33FF)    // kana, bopomofo, CJK compatibility
           || (c >= 0x3400 && c <= 0x4DBF)    // CJK extension A
           || (c >= 0x4E00 && c <= 0x9FFF)    // CJK unified ideographs
           || (c >= 0xA000 && c <= 0xA4CF)    // Yi
           || (c >= 0xAC00 && c <= 0xD7A3)    // Hangul syllables
           || (c >= 0xF900 && c <= 0xFAFF)    // CJK compatibility ideographs
           || (c >= 0xFE30 && c <= 0xFE4F)    // CJK compatibility forms
           || (c >= 0xFF00 && c <= 0xFF60)    // full-width forms
           || (c >= 0xFFE0 && c <= 0xFFE6)    // full-width signs
           || (c >= 0x20000 && c <= 0x3FFFD); // CJK extensions B and later
}

} // namespace

int DisplayColumns(std::string_view utf8) {
    int columns = 0;
    size_t pos = 0;
    while (pos < utf8.size()) {
        std::optional<DecodedUtf8> decoded = DecodeUtf8At(utf8, pos);
        if (!decoded) {
            // A stray byte shows as one replacement mark.
            ++columns;
            ++pos;
            continue;
        }
        columns += IsWide(decoded->codePoint) ? 2 : 1;
        pos += decoded->length;
    }
    return columns;
}

} // namespace veltrix
