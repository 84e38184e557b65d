#pragma once
// Reads a draw file the way the import always has: line by line with a limit
// of 254 characters, so a longer line comes out in pieces of at most 254
// bytes, each treated as a line of its own. The line feed (and a carriage
// return before it) stays part of the piece. Bytes are taken as they are: a
// NUL byte is an ordinary byte, nothing is decoded or translated.

#include <istream>
#include <string>
#include <string_view>
#include <vector>

namespace veltrix {

inline constexpr size_t kDrawLinePieceLimit = 254;

class DrawLineReader {
public:
    explicit DrawLineReader(std::istream& in) : m_in(in) {}

    // The next piece, valid until the next call; false at the end of the
    // file or when the stream failed (ReadFailed tells which).
    bool Next(std::string_view* piece);

    // The file's line (from 1) that the last piece came from; all pieces of
    // a long line share its number.
    int LineNumber() const { return m_pieceLine; }
    bool ReadFailed() const { return m_failed; }

private:
    void Refill();

    std::istream& m_in;
    std::string m_buffer;
    size_t m_pos = 0;
    bool m_eof = false;
    bool m_failed = false;
    int m_nextLine = 1;
    int m_pieceLine = 0;
};

// Splits a piece into its fields at runs of blanks (the space character only;
// a tab is part of a field). Leading blanks are skipped; the line end stays
// attached to the last field.
void SplitDrawFields(std::string_view piece, std::vector<std::string_view>* fields);

} // namespace veltrix
