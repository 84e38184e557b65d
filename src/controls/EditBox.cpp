#include "controls/EditBox.h"

#include "controls/EditText.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <climits>

namespace veltrix {

CEditBox::CEditBox(QWidget* parent) : QPlainTextEdit(parent) {
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setWordWrapMode(QTextOption::NoWrap);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // In a dialog, Tab moves to the next control; Enter makes a new line.
    setTabChangesFocus(true);
    connect(document(), &QTextDocument::contentsChange, this, [this](int position, int, int added) {
        m_storedValid = false;
        ++m_generation;
        if (m_changedFrom < 0 || position < m_changedFrom)
            m_changedFrom = position;
        m_changedTo = std::max(m_changedTo, position + added);
    });
    // Emitted after the layout has taken in the change (and after the
    // editor's own textChanged, whose listeners count lines on demand).
    connect(document(), &QTextDocument::contentsChanged, this, [this] {
        CountPendingLines();
        if (m_sizeChanged) {
            m_sizeChanged = false;
            // The scroll bars follow the document's size, which counts lines.
            QAbstractTextDocumentLayout* layout = document()->documentLayout();
            emit layout->documentSizeChanged(layout->documentSize());
        }
        emit StoredTextChanged();
        m_reportedFirstLine = FirstVisibleLine();
        emit VisibleLinesChanged();
    });
    // The editor moves its top line in many ways, and only some of them pass
    // through the scroll bar's signals (moving the caret sets the bar with
    // its signals blocked); every one of them ends in an update request for
    // the viewport, so that is where the first visible line is checked.
    connect(this, &QPlainTextEdit::updateRequest, this, [this] { CheckFirstVisibleLine(); });
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this,
            [this] { CheckFirstVisibleLine(); });
}

void CEditBox::CheckFirstVisibleLine() {
    const int first = FirstVisibleLine();
    if (first == m_reportedFirstLine)
        return;
    m_reportedFirstLine = first;
    emit VisibleLinesChanged();
}

void CEditBox::CountPendingLines() const {
    if (m_changedFrom < 0)
        return;
    QTextDocument* doc = document();
    QTextBlock last = doc->findBlock(std::max(0, m_changedTo));
    if (!last.isValid())
        last = doc->lastBlock();
    for (QTextBlock block = doc->findBlock(std::max(0, m_changedFrom)); block.isValid();
         block = block.next()) {
        // Only blocks the program filled hold separators; typed ones are short.
        int lines = 1 + static_cast<int>(block.text().count(QChar(kLineSeparator)));
        if (block.lineCount() != lines) {
            block.setLineCount(lines);
            m_sizeChanged = true;
        }
        if (block == last)
            break;
    }
    m_changedFrom = m_changedTo = -1;
}

void CEditBox::SetStoredText(std::string_view text) {
    setPlainText(EditTextFromStored(text));
    m_stored.assign(text);
    m_storedValid = true;
}

const std::string& CEditBox::StoredText() const {
    if (!m_storedValid) {
        m_stored = StoredTextFromEdit(document()->toRawText());
        m_storedValid = true;
    }
    return m_stored;
}

int CEditBox::LineCount() const {
    CountPendingLines();
    return document()->lineCount();
}

std::string CEditBox::Line(int index, size_t maxBytes) const {
    CountPendingLines();
    if (index < 0 || index >= document()->lineCount() || maxBytes == 0)
        return {};
    QTextBlock block = document()->findBlockByLineNumber(index);
    if (!block.isValid())
        return {};
    // Every character gives at least one byte, except an escape mark before a
    // three-byte character and a high surrogate: two more than maxBytes
    // characters always hold maxBytes bytes.
    const qsizetype wanted = maxBytes > static_cast<size_t>(INT_MAX) - 2
                                 ? INT_MAX
                                 : static_cast<qsizetype>(maxBytes) + 2;
    QString piece;
    if (block.lineCount() <= 1) {
        // A block of one line may be long (a text without line ends): read
        // only the part that can be returned.
        QTextCursor cursor(block);
        int length = static_cast<int>(std::min<qsizetype>(block.length() - 1, wanted));
        cursor.setPosition(block.position() + length, QTextCursor::KeepAnchor);
        piece = cursor.selectedText();
    } else {
        LineCache& cache = m_lineCache;
        if (cache.generation != m_generation || cache.blockNumber != block.blockNumber()) {
            cache.generation = m_generation;
            cache.blockNumber = block.blockNumber();
            cache.text = block.text();
            cache.starts.assign(1, 0);
            for (qsizetype i = 0; i < cache.text.size(); ++i) {
                if (cache.text[i] == QChar(kLineSeparator))
                    cache.starts.push_back(static_cast<int>(i) + 1);
            }
        }
        size_t lineInBlock = static_cast<size_t>(index - block.firstLineNumber());
        if (lineInBlock >= cache.starts.size())
            return {};
        qsizetype start = cache.starts[lineInBlock];
        qsizetype end = lineInBlock + 1 < cache.starts.size() ? cache.starts[lineInBlock + 1] - 1
                                                              : cache.text.size();
        piece = cache.text.mid(start, std::min(end - start, wanted));
    }
    std::string line = StoredTextFromEdit(piece, maxBytes);
    if (line.size() > maxBytes)
        line.resize(maxBytes);
    return line;
}

int CEditBox::FirstVisibleLine() const {
    // The vertical scroll position of a plain-text editor is its top line.
    CountPendingLines();
    return verticalScrollBar()->value();
}

int CEditBox::RoomForTyping() const {
    if (m_typingLimit <= 0)
        return INT_MAX;
    QTextCursor cursor = textCursor();
    int used = document()->characterCount() - 1 -
               static_cast<int>(cursor.selectionEnd() - cursor.selectionStart());
    return std::max(0, m_typingLimit - used);
}

void CEditBox::keyPressEvent(QKeyEvent* event) {
    bool lineBreak = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (lineBreak && (event->modifiers() & Qt::ShiftModifier)) {
        // Shift+Enter would insert a soft break inside the line; make it an
        // ordinary new line, which the stored text holds as CR LF.
        QKeyEvent plain(event->type(), event->key(), event->modifiers() & ~Qt::ShiftModifier,
                        QStringLiteral("\r"));
        keyPressEvent(&plain);
        event->setAccepted(plain.isAccepted());
        return;
    }
    const QString text = event->text();
    bool inserts = lineBreak || (!text.isEmpty() && text.at(0).isPrint());
    if (inserts && !(event->modifiers() & Qt::ControlModifier) && RoomForTyping() < 1) {
        QApplication::beep();
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void CEditBox::insertFromMimeData(const QMimeData* source) {
    int room = RoomForTyping();
    if (room == INT_MAX || !source->hasText()) {
        QPlainTextEdit::insertFromMimeData(source);
        return;
    }
    QString text = source->text();
    if (text.size() > room) {
        QApplication::beep();
        text.truncate(room);
    }
    textCursor().insertText(text);
    ensureCursorVisible();
}

} // namespace veltrix
