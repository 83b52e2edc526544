#include "NoteFile.h"

#include "LocalFiles.h"
#include "RichText.h"

#include <QFile>

namespace Notes {

QString notePath(const QString &folder, const QString &fileName)
{
    const QString separator = folder.endsWith(QLatin1Char('/')) ? QString() : QStringLiteral("/");
    return folder + separator + fileName.chopped(qMin<qsizetype>(4, fileName.size())) + QStringLiteral(".txt");
}

QStringList linesOf(const QString &text)
{
    return text.split(CrLf);
}

QString textOfFile(const QByteArray &data)
{
    // Every character is kept; a lone CR or LF is a character of its line.
    QStringList lines = linesOf(RichText::decodedText(data));
    // The end of the file after a line's end is no line of its own.
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    QString text;
    for (const QString &line : lines)
        text += line + CrLf;
    return text;
}

QByteArray fileOfText(const QString &text)
{
    return (text + CrLf).toUtf8();
}

bool isBlank(const QString &text)
{
    return text.isEmpty() || text == QLatin1String(" ") || text == QLatin1String("  ");
}

Reading read(const QString &path)
{
    Reading reading;
    const LocalFiles::Info info = LocalFiles::info(path);
    reading.exists = info.exists;
    if (!info.exists)
        return reading;
    QFile file;
    QString reason;
    QByteArray data;
    if (info.size <= MaxFileSize && LocalFiles::openForReading(file, path, &reason)) {
        data = file.read(MaxFileSize + 1);
        if (file.error() != QFileDevice::NoError)
            reason = file.errorString();
    }
    if (info.size > MaxFileSize || data.size() > MaxFileSize)
        reading.problem = QStringLiteral("is larger than 16 MB and is not opened.");
    else if (!file.isOpen() || file.error() != QFileDevice::NoError)
        reading.problem = QStringLiteral("cannot be read (%1).").arg(reason);
    else
        reading.text = textOfFile(data);
    return reading;
}

QString write(const QString &path, const QString &text)
{
    QString reason;
    if (isBlank(text)) {
        if (LocalFiles::info(path).isFile && !LocalFiles::remove(path, &reason))
            return QStringLiteral("cannot be deleted (%1).").arg(reason);
        return {};
    }
    if (!LocalFiles::writeWhole(path, fileOfText(text), &reason))
        return QStringLiteral("cannot be written (%1).").arg(reason);
    return {};
}

QString aboutNote(const QString &path, const QString &what)
{
    return QStringLiteral("The note file:") + CrLf + LocalFiles::displayName(path) + CrLf + what;
}

} // namespace Notes
