#include "update/feeds/UpdateSources.h"

#include "common/Strings.h"

namespace veltrix {
namespace {

std::string OrDash(std::string_view text) {
    return text.empty() ? "-" : std::string(text);
}

} // namespace

std::string UpdateSourceValue(std::string_view source, std::time_t when) {
    std::tm local{};
    localtime_r(&when, &local);
    std::string value =
        StrFormat("%04d-%02d-%02d %02d:%02d:%02d|", local.tm_year + 1900, local.tm_mon + 1,
                  local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    for (char c : source)
        value += (c == '|' || c == '\r' || c == '\n') ? ' ' : c;
    return value;
}

UpdateSourceRecord ParseUpdateSourceValue(std::string_view value) {
    size_t bar = value.find('|');
    if (bar == std::string_view::npos)
        return {};
    return {std::string(value.substr(0, bar)), std::string(value.substr(bar + 1))};
}

bool RecordUpdateSource(const std::string& sourcesPath, LotteryKind game, std::string_view source,
                        std::time_t when) {
    return WriteProfileString(std::string(kSourcesSection), std::string(Lottery(game).code),
                              UpdateSourceValue(source, when), sourcesPath);
}

std::string DescribeSources(const ProfileData& sources, SqlRunner& runner) {
    std::string text;
    for (const LotteryInfo& game : AllLotteries()) {
        UpdateSourceRecord record =
            ParseUpdateSourceValue(sources.GetString(kSourcesSection, game.code, ""));
        QueryOutcome newest = runner.Run(std::string("select top 1 qs,rq from ") +
                                         std::string(game.code) + " order by qs desc");
        std::string_view row = newest.resultText;
        row = row.substr(0, row.find("\r\n"));
        size_t blank = row.find(' ');
        std::string issue(row.substr(0, blank));
        std::string date(blank == std::string_view::npos ? std::string_view{}
                                                         : row.substr(blank + 1));
        text += std::string(game.code) + "\t" + OrDash(record.source) + "\t" + OrDash(record.time) +
                "\t" + OrDash(issue) + "\t" + OrDash(date) + "\n";
    }
    return text;
}

} // namespace veltrix
