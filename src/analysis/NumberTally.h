#pragma once
// How one number has fared over a run of draw rows, top to bottom: fed one
// row at a time with whether the row holds it. Shared by the statistics
// tables and the chart's omission and statistics rows, so both count alike.

namespace veltrix {

struct NumberTally {
    int count = 0;       // 出现次数: rows holding it
    int omission = 0;    // 遗漏 at the last row fed: 0 when held, else one more than before
    int maxOmission = 0; // 最大遗漏: longest run of rows without it
    int run = 0;         // rows in a row holding it, up to the last row fed
    int maxRun = 0;      // 最大连出: longest such run

    void Add(bool held) {
        if (held) {
            ++count;
            omission = 0;
            if (++run > maxRun)
                maxRun = run;
        } else {
            run = 0;
            if (++omission > maxOmission)
                maxOmission = omission;
        }
    }

    // 平均遗漏 over `rows` rows: floor((rows - count) / (count + 1)).
    int AverageOmission(int rows) const { return (rows - count) / (count + 1); }
};

} // namespace veltrix
