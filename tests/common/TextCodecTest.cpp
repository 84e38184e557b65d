#include "common/TextCodec.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace veltrix {
namespace {

struct Utf8Case {
    const char* name;
    std::string bytes;
    bool valid;
};

TEST(TextCodecTest, Utf8ValidityFollowsTheStrictRules) {
    const std::vector<Utf8Case> cases = {
        {"empty", "", true},
        {"chinese", "大乐透近30期", true},
        {"four bytes", "\xF0\x9F\x98\x80", true},
        {"lone continuation", "a\x80z", false},
        {"overlong slash", "\xC0\xAF", false},
        {"overlong three bytes", "\xE0\x80\xAF", false},
        {"surrogate", "\xED\xA0\x80", false},
        {"above U+10FFFF", "\xF4\x90\x80\x80", false},
        {"cut sequence at end", "ok\xE5\xA4", false},
        {"lead byte FF", "\xFF", false},
    };
    for (const Utf8Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(IsValidUtf8(c.bytes), c.valid);
    }
}

TEST(TextCodecTest, Utf8EncodingDecodesBackForEveryCodePoint) {
    for (char32_t c = 0; c <= 0x10FFFF; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF)
            continue; // surrogates are no characters
        std::string bytes = "x";
        AppendUtf8(bytes, c);
        const size_t length = c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
        ASSERT_EQ(bytes.size(), 1 + length) << static_cast<unsigned>(c);
        std::optional<DecodedUtf8> decoded = DecodeUtf8At(bytes, 1);
        ASSERT_TRUE(decoded) << static_cast<unsigned>(c);
        ASSERT_EQ(decoded->length, length) << static_cast<unsigned>(c);
        ASSERT_EQ(decoded->codePoint, c);
    }
}

TEST(TextCodecTest, GbkDecodesChineseKeepsAsciiAndMarksStrayBytes) {
    EXPECT_EQ(GbkToUtf8("cmd1=1 \xB4\xF3\xC0\xD6\xCD\xB8\xBD\xFC"
                        "30"
                        "\xC6\xDA"),
              "cmd1=1 大乐透近30期");
    EXPECT_EQ(GbkToUtf8("\r\n[\xD1\xA1\xCF\xEE]\r\n"), "\r\n[选项]\r\n");
    // 0xFF is no GBK lead byte; a lead byte at the very end has no trail.
    EXPECT_EQ(GbkToUtf8("a\xFF"
                        "b"),
              "a\xEF\xBF\xBD"
              "b");
    EXPECT_EQ(GbkToUtf8("ok\xB4"), "ok\xEF\xBF\xBD");
    // Text that is valid UTF-8 is taken as it is.
    EXPECT_EQ(DecodeLocalText("大乐透"), "大乐透");
    EXPECT_EQ(DecodeLocalText("\xCB\xAB\xC9\xAB\xC7\xF2"), "双色球");
}

TEST(TextCodecTest, Utf8ToGbkRoundTripsAndRefusesWhatGbkLacks) {
    EXPECT_EQ(Utf8ToGbk("选项=3"), "\xD1\xA1\xCF\xEE=3");
    EXPECT_EQ(Utf8ToGbk("\xF0\x9F\x98\x80"), std::nullopt); // an emoji
    EXPECT_EQ(Utf8ToGbk("\xFF"), std::nullopt);
}

struct WidthCase {
    const char* name;
    std::string text;
    int columns;
};

TEST(TextCodecTest, DisplayColumnsCountsWideCharactersTwice) {
    const std::vector<WidthCase> cases = {
        {"empty", "", 0},
        {"ascii", "12 34", 5},
        {"chinese", "星期日", 6},
        {"box drawing", "┌─┬─┐", 10},
        {"full-width digit", "１", 2},
        {"latin accent", "é", 1},
        {"stray byte", "a\xFF", 2},
    };
    for (const WidthCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DisplayColumns(c.text), c.columns);
    }
}

} // namespace
} // namespace veltrix
