#pragma once
// The follow-up reports order their cells by comparing the cell texts byte by
// byte, largest first, so a tally of 100 sorts below one of 99 exactly as the
// reports have always shown it.

#include <string>
#include <utility>
#include <vector>

namespace veltrix {

inline void SortCellsDescending(std::vector<std::string>& cells) {
    for (size_t i = 0; i + 1 < cells.size(); ++i) {
        for (size_t j = i + 1; j < cells.size(); ++j) {
            if (cells[i] <= cells[j])
                std::swap(cells[i], cells[j]);
        }
    }
}

} // namespace veltrix
