// "更新全部" of the real window against the public feeds: one feed session
// serves all its games, so the 福彩 session page is visited once per update
// (and a feed that cannot be reached is not asked again for every game).
#include "gui/TrendDlgFixture.h"
#include "update/LoopbackDrawServer.h"

#include <algorithm>

namespace veltrix::test {
namespace {

class UpdateAllFeedsWindowTest : public TrendDlgFixture {
protected:
    void PrepareFolder() override {
        CreateDatabase();
        std::string settings = DefaultSettings();
        settings.insert(settings.find("\r\n") + 2,
                        "FeedCwl=" + cwl.Base() + "\r\nFeedSporttery=off\r\nFeed500=off\r\n");
        WriteSettings(settings);
    }

    long SessionPageVisits() {
        std::vector<std::string> asked = cwl.Asked();
        return std::count(asked.begin(), asked.end(), "/ygkj/wqkjgg/");
    }

    LoopbackDrawServer cwl; // answers 404 to everything
};

TEST_F(UpdateAllFeedsWindowTest, OneFeedSessionServesAllGamesOfAnUpdate) {
    ASSERT_TRUE(initResult);
    Click(1012);
    EXPECT_EQ(SessionPageVisits(), 1) << "ssq, 3d and 7lc share one session";
    ASSERT_EQ(messages.texts.size(), 1u);
    EXPECT_NE(messages.texts[0].find("ssq, 3d, 7lc: the download failed: no usable answer"),
              std::string::npos)
        << messages.texts[0];

    Click(1012);
    EXPECT_EQ(SessionPageVisits(), 2) << "the next update has a session of its own";
}

} // namespace
} // namespace veltrix::test
