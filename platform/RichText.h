#pragma once
// Rich text: reads RTF into a QTextDocument and writes a QTextDocument as RTF.
#include <QByteArray>

class QTextDocument;
class QTextBlockFormat;

namespace RichText {

// True when the data starts with "{\rtf" (blanks before it allowed).
bool isRtf(const QByteArray &data);

// Replaces the document's content with the data: RTF when isRtf(), otherwise plain text
// (UTF-8 when valid, else Windows-1252). Never fails: damaged RTF yields the text read so far.
void read(QTextDocument &doc, const QByteArray &data);

// The whole document as RTF ("{\rtf1\ansi\ansicpg1252\deff0" with font and colour tables).
QByteArray write(const QTextDocument &doc);

// Paragraph indents as the editor's ruler sees them, in points: the first-line indent is
// absolute, the left indent is relative to it, the right indent is from the right margin.
struct Indents {
    double firstIndent = 0;
    double leftIndent = 0;
    double rightIndent = 0;
};
Indents indents(const QTextBlockFormat &format);
void setIndents(QTextBlockFormat &format, const Indents &indents);

} // namespace RichText
