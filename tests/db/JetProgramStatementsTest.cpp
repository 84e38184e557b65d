// The Jet statements the program itself issues: the bulletin's eight queries,
// which must give the row texts of the bulletin to the character, and the
// import's INSERTs; and the statements without rows in Jet's forms.
#include "JetDrawData.h"
#include "fakes/DrawDatabaseFixture.h"
#include "query/StatementRunner.h"

#include <gtest/gtest.h>

namespace veltrix {
namespace {

class CommandHost : public QueryHost {
public:
    std::string CommandTextForOrder() override { return commandText; }
    void ShowMessage(const std::string& text, MessageIcon) override { messages.push_back(text); }
    std::string commandText;
    std::vector<std::string> messages;
};

class JetProgramStatementsTest : public test::DrawDatabaseFixture {
protected:
    QueryOutcome Run(const std::string& sql) {
        host.commandText = sql;
        return RunStatement(db, sql, host);
    }

    std::string Count(const std::string& table) {
        return Run("select count(*) from " + table).resultText;
    }

    CommandHost host;
};

struct BulletinRow {
    LotteryKind game;
    const char* query;
    std::vector<const char*> olderThenNewest; // draw-file lines, the newest last
    std::string expected;                     // the runner's text for the newest draw
};

const std::string kBar = "│";

const BulletinRow kBulletin[] = {
    {LotteryKind::Dlt,
     "select top 1 ' '+format(rq,'mm.dd')+' '+right(qs,5)+'│'+format(h1,'0#'),format(h2,'0#'),"
     "format(h3,'0#'),format(h4,'0#'),format(h5,'0#')+' + '+format(l1,'0#')+' '+format(l2,'0#'),"
     "' │' from dlt order by qs desc",
     {"26094 2026-08-20 01 05 11 20 33 03 12", "26095 2026-08-22 03 09 12 22 31 02 07"},
     " 08.22 26095" + kBar + "03 09 12 22 31 + 02 07  " + kBar + "\r\n"},
    {LotteryKind::P5,
     "select top 1 ' '+format(rq,'mm.dd')+' '+right(qs,5)+'│'+right(str(h1),1),h2,h3,h4,h5,"
     "'              │' from p5 order by qs desc",
     {"26223 2026-08-21 1 1 1 1 1", "26224 2026-08-22 9 1 2 4 0"},
     " 08.22 26224" + kBar + "9 1 2 4 0" + std::string(15, ' ') + kBar + "\r\n"},
    {LotteryKind::P3,
     "select top 1 ' '+format(rq,'mm.dd')+' '+right(qs,5)+'│'+right(str(h1),1),h2,h3,"
     "'                  │' from p3 order by qs desc",
     {"26224 2026-08-22 9 1 2", "26223 2026-08-21 0 0 0"},
     " 08.22 26224" + kBar + "9 1 2" + std::string(19, ' ') + kBar + "\r\n"},
    {LotteryKind::SevenXc,
     "select top 1 ' '+format(rq,'mm.dd')+' '+right(qs,5)+'│'+right(str(h1),1),h2,h3,h4,h5,h6,h7,"
     "'          │' from 7xc order by qs desc",
     {"26095 2026-08-18 0 0 0 0 0 0 0", "26096 2026-08-21 1 4 2 6 9 5 5"},
     " 08.21 26096" + kBar + "1 4 2 6 9 5 5" + std::string(11, ' ') + kBar + "\r\n"},
    {LotteryKind::T22x5,
     "select top 1 ' '+format(rq,'mm.dd')+' '+right(qs,5)+'│'+format(h1,'0#'),format(h2,'0#'),"
     "format(h3,'0#'),format(h4,'0#'),format(h5,'0#')+'          │' from t22x5 order by qs desc",
     {"26100 2026-08-21 1 5 9 13 22"},
     " 08.21 26100" + kBar + "01 05 09 13 22" + std::string(10, ' ') + kBar + "\r\n"},
    {LotteryKind::Ssq,
     "select top 1 ' '+format(rq,'mm.dd')+' '+right(qs,5)+'│'+format(h1,'0#'),format(h2,'0#'),"
     "format(h3,'0#'),format(h4,'0#'),format(h5,'0#'),format(h6,'0#')+' + '+format(l1,'0#')+'  │' "
     "from ssq order by qs desc",
     {"2026095 2026-08-18 02 03 04 05 06 07 08", "2026096 2026-08-20 01 04 16 22 26 31 04"},
     " 08.20 26096" + kBar + "01 04 16 22 26 31 + 04  " + kBar + "\r\n"},
    {LotteryKind::ThreeD,
     "select top 1 ' '+format(rq,'mm.dd')+' '+right(qs,5)+'│'+right(str(h1),1)+str(h2)+str(h3)+"
     "'                   │' from 3d order by qs desc",
     {"2026222 2026-08-20 3 8 0 1 2 3", "2026223 2026-08-21 9 4 8 0 0 0"},
     " 08.21 26223" + kBar + "9 4 8" + std::string(19, ' ') + kBar + "\r\n"},
    {LotteryKind::SevenLc,
     "select top 1 ' '+format(rq,'mm.dd')+' '+right(qs,5)+'│'+format(h1,'0#'),format(h2,'0#'),"
     "format(h3,'0#'),format(h4,'0#'),format(h5,'0#'),format(h6,'0#'),format(h7,'0#')+' +'+"
     "format(l1,'0#')+'│' from 7lc order by qs desc",
     {"2026096 2026-08-21 05 14 17 24 26 28 29 16"},
     " 08.21 26096" + kBar + "05 14 17 24 26 28 29 +16" + kBar + "\r\n"},
};

// Display columns with box-drawing and Chinese characters two wide.
size_t DisplayWidth(const std::string& text) {
    size_t width = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            ++width;
        } else if (c >= 0xE0) {
            width += 2;
            i += 2;
        }
    }
    return width;
}

void InsertLines(CAdoConnection& db, const LotteryInfo& game,
                 const std::vector<const char*>& lines) {
    for (const char* line : lines) {
        std::istringstream tokens(line);
        test::Draw draw;
        tokens >> draw.qs >> draw.rq;
        for (std::string field; tokens >> field;)
            draw.written.push_back(field);
        ASSERT_TRUE(db.Execute(test::InsertStatement(game, draw))) << db.GetErrorText();
    }
}

TEST_F(JetProgramStatementsTest, BulletinQueriesGiveTheBulletinRows) {
    for (const BulletinRow& row : kBulletin) {
        const LotteryInfo& game = Lottery(row.game);
        SCOPED_TRACE(std::string(game.code));
        InsertLines(db, game, row.olderThenNewest);
        QueryOutcome outcome = Run(row.query);
        EXPECT_FALSE(outcome.failed) << (host.messages.empty() ? "" : host.messages.back());
        EXPECT_EQ(outcome.resultText, row.expected);
        // Label and row fill the bulletin's 48 columns.
        std::string line = std::string(game.bulletinLabel) + outcome.resultText;
        EXPECT_EQ(DisplayWidth(line.substr(0, line.size() - 2)), 48u);
    }
}

TEST_F(JetProgramStatementsTest, BulletinQueryOnEmptyTableGivesNothing) {
    for (const BulletinRow& row : kBulletin) {
        SCOPED_TRACE(std::string(Lottery(row.game).code));
        QueryOutcome outcome = Run(row.query);
        EXPECT_FALSE(outcome.failed);
        EXPECT_EQ(outcome.resultText, "");
        EXPECT_EQ(outcome.recordCount, 0);
    }
}

TEST_F(JetProgramStatementsTest, BulletinCutsWideDigitToItsLastDigit) {
    InsertLines(db, Lottery(LotteryKind::P3), {"26224 2026-08-22 12 1 2"});
    EXPECT_EQ(Run(kBulletin[2].query).resultText,
              " 08.22 26224" + kBar + "2 1 2" + std::string(19, ' ') + kBar + "\r\n");
}

TEST_F(JetProgramStatementsTest, ImportInsertsEveryGameWithTheLineEndInItsLastField) {
    for (const LotteryInfo& game : AllLotteries()) {
        SCOPED_TRACE(std::string(game.code));
        test::Draw draw;
        draw.qs = "26001";
        draw.rq = "2026-01-03";
        for (int i = 2; i < game.minTokenCount; ++i)
            draw.written.push_back(std::to_string(i).insert(0, 1, '0'));
        draw.written.back() += "\r\n"; // the line end stays with the last field
        QueryOutcome outcome = Run(test::InsertStatement(game, draw));
        EXPECT_FALSE(outcome.failed) << (host.messages.empty() ? "" : host.messages.back());
        EXPECT_EQ(outcome.resultText, "");
        std::string columns(game.columns);
        QueryOutcome stored = Run("select " + columns + " from " + std::string(game.code));
        std::string expected = "26001 2026-01-03";
        for (int i = 2; i < game.minTokenCount; ++i)
            expected.append(1, ' ').append(std::to_string(i));
        if (game.kind == LotteryKind::Dlt)
            expected += " "; // T, written empty
        EXPECT_EQ(stored.resultText, expected + "\r\n");
    }
}

TEST_F(JetProgramStatementsTest, NoRowStatementsInJetForms) {
    struct Step {
        const char* sql;
        const char* check;
        const char* expected;
    };
    const Step steps[] = {
        {"create table mine (id counter, name text(20) not null, n long, x double, d datetime, "
         "b yesno)",
         "select count(*) from mine", "0\r\n"},
        {"insert into mine (name, n, x, d, b) values ('Ab', 7, 2.5, #2004/1/8#, True)",
         "select id, name, n, x, d, b from mine", "1 Ab 7 2.5 2004-01-08 -1\r\n"},
        {"insert into mine (name, n) select qs, h1 from p3 where h1 > 5",
         "select count(*), sum(n) from mine", "4 29\r\n"},
        {"update mine set n = n * 2, name = name + '!' where name = 'ab'",
         "select name, n from mine where id = 1", "Ab! 14\r\n"},
        {"select name, n into copy from mine where n > 7", "select count(*) from copy", "2\r\n"},
        {"delete * from mine where n < 10", "select count(*) from mine", "1\r\n"},
        {"delete mine.* from mine", "select count(*) from mine", "0\r\n"},
        {"create unique index ix on mine (name)", "select count(*) from mine", "0\r\n"},
        {"drop index ix on mine", "select count(*) from mine", "0\r\n"},
        {"alter table mine add column memo1 memo", "select count(memo1) from mine", "0\r\n"},
        {"drop table copy", "select count(*) from mine", "0\r\n"},
    };
    Exec("INSERT INTO p3 (QS,RQ,H1,H2,H3)VALUES ('04001','2004-11-14',1,2,3)");
    Exec("INSERT INTO p3 (QS,RQ,H1,H2,H3)VALUES ('04002','2004-11-16',6,2,3)");
    Exec("INSERT INTO p3 (QS,RQ,H1,H2,H3)VALUES ('04003','2004-11-19',7,2,3)");
    Exec("INSERT INTO p3 (QS,RQ,H1,H2,H3)VALUES ('04004','2004-11-21',9,2,3)");
    for (const Step& step : steps) {
        SCOPED_TRACE(step.sql);
        QueryOutcome outcome = Run(step.sql);
        ASSERT_FALSE(outcome.failed) << host.messages.back();
        EXPECT_EQ(outcome.resultText, "");
        EXPECT_EQ(Run(step.check).resultText, step.expected);
    }
    EXPECT_FALSE(db.Execute("select count(*) from copy"));
}

TEST_F(JetProgramStatementsTest, CreatedTextColumnsCompareWithoutCase) {
    Exec("create table names (n text(10) primary key)");
    Exec("insert into names (n) values ('Abc')");
    EXPECT_EQ(Run("select count(*) from names where n = 'ABC'").resultText, "1\r\n");
    EXPECT_FALSE(db.Execute("insert into names (n) values ('aBC')")); // the same key
}

} // namespace
} // namespace veltrix
