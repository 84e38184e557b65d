#pragma once
// The text of an edit box in two forms. The core works on the stored text:
// UTF-8 bytes whose lines end at CR LF, exactly as the result rows are built.
// A QPlainTextEdit keeps text as blocks, and turns every CR, LF and a few
// other characters into block breaks when text is put in.
//
// Lines: each CR LF of the stored text becomes a line break of the editor.
// Creating a block costs Qt a few microseconds, too much for the hundreds of
// thousands of rows of a big result, so the lines are grouped kLinesPerBlock
// to a block: inside a group they are joined by U+2028 (LINE SEPARATOR, a
// forced line break within a block), groups by block breaks. The editor's
// lines (layout lines; there is no wrapping) are then the stored text's lines
// as SplitEditLines counts them.
//
// Characters the document cannot hold as they are get a stand-in from the
// private-use range U+F700..U+F7FF:
//
//   lone CR, lone LF, NUL      U+F70D, U+F70A, U+F700
//   U+2028, U+2029, U+FDD0/1   U+F720, U+F721, U+F722, U+F723
//   a byte that is not UTF-8   U+F700 + byte (U+F780..U+F7FF)
//   U+F700..U+F7FF themselves  U+F73F followed by the character - 0x100
//
// Reading back maps block breaks and line separators (also those the user
// types or pastes) to CR LF and every stand-in to what it stands for, so the
// stored text comes back byte for byte.

#include <QString>
#include <QStringView>
#include <string>
#include <string_view>

namespace veltrix {

inline constexpr int kLinesPerBlock = 64;
inline constexpr char16_t kLineSeparator = 0x2028;

// The editor text for a stored text (block breaks written as '\n', the
// lines inside a block joined by U+2028).
QString EditTextFromStored(std::string_view stored);

// The stored text for an editor text in the document's raw form (blocks
// joined by U+2029, as QTextDocument::toRawText gives them). Stops once
// maxBytes bytes are produced; the result may be a few bytes longer.
std::string StoredTextFromEdit(QStringView raw, size_t maxBytes = std::string::npos);

} // namespace veltrix
