#pragma once
// Rich text: reads RTF into a QTextDocument and writes a QTextDocument as RTF.
//
// What is carried: font family and size, bold, italic, underline, strike-out, text colour and
// highlight, paragraph alignment, first/left/right indents, space before and after, tabs and
// line breaks. Everything else a word processor may put in a file (styles, pictures, fields,
// document information) is skipped on reading; the editor's background colour is never written.
#include <QByteArray>
#include <QString>

class QTextDocument;
class QTextBlockFormat;

namespace RichText {

// True when the data starts with "{\rtf" (blanks before it allowed).
bool isRtf(const QByteArray &data);

// Text bytes as characters, every one kept: UTF-8 when valid, else Windows-1252.
QString decodedText(const QByteArray &data);
// The text of data that is not RTF: decodedText(); control characters other than tab, CR and LF
// are dropped, and the characters a QTextDocument takes as frame or object marks become U+FFFD.
QString plainText(const QByteArray &data);

// How the data went into the document.
enum class Reading {
    Whole,   // RTF whose outermost group closes, with nothing but blanks after it
    Damaged, // RTF cut short before its end, or with more after its end: the text read so far
    NotRtf   // not RTF at all: read as plain text
};

// Replaces the document's content with the data: RTF when isRtf(), otherwise plain text
// (plainText()). Never fails: damaged RTF yields the text read so far.
// Afterwards the document is unmodified and has no undo history; its default font is left
// as it is.
Reading read(QTextDocument &doc, const QByteArray &data);

// The whole document as RTF ("{\rtf1\ansi\ansicpg1252\deff0" with font and colour tables).
// Reading the result and writing again gives the same bytes; every paragraph ends in "\par",
// and the reader does not make a new paragraph of the last one, so paragraphs are never added
// or lost by a save and an open.
QByteArray write(const QTextDocument &doc);

// The same through files. readFile leaves the document untouched and returns false, with the
// reason in *error, when the file cannot be read; otherwise *reading says how it was read.
// writeFile replaces the file atomically.
bool readFile(QTextDocument &doc, const QString &path, QString *error = nullptr, Reading *reading = nullptr);
bool writeFile(const QTextDocument &doc, const QString &path, QString *error = nullptr);

// Paragraph indents as the editor's ruler sees them, in points: the first-line indent is
// absolute, the left indent (the other lines) is relative to it, the right indent is from the
// right margin. In RTF: \li = first + left, \fi = -left, \ri = right (in twips, 20 a point).
// In QTextBlockFormat the margins are layout pixels at 96 per inch (Qt scales them like fonts
// when printing): leftMargin = (first + left) * 4/3, textIndent = -left * 4/3,
// rightMargin = right * 4/3. Indents that would put text left of the page or past its right
// edge are laid out at that edge; the paragraph keeps them as set, for indents() and the file.
struct Indents {
    double firstIndent = 0;
    double leftIndent = 0;
    double rightIndent = 0;
    bool operator==(const Indents &) const = default;
};
Indents indents(const QTextBlockFormat &format);
void setIndents(QTextBlockFormat &format, const Indents &indents);

// Layout pixels (96 per inch) per point, and twips per layout pixel.
inline constexpr double PixelsPerPoint = 96.0 / 72.0;
inline constexpr double TwipsPerPixel = 1440.0 / 96.0;

} // namespace RichText
