// The reader on a failing stream. What it makes of any bytes (pieces cut at
// line feeds and at 254 bytes, their line numbers, the fields) is checked by
// draw_file_fuzz over its corpus in every test run.
#include "update/DrawLineReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <streambuf>

namespace veltrix {
namespace {

using Pieces = std::vector<std::pair<std::string, int>>; // each piece with its line number

Pieces ReadAll(std::istream& in, bool* failed = nullptr) {
    DrawLineReader reader(in);
    Pieces pieces;
    std::string_view piece;
    while (reader.Next(&piece))
        pieces.emplace_back(std::string(piece), reader.LineNumber());
    if (failed)
        *failed = reader.ReadFailed();
    return pieces;
}

// Serves `good` in small slices, then reports an I/O error, the way a file
// on a failing disk does.
class FailingBuffer : public std::streambuf {
public:
    explicit FailingBuffer(std::string good) : m_good(std::move(good)) {}

protected:
    int_type underflow() override {
        if (m_served == m_good.size())
            throw std::ios_base::failure("disk gone");
        size_t n = std::min<size_t>(100, m_good.size() - m_served);
        char* start = m_good.data() + m_served;
        setg(start, start, start + n);
        m_served += n;
        return traits_type::to_int_type(*start);
    }

private:
    std::string m_good;
    size_t m_served = 0;
};

TEST(DrawLineReader, ReadErrorEndsTheFileAndIsReported) {
    FailingBuffer nothing("");
    std::istream empty(&nothing);
    bool failed = false;
    EXPECT_TRUE(ReadAll(empty, &failed).empty());
    EXPECT_TRUE(failed);

    // Far more than one internal read: lines that straddle its chunks must
    // still come out whole.
    std::string good;
    for (int i = 0; i < 20000; ++i)
        good += std::to_string(100000 + i) + " x\r\n"; // 10 bytes a line
    FailingBuffer later(good);
    std::istream in(&later);
    Pieces pieces = ReadAll(in, &failed);
    EXPECT_TRUE(failed) << "an error is not the end of the file";
    ASSERT_GT(pieces.size(), 10000u) << "lines read before the error are kept";
    EXPECT_LT(pieces.size(), 20000u);
    for (size_t i = 0; i < pieces.size(); ++i) {
        std::string line = std::to_string(100000 + i) + " x\r\n";
        ASSERT_EQ(pieces[i].second, static_cast<int>(i + 1));
        // The last piece may be a line cut where the bytes stopped.
        if (i + 1 == pieces.size())
            EXPECT_TRUE(line.starts_with(pieces[i].first)) << pieces[i].first;
        else
            ASSERT_EQ(pieces[i].first, line) << i;
    }
}

} // namespace
} // namespace veltrix
