// veltrix-cli chart end to end: arguments, the result text on standard input,
// the scene on standard output and the exit status.

#include "fakes/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <sys/wait.h>

namespace veltrix {
namespace {

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

class ChartCliTest : public testing::Test {
protected:
    void SetUp() override {
        const char* cli = std::getenv("VELTRIX_CLI");
        if (cli == nullptr)
            GTEST_SKIP() << "VELTRIX_CLI is not set (run through ctest)";
        m_cli = cli;
    }

    // args is put into the shell command as it stands; quote it there.
    CliRun Chart(const std::string& args, const std::string& input) {
        const std::string in = m_dir.File("in.txt");
        const std::string out = m_dir.File("out.txt");
        const std::string err = m_dir.File("err.txt");
        std::ofstream(in, std::ios::binary) << input;
        const std::string command =
            "'" + m_cli + "' chart " + args + " <'" + in + "' >'" + out + "' 2>'" + err + "'";
        CliRun run;
        const int raw = std::system(command.c_str());
        run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        run.out = ReadFile(out);
        run.err = ReadFile(err);
        return run;
    }

    std::string m_cli;
    test::TempDir m_dir;
};

// The whole 3D scene for a client 38 pixels high: R = 2 grid rows, one
// result row; written out from the layout's tables.
std::string ThreeDigitScene38(const std::string& label) {
    std::string s = "fill 5 5 145 33 255,230,230\n"
                    "fill 145 5 285 33 245,220,220\n"
                    "fill 285 5 425 33 255,230,230\n"
                    "fill 425 5 691 33 230,230,255\n";
    for (int j = 0; j <= 30; ++j) {
        const std::string x = std::to_string(5 + 14 * j);
        s += "line " + x + " 5 " + x + " 33 200,200,255 1\n";
    }
    s += "line 5 5 426 5 200,200,255 1\n"
         "line 5 19 426 19 200,200,255 1\n"
         "line 5 33 426 33 200,200,255 1\n";
    for (int i = 0; i < 30; ++i)
        s += "text " + std::to_string(9 + 14 * i) + " 7 255,0,0 " + std::to_string(i % 10) + "\n";
    s += "label " + label + "\n";
    // The row 06 01 09: positions 6, 11 and 29, each a grey shadow then red.
    s += "text 94 21 128,128,128 6\ntext 93 20 255,0,0 6\n"
         "text 164 21 128,128,128 1\ntext 163 20 255,0,0 1\n"
         "text 416 21 128,128,128 9\ntext 415 20 255,0,0 9\n";
    return s;
}

TEST_F(ChartCliTest, PrintsTheWholeSceneInDrawingOrder) {
    const CliRun run = Chart("--command 'select h1,h2,h3 from p3' --height 38 --first-line 0 "
                             "--record-count 77 --scene",
                             "06 01 09 x\r\n02 03 04 x\r\n");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, ThreeDigitScene38("77"));
    EXPECT_EQ(run.err, "");
}

TEST_F(ChartCliTest, StartsAtTheFirstVisibleLine) {
    const CliRun run = Chart("--command 3d --height 38 --first-line 2 --record-count 3 --scene",
                             "01 01 01 x\r\n02 02 02 x\r\n06 01 09 x\r\n");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, ThreeDigitScene38("3"));
}

TEST_F(ChartCliTest, GamesWithoutAChartPrintNothing) {
    for (const char* command : {"'select * from 7XC'", "7lc", "'from T22x5'"}) {
        SCOPED_TRACE(command);
        const CliRun run = Chart(std::string("--command ") + command +
                                     " --height 541 --first-line 0 --record-count 9 --scene",
                                 "01 02 03 04 05 06 07\r\n");
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out, "");
    }
}

TEST_F(ChartCliTest, DltSceneHasTheRowsTrendLines) {
    const CliRun run = Chart("--command dlt --height 541 --first-line 0 --record-count 2 --scene",
                             "01 02 03 04 05 12 03\r\n02 03 04 05 06 01 02\r\n");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("\nlabel 2\nline 13 27 27 41 255,120,120 2\n"), std::string::npos);
    EXPECT_NE(run.out.find("\nline 531 27 503 41 120,120,255 2\n"), std::string::npos);
    EXPECT_NE(run.out.find("\nline 657 27 517 41 255,120,120 2\n"), std::string::npos);
    EXPECT_EQ(run.out.back(), '\n');
}

TEST_F(ChartCliTest, BadArgumentsFailWithoutOutput) {
    const char* cases[] = {
        "--height 541 --first-line 0 --record-count 0 --scene",
        "--command dlt --height tall --first-line 0 --record-count 0 --scene",
        "--command dlt --height 541 --first-line 0 --record-count 0",
        "--command dlt --height 541 --first-line 0 --record-count 0 --scene --png x.png",
    };
    for (const char* args : cases) {
        SCOPED_TRACE(args);
        const CliRun run = Chart(args, "01\r\n");
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err, "");
    }
}

} // namespace
} // namespace veltrix
