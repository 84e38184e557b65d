#pragma once
// CEditBox: a multi-line edit box without line wrapping that holds a stored
// text (UTF-8, lines ended by CR LF; see EditText.h). Its lines are the
// document's layout lines, whose counts the document keeps per block, so
// counting lines, fetching one line and finding the top visible line cost no
// more on a box of megabytes than on a small one.

#include <QPlainTextEdit>
#include <string>
#include <string_view>
#include <vector>

namespace veltrix {

class CEditBox : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit CEditBox(QWidget* parent = nullptr);

    // Shows `text`; the undo history starts anew, as with a new window text.
    void SetStoredText(std::string_view text);
    // The current text, the user's edits included. Kept from one call to the
    // next until the document changes.
    const std::string& StoredText() const;

    int LineCount() const;
    // Line `index` without its line end, cut to maxBytes bytes; the empty
    // text for an index outside the box.
    std::string Line(int index, size_t maxBytes) const;
    int FirstVisibleLine() const;

    // The most characters the user may bring in by typing or pasting;
    // 0 for no limit. Texts set by the program are never cut.
    void SetTypingLimit(int characters) { m_typingLimit = characters; }
    int TypingLimit() const { return m_typingLimit; }

signals:
    // The text changed, by the program or the user; unlike textChanged it
    // comes when the line counts and the scroll range are up to date.
    void StoredTextChanged();
    // What the box shows from its first visible line on may differ: the text
    // changed, or the first visible line moved (keys, caret, wheel, scroll
    // bar, resize). Views of the visible lines listen to this one signal.
    void VisibleLinesChanged();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    int RoomForTyping() const;
    // Emits VisibleLinesChanged when the first visible line is no longer the
    // one last reported.
    void CheckFirstVisibleLine();
    // Sets the line count of the blocks the last change touched to what their
    // text holds: the layout counts one line for a block it has not laid out
    // yet, and lines and scrolling are counted from these counts. Runs when
    // the change is complete, or earlier when someone asks for lines.
    void CountPendingLines() const;

    mutable int m_changedFrom = -1; // the range the last change touched
    mutable int m_changedTo = -1;
    mutable bool m_sizeChanged = false; // the scroll range has to follow

    // The text and line starts of the last block read for Line: the chart
    // reads 50 lines in a row, mostly from one block.
    struct LineCache {
        quint64 generation = 0;
        int blockNumber = -1;
        QString text;
        std::vector<int> starts;
    };
    quint64 m_generation = 1; // grows with every change of the document
    mutable LineCache m_lineCache;
    mutable std::string m_stored;
    mutable bool m_storedValid = true;
    int m_typingLimit = 0;
    int m_reportedFirstLine = 0;
};

} // namespace veltrix
