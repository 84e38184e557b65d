#include "update/DrawLineReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <streambuf>

namespace veltrix {
namespace {

struct Piece {
    std::string text;
    int line;
};

std::vector<Piece> ReadAll(std::istream& in, bool* failed = nullptr) {
    DrawLineReader reader(in);
    std::vector<Piece> pieces;
    std::string_view piece;
    while (reader.Next(&piece))
        pieces.push_back({std::string(piece), reader.LineNumber()});
    if (failed)
        *failed = reader.ReadFailed();
    return pieces;
}

std::vector<Piece> ReadAll(const std::string& bytes) {
    std::istringstream in(bytes);
    return ReadAll(in);
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

TEST(DrawLineReader, LinesKeepTheirLineEnds) {
    auto pieces = ReadAll("a b\r\nc d\n\ne f");
    ASSERT_EQ(pieces.size(), 4u);
    EXPECT_EQ(pieces[0].text, "a b\r\n");
    EXPECT_EQ(pieces[1].text, "c d\n");
    EXPECT_EQ(pieces[2].text, "\n");
    EXPECT_EQ(pieces[3].text, "e f") << "the last line needs no line feed";
    EXPECT_EQ(pieces[3].line, 4);
}

TEST(DrawLineReader, EmptyInputGivesNothing) {
    EXPECT_TRUE(ReadAll("").empty());
}

TEST(DrawLineReader, LongLineComesInPiecesOf254) {
    std::string line(600, 'x');
    auto pieces = ReadAll(line + "\r\nnext\r\n");
    ASSERT_EQ(pieces.size(), 4u);
    EXPECT_EQ(pieces[0].text.size(), 254u);
    EXPECT_EQ(pieces[1].text.size(), 254u);
    EXPECT_EQ(pieces[2].text, std::string(92, 'x') + "\r\n");
    EXPECT_EQ(pieces[3].text, "next\r\n");
    EXPECT_EQ(pieces[0].line, 1);
    EXPECT_EQ(pieces[2].line, 1) << "every piece of a long line has its line's number";
    EXPECT_EQ(pieces[3].line, 2);
}

TEST(DrawLineReader, LineOfExactly254BytesWithItsLineFeed) {
    // 253 bytes and the line feed fit one read; 254 bytes leave the line feed
    // for a piece of its own, as a 254-character line read does.
    auto fits = ReadAll(std::string(253, 'a') + "\n");
    ASSERT_EQ(fits.size(), 1u);
    auto spills = ReadAll(std::string(254, 'a') + "\n");
    ASSERT_EQ(spills.size(), 2u);
    EXPECT_EQ(spills[1].text, "\n");
}

TEST(DrawLineReader, NulBytesAreOrdinaryBytes) {
    std::string bytes("1 2\0 3\r\n4\n", 10);
    auto pieces = ReadAll(bytes);
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[0].text, std::string("1 2\0 3\r\n", 8));
}

TEST(DrawLineReader, PiecesAcrossTheReadBuffer) {
    // Lines that straddle the reader's internal chunks come out whole.
    std::string bytes;
    for (int i = 0; i < 20000; ++i)
        bytes += std::to_string(i) + " 2024-01-01 1 2 3\r\n";
    auto pieces = ReadAll(bytes);
    ASSERT_EQ(pieces.size(), 20000u);
    for (int i = 0; i < 20000; i += 997) {
        SCOPED_TRACE(i);
        EXPECT_EQ(pieces[static_cast<size_t>(i)].text, std::to_string(i) + " 2024-01-01 1 2 3\r\n");
        EXPECT_EQ(pieces[static_cast<size_t>(i)].line, i + 1);
    }
}

TEST(DrawLineReader, ReadErrorEndsTheFileAndIsReported) {
    FailingBuffer nothing("");
    std::istream empty(&nothing);
    bool failed = false;
    EXPECT_TRUE(ReadAll(empty, &failed).empty());
    EXPECT_TRUE(failed);

    std::string good;
    for (int i = 0; i < 20000; ++i)
        good += std::to_string(100000 + i) + " x\r\n"; // 10 bytes a line
    FailingBuffer later(good);
    std::istream in(&later);
    auto pieces = ReadAll(in, &failed);
    EXPECT_TRUE(failed) << "an error is not the end of the file";
    ASSERT_FALSE(pieces.empty()) << "lines read before the error are kept";
    EXPECT_LT(pieces.size(), 20000u);
    for (size_t i = 0; i < pieces.size(); ++i) {
        std::string line = std::to_string(100000 + i) + " x\r\n";
        // The last piece may be a line cut where the bytes stopped.
        if (i + 1 == pieces.size())
            EXPECT_TRUE(line.starts_with(pieces[i].text)) << pieces[i].text;
        else
            ASSERT_EQ(pieces[i].text, line) << i;
    }
}

struct SplitCase {
    const char* name;
    std::string piece;
    std::vector<std::string> fields;
};

class SplitDrawFieldsTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitDrawFieldsTest, Splits) {
    std::vector<std::string_view> fields;
    SplitDrawFields(GetParam().piece, &fields);
    std::vector<std::string> got(fields.begin(), fields.end());
    EXPECT_EQ(got, GetParam().fields);
}

INSTANTIATE_TEST_SUITE_P(
    DrawLineReader, SplitDrawFieldsTest,
    ::testing::Values(
        SplitCase{"OneBlankEach", "07001 2007-05-30 22\r\n", {"07001", "2007-05-30", "22\r\n"}},
        SplitCase{"RunsOfBlanksAreOneSeparator", "a  b   c", {"a", "b", "c"}},
        SplitCase{"LeadingBlanksSkipped", "   a b", {"a", "b"}},
        SplitCase{"TabIsNotASeparator", "a\tb\tc\r\n", {"a\tb\tc\r\n"}},
        SplitCase{"TrailingBlankLeavesTheLineEndAlone", "a b \r\n", {"a", "b", "\r\n"}},
        SplitCase{"OnlyBlanks", "    ", {}}, SplitCase{"EmptyLine", "\r\n", {"\r\n"}}),
    [](const auto& p) { return std::string(p.param.name); });

} // namespace
} // namespace veltrix
