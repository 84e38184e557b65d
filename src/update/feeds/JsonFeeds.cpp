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
std::string ParseObject(std::string_view body, json* out) {
    std::string unexpected = DescribeUnexpectedBody(body, "JSON");
    if (!unexpected.empty())
        return unexpected;
    json parsed = json::parse(body.begin(), body.end(), nullptr, false);
    if (parsed.is_discarded())
        return std::string("JSON that is cut short or malformed (") + std::to_string(body.size()) +
               " bytes)";
    if (!parsed.is_object())
        return "JSON that is not an object";
    *out = std::move(parsed);
    return {};
}

// One draw from its three texts; `numbers` already split into zones.
std::string MakeDraw(LotteryKind kind, std::string_view issueText, std::string_view dateText,
                     std::vector<int> numbers, FeedPage* page) {
    std::optional<std::string> issue = NormalizeFeedIssue(kind, issueText);
    if (!issue)
        return std::string("an issue \"") + std::string(issueText) +
               "\" that is not one of the game's";
    std::optional<std::string> date = FeedDateOnly(dateText);
    if (!date)
        return FeedDrawError(*issue,
                             std::string("the date \"") + std::string(dateText) + "\" is no date");
    FeedDraw draw{*issue, *date, std::move(numbers)};
    std::string error = CheckFeedDraw(kind, &draw);
    if (!error.empty())
        return error;
    page->draws.push_back(std::move(draw));
    return {};
}

} // namespace

FeedPage ParseCwlNotices(LotteryKind kind, std::string_view body) {
    FeedPage page;
    json root;
    page.error = ParseObject(body, &root);
    if (!page.error.empty())
        return page;
    std::string state = Text(root, "state");
    if (state != "0") {
        page.error = "the feed refused: state " + (state.empty() ? "missing" : state) + " \"" +
                     Text(root, "message") + "\"";
        return page;
    }
    auto result = root.find("result");
    if (result == root.end() || !result->is_array() || result->empty()) {
        page.error = "an empty draw list";
        return page;
    }
    page.pageCount = PageCount(root, "pageNum");
    DrawShape shape = FeedDrawShape(kind);
    for (const json& item : *result) {
        if (!item.is_object()) {
            page.error = "a draw list holding something other than draws";
            return page;
        }
        std::string issue = Text(item, "code");
        std::optional<std::vector<int>> main = ParseFeedNumbers(Text(item, "red"), ",");
        std::optional<std::vector<int>> back;
        if (shape.backCount > 0)
            back = ParseFeedNumbers(Text(item, "blue"), ",");
        else
            back.emplace();
        if (!main || !back) {
            page.error =
                FeedDrawError(issue, std::string("numbers \"") + Text(item, "red") + "\" + \"" +
                                         Text(item, "blue") + "\" are not a number list");
            return page;
        }
        if (main->size() != static_cast<size_t>(shape.mainCount) ||
            back->size() != static_cast<size_t>(shape.backCount)) {
            page.error = FeedDrawError(issue, std::string("numbers \"") + Text(item, "red") +
                                                  "\" + \"" + Text(item, "blue") + "\" are not " +
                                                  std::to_string(shape.mainCount) + " + " +
                                                  std::to_string(shape.backCount));
            return page;
        }
        main->insert(main->end(), back->begin(), back->end());
        page.error = MakeDraw(kind, issue, Text(item, "date"), std::move(*main), &page);
        if (!page.error.empty())
            return page;
    }
    return page;
}

FeedPage ParseSportteryHistory(LotteryKind kind, std::string_view body) {
    FeedPage page;
    json root;
    page.error = ParseObject(body, &root);
    if (!page.error.empty())
        return page;
    auto success = root.find("success");
    std::string code = Text(root, "errorCode");
    if (success == root.end() || !success->is_boolean() || !success->get<bool>() || code != "0") {
        page.error = "the feed refused: error " + (code.empty() ? "missing" : code) + " \"" +
                     Text(root, "errorMessage") + "\"";
        return page;
    }
    auto value = root.find("value");
    if (value == root.end() || !value->is_object()) {
        page.error = "an answer without its \"value\"";
        return page;
    }
    auto list = value->find("list");
    if (list == value->end() || !list->is_array() || list->empty()) {
        page.error = "an empty draw list";
        return page;
    }
    page.pageCount = PageCount(*value, "pages");
    for (const json& item : *list) {
        if (!item.is_object()) {
            page.error = "a draw list holding something other than draws";
            return page;
        }
        std::string issue = Text(item, "lotteryDrawNum");
        std::string result = Text(item, "lotteryDrawResult");
        std::optional<std::vector<int>> numbers = ParseFeedNumbers(result, " ");
        if (!numbers) {
            page.error = FeedDrawError(issue, "numbers \"" + result + "\" are not a number list");
            return page;
        }
        page.error =
            MakeDraw(kind, issue, Text(item, "lotteryDrawTime"), std::move(*numbers), &page);
        if (!page.error.empty())
            return page;
    }
    return page;
}

} // namespace veltrix
