#pragma once
// The real draw files (data/draws) as rows for tests: read into memory, where
// a test computes the answers it expects on its own, and inserted into a
// draw database with the program's own INSERT statements.

#include "common/FileIO.h"
#include "db/AdoConnection.h"
#include "db/LotteryCatalogue.h"

#include <cstdlib>
#include <sqlite3.h>
#include <sstream>
#include <string>
#include <vector>

namespace veltrix::test {

struct Draw {
    std::string qs;
    std::string rq;
    std::vector<int> numbers;         // in the file's order: H1.., then L1, L2 or S1..S3
    std::vector<std::string> written; // the same as the file writes them ("04")
};

// The draws of one game's file, in file order. Fields a line lacks (3d lines
// without S1..S3) are filled with 0 so that the program's INSERT takes it.
inline std::vector<Draw> ReadDrawFile(const LotteryInfo& game) {
    const char* folder = std::getenv("VELTRIX_SAMPLE_DRAWS");
    std::string bytes;
    std::vector<Draw> draws;
    if (!folder ||
        !ReadFileBytes(std::string(folder) + "/" + std::string(game.openedFileName), &bytes))
        return draws;
    std::istringstream lines(bytes);
    std::string line;
    int fields = game.minTokenCount - 2;
    while (std::getline(lines, line)) {
        std::istringstream tokens(line);
        Draw draw;
        tokens >> draw.qs >> draw.rq;
        std::string field;
        while (tokens >> field) {
            draw.written.push_back(field);
            draw.numbers.push_back(std::atoi(field.c_str()));
        }
        if (draw.rq.empty())
            continue;
        draw.numbers.resize(static_cast<size_t>(fields), 0);
        draw.written.resize(static_cast<size_t>(fields), "0");
        draws.push_back(draw);
    }
    return draws;
}

// The game's INSERT statement for a draw, filled as the import fills it.
inline std::string InsertStatement(const LotteryInfo& game, const Draw& draw) {
    std::vector<std::string> values = {draw.qs, draw.rq};
    values.insert(values.end(), draw.written.begin(), draw.written.end());
    std::string sql;
    std::string_view format = game.insertFormat;
    size_t next = 0;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format.substr(i, 2) == "%s" && next < values.size()) {
            sql += values[next++];
            ++i;
        } else {
            sql += format[i];
        }
    }
    return sql;
}

// Inserts the draws through the connection (one transaction, for speed).
inline bool InsertDraws(CAdoConnection& db, const LotteryInfo& game, const std::vector<Draw>& draws,
                        std::string& error) {
    sqlite3_exec(db.Handle(), "BEGIN", nullptr, nullptr, nullptr);
    for (const Draw& draw : draws) {
        if (!db.Execute(InsertStatement(game, draw))) {
            error = db.GetErrorText();
            sqlite3_exec(db.Handle(), "ROLLBACK", nullptr, nullptr, nullptr);
            return false;
        }
    }
    sqlite3_exec(db.Handle(), "COMMIT", nullptr, nullptr, nullptr);
    return true;
}

} // namespace veltrix::test
