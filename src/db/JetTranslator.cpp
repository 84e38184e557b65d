// Placeholder translation until the full dialect layer lands: quotes table
// names that begin with a digit and turns a leading "select top N" into LIMIT.
#include "db/JetDialect.h"

#include <cctype>
#include <regex>

namespace veltrix {

JetTranslation TranslateJetSql(std::string_view jetSql, const JetSchema*) {
    std::string sql(jetSql);
    sql = std::regex_replace(sql, std::regex(R"(\b([0-9]+[A-Za-z_][A-Za-z0-9_]*)\b)"), "\"$1\"");
    std::smatch match;
    std::regex top(R"(^\s*select\s+top\s+([0-9]+)\s+)", std::regex::icase);
    if (std::regex_search(sql, match, top)) {
        std::string limit = match[1];
        sql = "select " + match.suffix().str();
        while (!sql.empty() && (sql.back() == ';' || std::isspace(static_cast<unsigned char>(sql.back()))))
            sql.pop_back();
        sql += " LIMIT " + limit;
    }
    return {true, sql, {}};
}

} // namespace veltrix
