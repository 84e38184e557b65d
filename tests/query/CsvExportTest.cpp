#include "query/CsvExport.h"

#include "fakes/CliProcess.h"
#include "fakes/TempDir.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace veltrix {
namespace {

TEST(CsvExportTest, SplitsRowsAtBlanksAndQuotesWhatNeedsIt) {
    struct Case {
        const char* name;
        std::string text;
        std::string csv;
    };
    const std::vector<Case> cases = {
        {"draw rows", "26001 01 02\r\n26002 03 04\r\n", "26001,01,02\r\n26002,03,04\r\n"},
        {"comma quoted", "a,b c\r\n", "\"a,b\",c\r\n"},
        {"quotes doubled", "say \"hi\"\r\n", "say,\"\"\"hi\"\"\"\r\n"},
        {"last row without line end", "a b", "a,b\r\n"},
        {"lone lf ends a row", "a\nb\r\n", "a\r\nb\r\n"},
        {"cr inside a row quoted", "a\rb\r\n", "\"a\rb\"\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ResultTextToCsv(c.text), c.csv);
    }
}

// Reads the CSV back the way a spreadsheet program does and joins each
// record's fields with one blank again: that must give the rows back.
std::vector<std::string> RowsFromCsv(const std::string& csv) {
    std::vector<std::string> rows;
    std::string row;
    bool quoted = false;
    for (size_t i = 0; i < csv.size(); ++i) {
        const char c = csv[i];
        if (quoted) {
            if (c == '"' && i + 1 < csv.size() && csv[i + 1] == '"')
                row += csv[++i];
            else if (c == '"')
                quoted = false;
            else
                row += c;
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            row += ' ';
        } else if (c == '\r' && i + 1 < csv.size() && csv[i + 1] == '\n') {
            rows.push_back(row);
            row.clear();
            ++i;
        } else {
            row += c;
        }
    }
    EXPECT_TRUE(row.empty() && !quoted) << "unfinished record";
    return rows;
}

TEST(CsvExportTest, ReadingTheCsvBackGivesTheRows) {
    const std::string alphabet[] = {"a", "7", " ", ",", "\"", "\r", "彩", "0"};
    std::mt19937 random(17);
    for (int round = 0; round < 500; ++round) {
        std::vector<std::string> rows(random() % 4);
        std::string text;
        for (std::string& row : rows) {
            for (int n = random() % 9; n > 0; --n)
                row += alphabet[random() % std::size(alphabet)];
            text += row + "\r\n";
        }
        SCOPED_TRACE(text);
        EXPECT_EQ(RowsFromCsv(ResultTextToCsv(text)), rows);
    }
}

TEST(CsvExportTest, CliQueryWritesTheSameCsvWithoutByteOrderMark) {
    test::TempDir dir;
    ASSERT_EQ(test::CliProcess(dir.Path().string(), {"initdb"}).Wait().status, 0);
    const std::string sql =
        "SELECT 'a,b' AS x, '大乐透' AS y, 'say \"hi\"' AS z UNION ALL SELECT 1, 2, 3";
    const test::CliRun text = test::CliProcess(dir.Path().string(), {"query", sql}).Wait();
    const test::CliRun csv = test::CliProcess(dir.Path().string(), {"query", "--csv", sql}).Wait();
    ASSERT_EQ(text.status, 0) << text.err;
    ASSERT_EQ(csv.status, 0) << csv.err;
    EXPECT_FALSE(text.out.empty());
    EXPECT_EQ(csv.out, ResultTextToCsv(text.out));
    EXPECT_FALSE(csv.out.starts_with(kUtf8ByteOrderMark));
}

} // namespace
} // namespace veltrix
