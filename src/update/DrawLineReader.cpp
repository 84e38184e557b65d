#include "update/DrawLineReader.h"

#include <cstring>

namespace veltrix {
namespace {
constexpr size_t kChunk = 64 * 1024;
}

void DrawLineReader::Refill() {
    // Keep the unread tail and append the next chunk behind it.
    m_buffer.erase(0, m_pos);
    m_pos = 0;
    size_t have = m_buffer.size();
    m_buffer.resize(have + kChunk);
    m_in.read(m_buffer.data() + have, static_cast<std::streamsize>(kChunk));
    size_t got = static_cast<size_t>(m_in.gcount());
    m_buffer.resize(have + got);
    if (m_in.bad()) {
        m_failed = true;
        m_eof = true;
    } else if (m_in.eof() || got == 0) {
        m_eof = true;
    }
}

bool DrawLineReader::Next(std::string_view* piece) {
    if (m_buffer.size() - m_pos < kDrawLinePieceLimit && !m_eof)
        Refill();
    size_t available = m_buffer.size() - m_pos;
    if (available == 0)
        return false;
    size_t limit = available < kDrawLinePieceLimit ? available : kDrawLinePieceLimit;
    const char* start = m_buffer.data() + m_pos;
    const void* newline = std::memchr(start, '\n', limit);
    size_t length =
        newline ? static_cast<size_t>(static_cast<const char*>(newline) - start) + 1 : limit;
    *piece = std::string_view(start, length);
    m_pos += length;
    m_pieceLine = m_nextLine;
    if (newline)
        ++m_nextLine;
    return true;
}

void SplitDrawFields(std::string_view piece, std::vector<std::string_view>* fields) {
    fields->clear();
    size_t i = 0;
    while (i < piece.size()) {
        while (i < piece.size() && piece[i] == ' ')
            ++i;
        if (i == piece.size())
            break;
        size_t start = i;
        while (i < piece.size() && piece[i] != ' ')
            ++i;
        fields->push_back(piece.substr(start, i - start));
    }
}

} // namespace veltrix
