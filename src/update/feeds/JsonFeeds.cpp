#include "update/feeds/JsonFeeds.h"

#include "update/feeds/FeedAnswer.h"

#include <nlohmann/json.hpp>

namespace veltrix {
namespace {

using nlohmann::json;

// A member as text: strings as they are, numbers written out, anything else
// (missing, null, {} for "no value") empty.
std::string Text(const json& object, const char* key) {
    auto it = object.find(key);
    if (it == object.end())
        return {};
    if (it->is_string())
        return it->get<std::string>();
    if (it->is_number_integer())
        return std::to_string(it->get<long long>());
    return {};
}

int PageCount(const json& object, const char* key) {
    auto it = object.find(key);
    if (it != object.end() && it->is_number_integer()) {
        long long pages = it->get<long long>();
        if (pages >= 1 && pages <= 100000)
            return static_cast<int>(pages);
    }
    return 1;
}

// Parses the body as a JSON object, or says why it is none.
Result<json> ParseObject(std::string_view body) {
    std::string unexpected = DescribeUnexpectedBody(body, "JSON");
    if (!unexpected.empty())
        return Fail(unexpected);
    json parsed = json::parse(body.begin(), body.end(), nullptr, false);
    if (parsed.is_discarded())
        return Fail(std::string("JSON that is cut short or malformed (") +
                    std::to_string(body.size()) + " bytes)");
    if (!parsed.is_object())
        return Fail("JSON that is not an object");
    return parsed;
}

// One draw from its three texts; `numbers` already split into zones.
Status MakeDraw(LotteryKind kind, std::string_view issueText, std::string_view dateText,
                std::vector<int> numbers, FeedPage* page) {
    std::optional<std::string> issue = NormalizeFeedIssue(kind, issueText);
    if (!issue)
        return Fail(std::string("an issue \"") + std::string(issueText) +
                    "\" that is not one of the game's");
    std::optional<std::string> date = FeedDateOnly(dateText);
    if (!date)
        return Fail(FeedDrawError(*issue, std::string("the date \"") + std::string(dateText) +
                                              "\" is no date"));
    FeedDraw draw{*issue, *date, std::move(numbers)};
    if (Status checked = CheckFeedDraw(kind, &draw); !checked)
        return checked;
    page->draws.push_back(std::move(draw));
    return Status::Ok();
}

} // namespace

Result<FeedPage> ParseCwlNotices(LotteryKind kind, std::string_view body) {
    Result<json> root = ParseObject(body);
    if (!root)
        return Fail(root.error());
    std::string state = Text(*root, "state");
    if (state != "0")
        return Fail("the feed refused: state " + (state.empty() ? "missing" : state) + " \"" +
                    Text(*root, "message") + "\"");
    auto result = root->find("result");
    if (result == root->end() || !result->is_array() || result->empty())
        return Fail("an empty draw list");
    FeedPage page;
    page.pageCount = PageCount(*root, "pageNum");
    DrawShape shape = FeedDrawShape(kind);
    for (const json& item : *result) {
        if (!item.is_object())
            return Fail("a draw list holding something other than draws");
        std::string issue = Text(item, "code");
        std::optional<std::vector<int>> main = ParseFeedNumbers(Text(item, "red"), ",");
        std::optional<std::vector<int>> back;
        if (shape.backCount > 0)
            back = ParseFeedNumbers(Text(item, "blue"), ",");
        else
            back.emplace();
        if (!main || !back)
            return Fail(FeedDrawError(issue, std::string("numbers \"") + Text(item, "red") +
                                                 "\" + \"" + Text(item, "blue") +
                                                 "\" are not a number list"));
        if (main->size() != static_cast<size_t>(shape.mainCount) ||
            back->size() != static_cast<size_t>(shape.backCount))
            return Fail(FeedDrawError(issue, std::string("numbers \"") + Text(item, "red") +
                                                 "\" + \"" + Text(item, "blue") + "\" are not " +
                                                 std::to_string(shape.mainCount) + " + " +
                                                 std::to_string(shape.backCount)));
        main->insert(main->end(), back->begin(), back->end());
        if (Status made = MakeDraw(kind, issue, Text(item, "date"), std::move(*main), &page); !made)
            return Fail(made.error());
    }
    return page;
}

Result<FeedPage> ParseSportteryHistory(LotteryKind kind, std::string_view body) {
    Result<json> root = ParseObject(body);
    if (!root)
        return Fail(root.error());
    auto success = root->find("success");
    std::string code = Text(*root, "errorCode");
    if (success == root->end() || !success->is_boolean() || !success->get<bool>() || code != "0")
        return Fail("the feed refused: error " + (code.empty() ? "missing" : code) + " \"" +
                    Text(*root, "errorMessage") + "\"");
    auto value = root->find("value");
    if (value == root->end() || !value->is_object())
        return Fail("an answer without its \"value\"");
    auto list = value->find("list");
    if (list == value->end() || !list->is_array() || list->empty())
        return Fail("an empty draw list");
    FeedPage page;
    page.pageCount = PageCount(*value, "pages");
    for (const json& item : *list) {
        if (!item.is_object())
            return Fail("a draw list holding something other than draws");
        std::string issue = Text(item, "lotteryDrawNum");
        std::string result = Text(item, "lotteryDrawResult");
        std::optional<std::vector<int>> numbers = ParseFeedNumbers(result, " ");
        if (!numbers)
            return Fail(FeedDrawError(issue, "numbers \"" + result + "\" are not a number list"));
        Status made =
            MakeDraw(kind, issue, Text(item, "lotteryDrawTime"), std::move(*numbers), &page);
        if (!made)
            return Fail(made.error());
    }
    return page;
}

} // namespace veltrix
