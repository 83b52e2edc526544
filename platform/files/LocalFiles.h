#pragma once
// Files named by the bytes the file system holds. A file name is bytes, and not every name is
// valid UTF-8: such a name is kept whole in a QString, its invalid bytes kept as KeptBytes keeps
// them (the settings file keeps them the same way), so that the name goes from the folder
// listing to the file's opening, and into the names made from it, unchanged. Qt's own file classes
// would take such a name for another one: the picture and note files are reached through here.
#include <QByteArray>
#include <QString>

class QFile;

namespace LocalFiles {

// The name for a file-system name's bytes, and back: encodeName(decodeName(b)) == b.
QString decodeName(const QByteArray &bytes);
QByteArray encodeName(const QString &name);
// The name as shown to the user: each byte kept from an invalid sequence shows as U+FFFD.
QString displayName(const QString &name);

struct Info {
    bool exists = false;
    bool isFile = false;   // a regular file (a link followed)
    qint64 size = -1;
    qint64 modified = 0;   // milliseconds since the epoch
};
Info info(const QString &path);

// Opens a regular file for reading into file (which holds the descriptor and closes it), and
// tells what was opened in *opened; false, with the reason in *error, when it is no regular file
// or cannot be opened.
bool openForReading(QFile &file, const QString &path, QString *error = nullptr, Info *opened = nullptr);
// Deletes the file; a file that is not there is no error.
bool remove(const QString &path, QString *error = nullptr);
// Creates or replaces the file whole: written beside it under another name and put in its place
// once complete, so that the old file stays whole until then (and keeps its permissions). A name
// that is a link keeps it: the file at its end is the one written (made, for a link to no file).
bool writeWhole(const QString &path, const QByteArray &data, QString *error = nullptr);

} // namespace LocalFiles
