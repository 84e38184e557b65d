#include "query/SavedCommands.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace veltrix {
namespace {

using Names = std::vector<std::string>;

TEST(SavedCommandsTest, NamesComeInKeyOrderSkippingGapsAndEmptyValues) {
    const std::string file = "[Command]\r\n"
                             "cmd5=5 five\r\n"
                             "cmd1=1 one\r\n"
                             "cmd2=\r\n"
                             "cmd3=  3 three  \r\n"
                             "cmd100=100 last\r\n"
                             "cmd101=101 too far\r\n"
                             "cmd0=0 not listed\r\n";
    EXPECT_EQ(SavedCommandNames(file), (Names{"1 one", "3 three", "5 five", "100 last"}));
}

TEST(SavedCommandsTest, NoFileSectionOrNamesGiveAnEmptyList) {
    EXPECT_TRUE(SavedCommandNames("").empty());
    EXPECT_TRUE(SavedCommandNames("[OPTION]\r\nAnalyse_DLT_LINE=3\r\n").empty());
    EXPECT_TRUE(SavedCommandNames("[Command]\r\ncmd1_SQL1=select 1\r\n").empty());
}

struct TextCase {
    const char* name;
    std::string entry;
    std::string expected;
};

TEST(SavedCommandsTest, CommandTextFollowsTheNumberAtTheStartOfTheName) {
    const std::string file = "[Command]\r\n"
                             "cmd3=12 listed under cmd3\r\n"
                             "cmd1_SQL1=select h1\r\n"
                             "cmd1_SQL2=from dlt\r\n"
                             "cmd2_SQL1=select 2\r\n"
                             "cmd2_SQL3=from ssq\r\n"
                             "cmd12_SQL1=select twelve\r\n"
                             "cmd0_SQL1=select zero\r\n"
                             "cmd-4_SQL1=select minus four\r\n"
                             "cmd7_SQL101=beyond the last line key\r\n";
    const std::vector<TextCase> cases = {
        {"two lines", "1 大乐透近30期", "select h1\r\nfrom dlt\r\n"},
        {"gap between lines", "2 双色球", "select 2\r\nfrom ssq\r\n"},
        {"number of the name, not of its key", "12 listed under cmd3", "select twelve\r\n"},
        {"no leading number", "大乐透", "select zero\r\n"},
        {"leading blanks and sign", "  -4 x", "select minus four\r\n"},
        {"digits glued to text", "1abc", "select h1\r\nfrom dlt\r\n"},
        {"no lines", "9 nothing", ""},
        {"line keys stop at 100", "7 seven", ""},
    };
    for (const TextCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(SavedCommandText(file, c.entry), c.expected);
    }
}

} // namespace
} // namespace veltrix
