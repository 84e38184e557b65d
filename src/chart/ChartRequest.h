#pragma once
// The command line shared by `veltrix-cli chart` and `veltrix-chart`:
//   --command TEXT --height H --first-line F --record-count N [--scene] [--png FILE]
//   [--omission] [--statistics]
// The result text itself comes on standard input.

#include <string>
#include <string_view>
#include <vector>

namespace veltrix {

class ChartHistory;
struct ChartInput;

struct ChartRequest {
    std::string command;     // the command box's text
    int height = 0;          // client height in pixels
    int firstLine = 0;       // first visible line of the result box
    int recordCount = 0;     // record count of the last query
    bool scene = false;      // print the scene
    bool omission = false;   // omission values in the empty cells
    bool statistics = false; // the four statistics rows
    std::string pngPath;     // write a picture (veltrix-chart only)
};

// False with a message in *error for a missing, malformed or unknown
// argument; --png is only known when allowPng is set.
bool ParseChartRequest(std::vector<std::string> args, bool allowPng, ChartRequest* request,
                       std::string* error);

// The chart's input for a request over a whole result text. The options
// need every line of the text: their history is kept in *history, which must
// outlive the input.
ChartInput ChartInputOf(const ChartRequest& request, std::string_view resultText,
                        ChartHistory* history);

} // namespace veltrix
