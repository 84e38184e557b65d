#include "query/CsvExport.h"

#include "common/Strings.h"

namespace veltrix {
namespace {

void AppendField(std::string& out, std::string_view field) {
    if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
        out += field;
        return;
    }
    out += QuoteSql(field, '"'); // CSV doubles a quote as SQL does
}

void AppendRecord(std::string& out, std::string_view row) {
    size_t start = 0;
    for (;;) {
        const size_t blank = row.find(' ', start);
        AppendField(out, row.substr(start, blank - start));
        if (blank == std::string_view::npos)
            break;
        out += ',';
        start = blank + 1;
    }
    out += "\r\n";
}

} // namespace

std::string ResultTextToCsv(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    while (!text.empty()) {
        // Rows end with CR LF; a lone LF (a text typed into the box) ends one too.
        size_t end = text.find('\n');
        std::string_view row = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (row.ends_with('\r'))
            row.remove_suffix(1);
        AppendRecord(out, row);
    }
    return out;
}

} // namespace veltrix
