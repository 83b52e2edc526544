#pragma once
// The note files: a plain-text note kept beside each picture. Their names, what they hold, and
// their reading and writing; the note window (FormNote) edits their text.
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace Notes {

// Lines of a note end at CR LF, in the file and in the editor's text alike.
inline const QString CrLf = QStringLiteral("\r\n");

// Notes larger than this are not read (they are no note the editor could hold).
inline constexpr qint64 MaxFileSize = 16 * 1024 * 1024;

// The note of the picture fileName in folder: the folder, a "/" unless it already ends in one,
// the file name less its last four characters (whatever they are) and ".txt".
QString notePath(const QString &folder, const QString &fileName);
// The lines of a text, which end at CR LF only (a lone CR or LF is a character of its line).
QStringList linesOf(const QString &text);
// The editor's text for a note file's bytes: each line read (lines end at CR LF; a lone CR or LF
// is a character of its line, as every other one is) followed by CR LF, so that a note read and
// written back gains one empty line.
QString textOfFile(const QByteArray &data);
// What the note file keeps of the editor's text: the text unchanged and CR LF, in UTF-8.
QByteArray fileOfText(const QString &text);
// Texts that are no note: empty, one blank or two blanks; their file is deleted.
bool isBlank(const QString &text);

// A note file read for the editor.
struct Reading {
    bool exists = false; // false: no file yet, a new note with no text
    QString text;        // the editor's text (textOfFile)
    QString problem;     // why a note that is there is not opened; empty when it was read
};
// Reads the note at path. A note past MaxFileSize is not read at all, never cut short (it may
// also grow meanwhile).
Reading read(const QString &path);

// Writes the editor's text to the note file, whole or not at all (the old note stays whole until
// the new one is complete), or deletes the file for a blank note (also where none could be
// written). Empty when that was done; else what kept it from being done, for aboutNote().
QString write(const QString &path, const QString &text);

// A message about the note file: "The note file:", its name and what happened, a line each.
QString aboutNote(const QString &path, const QString &what);

} // namespace Notes
