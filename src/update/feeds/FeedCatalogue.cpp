#include "update/feeds/FeedCatalogue.h"

#include <array>

namespace veltrix {
namespace {

constexpr std::array<FeedInfo, kFeedCount> kFeeds = {{
    {FeedKind::Cwl, "FeedCwl", "https://www.cwl.gov.cn", "cwl.gov.cn draw notices", true},
    {FeedKind::Sporttery, "FeedSporttery", "https://webapi.sporttery.cn",
     "sporttery.cn draw history", true},
    {FeedKind::DrawListXml, "Feed500", "https://kaijiang.500.com", "500.com draw list", false},
}};

// The game's name in the feed's addresses; empty when the feed lacks it.
std::string_view FeedGameName(FeedKind feed, LotteryKind game) {
    switch (feed) {
    case FeedKind::Cwl:
        switch (game) {
        case LotteryKind::Ssq:
            return "ssq";
        case LotteryKind::ThreeD:
            return "3d";
        case LotteryKind::SevenLc:
            return "qlc";
        default:
            return {};
        }
    case FeedKind::Sporttery:
        switch (game) {
        case LotteryKind::Dlt:
            return "85";
        case LotteryKind::P3:
            return "35";
        case LotteryKind::P5:
            return "350133";
        case LotteryKind::SevenXc:
            return "04";
        default:
            return {};
        }
    case FeedKind::DrawListXml:
        switch (game) {
        case LotteryKind::Dlt:
            return "dlt";
        case LotteryKind::Ssq:
            return "ssq";
        case LotteryKind::P5:
            return "plw";
        case LotteryKind::P3:
            return "pls";
        case LotteryKind::ThreeD:
            return "sd";
        case LotteryKind::SevenXc:
            return "qxc";
        case LotteryKind::SevenLc:
            return "qlc";
        case LotteryKind::T22x5:
            return {};
        }
    }
    return {};
}

} // namespace

const FeedInfo& Feed(FeedKind kind) {
    return kFeeds[static_cast<size_t>(kind)];
}

std::vector<FeedKind> FeedsForGame(LotteryKind game, bool tableEmpty) {
    std::vector<FeedKind> order;
    for (FeedKind official : {FeedKind::Cwl, FeedKind::Sporttery}) {
        if (!FeedGameName(official, game).empty())
            order.push_back(official);
    }
    if (!FeedGameName(FeedKind::DrawListXml, game).empty())
        order.insert(tableEmpty ? order.begin() : order.end(), FeedKind::DrawListXml);
    return order;
}

std::string FeedPageUrl(FeedKind feed, std::string_view base, LotteryKind game, int pageNo) {
    std::string url(base);
    std::string name(FeedGameName(feed, game));
    std::string page = std::to_string(pageNo);
    std::string size = std::to_string(kFeedPageSize);
    switch (feed) {
    case FeedKind::Cwl:
        return url + "/cwl_admin/front/cwlkj/search/kjxx/findDrawNotice?name=" + name +
               "&systemType=PC&pageNo=" + page + "&pageSize=" + size;
    case FeedKind::Sporttery:
        return url + "/gateway/lottery/getHistoryPageListV1.qry?gameNo=" + name +
               "&provinceId=0&pageSize=" + size + "&isVerify=1&pageNo=" + page;
    case FeedKind::DrawListXml:
        return url + "/static/info/kaijiang/xml/" + name + "/list.xml";
    }
    return url;
}

std::string FeedReferer(FeedKind feed, std::string_view base) {
    // The 体彩 history is read by the pages of the lottery's own site.
    if (feed == FeedKind::Sporttery && base == Feed(feed).defaultBase)
        return "https://www.lottery.gov.cn/";
    return std::string(base) + "/";
}

std::string FeedSessionPageUrl(FeedKind feed, std::string_view base) {
    if (feed != FeedKind::Cwl)
        return {};
    return std::string(base) + "/ygkj/wqkjgg/";
}

} // namespace veltrix
