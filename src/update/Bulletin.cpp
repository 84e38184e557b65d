#include "update/Bulletin.h"

#include "common/Strings.h"

namespace veltrix {
namespace {

struct BulletinRow {
    LotteryKind kind;
    std::string_view query;
};

// Row order of the bulletin. The runner joins the fields with one blank, so
// the blanks inside the last literal of each query pad the right cell to 24
// characters for numbers of the usual widths.
// clang-format off
constexpr std::array<BulletinRow, kLotteryCount> kRows = {{
    {LotteryKind::Dlt,
     "select top 1 ' '+format(rq,'mm.dd')+' '+right(qs,5)+'│'+format(h1,'0#'),format(h2,'0#'),format(h3,'0#'),format(h4,'0#'),format(h5,'0#')+' + '+format(l1,'0#')+' '+format(l2,'0#'),' │' from dlt order by qs desc"},
    {LotteryKind::P5,
     "select top 1 ' '+format(rq,'mm.dd')+' '+right(qs,5)+'│'+right(str(h1),1),h2,h3,h4,h5,'              │' from p5 order by qs desc"},
    {LotteryKind::P3,
     "select top 1 ' '+format(rq,'mm.dd')+' '+right(qs,5)+'│'+right(str(h1),1),h2,h3,'                  │' from p3 order by qs desc"},
    {LotteryKind::SevenXc,
     "select top 1 ' '+format(rq,'mm.dd')+' '+right(qs,5)+'│'+right(str(h1),1),h2,h3,h4,h5,h6,h7,'          │' from 7xc order by qs desc"},
    {LotteryKind::T22x5,
     "select top 1 ' '+format(rq,'mm.dd')+' '+right(qs,5)+'│'+format(h1,'0#'),format(h2,'0#'),format(h3,'0#'),format(h4,'0#'),format(h5,'0#')+'          │' from t22x5 order by qs desc"},
    {LotteryKind::Ssq,
     "select top 1 ' '+format(rq,'mm.dd')+' '+right(qs,5)+'│'+format(h1,'0#'),format(h2,'0#'),format(h3,'0#'),format(h4,'0#'),format(h5,'0#'),format(h6,'0#')+' + '+format(l1,'0#')+'  │' from ssq order by qs desc"},
    {LotteryKind::ThreeD,
     "select top 1 ' '+format(rq,'mm.dd')+' '+right(qs,5)+'│'+right(str(h1),1)+str(h2)+str(h3)+'                   │' from 3d order by qs desc"},
    {LotteryKind::SevenLc,
     "select top 1 ' '+format(rq,'mm.dd')+' '+right(qs,5)+'│'+format(h1,'0#'),format(h2,'0#'),format(h3,'0#'),format(h4,'0#'),format(h5,'0#'),format(h6,'0#'),format(h7,'0#')+' +'+format(l1,'0#')+'│' from 7lc order by qs desc"},
}};
// clang-format on

constexpr std::string_view kWeekdays[] = {"日", "一", "二", "三", "四", "五", "六"};
constexpr std::string_view kSeparator = "├─────────┼────────────┤";
constexpr std::string_view kClosingLine = "└─────────┴────────────┘";

} // namespace

BulletinDate LocalBulletinDate(std::time_t now) {
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_wday};
}

std::string BulletinHeader(const BulletinDate& date) {
    int weekday = date.weekday >= 0 && date.weekday < 7 ? date.weekday : 0;
    return StrFormat("┌──────────────────────┐\r\n"
                     "│  %04d.%02d.%02d                          星期%s│\r\n"
                     "├─────────┬────────────┤\r\n"
                     "│名  称 日 期 期 数│开         奖         号│\r\n"
                     "├─────────┼────────────┤\r\n",
                     date.year, date.month, date.day, kWeekdays[weekday].data());
}

std::string BuildBulletin(const BulletinDate& date,
                          const std::array<std::string, kLotteryCount>& answers) {
    std::string text = BulletinHeader(date);
    for (size_t i = 0; i < kRows.size(); ++i) {
        text += Lottery(kRows[i].kind).bulletinLabel;
        text += answers[i];
        text += i + 1 < kRows.size() ? kSeparator : kClosingLine;
        text += "\r\n";
    }
    return text;
}

std::string RunBulletin(SqlRunner& runner, const BulletinDate& date) {
    std::array<std::string, kLotteryCount> answers;
    for (size_t i = 0; i < kRows.size(); ++i)
        answers[i] = runner.Run(std::string(kRows[i].query)).resultText;
    return BuildBulletin(date, answers);
}

} // namespace veltrix
