#pragma once
// The real draw files (data/draws) as rows for tests, read into memory, where
// a test computes the answers it expects on its own.

#include "common/FileIO.h"
#include "db/LotteryCatalogue.h"
#include "fakes/UpdateFakes.h"

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

namespace veltrix::test {

struct Draw {
    std::string qs;
    std::string rq;
    std::vector<int> numbers; // in the file's order: H1.., then L1, L2 or S1..S3
};

// The draws of one game's file, in file order.
inline std::vector<Draw> ReadDrawFile(const LotteryInfo& game) {
    std::vector<Draw> draws;
    Result<std::string> bytes = ReadFileBytes(SampleDrawFile(game.openedFileName));
    std::istringstream lines(bytes.value_or(""));
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream tokens(line);
        Draw draw;
        tokens >> draw.qs >> draw.rq;
        for (std::string field; tokens >> field;)
            draw.numbers.push_back(std::atoi(field.c_str()));
        if (!draw.rq.empty())
            draws.push_back(draw);
    }
    return draws;
}

} // namespace veltrix::test
