#include "update/feeds/FeedAnswer.h"

#include "common/Strings.h"

namespace veltrix {
namespace {

std::string_view SkipSpaceAndBom(std::string_view body) {
    if (body.starts_with("\xEF\xBB\xBF"))
        body.remove_prefix(3);
    while (!body.empty() && (body.front() == ' ' || body.front() == '\t' || body.front() == '\r' ||
                             body.front() == '\n'))
        body.remove_prefix(1);
    return body;
}

std::string Printable(std::string_view text) {
    std::string out;
    for (char c : text)
        out += (c == '\r' || c == '\n' || c == '\t') ? ' ' : c;
    return out;
}

} // namespace

std::string HtmlPageTitle(std::string_view body) {
    std::string lower = ToLowerAscii(body);
    size_t open = lower.find("<title>");
    if (open != std::string::npos) {
        size_t start = open + 7;
        size_t close = lower.find("</title>", start);
        if (close != std::string::npos && close - start <= 200)
            return Printable(body.substr(start, close - start));
    }
    return Printable(body.substr(0, 40));
}

std::string DescribeUnexpectedBody(std::string_view body, std::string_view expected) {
    std::string want(expected);
    if (body.empty())
        return "an empty answer instead of " + want;
    if (body.size() >= 2 && static_cast<unsigned char>(body[0]) == 0x1f &&
        static_cast<unsigned char>(body[1]) == 0x8b)
        return "a gzipped body the server did not mark as such, instead of " + want;
    std::string_view start = SkipSpaceAndBom(body);
    std::string lower = ToLowerAscii(start.substr(0, 200));
    if (lower.starts_with("<!doctype html") || lower.starts_with("<html") ||
        lower.find("<head") != std::string::npos || lower.find("<body") != std::string::npos)
        return std::string("an HTML page (\"") + HtmlPageTitle(body) + "\") instead of " + want;
    if (want == "JSON" && !start.starts_with("{") && !start.starts_with("["))
        return std::string("\"") + Printable(start.substr(0, 40)) + "\" instead of JSON";
    if (want == "XML" && !start.starts_with("<"))
        return std::string("\"") + Printable(start.substr(0, 40)) + "\" instead of XML";
    return {};
}

} // namespace veltrix
