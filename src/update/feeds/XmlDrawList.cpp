#include "update/feeds/XmlDrawList.h"

#include "update/feeds/FeedAnswer.h"

#include <pugixml.hpp>

namespace veltrix {
namespace {

// The numbers of `opencode` in column order, or none when the zones do not
// hold the game's counts.
std::optional<std::vector<int>> ReadOpenCode(std::string_view code, DrawShape shape) {
    size_t bar = code.find('|');
    if (bar == std::string_view::npos) {
        // A game without a back zone, or 七星彩, whose seventh number
        // follows the others without a bar.
        return ParseFeedNumbers(code, ",");
    }
    std::optional<std::vector<int>> main = ParseFeedNumbers(code.substr(0, bar), ",");
    std::optional<std::vector<int>> back = ParseFeedNumbers(code.substr(bar + 1), ",");
    if (!main || !back || main->size() != static_cast<size_t>(shape.mainCount) ||
        back->size() != static_cast<size_t>(shape.backCount))
        return std::nullopt;
    main->insert(main->end(), back->begin(), back->end());
    return main;
}

// Every element named "row", in document order.
struct RowCollector : pugi::xml_tree_walker {
    std::vector<pugi::xml_node> rows;
    bool for_each(pugi::xml_node& node) override {
        if (node.type() == pugi::node_element && std::string_view(node.name()) == "row")
            rows.push_back(node);
        return true;
    }
};

std::string Trimmed(const char* text) {
    std::string_view view(text);
    while (!view.empty() && (view.front() == ' ' || view.front() == '\t' || view.front() == '\r' ||
                             view.front() == '\n'))
        view.remove_prefix(1);
    while (!view.empty() && (view.back() == ' ' || view.back() == '\t' || view.back() == '\r' ||
                             view.back() == '\n'))
        view.remove_suffix(1);
    return std::string(view);
}

} // namespace

Result<FeedPage> ParseDrawListXml(LotteryKind kind, std::string_view body) {
    std::string unexpected = DescribeUnexpectedBody(body, "XML");
    if (!unexpected.empty())
        return Fail(unexpected);
    pugi::xml_document document;
    // The attributes read are ASCII, so the bytes are taken as UTF-8 whatever
    // the declaration says (GB2312 and GBK agree with ASCII); a UTF-16 body
    // is recognised by its first bytes.
    pugi::xml_parse_result parsed =
        document.load_buffer(body.data(), body.size(), pugi::parse_default, pugi::encoding_auto);
    if (!parsed)
        return Fail(std::string("XML that is cut short or malformed (") + parsed.description() +
                    " at byte " + std::to_string(parsed.offset) + ")");
    DrawShape shape = FeedDrawShape(kind);
    RowCollector collector;
    document.traverse(collector);
    FeedPage page;
    for (pugi::xml_node row : collector.rows) {
        std::string issueText = Trimmed(row.attribute("expect").value());
        std::string code = Trimmed(row.attribute("opencode").value());
        std::string time = Trimmed(row.attribute("opentime").value());
        std::optional<std::string> issue = NormalizeFeedIssue(kind, issueText);
        if (!issue)
            return Fail("an issue \"" + issueText + "\" that is not one of the game's");
        std::optional<std::vector<int>> numbers = ReadOpenCode(code, shape);
        if (!numbers)
            return Fail(FeedDrawError(*issue, "numbers \"" + code + "\" are not " +
                                                  std::to_string(shape.mainCount) + " + " +
                                                  std::to_string(shape.backCount)));
        std::optional<std::string> date = FeedDateOnly(time);
        if (!date)
            return Fail(FeedDrawError(*issue, "the time \"" + time + "\" is no date"));
        FeedDraw draw{*issue, *date, std::move(*numbers)};
        if (Status checked = CheckFeedDraw(kind, &draw); !checked)
            return Fail(checked.error());
        page.draws.push_back(std::move(draw));
    }
    if (page.draws.empty())
        return Fail("an empty draw list");
    return page;
}

} // namespace veltrix
