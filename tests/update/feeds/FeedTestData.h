#pragma once
// The feed answers kept under tests/data/feeds (real responses of the public
// feeds, see ORIGIN.md there) and the sample draw files they are compared
// with.

#include "common/FileIO.h"
#include "fakes/UpdateFakes.h"

#include <cstdlib>
#include <map>
#include <string>
#include <string_view>

namespace veltrix::test {

inline std::string FeedFixture(std::string_view name) {
    const char* folder = std::getenv("VELTRIX_TEST_DATA");
    std::string path = std::string(folder ? folder : "tests/data") + "/feeds/" + std::string(name);
    return ReadFileBytes(path).value_or("");
}

// One element of a 体彩 history list in the envelope its pages come in.
inline std::string SportteryEnvelope(std::string_view items, int pages = 1) {
    return R"({"errorCode":"0","errorMessage":"处理成功","success":true,"value":{"list":[)" +
           std::string(items) + R"(],"pageNo":1,"pageSize":30,"pages":)" + std::to_string(pages) +
           R"(,"total":3328}})";
}

// Elements of a 福彩 notice list in the envelope the feed sends.
inline std::string CwlEnvelope(std::string_view items, int pages = 1) {
    return R"({"state":0,"message":"查询成功","pageNum":)" + std::to_string(pages) +
           R"(,"Tflag":0,"result":[)" + std::string(items) + "]}";
}

// The lines of a sample draw file by issue, without their line ends.
inline std::map<std::string, std::string> SampleLinesByIssue(std::string_view file) {
    std::map<std::string, std::string> lines;
    for (const std::string& line : CrLfLines(ReadFileBytes(SampleDrawFile(file)).value_or("")))
        lines.emplace(line.substr(0, line.find(' ')), line);
    return lines;
}

} // namespace veltrix::test
