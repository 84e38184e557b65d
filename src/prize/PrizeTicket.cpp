#include "prize/PrizeTicket.h"

#include "common/Strings.h"

#include <algorithm>

namespace veltrix::prize {
namespace {

enum class TokenKind { Number, Open, Close, Plus, Comma };

struct Token {
    TokenKind kind;
    int value = 0;
    std::string text;
};

bool Fail(TicketError* error, TicketProblem problem, std::string message) {
    error->problem = problem;
    error->message = std::move(message);
    return false;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Splits the text into numbers and the marks "(", ")", "+", ",". Blanks only
// separate. A word of anything else is named whole in the message, so a
// stray multi-byte character is shown as the player typed it.
bool Tokenize(std::string_view text, std::vector<Token>* tokens, TicketError* error) {
    size_t i = 0;
    while (i < text.size()) {
        char c = text[i];
        if (IsBlank(c)) {
            ++i;
        } else if (IsAsciiDigit(c)) {
            size_t start = i;
            while (i < text.size() && IsAsciiDigit(text[i]))
                ++i;
            std::string digits(text.substr(start, i - start));
            // More than three digits is out of every range; keep it from overflowing.
            int value = digits.size() > 3 ? 1000 : std::stoi(digits);
            tokens->push_back({TokenKind::Number, value, digits});
        } else if (c == '(' || c == ')' || c == '+' || c == ',') {
            TokenKind kind = c == '('   ? TokenKind::Open
                             : c == ')' ? TokenKind::Close
                             : c == '+' ? TokenKind::Plus
                                        : TokenKind::Comma;
            tokens->push_back({kind, 0, std::string(1, c)});
            ++i;
        } else {
            size_t start = i;
            while (i < text.size() && !IsBlank(text[i]))
                ++i;
            std::string_view word = text.substr(start, i - start);
            return Fail(error, TicketProblem::Syntax,
                        StrFormat("无法识别 \"%.*s\"", int(word.size()), word.data()));
        }
    }
    return true;
}

// The tokens between the "+" marks.
std::vector<std::vector<Token>> SplitAtPlus(const std::vector<Token>& tokens) {
    std::vector<std::vector<Token>> segments(1);
    for (const Token& token : tokens) {
        if (token.kind == TokenKind::Plus)
            segments.emplace_back();
        else
            segments.back().push_back(token);
    }
    return segments;
}

std::string Number(int value, bool twoDigits) {
    return twoDigits ? StrFormat("%02d", value) : std::to_string(value);
}

bool CheckNumbers(const ZoneShape& shape, bool twoDigits, TicketZone* zone, TicketError* error) {
    std::vector<int> all = zone->bankers;
    all.insert(all.end(), zone->others.begin(), zone->others.end());
    for (int value : all) {
        if (value < shape.low || value > shape.high)
            return Fail(error, TicketProblem::OutOfRange,
                        StrFormat("%.*s的号码 %s 超出范围 %s..%s", int(shape.name.size()),
                                  shape.name.data(),
                                  value >= 1000 ? "(过长)" : Number(value, twoDigits).c_str(),
                                  Number(shape.low, twoDigits).c_str(),
                                  Number(shape.high, twoDigits).c_str()));
    }
    std::sort(all.begin(), all.end());
    auto twice = std::adjacent_find(all.begin(), all.end());
    if (twice != all.end())
        return Fail(error, TicketProblem::Duplicate,
                    StrFormat("%.*s的号码 %s 出现了两次", int(shape.name.size()), shape.name.data(),
                              Number(*twice, twoDigits).c_str()));
    std::sort(zone->bankers.begin(), zone->bankers.end());
    std::sort(zone->others.begin(), zone->others.end());
    return true;
}

std::string_view ZoneName(const ZoneShape& shape) {
    return shape.name;
}

bool ParsePoolZone(const ZoneShape& shape, const std::vector<Token>& tokens, TicketZone* zone,
                   TicketError* error) {
    std::string_view name = ZoneName(shape);
    size_t i = 0;
    if (!tokens.empty() && tokens[0].kind == TokenKind::Open) {
        if (shape.maxBankers == 0)
            return Fail(error, TicketProblem::BankersNotAllowed,
                        StrFormat("%.*s不能设胆码", int(name.size()), name.data()));
        for (i = 1; i < tokens.size() && tokens[i].kind == TokenKind::Number; ++i)
            zone->bankers.push_back(tokens[i].value);
        if (i == tokens.size() || tokens[i].kind != TokenKind::Close)
            return Fail(error, TicketProblem::Syntax,
                        StrFormat("%.*s的胆码缺少右括号", int(name.size()), name.data()));
        if (zone->bankers.empty())
            return Fail(error, TicketProblem::Syntax,
                        StrFormat("%.*s的括号里没有胆码", int(name.size()), name.data()));
        ++i;
    }
    for (; i < tokens.size(); ++i) {
        if (tokens[i].kind != TokenKind::Number)
            return Fail(error, TicketProblem::Syntax,
                        StrFormat("%.*s里多了 \"%s\"：号码用空格分开，胆码写在区开头的括号里",
                                  int(name.size()), name.data(), tokens[i].text.c_str()));
        zone->others.push_back(tokens[i].value);
    }
    if (!CheckNumbers(shape, true, zone, error))
        return false;
    int bankers = static_cast<int>(zone->bankers.size());
    if (bankers > shape.maxBankers)
        return Fail(error, TicketProblem::TooManyBankers,
                    StrFormat("%.*s最多设 %d 个胆码（一注选 %d 个号码）", int(name.size()),
                              name.data(), shape.maxBankers, shape.pick));
    if (bankers + static_cast<int>(zone->others.size()) < shape.pick)
        return Fail(error, TicketProblem::TooFew,
                    StrFormat("%.*s至少要 %d 个号码", int(name.size()), name.data(), shape.pick));
    return true;
}

// One segment of positional groups: "1,2 3 4,5,6".
bool ParsePositions(std::span<const ZoneShape> shapes, const std::vector<Token>& tokens,
                    std::vector<TicketZone>* zones, TicketError* error) {
    std::vector<TicketZone> groups;
    bool afterComma = false;
    for (const Token& token : tokens) {
        if (token.kind == TokenKind::Open || token.kind == TokenKind::Close)
            return Fail(error, TicketProblem::BankersNotAllowed, "这个游戏没有胆码");
        if (token.kind == TokenKind::Comma) {
            if (groups.empty() || afterComma)
                return Fail(error, TicketProblem::Syntax, "逗号前缺少数字");
            afterComma = true;
            continue;
        }
        if (groups.empty() || !afterComma)
            groups.emplace_back();
        groups.back().others.push_back(token.value);
        afterComma = false;
    }
    if (afterComma)
        return Fail(error, TicketProblem::Syntax, "逗号后缺少数字");
    if (groups.size() != shapes.size())
        return Fail(error,
                    groups.size() < shapes.size() ? TicketProblem::TooFew : TicketProblem::Syntax,
                    StrFormat("要 %zu 组数字（每位一组，同一位的数字用逗号分开），这里有 %zu 组",
                              shapes.size(), groups.size()));
    for (size_t i = 0; i < groups.size(); ++i) {
        if (!CheckNumbers(shapes[i], false, &groups[i], error))
            return false;
        zones->push_back(std::move(groups[i]));
    }
    return true;
}

bool ParseGroup(Play play, const std::vector<Token>& tokens, Ticket* ticket, TicketError* error) {
    TicketZone zone;
    for (const Token& token : tokens) {
        if (token.kind != TokenKind::Number)
            return Fail(error, TicketProblem::Syntax,
                        StrFormat("组选的数字用空格分开，不要 \"%s\"", token.text.c_str()));
        zone.others.push_back(token.value);
    }
    std::vector<int>& digits = zone.others;
    for (int digit : digits) {
        if (digit > 9)
            return Fail(error, TicketProblem::OutOfRange,
                        StrFormat("组选的数字 %s 超出范围 0..9",
                                  digit >= 1000 ? "(过长)" : std::to_string(digit).c_str()));
    }
    std::sort(digits.begin(), digits.end());
    bool distinct = std::adjacent_find(digits.begin(), digits.end()) == digits.end();
    if (play == Play::Group3 && digits.size() == 3 && !distinct && digits[0] != digits[2]) {
        ticket->pairBet = true; // "1 1 8": the one bet itself
    } else if (!distinct) {
        return Fail(error, TicketProblem::Duplicate,
                    play == Play::Group3 ? "组选三写一注（如 1 1 8）或几个不同的数字（组三复式）"
                                         : "组选六的数字不能重复");
    }
    size_t needed = play == Play::Group3 ? 2 : 3;
    if (digits.size() < needed)
        return Fail(
            error, TicketProblem::TooFew,
            StrFormat("%s至少要 %zu 个不同的数字", std::string(PlayTitle(play)).c_str(), needed));
    ticket->zones.push_back(std::move(zone));
    return true;
}

} // namespace

std::int64_t Choose(int n, int k) {
    if (k < 0 || n < 0 || k > n)
        return 0;
    std::int64_t result = 1;
    for (int i = 1; i <= k; ++i)
        result = result * (n - k + i) / i;
    return result;
}

bool ParseTicket(LotteryKind game, Play play, bool plus, std::string_view text, Ticket* ticket,
                 TicketError* error) {
    const GameShape& shape = Game(game);
    *ticket = Ticket{};
    ticket->game = game;
    ticket->play = play;
    ticket->plus = plus;
    if (play != Play::Direct && !shape.hasGroupPlays)
        return Fail(error, TicketProblem::PlayNotInGame,
                    StrFormat("%.*s没有%s玩法", int(shape.title.size()), shape.title.data(),
                              std::string(PlayTitle(play)).c_str()));
    if (plus && !shape.hasPlus)
        return Fail(error, TicketProblem::PlayNotInGame,
                    StrFormat("%.*s没有追加", int(shape.title.size()), shape.title.data()));
    std::vector<Token> tokens;
    if (!Tokenize(text, &tokens, error))
        return false;
    if (tokens.empty())
        return Fail(error, TicketProblem::TooFew, "没有号码");
    if (play != Play::Direct)
        return ParseGroup(play, tokens, ticket, error);

    std::vector<std::vector<Token>> segments = SplitAtPlus(tokens);
    bool hasPlusMark = shape.zonesBeforePlus < static_cast<int>(shape.zones.size());
    if (!hasPlusMark && segments.size() > 1)
        return Fail(
            error, TicketProblem::Syntax,
            StrFormat("%.*s的号码不分区，不要 \"+\"", int(shape.title.size()), shape.title.data()));
    if (hasPlusMark && segments.size() != 2)
        return Fail(error, segments.size() < 2 ? TicketProblem::TooFew : TicketProblem::Syntax,
                    segments.size() < 2 ? "缺少 \"+\" 和它后面的号码" : "只能有一个 \"+\"");

    std::span<const ZoneShape> front = shape.zones.first(shape.zonesBeforePlus);
    std::span<const ZoneShape> back = shape.zones.subspan(shape.zonesBeforePlus);
    if (shape.positional) {
        if (!ParsePositions(front, segments[0], &ticket->zones, error))
            return false;
        return !hasPlusMark || ParsePositions(back, segments[1], &ticket->zones, error);
    }
    for (size_t i = 0; i < shape.zones.size(); ++i) {
        TicketZone zone;
        if (!ParsePoolZone(shape.zones[i], segments[i], &zone, error))
            return false;
        ticket->zones.push_back(std::move(zone));
    }
    return true;
}

std::int64_t BetCount(const Ticket& ticket) {
    if (ticket.zones.empty())
        return 0;
    if (ticket.play != Play::Direct) {
        int n = static_cast<int>(ticket.zones[0].others.size());
        if (ticket.pairBet)
            return 1;
        return ticket.play == Play::Group3 ? std::int64_t{n} * (n - 1) : Choose(n, 3);
    }
    const GameShape& shape = Game(ticket.game);
    std::int64_t bets = 1;
    for (size_t i = 0; i < ticket.zones.size(); ++i) {
        const TicketZone& zone = ticket.zones[i];
        int need = shape.zones[i].pick - static_cast<int>(zone.bankers.size());
        bets *= Choose(static_cast<int>(zone.others.size()), need);
    }
    return bets;
}

std::string TicketText(const Ticket& ticket) {
    const GameShape& shape = Game(ticket.game);
    auto numbers = [&](const std::vector<int>& values, const char* separator) {
        std::string text;
        for (int value : values) {
            if (!text.empty())
                text += separator;
            text += Number(value, !shape.positional);
        }
        return text;
    };
    if (ticket.play != Play::Direct)
        return numbers(ticket.zones.empty() ? std::vector<int>{} : ticket.zones[0].others, " ");
    std::string text;
    for (size_t i = 0; i < ticket.zones.size(); ++i) {
        if (i > 0)
            text += static_cast<int>(i) == shape.zonesBeforePlus ? " + " : " ";
        const TicketZone& zone = ticket.zones[i];
        if (!zone.bankers.empty()) {
            text += '(';
            text += numbers(zone.bankers, " ");
            text += zone.others.empty() ? ")" : ") ";
        }
        text += numbers(zone.others, shape.positional ? "," : " ");
    }
    return text;
}

} // namespace veltrix::prize
