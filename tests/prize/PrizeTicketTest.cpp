#include "PrizeTestSupport.h"

namespace veltrix::prize::test {
namespace {

using enum LotteryKind;

struct CountCase {
    LotteryKind game;
    Play play;
    const char* text;
    std::int64_t bets;
};

TEST(PrizeTicketTest, TicketsExpandIntoTheirCountsOfSingleBets) {
    const CountCase cases[] = {
        // PrizeCountPropertyTest counts small random tickets bet by bet; here
        // what it leaves out: four bankers, a 组选三 single bet, a larger
        // 组选六 and the largest 复式.
        {Ssq, Play::Direct, "(01 02 03 04) 05 06 07 08 + 01", 6},
        {P3, Play::Group6, "1 2 3 4 5 6", 20},
        {ThreeD, Play::Group3, "1 1 8", 1},
        {Ssq, Play::Direct,
         "01 02 03 04 05 06 07 08 09 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25 26 27 28 29 "
         "30 31 32 33 + 01 02 03 04 05 06 07 08 09 10 11 12 13 14 15 16",
         17'721'088},
    };
    for (const CountCase& c : cases) {
        SCOPED_TRACE(c.text);
        Ticket ticket = TicketOf(c.game, c.play, false, c.text);
        EXPECT_EQ(BetCount(ticket), c.bets);
    }
}

struct BadCase {
    LotteryKind game;
    Play play;
    bool plus;
    const char* text;
    TicketProblem problem;
};

TEST(PrizeTicketTest, BadTicketsSayWhatIsWrong) {
    using enum TicketProblem;
    const BadCase cases[] = {
        {Ssq, Play::Direct, false, "01 02 03 04 05 34 + 01", OutOfRange},
        {Ssq, Play::Direct, false, "99999999999999999999 02 03 04 05 06 + 01", OutOfRange},
        {Ssq, Play::Direct, false, "01 02 03 04 05 + 01", TooFew},
        {Ssq, Play::Direct, false, "01 02 03 04 05 06", TooFew},
        {Ssq, Play::Direct, false, "(01 02) 01 03 04 05 06 + 01", Duplicate},
        {Ssq, Play::Direct, false, "(01 02 03 04 05 06) 07 + 01", TooManyBankers},
        {Ssq, Play::Direct, false, "01 02 03 04 05 06 + (01) 02", BankersNotAllowed},
        {Dlt, Play::Direct, false, "01 02 03 04 05 + (01 02) 03", TooManyBankers},
        {SevenLc, Play::Direct, false, "(01 02 03 04 05 06 07) 08", TooManyBankers},
        {T22x5, Play::Direct, false, "01 02 03 04 05 + 06", Syntax},
        {Dlt, Play::Direct, false, "01 02 03 04 05 + 01 02 + 03", Syntax},
        {Dlt, Play::Direct, false, "01 (02) 03 04 05 06 + 01 02", Syntax},
        {Dlt, Play::Direct, false, "(01 02 03 04 05 + 01 02", Syntax},
        {Dlt, Play::Direct, false, "() 01 02 03 04 05 + 01 02", Syntax},
        {Dlt, Play::Direct, false, "一 二 三 四 五 + 01 02", Syntax},
        {Dlt, Play::Direct, false, "   ", TooFew},
        {ThreeD, Play::Direct, false, "1 2", TooFew},
        {ThreeD, Play::Direct, false, "1 2 3 4", Syntax},
        {ThreeD, Play::Direct, false, "1 2 10", OutOfRange},
        {ThreeD, Play::Direct, false, "1,1 2 3", Duplicate},
        {ThreeD, Play::Direct, false, "(1) 2 3", BankersNotAllowed},
        {ThreeD, Play::Direct, false, "1,,2 3 4", Syntax},
        {P3, Play::Direct, false, "1, 2 3", TooFew},
        {SevenXc, Play::Direct, false, "1 2 3 4 5 6 + 15", OutOfRange},
        {SevenXc, Play::Direct, false, "1 2 3 4 5 6 7", TooFew},
        {ThreeD, Play::Group3, false, "1 1 1", Duplicate},
        {ThreeD, Play::Group3, false, "1 1 2 3", Duplicate},
        {ThreeD, Play::Group3, false, "1", TooFew},
        {P3, Play::Group6, false, "1 2", TooFew},
        {P3, Play::Group6, false, "1 1 2", Duplicate},
        {P3, Play::Group6, false, "1,2,3", Syntax},
        {P3, Play::Group6, false, "1 2 12", OutOfRange},
        {Ssq, Play::Group3, false, "01 02 03", PlayNotInGame},
        {Ssq, Play::Direct, true, "01 02 03 04 05 06 + 01", PlayNotInGame},
    };
    for (const BadCase& c : cases) {
        SCOPED_TRACE(c.text);
        Ticket ticket;
        TicketError error;
        EXPECT_FALSE(ParseTicket(c.game, c.play, c.plus, c.text, &ticket, &error));
        EXPECT_EQ(error.problem, c.problem) << error.message;
        EXPECT_FALSE(error.message.empty());
    }
}

TEST(PrizeTicketTest, NumbersCompareAsNumbersNotTexts) {
    Ticket ticket = TicketOf(Dlt, Play::Direct, false, "1 2 3 4 5 + 6 7");
    EXPECT_EQ(TicketText(ticket), "01 02 03 04 05 + 06 07");
}

} // namespace
} // namespace veltrix::prize::test
