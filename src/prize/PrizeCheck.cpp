#include "prize/PrizeCheck.h"

#include "common/Strings.h"

#include <algorithm>

namespace veltrix::prize {
namespace {

// What one bet wins with 追加: the base amounts plus the addition, pairwise
// when both list alternatives, or the single amount added to each.
Amount WithPlus(const Amount& base, const Amount& plus) {
    if (base.floating || plus.floating)
        return Amount{true, {}};
    if (plus.yuan.empty())
        return base;
    Amount sum;
    size_t n = std::max(base.yuan.size(), plus.yuan.size());
    for (size_t i = 0; i < n; ++i) {
        std::int64_t a = base.yuan.empty() ? 0 : base.yuan[std::min(i, base.yuan.size() - 1)];
        std::int64_t b = plus.yuan[std::min(i, plus.yuan.size() - 1)];
        sum.yuan.push_back(a + b);
    }
    return sum;
}

void AddTo(TierTotal* total, const TierWin& win) {
    total->bets += win.bets;
    if (win.perBet.floating) {
        total->floating = true;
        return;
    }
    if (win.perBet.yuan.empty())
        return;
    auto [low, high] = std::minmax_element(win.perBet.yuan.begin(), win.perBet.yuan.end());
    total->lowYuan += *low * win.bets;
    total->highYuan += *high * win.bets;
}

bool In(const std::vector<int>& values, int value) {
    return std::find(values.begin(), values.end(), value) != values.end();
}

std::string Shown(int value, bool twoDigits) {
    if (value < 0)
        return twoDigits ? "--" : "-";
    return twoDigits ? StrFormat("%02d", value) : std::to_string(value);
}

} // namespace

std::string TicketTitle(const Ticket& ticket) {
    const GameShape& shape = Game(ticket.game);
    std::string title(shape.title);
    if (shape.hasGroupPlays)
        title += " " + std::string(PlayTitle(ticket.play));
    return ticket.plus ? title + " 追加" : title;
}

void SortDraws(std::vector<Draw>* draws) {
    std::stable_sort(draws->begin(), draws->end(), [](const Draw& a, const Draw& b) {
        return IssueOrder(a.issue) < IssueOrder(b.issue);
    });
}

std::vector<Draw> SelectDraws(const std::vector<Draw>& draws, const Scope& scope) {
    switch (scope.kind) {
    case ScopeKind::All:
        return draws;
    case ScopeKind::Issue: {
        std::vector<Draw> found;
        std::int64_t wanted = IssueOrder(scope.issue);
        for (const Draw& draw : draws) {
            if (wanted >= 0 && IssueOrder(draw.issue) == wanted)
                found.push_back(draw);
        }
        return found;
    }
    case ScopeKind::Last:
    case ScopeKind::Newest:
        break;
    }
    size_t last =
        scope.kind == ScopeKind::Newest ? 1 : static_cast<size_t>(std::max(scope.last, 0));
    last = std::min(last, draws.size());
    return std::vector<Draw>(draws.end() - static_cast<std::ptrdiff_t>(last), draws.end());
}

Result<CheckReport> CheckTicket(const PrizeRules& rules, const Ticket& ticket,
                                const std::vector<Draw>& draws) {
    const GameRules& game = rules.For(ticket.game);
    if (!game.present || game.versions.empty())
        return Fail("the prize rules hold nothing for " + std::string(Game(ticket.game).code));
    CheckReport report;
    report.bets = BetCount(ticket);
    report.cost = report.bets * (ticket.plus ? game.plusPrice : game.price);
    report.overall.name = "合计";
    for (const Draw& draw : draws) {
        const RuleVersion& version = *VersionAt(game, draw.issue);
        DrawCheck check{draw, version.from, {}};
        for (const auto& [pattern, bets] : CountPatterns(ticket, version.scoring, draw.numbers)) {
            int tier = bets > 0 ? TierOf(version, pattern) : -1;
            if (tier < 0)
                continue;
            auto it = std::find_if(check.wins.begin(), check.wins.end(),
                                   [&](const TierWin& win) { return win.tier == tier; });
            if (it == check.wins.end()) {
                const Tier& rule = version.tiers[static_cast<size_t>(tier)];
                Amount perBet = ticket.plus ? WithPlus(rule.prize, rule.plus) : rule.prize;
                check.wins.push_back({tier, rule.name, 0, perBet, rule.note});
                it = check.wins.end() - 1;
            }
            it->bets += bets;
        }
        std::sort(check.wins.begin(), check.wins.end(),
                  [](const TierWin& a, const TierWin& b) { return a.tier < b.tier; });
        for (const TierWin& win : check.wins) {
            // Versions name their tiers alike; a name's place is its first
            // place in any version, which keeps 一等奖 before 二等奖.
            auto total = std::find_if(report.totals.begin(), report.totals.end(),
                                      [&](const TierTotal& t) { return t.name == win.name; });
            if (total == report.totals.end()) {
                report.totals.push_back({win.name});
                total = report.totals.end() - 1;
            }
            AddTo(&*total, win);
            AddTo(&report.overall, win);
        }
        report.draws.push_back(std::move(check));
    }
    auto rank = [&](const std::string& name) {
        for (const RuleVersion& version : game.versions) {
            for (size_t i = 0; i < version.tiers.size(); ++i) {
                if (version.tiers[i].name == name)
                    return i;
            }
        }
        return size_t{0};
    };
    std::stable_sort(
        report.totals.begin(), report.totals.end(),
        [&](const TierTotal& a, const TierTotal& b) { return rank(a.name) < rank(b.name); });
    return report;
}

std::string WinLines(const CheckReport& report) {
    std::string lines;
    for (const DrawCheck& check : report.draws) {
        for (const TierWin& win : check.wins)
            lines += check.draw.issue + "\t" + win.name + "\t" + std::to_string(win.bets) + "\t" +
                     AmountText(win.perBet) + "\n";
    }
    return lines;
}

std::string TotalText(const TierTotal& total) {
    std::string text;
    if (total.lowYuan != 0 || total.highYuan != 0 || !total.floating) {
        text = std::to_string(total.lowYuan);
        if (total.highYuan != total.lowYuan)
            text += "/" + std::to_string(total.highYuan);
        text += " 元";
    }
    if (total.floating)
        text += text.empty() ? "浮动" : " + 浮动";
    return text;
}

std::string SummaryText(const Ticket& ticket, const CheckReport& report) {
    std::string text = StrFormat("%s: %lld 注, 每期 %lld 元; 查了 %zu 期\n",
                                 TicketTitle(ticket).c_str(), static_cast<long long>(report.bets),
                                 static_cast<long long>(report.cost), report.draws.size());
    if (report.totals.empty())
        return text + "没有中奖\n";
    for (const TierTotal& total : report.totals)
        text += StrFormat("%s: %lld 注, %s\n", total.name.c_str(),
                          static_cast<long long>(total.bets), TotalText(total).c_str());
    text +=
        StrFormat("%s: %lld 注, %s\n", report.overall.name.c_str(),
                  static_cast<long long>(report.overall.bets), TotalText(report.overall).c_str());
    return text;
}

std::string MarkedNumbers(const Ticket& ticket, const Draw& draw) {
    const GameShape& shape = Game(ticket.game);
    bool twoDigits = !shape.positional;
    auto mark = [&](int value, bool hit) {
        std::string shown = Shown(value, twoDigits);
        return hit ? "[" + shown + "]" : shown;
    };
    auto zoneHolds = [&](size_t zone, int value) {
        if (zone >= ticket.zones.size())
            return false;
        return In(ticket.zones[zone].bankers, value) || In(ticket.zones[zone].others, value);
    };
    std::string text;
    const std::vector<int>& main = draw.numbers.main;
    for (size_t i = 0; i < main.size(); ++i) {
        bool hit = ticket.play != Play::Direct ? zoneHolds(0, main[i])
                   : shape.positional          ? zoneHolds(i, main[i])
                                               : zoneHolds(0, main[i]);
        if (i > 0)
            text += shape.positional && static_cast<int>(i) == shape.zonesBeforePlus &&
                            shape.zonesBeforePlus < static_cast<int>(shape.zones.size())
                        ? " + "
                        : " ";
        text += mark(main[i], hit);
    }
    for (size_t i = 0; i < draw.numbers.extra.size(); ++i) {
        // 七乐彩's special number is scored against the one zone.
        size_t zone = ticket.game == LotteryKind::SevenLc ? 0 : 1;
        text += (i == 0 ? " + " : " ") +
                mark(draw.numbers.extra[i], zoneHolds(zone, draw.numbers.extra[i]));
    }
    return text;
}

std::string TicketHits(const Ticket& ticket, const Draw& draw) {
    const GameShape& shape = Game(ticket.game);
    const DrawNumbers& numbers = draw.numbers;
    auto held = [&](size_t zone, const std::vector<int>& drawn) {
        int hits = 0;
        if (zone >= ticket.zones.size())
            return hits;
        for (const std::vector<int>* values :
             {&ticket.zones[zone].bankers, &ticket.zones[zone].others})
            for (int value : *values)
                hits += In(drawn, value) ? 1 : 0;
        return hits;
    };
    if (ticket.play != Play::Direct)
        return std::to_string(held(0, numbers.main));
    if (!shape.positional) {
        if (ticket.game == LotteryKind::SevenLc)
            return StrFormat("%d+%d", held(0, numbers.main), held(0, numbers.extra));
        if (ticket.zones.size() == 1)
            return std::to_string(held(0, numbers.main));
        return StrFormat("%d+%d", held(0, numbers.main), held(1, numbers.extra));
    }
    int front = 0, back = 0;
    for (size_t p = 0; p < ticket.zones.size() && p < numbers.main.size(); ++p) {
        bool hit = In(ticket.zones[p].others, numbers.main[p]);
        (static_cast<int>(p) < shape.zonesBeforePlus ? front : back) += hit ? 1 : 0;
    }
    return shape.zonesBeforePlus < static_cast<int>(shape.zones.size())
               ? StrFormat("%d+%d", front, back)
               : std::to_string(front);
}

std::string ReportText(const Ticket& ticket, const CheckReport& report) {
    std::string text = TicketTitle(ticket) + ": " + TicketText(ticket) + "\n";
    for (const DrawCheck& check : report.draws) {
        text +=
            check.draw.issue + "  " + check.draw.date + "  " + MarkedNumbers(ticket, check.draw);
        text += "  命中 " + TicketHits(ticket, check.draw);
        if (check.wins.empty())
            text += "  未中奖";
        text += "\n";
        for (const TierWin& win : check.wins) {
            text += StrFormat("    %s %lld 注, 每注 %s 元", win.name.c_str(),
                              static_cast<long long>(win.bets), AmountText(win.perBet).c_str());
            if (!win.note.empty())
                text += " (" + win.note + ")";
            text += "\n";
        }
    }
    return text + SummaryText(ticket, report);
}

} // namespace veltrix::prize
