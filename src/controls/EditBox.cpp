#include "controls/EditBox.h"

#include "controls/EditText.h"

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
    connect(document(), &QTextDocument::contentsChange, this,
            [this](int, int, int) { m_storedValid = false; });
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
    return document()->blockCount();
}

std::string CEditBox::Line(int index, size_t maxBytes) const {
    if (index < 0 || index >= document()->blockCount() || maxBytes == 0)
        return {};
    QTextBlock block = document()->findBlockByNumber(index);
    // Every character gives at least one byte, except an escape mark before a
    // three-byte character and a high surrogate: two more than maxBytes
    // characters always hold maxBytes bytes.
    size_t wanted =
        maxBytes > static_cast<size_t>(INT_MAX) - 2 ? static_cast<size_t>(INT_MAX) : maxBytes + 2;
    int length = block.length() - 1;
    if (static_cast<size_t>(length) > wanted)
        length = static_cast<int>(wanted);
    QTextCursor cursor(block);
    cursor.setPosition(block.position() + length, QTextCursor::KeepAnchor);
    std::string line = StoredTextFromEdit(cursor.selectedText(), maxBytes);
    if (line.size() > maxBytes)
        line.resize(maxBytes);
    return line;
}

int CEditBox::FirstVisibleLine() const {
    return firstVisibleBlock().blockNumber();
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
