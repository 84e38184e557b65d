#include "controls/EditBox.h"
#include "common/Strings.h"
#include "controls/EditText.h"
#include "fakes/HostileResultTexts.h"

#include <QApplication>
#include <QClipboard>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace veltrix {
namespace {

// Stored texts made of the pieces the box must carry over: line ends of every
// kind, NUL, bytes that are not UTF-8 (cut, overlong, surrogate), Chinese,
// box drawing, a four-byte character, the characters the document would break
// at, and the private-use stand-ins themselves.
std::vector<std::string> StoredTexts() {
    static const char kPieces[] = "07| |\t|\r\n|\r|\n|\0|\xFF|\xE5\xA4|\xC0\xAF|\xED\xA0\x80|大|│|"
                                  "\xF0\x9F\x98\x80|\x1B[0m\x7F|\xE2\x80\xA8|\xE2\x80\xA9|"
                                  "\xEF\xB7\x90|\xEF\xB7\x91|\xEF\x9C\x8D|\xEF\x9C\xBF|"
                                  "\xEF\x9E\x80|\xEF\x9B\xBF|\xEF\x9F\xBF|Z";
    std::vector<std::string> pieces(1);
    for (char c : std::string_view(kPieces, sizeof kPieces - 1)) {
        if (c == '|')
            pieces.emplace_back();
        else
            pieces.back() += c;
    }
    std::mt19937 random(20240611);
    std::vector<std::string> texts = {""};
    for (int i = 0; i < 300; ++i) {
        std::string text;
        for (size_t n = random() % (i % 10 == 0 ? 3000 : 60); n > 0; --n)
            text += pieces[random() % pieces.size()];
        texts.push_back(text);
    }
    std::string randomBytes;
    for (int i = 0; i < 20000; ++i)
        randomBytes += static_cast<char>(random() % 256);
    texts.push_back(randomBytes);
    for (const test::HostileResultText& hostile : test::HostileResultTexts())
        texts.push_back(hostile.text);
    return texts;
}

class EditBoxTest : public ::testing::Test {
protected:
    // What the document holds, read back without the box's cached copy.
    std::string DocumentText() const { return StoredTextFromEdit(box.document()->toRawText()); }

    // The box's own line index against the core's split of its text, and the
    // layout's line counts against ours where it has laid the blocks out.
    void ExpectLinesOf(const std::string& text) {
        std::vector<std::string_view> lines = SplitEditLines(text);
        ASSERT_EQ(box.LineCount(), static_cast<int>(lines.size()));
        for (size_t i = 0; i < lines.size(); ++i) {
            const int line = static_cast<int>(i);
            ASSERT_EQ(box.Line(line, std::string::npos), lines[i]) << "line " << i;
            ASSERT_EQ(box.Line(line, 8), lines[i].substr(0, 8)) << "line " << i;
        }
        EXPECT_EQ(box.Line(static_cast<int>(lines.size()), 255), "");
        EXPECT_EQ(box.Line(-1, 255), "");
        for (QTextBlock block = box.document()->begin(); block.isValid(); block = block.next())
            ASSERT_EQ(block.lineCount(), block.layout()->lineCount() > 0
                                             ? block.layout()->lineCount()
                                             : block.lineCount());
    }

    static std::string NumberedRows(int rows) {
        std::string text;
        for (int i = 0; i < rows; ++i)
            text += StrFormat("%03d 07 11\r\n", i);
        return text;
    }
    void Show() {
        box.resize(300, 200);
        box.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    }

    CEditBox box;
};

TEST_F(EditBoxTest, StoredTextsComeBackByteForByteInTheCoreLines) {
    for (const std::string& text : StoredTexts()) {
        SCOPED_TRACE(testing::PrintToString(text.substr(0, 80)));
        box.SetStoredText(text);
        ASSERT_TRUE(DocumentText() == text);
        ASSERT_TRUE(box.StoredText() == text);
        ExpectLinesOf(text);
    }
}

// Typed line breaks come back as CR LF, the rest of the text byte for byte,
// and undo brings back the text before the typing.
TEST_F(EditBoxTest, TypingInTheMiddleLeavesTheRestAlone) {
    const std::string tail = "\r\nkeep\rthis\xFF\n\t\xE5\xA4 end";
    box.SetStoredText("line1" + tail);
    QTextCursor cursor = box.textCursor();
    cursor.setPosition(5); // after "line1"
    box.setTextCursor(cursor);
    QTest::keyClicks(&box, "ab");
    QTest::keyClick(&box, Qt::Key_Return);
    QTest::keyClicks(&box, "cd");
    QTest::keyClick(&box, Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClicks(&box, "e");
    EXPECT_EQ(box.StoredText(), "line1ab\r\ncd\r\ne" + tail);
    EXPECT_EQ(DocumentText(), box.StoredText());
    EXPECT_EQ(box.LineCount(), 4);
    while (box.document()->isUndoAvailable())
        box.undo();
    EXPECT_EQ(box.StoredText(), "line1" + tail);
}

TEST_F(EditBoxTest, TypingLimitStopsTypingAndPastingButNotTheProgram) {
    box.SetTypingLimit(5);
    QTest::keyClicks(&box, "abcdefg");
    EXPECT_EQ(box.StoredText(), "abcde");

    box.SetStoredText("abc");
    box.moveCursor(QTextCursor::End);
    QApplication::clipboard()->setText(QStringLiteral("12345678"));
    box.paste();
    EXPECT_EQ(box.StoredText(), "abc12");

    // Replacing a selection makes room.
    box.selectAll();
    QTest::keyClicks(&box, "xy");
    EXPECT_EQ(box.StoredText(), "xy");

    box.SetStoredText(std::string(20, 'x'));
    EXPECT_EQ(box.StoredText(), std::string(20, 'x'));
}

TEST_F(EditBoxTest, LinesStayRightThroughEditsAcrossGroupedLines) {
    Show();
    box.SetStoredText(NumberedRows(300));
    EXPECT_EQ(box.FirstVisibleLine(), 0);
    ExpectLinesOf(box.StoredText());

    // A new line typed in the middle of a group of lines.
    QTextCursor cursor = box.textCursor();
    QTextBlock group = box.document()->findBlockByLineNumber(30);
    cursor.setPosition(group.position() + (30 - group.firstLineNumber()) * 10 + 3);
    box.setTextCursor(cursor);
    QTest::keyClick(&box, Qt::Key_Return);
    QTest::keyClicks(&box, "new");
    box.repaint();
    ExpectLinesOf(box.StoredText());
    EXPECT_EQ(box.LineCount(), 302);
    EXPECT_EQ(box.Line(30, 255), "030");
    EXPECT_EQ(box.Line(31, 255), "new 07 11");
    EXPECT_EQ(box.Line(32, 255), "031 07 11");

    // A selection from one group of lines into the next, deleted.
    QTextBlock first = box.document()->findBlockByLineNumber(60);
    QTextBlock second = box.document()->findBlockByLineNumber(70);
    ASSERT_NE(first.blockNumber(), second.blockNumber());
    cursor.setPosition(first.position() + 20);
    cursor.setPosition(second.position() + 5, QTextCursor::KeepAnchor);
    box.setTextCursor(cursor);
    QTest::keyClick(&box, Qt::Key_Delete);
    box.repaint();
    ExpectLinesOf(box.StoredText());
    EXPECT_EQ(DocumentText(), box.StoredText());

    // Several lines pasted in.
    QApplication::clipboard()->setText(QStringLiteral("p1\np2\r\np3"));
    box.moveCursor(QTextCursor::Start);
    box.paste();
    box.repaint();
    ExpectLinesOf(box.StoredText());
    EXPECT_EQ(box.Line(0, 255), "p1");
    EXPECT_EQ(box.Line(2, 255), "p3000 07 11");

    // Scrolling through the grouped lines.
    box.verticalScrollBar()->setValue(150);
    box.repaint();
    EXPECT_EQ(box.FirstVisibleLine(), 150);
    ExpectLinesOf(box.StoredText());
}

TEST_F(EditBoxTest, ListenersOfEitherChangeSignalSeeTheNewLines) {
    Show();
    int seenByTextChanged = -1;
    std::string lineSeenByTextChanged;
    int seenByStoredTextChanged = -1;
    int scrollRange = -1;
    QObject::connect(&box, &QPlainTextEdit::textChanged, [&] {
        seenByTextChanged = box.LineCount();
        lineSeenByTextChanged = box.Line(700, 255);
    });
    QObject::connect(&box, &CEditBox::StoredTextChanged, [&] {
        seenByStoredTextChanged = box.LineCount();
        scrollRange = box.verticalScrollBar()->maximum();
    });
    box.SetStoredText(NumberedRows(1000));
    EXPECT_EQ(seenByTextChanged, 1001);
    EXPECT_EQ(lineSeenByTextChanged, "700 07 11");
    EXPECT_EQ(seenByStoredTextChanged, 1001);
    // The range counts lines, not blocks: nearly all of them are reachable.
    EXPECT_GT(scrollRange, 950);
}

} // namespace
} // namespace veltrix
