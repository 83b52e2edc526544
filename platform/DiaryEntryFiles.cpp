#include "DiaryEntryFiles.h"

#include "DiaryDatabase.h"
#include "SqliteText.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace DiaryEntryFiles {

namespace {

const QString HelpFolder = QStringLiteral("Dorlinda");

bool blankOrDot(QChar c)
{
    return c.isSpace() || c == u'.';
}

// A plain file, or a link to one (the link is what goes).
bool plainFile(const QString &name)
{
    return QFileInfo(name).isFile();
}

} // namespace

bool isFileName(const QString &name)
{
    // Half a character (the title box keeps fifty units and may cut a pair in two) has no file name.
    if (name.trimmed().isEmpty() || name == u"." || name == u".." || !name.isValidUtf16())
        return false;
    for (const QChar c : name)
        if (c == u'/' || c == u'\\' || c.category() == QChar::Other_Control)
            return false;
    const QString &db = DiaryDatabase::FileName;
    const QString reserved[] = {db, db + "-journal", db + "-wal", db + "-shm", HelpFolder};
    for (const QString &r : reserved)
        if (SqliteText::equalFolded(name, r))
            return false;
    return true;
}

bool isUsableTitle(const QString &titulo)
{
    return isFileName(titulo) && !blankOrDot(titulo.front()) && !blankOrDot(titulo.back());
}

bool occupied(const QString &name)
{
    const QFileInfo info(name);
    return info.exists() || info.isSymLink();
}

QString candidate(const QString &titulo, int n)
{
    return n <= 1 ? titulo : QStringLiteral("%1 (%2)").arg(titulo).arg(n);
}

bool Replacement::write(const QString &name, const QByteArray &bytes, QString *error)
{
    m_name.clear();
    m_existed = occupied(name);
    m_before.clear();
    if (m_existed && QFileInfo(name).isFile()) {
        // What cannot be read could not be put back: the file is not replaced.
        QFile old(name);
        if (!old.open(QIODevice::ReadOnly)) {
            if (error)
                *error = old.errorString();
            return false;
        }
        m_before = old.readAll();
    }
    QSaveFile file(name);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit()) {
        m_name = name;
        return true;
    }
    if (error)
        *error = file.errorString();
    return false;
}

void Replacement::undo()
{
    if (m_name.isEmpty())
        return;
    if (!m_existed) {
        QFile::remove(m_name);
    } else {
        QSaveFile file(m_name);
        if (file.open(QIODevice::WriteOnly) && file.write(m_before) == m_before.size())
            file.commit();
    }
    m_name.clear();
}

Deletion::~Deletion()
{
    putBack();
}

bool Deletion::setAside(const QString &name, QString *error)
{
    if (!isFileName(name) || !plainFile(name))
        return true;
    static int counter = 0;
    QFile file(name);
    for (int tries = 0; tries < 100; ++tries) {
        const QString hidden
            = QStringLiteral(".%1-%2.excluido").arg(QCoreApplication::applicationPid()).arg(++counter);
        if (occupied(hidden))
            continue;
        if (file.rename(hidden)) {
            m_aside.append({name, hidden});
            return true;
        }
        if (!plainFile(name))
            return true; // gone meanwhile: nothing left to delete
        if (!occupied(hidden))
            break; // the folder refuses: another name would fare no better
    }
    if (error)
        *error = file.errorString();
    return false;
}

QStringList Deletion::commit()
{
    QStringList left;
    for (const auto &[name, hidden] : std::as_const(m_aside)) {
        if (QFile::remove(hidden) || !occupied(hidden))
            continue;
        QFile::rename(hidden, name);
        left.append(name);
    }
    m_aside.clear();
    return left;
}

void Deletion::putBack()
{
    for (const auto &[name, hidden] : std::as_const(m_aside))
        QFile::rename(hidden, name);
    m_aside.clear();
}

} // namespace DiaryEntryFiles
