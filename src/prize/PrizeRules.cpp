#include "prize/PrizeRules.h"

#include "common/FileIO.h"
#include "common/Strings.h"
#include "prize/PrizeGames.h"

#include <algorithm>
#include <nlohmann/json.hpp>

namespace veltrix::prize {
namespace {

using Json = nlohmann::json;

// Thrown inside the loader only, caught at its boundary with the place named.
struct RulesProblem {
    std::string message;
};

[[noreturn]] void Problem(const std::string& where, const std::string& what) {
    throw RulesProblem{where + ": " + what};
}

const Json& Member(const Json& object, const char* name, const std::string& where) {
    auto it = object.find(name);
    if (it == object.end())
        Problem(where, std::string("\"") + name + "\" is missing");
    return *it;
}

std::int64_t PositiveYuan(const Json& value, const std::string& where) {
    if (!value.is_number_integer() || value.get<std::int64_t>() < 0 ||
        value.get<std::int64_t>() > 1'000'000'000)
        Problem(where, "an amount is a whole number of yuan from 0 to 1000000000");
    return value.get<std::int64_t>();
}

// "浮动", a number, or a list of numbers.
Amount ParseAmount(const Json& value, const std::string& where) {
    Amount amount;
    if (value.is_string()) {
        if (value.get<std::string>() != "浮动")
            Problem(where, "a text amount can only be \"浮动\"");
        amount.floating = true;
    } else if (value.is_array()) {
        if (value.empty())
            Problem(where, "an amount list is empty");
        for (const Json& item : value)
            amount.yuan.push_back(PositiveYuan(item, where));
    } else {
        amount.yuan.push_back(PositiveYuan(value, where));
    }
    return amount;
}

// The number of "+"-joined parts a pattern has under a scoring.
size_t PatternParts(const GameShape& shape, Scoring scoring) {
    switch (scoring) {
    case Scoring::Runs:
        return 1;
    case Scoring::Positions:
        return shape.zonesBeforePlus < static_cast<int>(shape.zones.size()) ? 2 : 1;
    case Scoring::Pool:
        break;
    }
    // One part per zone, and one more for 七乐彩's special number.
    return shape.zones.size() + (shape.kind == LotteryKind::SevenLc ? 1 : 0);
}

bool PatternFits(const GameShape& shape, Scoring scoring, const std::string& pattern) {
    if (pattern == "group3" || pattern == "group6")
        return shape.hasGroupPlays;
    size_t parts = 1;
    bool digitBefore = false;
    for (char c : pattern) {
        if (c == '+') {
            if (!digitBefore)
                return false;
            ++parts;
            digitBefore = false;
        } else if (IsAsciiDigit(c)) {
            digitBefore = true;
        } else {
            return false;
        }
    }
    return digitBefore && parts == PatternParts(shape, scoring);
}

Scoring ParseScoring(const Json& value, const std::string& where) {
    std::string text = value.is_string() ? value.get<std::string>() : "";
    if (text == "pool")
        return Scoring::Pool;
    if (text == "positions")
        return Scoring::Positions;
    if (text == "runs")
        return Scoring::Runs;
    Problem(where, "\"scoring\" is one of \"pool\", \"positions\", \"runs\"");
}

Tier ParseTier(const GameShape& shape, Scoring scoring, const Json& value,
               const std::string& where) {
    Tier tier;
    const Json& name = Member(value, "name", where);
    if (!name.is_string() || name.get<std::string>().empty())
        Problem(where, "\"name\" is a text");
    tier.name = name.get<std::string>();
    std::string here = where + " " + tier.name;
    const Json& wins = Member(value, "wins", here);
    if (!wins.is_array() || wins.empty())
        Problem(here, "\"wins\" is a list of hit patterns");
    for (const Json& pattern : wins) {
        if (!pattern.is_string() || !PatternFits(shape, scoring, pattern.get<std::string>()))
            Problem(here, std::string("\"") +
                              (pattern.is_string() ? pattern.get<std::string>() : pattern.dump()) +
                              "\" is not a hit pattern of this game");
        tier.wins.push_back(pattern.get<std::string>());
    }
    tier.prize = ParseAmount(Member(value, "prize", here), here);
    if (auto plus = value.find("plus"); plus != value.end()) {
        tier.plus = ParseAmount(*plus, here + " plus");
        size_t base = tier.prize.yuan.size(), extra = tier.plus.yuan.size();
        if (base > 1 && extra > 1 && base != extra)
            Problem(here, "\"plus\" lists as many amounts as \"prize\", or one");
    }
    if (auto note = value.find("note"); note != value.end() && note->is_string())
        tier.note = note->get<std::string>();
    return tier;
}

RuleVersion ParseVersion(const GameShape& shape, const Json& value, const std::string& where) {
    RuleVersion version;
    const Json& from = Member(value, "from", where);
    if (!from.is_string() || IssueOrder(from.get<std::string>()) < 0)
        Problem(where, "\"from\" is an issue such as \"19019\"");
    version.from = from.get<std::string>();
    version.fromOrder = IssueOrder(version.from);
    std::string here = where + " from " + version.from;
    version.scoring = ParseScoring(Member(value, "scoring", here), here);
    if ((version.scoring == Scoring::Pool) == shape.positional)
        Problem(here, shape.positional ? "a positional game is scored by \"positions\" or \"runs\""
                                       : "a pool game is scored by \"pool\"");
    const Json& tiers = Member(value, "tiers", here);
    if (!tiers.is_array() || tiers.empty())
        Problem(here, "\"tiers\" is a list");
    for (const Json& tier : tiers)
        version.tiers.push_back(ParseTier(shape, version.scoring, tier, here));
    // A bet wins only its highest tier, so a pattern belongs to one tier.
    std::vector<std::string> seen;
    for (const Tier& tier : version.tiers) {
        for (const std::string& pattern : tier.wins) {
            if (std::find(seen.begin(), seen.end(), pattern) != seen.end())
                Problem(here, "\"" + pattern + "\" wins two tiers");
            seen.push_back(pattern);
        }
    }
    return version;
}

void ParseGame(const Json& value, PrizeRules* rules) {
    const Json& code = Member(value, "game", "a game");
    std::optional<LotteryKind> kind =
        code.is_string() ? FindLotteryByCode(code.get<std::string>()) : std::nullopt;
    if (!kind)
        Problem("game " + code.dump(), "not one of the eight games");
    const GameShape& shape = Game(*kind);
    std::string where(shape.code);
    GameRules& game = rules->games[static_cast<size_t>(*kind)];
    if (game.present)
        Problem(where, "the game is listed twice");
    game.present = true;
    game.price = PositiveYuan(Member(value, "price", where), where);
    if (auto plus = value.find("plusPrice"); plus != value.end())
        game.plusPrice = PositiveYuan(*plus, where);
    const Json& versions = Member(value, "versions", where);
    if (!versions.is_array() || versions.empty())
        Problem(where, "\"versions\" is a list");
    for (const Json& version : versions) {
        game.versions.push_back(ParseVersion(shape, version, where));
        if (game.versions.size() > 1 &&
            game.versions.back().fromOrder <= game.versions[game.versions.size() - 2].fromOrder)
            Problem(where, "the versions are not in the order of their first issues");
    }
}

} // namespace

Result<PrizeRules> ParsePrizeRules(std::string_view text) {
    PrizeRules rules;
    try {
        Json root = Json::parse(text.begin(), text.end(), nullptr, true, true);
        const Json& games = Member(root, "games", "the rules");
        if (!games.is_array())
            Problem("the rules", "\"games\" is a list");
        for (const Json& game : games)
            ParseGame(game, &rules);
        return rules;
    } catch (const RulesProblem& problem) {
        return Fail(problem.message);
    } catch (const Json::exception& exception) {
        return Fail(exception.what());
    }
}

Result<PrizeRules> LoadPrizeRulesFile(const std::string& path) {
    Result<std::string> text = ReadFileBytes(path);
    if (!text)
        return Fail("cannot read the prize rules " + path + ": " + text.error());
    Result<PrizeRules> rules = ParsePrizeRules(*text);
    if (!rules)
        return Fail(path + ": " + rules.error());
    return rules;
}

std::int64_t IssueOrder(std::string_view issue) {
    size_t digits = 0;
    while (digits < issue.size() && digits < 12 && IsAsciiDigit(issue[digits]))
        ++digits;
    if (digits == 0)
        return -1;
    std::int64_t value = 0;
    for (size_t i = 0; i < digits; ++i)
        value = value * 10 + (issue[i] - '0');
    // Two-digit years belong to this century.
    return digits == 5 ? 2'000'000 + value : value;
}

const RuleVersion* VersionAt(const GameRules& rules, std::string_view issue) {
    if (rules.versions.empty())
        return nullptr;
    std::int64_t order = IssueOrder(issue);
    const RuleVersion* found = &rules.versions.front();
    for (const RuleVersion& version : rules.versions) {
        if (version.fromOrder <= order)
            found = &version;
    }
    return found;
}

int TierOf(const RuleVersion& version, std::string_view pattern) {
    for (size_t i = 0; i < version.tiers.size(); ++i) {
        const std::vector<std::string>& wins = version.tiers[i].wins;
        if (std::find(wins.begin(), wins.end(), pattern) != wins.end())
            return static_cast<int>(i);
    }
    return -1;
}

std::string AmountText(const Amount& amount) {
    if (amount.floating)
        return "浮动";
    std::string text;
    for (std::int64_t yuan : amount.yuan) {
        if (!text.empty())
            text += "/";
        text += std::to_string(yuan);
    }
    return text.empty() ? "0" : text;
}

} // namespace veltrix::prize
