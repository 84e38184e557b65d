#include "common/IniFile.h"

#include "common/FileIO.h"
#include "common/Strings.h"
#include "common/TextCodec.h"

#include <cstdint>

namespace veltrix {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool IsBlank(char c) {
    // 0x1A is the DOS end-of-file mark some editors leave behind.
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1A';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// One physical line of the file: its content [begin, end) and its line end
// [end, next). Line ends are CR LF, LF or a lone CR.
struct RawLine {
    size_t begin;
    size_t end;
    size_t next;
};

std::vector<RawLine> SplitRawLines(std::string_view bytes) {
    std::vector<RawLine> lines;
    size_t begin = 0;
    while (begin < bytes.size()) {
        size_t end = bytes.find_first_of("\r\n", begin);
        if (end == std::string_view::npos) {
            lines.push_back({begin, bytes.size(), bytes.size()});
            break;
        }
        size_t next = end + 1;
        if (bytes[end] == '\r' && next < bytes.size() && bytes[next] == '\n')
            ++next;
        lines.push_back({begin, end, next});
        begin = next;
    }
    return lines;
}

enum class LineKind { Other, Section, Key };

// What one line says, in UTF-8. For a key, `value` is the trimmed text after
// the first '=' (quotes still on); hasValue is false for a line without '='.
struct ParsedLine {
    LineKind kind = LineKind::Other;
    std::string name;
    std::string value;
    bool hasValue = false;
};

ParsedLine ParseLine(std::string_view text) {
    ParsedLine parsed;
    text = Trim(text);
    if (text.empty() || text.front() == ';')
        return parsed;
    if (text.front() == '[') {
        size_t close = text.rfind(']');
        if (close != std::string_view::npos) {
            parsed.kind = LineKind::Section;
            parsed.name = std::string(text.substr(1, close - 1));
        }
        return parsed;
    }
    parsed.kind = LineKind::Key;
    size_t equals = text.find('=');
    if (equals == std::string_view::npos) {
        parsed.name = std::string(text);
        return parsed;
    }
    parsed.name = std::string(Trim(text.substr(0, equals)));
    parsed.value = std::string(Trim(text.substr(equals + 1)));
    parsed.hasValue = true;
    return parsed;
}

// The file's lines, decoded to UTF-8 (GBK files line by line: line ends are
// plain ASCII in both encodings, so the raw positions stay valid).
class ProfileLines {
public:
    explicit ProfileLines(std::string_view bytes)
        : m_bytes(bytes), m_gbk(!IsValidUtf8(bytes)), m_raw(SplitRawLines(bytes)) {}

    size_t Count() const { return m_raw.size(); }
    const RawLine& Raw(size_t i) const { return m_raw[i]; }
    bool IsGbk() const { return m_gbk; }

    ParsedLine Parse(size_t i) const {
        std::string_view content = m_bytes.substr(m_raw[i].begin, m_raw[i].end - m_raw[i].begin);
        if (i == 0 && content.substr(0, kUtf8Bom.size()) == kUtf8Bom)
            content.remove_prefix(kUtf8Bom.size());
        if (!m_gbk)
            return ParseLine(content);
        return ParseLine(GbkToUtf8(content));
    }

    // The line-end style of the file; CR LF for a file without any.
    std::string_view LineEnd() const {
        for (const RawLine& line : m_raw) {
            if (line.next > line.end)
                return m_bytes.substr(line.end, line.next - line.end);
        }
        return "\r\n";
    }

private:
    std::string_view m_bytes;
    bool m_gbk;
    std::vector<RawLine> m_raw;
};

// Cuts to at most maxBytes bytes without splitting a UTF-8 character.
std::string CutToBuffer(std::string_view text, size_t bufferSize) {
    if (bufferSize == 0)
        return {};
    size_t maxBytes = bufferSize - 1;
    if (text.size() <= maxBytes)
        return std::string(text);
    size_t cut = maxBytes;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
        --cut;
    return std::string(text.substr(0, cut));
}

std::string_view Unquote(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

bool HasLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

} // namespace

ProfileData::ProfileData(std::string_view fileBytes) {
    ProfileLines lines(fileBytes);
    Section* current = nullptr;
    for (size_t i = 0; i < lines.Count(); ++i) {
        ParsedLine parsed = lines.Parse(i);
        if (parsed.kind == LineKind::Section) {
            m_sections.push_back({std::move(parsed.name), {}});
            current = &m_sections.back();
        } else if (parsed.kind == LineKind::Key && current) {
            Key key{std::move(parsed.name), std::nullopt};
            if (parsed.hasValue)
                key.value = std::move(parsed.value);
            current->keys.push_back(std::move(key));
        }
    }
}

const ProfileData::Key* ProfileData::Find(std::string_view section, std::string_view key) const {
    // Only the first section of a name is searched, and the first key of a
    // name in it wins, as with the system's profile functions.
    for (const Section& candidate : m_sections) {
        if (!EqualsIgnoringAsciiCase(candidate.name, section))
            continue;
        for (const Key& entry : candidate.keys) {
            if (EqualsIgnoringAsciiCase(entry.name, key))
                return &entry;
        }
        return nullptr;
    }
    return nullptr;
}

std::string ProfileData::GetString(std::string_view section, std::string_view key,
                                   std::string_view defaultValue, size_t bufferSize) const {
    const Key* entry = Find(section, key);
    if (!entry || !entry->value) {
        // The system drops trailing blanks of the default, not leading ones.
        while (!defaultValue.empty() && defaultValue.back() == ' ')
            defaultValue.remove_suffix(1);
        return CutToBuffer(defaultValue, bufferSize);
    }
    return CutToBuffer(Unquote(*entry->value), bufferSize);
}

int ProfileData::GetInt(std::string_view section, std::string_view key, int defaultValue) const {
    const Key* entry = Find(section, key);
    if (!entry || !entry->value || Unquote(*entry->value).empty())
        return defaultValue;
    return AtoiPrefix(Unquote(*entry->value));
}

std::string ProfileStringFromText(std::string_view fileBytes, std::string_view section,
                                  std::string_view key, std::string_view defaultValue,
                                  size_t bufferSize) {
    return ProfileData(fileBytes).GetString(section, key, defaultValue, bufferSize);
}

int ProfileIntFromText(std::string_view fileBytes, std::string_view section, std::string_view key,
                       int defaultValue) {
    return ProfileData(fileBytes).GetInt(section, key, defaultValue);
}

std::optional<std::string> ProfileTextWithValue(std::string_view fileBytes,
                                                std::string_view section, std::string_view key,
                                                std::string_view value) {
    if (section.empty() || key.empty() || HasLineBreak(section) || HasLineBreak(key) ||
        HasLineBreak(value) || section.find(']') != std::string_view::npos ||
        key.find('=') != std::string_view::npos)
        return std::nullopt;

    ProfileLines lines(fileBytes);
    std::string_view eol = lines.LineEnd();
    // Text we add is written in the file's own encoding.
    auto encode = [&](std::string_view text) -> std::optional<std::string> {
        if (!lines.IsGbk())
            return std::string(text);
        return Utf8ToGbk(text);
    };

    // Find the first section of that name, the first key of that name in it
    // and the last line of the section that is not blank.
    size_t sectionLine = SIZE_MAX;
    size_t keyLine = SIZE_MAX;
    std::string keyName;
    size_t lastFilled = SIZE_MAX;
    for (size_t i = 0; i < lines.Count(); ++i) {
        ParsedLine parsed = lines.Parse(i);
        if (sectionLine == SIZE_MAX) {
            if (parsed.kind == LineKind::Section && EqualsIgnoringAsciiCase(parsed.name, section)) {
                sectionLine = i;
                lastFilled = i;
            }
            continue;
        }
        if (parsed.kind == LineKind::Section)
            break;
        if (parsed.kind == LineKind::Key && EqualsIgnoringAsciiCase(parsed.name, key)) {
            keyLine = i;
            keyName = parsed.name;
            break;
        }
        std::string_view raw =
            fileBytes.substr(lines.Raw(i).begin, lines.Raw(i).end - lines.Raw(i).begin);
        if (!Trim(raw).empty())
            lastFilled = i;
    }

    std::string out(fileBytes);
    if (keyLine != SIZE_MAX) {
        // Keep the key's spelling from the file; only this line changes.
        std::optional<std::string> encoded = encode(keyName + "=" + std::string(value));
        if (!encoded)
            return std::nullopt;
        const RawLine& raw = lines.Raw(keyLine);
        out.replace(raw.begin, raw.end - raw.begin, *encoded);
        return out;
    }
    std::optional<std::string> entry = encode(std::string(key) + "=" + std::string(value));
    if (!entry)
        return std::nullopt;
    if (sectionLine != SIZE_MAX) {
        const RawLine& after = lines.Raw(lastFilled);
        if (after.next == after.end) // the file ends on this line without a line end
            out.insert(after.next, std::string(eol) + *entry);
        else
            out.insert(after.next, *entry + std::string(eol));
        return out;
    }
    std::optional<std::string> header = encode("[" + std::string(section) + "]");
    if (!header)
        return std::nullopt;
    if (!out.empty()) {
        const RawLine& last = lines.Raw(lines.Count() - 1);
        if (last.next == last.end)
            out += eol;
        std::string_view lastText = fileBytes.substr(last.begin, last.end - last.begin);
        if (!Trim(lastText).empty())
            out += eol; // a blank line between sections
    }
    out += *header;
    out += eol;
    out += *entry;
    out += eol;
    return out;
}

std::string GetProfileString(const std::string& section, const std::string& key,
                             const std::string& defaultValue, const std::string& path,
                             size_t bufferSize) {
    return ProfileStringFromText(ReadFileBytes(path).value_or(""), section, key, defaultValue,
                                 bufferSize);
}

int GetProfileInt(const std::string& section, const std::string& key, int defaultValue,
                  const std::string& path) {
    Result<std::string> bytes = ReadFileBytes(path);
    if (!bytes)
        return defaultValue;
    return ProfileIntFromText(*bytes, section, key, defaultValue);
}

bool WriteProfileString(const std::string& section, const std::string& key,
                        const std::string& value, const std::string& path) {
    Result<std::string> read = ReadFileBytes(path);
    // A file that exists but cannot be read is left alone rather than replaced.
    if (!read && FileExists(path))
        return false;
    const std::string bytes = read.value_or("");
    std::optional<std::string> updated = ProfileTextWithValue(bytes, section, key, value);
    if (!updated)
        return false;
    if (*updated == bytes && FileExists(path))
        return true;
    return WriteFileAtomically(path, *updated).ok();
}

} // namespace veltrix
