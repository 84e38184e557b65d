// TranslateJetSql: one Jet statement in, one SQLite statement out, or the
// reason why not: tokens, then the syntax tree, its checks, and the text.
// No database is touched.
#include "db/JetDialect.h"
#include "db/JetLexer.h"
#include "db/JetSyntax.h"

#include <new>

namespace veltrix {

namespace {

// Jet itself takes statements of about 64,000 characters.
constexpr size_t kMaxStatementBytes = 65536;

} // namespace

JetTranslation TranslateJetSql(std::string_view jetSql, const JetSchema* schema) {
    JetTranslation result;
    if (jetSql.size() > kMaxStatementBytes) {
        result.error = "The statement is too long (more than 65,536 bytes)";
        return result;
    }
    Result<std::vector<jet::Token>> tokens = jet::Tokenize(jetSql);
    if (!tokens) {
        result.error = tokens.error();
        return result;
    }
    if (tokens->size() == 1) {
        result.error = "The statement is empty";
        return result;
    }
    try {
        jet::SyntaxArena arena;
        jet::Statement statement = jet::ParseStatement(jetSql, *tokens, arena);
        jet::CheckStatement(statement, jetSql, schema);
        result.sql = jet::EmitStatement(statement);
        result.ok = true;
    } catch (const jet::TranslationError& error) {
        result.error = error.message;
    } catch (const std::bad_alloc&) {
        result.error = "Out of memory while translating the statement";
    }
    return result;
}

} // namespace veltrix
