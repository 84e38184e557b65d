#include "common/IniFile.h"

#include "common/FileIO.h"
#include "fakes/TempDir.h"
#include "fakes/Unprivileged.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace veltrix {
namespace {

namespace fs = std::filesystem;

struct ReadCase {
    const char* name;
    std::string file;
    std::string section;
    std::string key;
    std::string expected;
};

TEST(IniFileTest, ReadsWithPrivateProfileSemantics) {
    const std::vector<ReadCase> cases = {
        {"section case", "[command]\r\ncmd1=x\r\n", "COMMAND", "cmd1", "x"},
        {"key case", "[Command]\r\nCMD1=x\r\n", "Command", "cmd1", "x"},
        {"value trimmed", "[S]\r\nk =   a b \t\r\n", "S", "k", "a b"},
        {"key trimmed", "[S]\r\n  k\t= v\r\n", "S", "k", "v"},
        {"double quotes", "[S]\r\nk=\" spaced \"\r\n", "S", "k", " spaced "},
        {"single quotes", "[S]\r\nk='v'\r\n", "S", "k", "v"},
        {"unmatched quotes kept", "[S]\r\nk=\"v'\r\n", "S", "k", "\"v'"},
        {"one quote kept", "[S]\r\nk=\"\r\n", "S", "k", "\""},
        {"comment ignored", "[S]\r\n;k=no\r\nk=yes\r\n", "S", "k", "yes"},
        {"first duplicate wins", "[S]\r\nk=first\r\nk=second\r\n", "S", "k", "first"},
        {"first section wins", "[S]\r\na=1\r\n[S]\r\nk=later\r\n", "S", "k", "def"},
        {"other section", "[T]\r\nk=t\r\n[S]\r\nk=s\r\n", "S", "k", "s"},
        {"missing key", "[S]\r\nother=1\r\n", "S", "k", "def"},
        {"missing section", "[T]\r\nk=1\r\n", "S", "k", "def"},
        {"no section at all", "k=1\r\n", "S", "k", "def"},
        {"key without equals", "[S]\r\nk\r\n", "S", "k", "def"},
        {"empty value", "[S]\r\nk=\r\n", "S", "k", ""},
        {"value with equals", "[S]\r\nk=a=b\r\n", "S", "k", "a=b"},
        {"lf line ends", "[S]\nk=v\n", "S", "k", "v"},
        {"cr line ends", "[S]\rk=v\r", "S", "k", "v"},
        {"no final line end", "[S]\r\nk=v", "S", "k", "v"},
        {"utf8 bom", "\xEF\xBB\xBF[S]\r\nk=v\r\n", "S", "k", "v"},
        {"gbk file", "[Command]\r\ncmd1=1 \xB4\xF3\xC0\xD6\xCD\xB8\r\n", "Command", "cmd1",
         "1 大乐透"},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ProfileStringFromText(c.file, c.section, c.key, "def"), c.expected);
    }
}

TEST(IniFileTest, ValuesAreCutToTheBuffer) {
    std::string file = "[S]\r\nk=" + std::string(300, 'x') + "\r\n";
    EXPECT_EQ(ProfileStringFromText(file, "S", "k", ""), std::string(254, 'x'));
    EXPECT_EQ(ProfileStringFromText(file, "S", "k", "", 10), std::string(9, 'x'));
    EXPECT_EQ(ProfileStringFromText(file, "S", "k", "", 0), "");
    // A cut never splits a character: 85 three-byte characters are 255 bytes.
    std::string chinese;
    for (int i = 0; i < 85; ++i)
        chinese += "期";
    std::string cut = ProfileStringFromText("[S]\nk=" + chinese + "\n", "S", "k", "");
    EXPECT_EQ(cut.size(), 252u);
    // The default is cut too, and loses its trailing blanks.
    EXPECT_EQ(ProfileStringFromText("", "S", "k", "abcdef  ", 4), "abc");
    EXPECT_EQ(ProfileStringFromText("", "S", "k", " ab  "), " ab");
}

struct IntCase {
    const char* name;
    std::string file;
    int expected;
};

TEST(IniFileTest, IntegersReadLikeTheSystem) {
    const std::vector<IntCase> cases = {
        {"three", "[OPTION]\r\nAnalyse_DLT_LINE=3\r\n", 3},
        {"text", "[OPTION]\r\nAnalyse_DLT_LINE=three\r\n", 0},
        {"quoted", "[OPTION]\r\nAnalyse_DLT_LINE=\"3\"\r\n", 3},
        {"empty value gives default", "[OPTION]\r\nAnalyse_DLT_LINE=\r\n", 2},
        {"missing", "[OPTION]\r\n", 2},
    };
    for (const IntCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ProfileIntFromText(c.file, "option", "analyse_dlt_line", 2), c.expected);
    }
}

TEST(IniFileTest, HostileFilesGiveDefaultsWithoutHarm) {
    std::string hugeLine(1 << 20, 'a');
    EXPECT_EQ(ProfileStringFromText(hugeLine, "S", "k", "d"), "d");
    EXPECT_EQ(ProfileStringFromText("[S]\n" + hugeLine + "\nk=v\n", "S", "k", "d"), "v");

    std::string binary;
    for (int i = 0; i < 256; ++i)
        binary += static_cast<char>(i);
    std::string withBinary = binary + "\n[S]\nk=v\n" + binary;
    EXPECT_EQ(ProfileStringFromText(withBinary, "S", "k", "d"), "v");
    EXPECT_EQ(ProfileStringFromText("[S\nk=v\n", "S", "k", "d"), "d");
    EXPECT_EQ(ProfileStringFromText("[]\nk=v\n", "", "k", "d"), "v");
    EXPECT_EQ(ProfileStringFromText(std::string("[S]\nk=a\0b\n", 10), "S", "k", "d"),
              std::string("a\0b", 3));
}

struct WriteCase {
    const char* name;
    std::string before;
    std::string section;
    std::string key;
    std::string value;
    std::string after;
};

TEST(IniFileTest, WritesChangeOnlyWhatTheyMust) {
    const std::vector<WriteCase> cases = {
        {"replace keeps key spelling and neighbours",
         "; mine\r\n[option]\r\n  ANALYSE_dlt_line = 2 \r\nx=1\r\n", "OPTION", "Analyse_DLT_LINE",
         "3", "; mine\r\n[option]\r\nANALYSE_dlt_line=3\r\nx=1\r\n"},
        {"add key at end of section before blank line",
         "[OPTION]\r\nx=1\r\n\r\n[Command]\r\ncmd1=1 a\r\n", "OPTION", "Analyse_DLT_LINE", "2",
         "[OPTION]\r\nx=1\r\nAnalyse_DLT_LINE=2\r\n\r\n[Command]\r\ncmd1=1 a\r\n"},
        {"add key to last section without final line end", "[OPTION]\r\nx=1", "OPTION", "k", "v",
         "[OPTION]\r\nx=1\r\nk=v"},
        {"add section keeps lf style", "[Command]\ncmd1=1 a\n", "OPTION", "k", "v",
         "[Command]\ncmd1=1 a\n\n[OPTION]\nk=v\n"},
        {"add section after text without line end", "[Command]\r\ncmd1=x", "OPTION", "k", "v",
         "[Command]\r\ncmd1=x\r\n\r\n[OPTION]\r\nk=v\r\n"},
        {"add section after blank line", "[A]\r\na=1\r\n\r\n", "B", "k", "v",
         "[A]\r\na=1\r\n\r\n[B]\r\nk=v\r\n"},
        {"replace key without equals", "[S]\r\nk\r\n", "S", "k", "v", "[S]\r\nk=v\r\n"},
        {"first duplicate replaced", "[S]\r\nk=1\r\nk=2\r\n", "S", "k", "9",
         "[S]\r\nk=9\r\nk=2\r\n"},
        {"bom kept", "\xEF\xBB\xBF[S]\r\nk=1\r\n", "S", "k", "2", "\xEF\xBB\xBF[S]\r\nk=2\r\n"},
        {"gbk stays gbk", "[\xD1\xA1\xCF\xEE]\r\nk=1\r\n", "选项", "名", "双色球",
         "[\xD1\xA1\xCF\xEE]\r\nk=1\r\n\xC3\xFB=\xCB\xAB\xC9\xAB\xC7\xF2\r\n"},
    };
    for (const WriteCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ProfileTextWithValue(c.before, c.section, c.key, c.value), c.after);
        EXPECT_EQ(ProfileStringFromText(c.after, c.section, c.key, "def"), c.value);
    }
}

TEST(IniFileTest, WritesThatWouldBreakTheFileAreRefused) {
    const std::string file = "[S]\r\nk=1\r\n";
    struct Refused {
        const char* name;
        std::string section, key, value;
    };
    const std::vector<Refused> cases = {
        {"line break in value", "S", "k", "1\r\n[T]"},
        {"line break in key", "S", "k\n", "1"},
        {"bracket in section", "S]", "k", "1"},
        {"equals in key", "S", "a=b", "1"},
        {"empty key", "S", "", "1"},
        {"empty section", "", "k", "1"},
    };
    for (const Refused& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ProfileTextWithValue(file, c.section, c.key, c.value), std::nullopt);
    }
    EXPECT_EQ(ProfileTextWithValue("[S]\r\nk=\xD1\xA1\xCF\xEE\r\n", "S", "k", "\xF0\x9F\x98\x80"),
              std::nullopt);
}

TEST(IniFileTest, FileFormsCreateReadAndUpdateTheFile) {
    test::TempDir dir;
    const std::string path = dir.File("Veltrix.ini");
    EXPECT_EQ(GetProfileInt("OPTION", "Analyse_DLT_LINE", 2, path), 2);

    ASSERT_TRUE(WriteProfileString("OPTION", "Analyse_DLT_LINE", "3", path));
    EXPECT_EQ(ReadFileBytes(path).value_or(""), "[OPTION]\r\nAnalyse_DLT_LINE=3\r\n");
    // A private settings file stays private through later writes.
    const fs::perms privateFile = fs::perms::owner_read | fs::perms::owner_write;
    fs::permissions(path, privateFile);

    ASSERT_TRUE(WriteProfileString("Command", "cmd1", "1 大乐透", path));
    EXPECT_EQ(GetProfileString("command", "CMD1", "", path), "1 大乐透");
    ASSERT_TRUE(WriteProfileString("OPTION", "Analyse_DLT_LINE", "2", path));
    EXPECT_EQ(ReadFileBytes(path).value_or(""),
              "[OPTION]\r\nAnalyse_DLT_LINE=2\r\n\r\n[Command]\r\ncmd1=1 大乐透\r\n");
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all, privateFile);
}

// Places the settings cannot be written to: the write fails, the file stays
// byte for byte (permissions too), and no temporary file is left beside it.
TEST(IniFileTest, WritesWhereTheFileCannotBeWrittenChangeNothing) {
    const fs::perms readOnly =
        fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
    const fs::perms readOnlyFolder =
        readOnly | fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec;
    const std::string before = "[OPTION]\r\nAnalyse_DLT_LINE=2\r\n";
    struct Case {
        const char* name;
        bool fileExists;
        fs::perms file;
        fs::perms folder;
    };
    const Case cases[] = {
        {"read-only file", true, readOnly, fs::perms::all},
        {"file in a read-only folder", true, readOnly | fs::perms::owner_write, readOnlyFolder},
        {"no file, read-only folder", false, readOnly, readOnlyFolder},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempDir dir;
        const std::string path = dir.File("Veltrix.ini");
        if (c.fileExists) {
            ASSERT_TRUE(WriteFileBytes(path, before));
            fs::permissions(path, c.file);
        }
        fs::permissions(dir.Path(), c.folder);
        test::RunUnprivileged([&] {
            EXPECT_FALSE(WriteProfileString("OPTION", "Analyse_DLT_LINE", "3", path));
            EXPECT_EQ(GetProfileInt("OPTION", "Analyse_DLT_LINE", 2, path), 2);
        });
        fs::permissions(dir.Path(), fs::perms::owner_all);
        std::vector<std::string> files;
        for (const auto& entry : fs::directory_iterator(dir.Path()))
            files.push_back(entry.path().filename().string());
        if (!c.fileExists) {
            EXPECT_TRUE(files.empty());
            continue;
        }
        EXPECT_EQ(files, std::vector<std::string>{"Veltrix.ini"});
        EXPECT_EQ(ReadFileBytes(path).value_or("<unreadable>"), before);
        EXPECT_EQ(fs::status(path).permissions() & fs::perms::all, c.file);
    }
}

} // namespace
} // namespace veltrix
