#include "update/Bulletin.h"
#include "fakes/UpdateFakes.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

namespace veltrix {
namespace {

// Display columns under the bulletin's rule: box-drawing and CJK characters
// two, everything else one.
int Columns(std::string_view utf8) {
    int columns = 0;
    for (size_t i = 0; i < utf8.size();) {
        auto lead = static_cast<unsigned char>(utf8[i]);
        size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t code = lead;
        if (length > 1) {
            code = lead & (0xFF >> (length + 1));
            for (size_t k = 1; k < length; ++k)
                code = (code << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        }
        bool wide = (code >= 0x2500 && code <= 0x257F) || (code >= 0x2E80 && code <= 0x9FFF) ||
                    (code >= 0xFF00 && code <= 0xFF60);
        columns += wide ? 2 : 1;
        i += length;
    }
    return columns;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    EXPECT_EQ(start, text.size()) << "every line ends with CR LF";
    return lines;
}

// The statement runner's answers for well-formed draws, in row order.
std::array<std::string, kLotteryCount> WellFormedAnswers() {
    return {
        " 08.22 26095│04 06 08 10 14 + 04 05  │\r\n", " 08.22 26224│9 1 2 4 0               │\r\n",
        " 08.22 26224│9 1 2                   │\r\n", " 08.21 26096│1 4 2 6 9 5 5           │\r\n",
        " 01.01 26001│01 05 09 13 22          │\r\n", " 08.20 26096│01 04 16 22 26 31 + 04  │\r\n",
        " 08.21 26223│9 4 8                   │\r\n", " 08.21 26096│05 14 17 24 26 28 29 +16│\r\n",
    };
}

const BulletinDate kSaturday{2026, 8, 22, 6};

TEST(Bulletin, WholeTextForWellFormedDraws) {
    std::string expected = "┌──────────────────────┐\r\n"
                           "│  2026.08.22                          星期六│\r\n"
                           "├─────────┬────────────┤\r\n"
                           "│名  称 日 期 期 数│开         奖         号│\r\n"
                           "├─────────┼────────────┤\r\n"
                           "│大乐透 08.22 26095│04 06 08 10 14 + 04 05  │\r\n"
                           "├─────────┼────────────┤\r\n"
                           "│排列五 08.22 26224│9 1 2 4 0               │\r\n"
                           "├─────────┼────────────┤\r\n"
                           "│排列三 08.22 26224│9 1 2                   │\r\n"
                           "├─────────┼────────────┤\r\n"
                           "│七星彩 08.21 26096│1 4 2 6 9 5 5           │\r\n"
                           "├─────────┼────────────┤\r\n"
                           "│22选5  01.01 26001│01 05 09 13 22          │\r\n"
                           "├─────────┼────────────┤\r\n"
                           "│双色球 08.20 26096│01 04 16 22 26 31 + 04  │\r\n"
                           "├─────────┼────────────┤\r\n"
                           "│福彩3D 08.21 26223│9 4 8                   │\r\n"
                           "├─────────┼────────────┤\r\n"
                           "│七乐彩 08.21 26096│05 14 17 24 26 28 29 +16│\r\n"
                           "└─────────┴────────────┘\r\n";
    EXPECT_EQ(BuildBulletin(kSaturday, WellFormedAnswers()), expected);
}

TEST(Bulletin, EveryLineIs48ColumnsAndTheBarsLineUp) {
    std::vector<std::string> lines = Lines(BuildBulletin(kSaturday, WellFormedAnswers()));
    ASSERT_EQ(lines.size(), 21u);
    for (const std::string& line : lines) {
        SCOPED_TRACE(line);
        EXPECT_EQ(Columns(line), 48);
    }
    // The middle bar of every row stands where the heading's does.
    auto middleBar = [](const std::string& line) {
        size_t second = line.find("│", 1);
        return Columns(line.substr(0, second));
    };
    for (size_t row = 5; row < lines.size(); row += 2)
        EXPECT_EQ(middleBar(lines[row]), middleBar(lines[3])) << lines[row];
}

TEST(Bulletin, EmptyTableLeavesLabelAndSeparatorOnOneLine) {
    std::array<std::string, kLotteryCount> answers = WellFormedAnswers();
    answers[4].clear(); // 22选5: no rows
    answers[7].clear(); // 七乐彩: the last row
    std::vector<std::string> lines = Lines(BuildBulletin(kSaturday, answers));
    ASSERT_EQ(lines.size(), 19u);
    EXPECT_EQ(lines[13], "│22选5 ├─────────┼────────────┤");
    EXPECT_EQ(lines[18], "│七乐彩└─────────┴────────────┘");
    EXPECT_EQ(lines[14], "│双色球 08.20 26096│01 04 16 22 26 31 + 04  │") << "others unaffected";
}

TEST(Bulletin, WiderNumberShiftsOnlyItsRowsBar) {
    std::array<std::string, kLotteryCount> answers = WellFormedAnswers();
    answers[3] = " 08.21 26096│1 4 2 6 9 5 14           │\r\n"; // 7xc's seventh number since 2020
    std::vector<std::string> lines = Lines(BuildBulletin(kSaturday, answers));
    EXPECT_EQ(Columns(lines[11]), 49);
    EXPECT_EQ(Columns(lines[9]), 48);
}

TEST(Bulletin, WeekdayNames) {
    const char* names[] = {"日", "一", "二", "三", "四", "五", "六"};
    for (int weekday = 0; weekday < 7; ++weekday) {
        SCOPED_TRACE(weekday);
        std::string header = BulletinHeader({2026, 1, 4 + weekday, weekday});
        EXPECT_NE(header.find(std::string("星期") + names[weekday] + "│"), std::string::npos);
    }
}

TEST(Bulletin, DateWithLeadingZeros) {
    std::string header = BulletinHeader({987, 1, 2, 5});
    EXPECT_NE(header.find("│  0987.01.02                          星期五│\r\n"), std::string::npos);
}

class TimeZone {
public:
    explicit TimeZone(const char* zone) {
        if (const char* old = std::getenv("TZ"))
            m_old = old;
        setenv("TZ", zone, 1);
        tzset();
    }
    ~TimeZone() {
        if (m_old)
            setenv("TZ", m_old->c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }

private:
    std::optional<std::string> m_old;
};

TEST(Bulletin, DateIsTheLocalDay) {
    // 2026-08-22 17:30 UTC, a Saturday, is already Sunday 01:30 in UTC+8.
    std::time_t instant = 1787419800;
    {
        TimeZone utc("UTC0");
        BulletinDate date = LocalBulletinDate(instant);
        EXPECT_EQ(date.year, 2026);
        EXPECT_EQ(date.month, 8);
        EXPECT_EQ(date.day, 22);
        EXPECT_EQ(date.weekday, 6);
    }
    {
        TimeZone beijing("CST-8");
        BulletinDate date = LocalBulletinDate(instant);
        EXPECT_EQ(date.day, 23);
        EXPECT_EQ(date.weekday, 0);
        EXPECT_NE(BulletinHeader(date).find("2026.08.23                          星期日"),
                  std::string::npos);
    }
}

TEST(Bulletin, RunsTheEightQueriesInRowOrder) {
    test::ScriptedRunner runner;
    std::string text = RunBulletin(runner, kSaturday);
    ASSERT_EQ(runner.statements.size(), 8u);
    const char* tables[] = {"dlt", "p5", "p3", "7xc", "t22x5", "ssq", "3d", "7lc"};
    for (size_t i = 0; i < 8; ++i) {
        SCOPED_TRACE(tables[i]);
        EXPECT_TRUE(runner.statements[i].ends_with(std::string(" from ") + tables[i] +
                                                   " order by qs desc"));
        EXPECT_TRUE(runner.statements[i].starts_with(
            "select top 1 ' '+format(rq,'mm.dd')+' '+right(qs,5)+'│'+"));
    }
    EXPECT_EQ(runner.statements[0],
              "select top 1 ' '+format(rq,'mm.dd')+' '+right(qs,5)+'│'+format(h1,'0#'),"
              "format(h2,'0#'),format(h3,'0#'),format(h4,'0#'),format(h5,'0#')+' + '+"
              "format(l1,'0#')+' '+format(l2,'0#'),' │' from dlt order by qs desc");
    EXPECT_EQ(runner.statements[6],
              "select top 1 ' '+format(rq,'mm.dd')+' '+right(qs,5)+'│'+right(str(h1),1)+"
              "str(h2)+str(h3)+'                   │' from 3d order by qs desc");
    EXPECT_EQ(runner.statements[7],
              "select top 1 ' '+format(rq,'mm.dd')+' '+right(qs,5)+'│'+format(h1,'0#'),"
              "format(h2,'0#'),format(h3,'0#'),format(h4,'0#'),format(h5,'0#'),format(h6,'0#'),"
              "format(h7,'0#')+' +'+format(l1,'0#')+'│' from 7lc order by qs desc");
    // With no rows anywhere the bulletin is the frame and the bare labels.
    EXPECT_EQ(Lines(text).size(), 13u);
}

TEST(Bulletin, PaddingOfTheLastLiteralPerGame) {
    // Blanks before the closing bar inside each query's last literal.
    struct Case {
        LotteryKind kind;
        size_t blanks;
    };
    for (Case c :
         {Case{LotteryKind::Dlt, 1}, Case{LotteryKind::P5, 14}, Case{LotteryKind::P3, 18},
          Case{LotteryKind::SevenXc, 10}, Case{LotteryKind::T22x5, 10}, Case{LotteryKind::Ssq, 2},
          Case{LotteryKind::ThreeD, 19}, Case{LotteryKind::SevenLc, 0}}) {
        SCOPED_TRACE(Lottery(c.kind).code);
        std::string_view query = BulletinQuery(c.kind);
        size_t bar = query.rfind("│' from");
        ASSERT_NE(bar, std::string_view::npos);
        size_t quote = query.rfind('\'', bar - 1);
        EXPECT_EQ(bar - quote - 1, c.blanks);
    }
}

} // namespace
} // namespace veltrix
