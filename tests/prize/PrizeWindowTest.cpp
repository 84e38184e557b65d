// veltrix-prize's window driven as a player would, offscreen.

#include "prizeapp/PrizeWindow.h"
#include "PrizeTestSupport.h"
#include "db/DrawDatabase.h"
#include "fakes/RawDatabase.h"
#include "fakes/TempDir.h"
#include "prizeapp/NumberGrid.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>

namespace veltrix::prize::test {
namespace {

class PrizeWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(CreateDrawDatabase(work.File("DLT.mdb"), &error)) << error;
        veltrix::test::RawDatabase db(work.File("DLT.mdb"), SQLITE_OPEN_READWRITE);
        db.Rows("INSERT INTO ssq VALUES ('2026013','2026-01-29',1,2,3,4,5,6,1),"
                "('2026015','2026-02-03',1,2,3,4,5,9,1)");
        window = std::make_unique<PrizeWindow>(ShippedRules(), "", work.File("DLT.mdb"));
        window->show();
        window->findChild<QComboBox*>("game")->setCurrentIndex(static_cast<int>(LotteryKind::Ssq));
    }
    template <class T> T* Find(const char* name) { return window->findChild<T*>(name); }
    QString Ticket() { return Find<QLineEdit>("ticket")->text(); }
    QString Bets() { return Find<QLabel>("bets")->text(); }
    void ClickNumber(int zone, int number) {
        QTest::mouseClick(Find<NumberGrid>("grid")->Button(zone, number), Qt::LeftButton);
    }

    veltrix::test::TempDir work;
    std::unique_ptr<PrizeWindow> window;
};

TEST_F(PrizeWindowTest, ClickedTicketIsCheckedAgainstEveryDrawAndCopied) {
    for (int n = 1; n <= 7; ++n)
        ClickNumber(0, n);
    ClickNumber(1, 1);
    EXPECT_EQ(Ticket(), QStringLiteral("01 02 03 04 05 06 07 + 01"));
    EXPECT_EQ(Bets(), QStringLiteral("7 注，每期 14 元"));
    ClickNumber(0, 7); // a second click makes 07 a banker
    EXPECT_EQ(Ticket(), QStringLiteral("(07) 01 02 03 04 05 06 + 01"));
    EXPECT_EQ(Bets(), QStringLiteral("6 注，每期 12 元"));

    QTest::mouseClick(Find<QRadioButton>("scopeAll"), Qt::LeftButton);
    QTest::mouseClick(Find<QPushButton>("check"), Qt::LeftButton);
    auto* results = Find<QTableWidget>("results");
    // Newest first; 2026015 won two tiers, so it has two rows.
    ASSERT_EQ(results->rowCount(), 3);
    EXPECT_EQ(results->item(0, 0)->text(), QStringLiteral("2026015"));
    EXPECT_EQ(results->item(0, 2)->text(), QStringLiteral("[01] [02] [03] [04] [05] 09 + [01]"));
    EXPECT_EQ(results->item(0, 3)->text(), QStringLiteral("5+1"));
    EXPECT_EQ(results->item(0, 4)->text(), QStringLiteral("三等奖 × 1"));
    EXPECT_EQ(results->item(1, 4)->text(), QStringLiteral("四等奖 × 5"));
    EXPECT_EQ(results->item(2, 0)->text(), QStringLiteral("2026013"));
    EXPECT_EQ(results->item(2, 4)->text(), QStringLiteral("三等奖 × 6"));
    EXPECT_TRUE(Find<QPlainTextEdit>("summary")->toPlainText().contains(
        QStringLiteral("三等奖: 7 注, 21000 元")));

    QTest::mouseClick(Find<QPushButton>("copy"), Qt::LeftButton);
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(), window->ResultText());
    EXPECT_NE(window->ResultText().find("2026015  2026-02-03"), std::string::npos);
}

TEST_F(PrizeWindowTest, TypedTicketsShowTheirPicksOrWhatIsWrong) {
    QTest::keyClicks(Find<QLineEdit>("ticket"), QStringLiteral("(01) 02 03 04 05 06 07 + 16"));
    EXPECT_EQ(Bets(), QStringLiteral("6 注，每期 12 元"));
    EXPECT_EQ(Find<NumberGrid>("grid")->TicketText(), "(01) 02 03 04 05 06 07 + 16");

    QTest::keyClicks(Find<QLineEdit>("ticket"), QStringLiteral(" 17"));
    EXPECT_EQ(Bets(), QStringLiteral("蓝球的号码 17 超出范围 01..16"));
    QTest::mouseClick(Find<QPushButton>("check"), Qt::LeftButton);
    EXPECT_EQ(Find<QTableWidget>("results")->rowCount(), 0);
    EXPECT_EQ(Find<QPlainTextEdit>("summary")->toPlainText(),
              QStringLiteral("蓝球的号码 17 超出范围 01..16"));

    // 组选 plays belong to 3D and 排列三 only.
    EXPECT_FALSE(Find<QComboBox>("play")->isEnabled());
    Find<QComboBox>("game")->setCurrentIndex(static_cast<int>(LotteryKind::ThreeD));
    EXPECT_TRUE(Find<QComboBox>("play")->isEnabled());
    EXPECT_EQ(Ticket(), QString());
}

} // namespace
} // namespace veltrix::prize::test
