#pragma once
// Telling a feed's real answer from what a server sends when it will not
// answer: a redirect or block page in HTML, an empty body, a gzipped body
// nobody unpacked, or JSON cut short. The reasons are written for the update
// summary, so they say what came instead of what was wanted.

#include <string>
#include <string_view>

namespace veltrix {

// Why `body` cannot be the JSON or XML a feed promises, judged from its first
// bytes; empty when it may be. `expected` names the format ("JSON", "XML").
std::string DescribeUnexpectedBody(std::string_view body, std::string_view expected);

// The text of an HTML page's <title>, or its first 40 bytes when it has none.
std::string HtmlPageTitle(std::string_view body);

} // namespace veltrix
