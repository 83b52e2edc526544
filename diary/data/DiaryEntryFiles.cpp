#include "DiaryEntryFiles.h"

#include "DiaryDatabase.h"
#include "RichText.h"
#include "SqliteText.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTextDocument>

namespace DiaryEntryFiles {

namespace {

const QString HelpFolder = QStringLiteral("Dorlinda");

QString g_folder; // empty until fixed

// Set-aside files and the lists of them: ".PID-N.excluido" and ".PID-N.excluidos". No entry file's
// name begins with a dot (isUsableTitle), so these are the diary's own.
const QString SetAsideSuffix = QStringLiteral(".excluido");
const QString ListSuffix = QStringLiteral(".excluidos");
const QString FirstSaveSuffix = QStringLiteral(".gravando");
// A list or an entry file larger than this is none of the diary's.
constexpr qint64 MaxListedFile = 256 * 1024 * 1024;

bool isHiddenName(const QString &name, const QString &suffix)
{
    static const QRegularExpression pattern(
        QRegularExpression::anchoredPattern(QStringLiteral("\\.[0-9]+-[0-9]+(\\.excluidos?|\\.gravando)")));
    const QRegularExpressionMatch m = pattern.match(name);
    return m.hasMatch() && m.captured(1) == suffix;
}

// A hidden name of this process that nothing in the data folder has.
QString freeHiddenName(const QString &suffix)
{
    static int counter = 0;
    QString name;
    do
        name = QStringLiteral(".%1-%2").arg(QCoreApplication::applicationPid()).arg(++counter) + suffix;
    while (occupied(name));
    return name;
}

// The diary's hidden files of those kinds in the data folder, oldest first, in one listing of it.
QStringList hiddenFiles(const QStringList &suffixes)
{
    QStringList filters, files;
    for (const QString &suffix : suffixes)
        filters.append(QStringLiteral(".*") + suffix);
    const QDir dir(folder());
    for (const QFileInfo &f :
         dir.entryInfoList(filters, QDir::Files | QDir::Hidden | QDir::System, QDir::Time | QDir::Reversed))
        for (const QString &suffix : suffixes)
            if (isHiddenName(f.fileName(), suffix))
                files.append(f.fileName());
    return files;
}

// The name a first save's record holds; empty when it holds none.
QString recordedName(const QString &record)
{
    QFile file(path(record));
    if (!file.open(QIODevice::ReadOnly) || file.size() > 4096)
        return {};
    QByteArray line = file.readAll();
    if (!line.endsWith('\n'))
        return {};
    line.chop(1);
    return QString::fromUtf8(line);
}

// The records that first saves of that name left.
QStringList recordsOf(const QString &name)
{
    QStringList records;
    for (const QString &record : hiddenFiles({FirstSaveSuffix}))
        if (recordedName(record) == name)
            records.append(record);
    return records;
}

bool blankOrDot(QChar c)
{
    return c.isSpace() || c == u'.';
}

// A plain file, or a link to one (the link is what goes).
bool plainFile(const QString &name)
{
    return QFileInfo(path(name)).isFile();
}

} // namespace

void fixFolder(const QString &folder)
{
    g_folder = QDir(folder).absolutePath();
}

QString folder()
{
    return g_folder.isEmpty() ? QDir::currentPath() : g_folder;
}

QString path(const QString &name)
{
    return g_folder.isEmpty() ? name : QDir(g_folder).filePath(name);
}

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
    const QFileInfo info(path(name));
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
    if (m_existed && plainFile(name)) {
        // What cannot be read could not be put back: the file is not replaced.
        QFile old(path(name));
        if (!old.open(QIODevice::ReadOnly)) {
            if (error)
                *error = old.errorString();
            return false;
        }
        m_before = old.readAll();
    }
    QSaveFile file(path(name));
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit()) {
        m_name = name;
        return true;
    }
    if (error)
        *error = file.errorString();
    return false;
}

bool Replacement::undo()
{
    if (m_name.isEmpty())
        return true;
    bool undone = false;
    if (!m_existed) {
        undone = QFile::remove(path(m_name));
    } else {
        QSaveFile file(path(m_name));
        undone = file.open(QIODevice::WriteOnly) && file.write(m_before) == m_before.size() && file.commit();
    }
    m_name.clear();
    return undone;
}

bool writtenByTheDiary(const QString &name)
{
    if (!plainFile(name))
        return false;
    QFile file(path(name));
    if (!file.open(QIODevice::ReadOnly) || file.size() > MaxListedFile)
        return false;
    const QByteArray data = file.readAll();
    QTextDocument doc;
    return RichText::isRtf(data) && RichText::read(doc, data) == RichText::Reading::Whole
        && RichText::write(doc) == data;
}

FirstSave::~FirstSave()
{
    // A failed save that left its file (it could not be taken back) keeps the record of it.
    if (!m_record.isEmpty() && !occupied(m_name))
        QFile::remove(path(m_record));
}

bool FirstSave::begin(const QString &name, QString *error)
{
    m_name = name;
    // A file there already is one a save cut short left (leftBehind()): its records go with this one.
    m_leftBehind = occupied(name) ? recordsOf(name) : QStringList();
    const QString record = freeHiddenName(FirstSaveSuffix);
    const QByteArray line = name.toUtf8() + '\n';
    QSaveFile file(path(record));
    if (file.open(QIODevice::WriteOnly) && file.write(line) == line.size() && file.commit()) {
        m_record = record;
        return true;
    }
    *error = file.errorString();
    return false;
}

void FirstSave::done()
{
    if (m_record.isEmpty())
        return;
    for (const QString &record : std::as_const(m_leftBehind) + QStringList(m_record))
        QFile::remove(path(record));
    m_record.clear();
}

bool FirstSave::leftBehind(const QString &name)
{
    return !recordsOf(name).isEmpty();
}

Deletion::~Deletion()
{
    putBack();
}

void Deletion::setAside(const QStringList &names, QStringList *left, QString *error)
{
    QList<SetAside> planned;
    for (const QString &name : names)
        if (isFileName(name) && plainFile(name))
            planned.append({name, freeHiddenName(SetAsideSuffix)});
    if (planned.isEmpty())
        return;
    const auto refused = [&](const QString &name, const QString &why) {
        if (left)
            left->append(name);
        if (error)
            *error = why;
    };
    // The list goes first: whatever happens next, the files can be found again.
    QString why;
    if (!writeList(m_aside + planned, &why)) {
        for (const auto &p : std::as_const(planned))
            refused(p.first, why);
        return;
    }
    for (const auto &[name, hidden] : std::as_const(planned)) {
        QFile file(path(name));
        if (file.rename(path(hidden)))
            m_aside.append({name, hidden});
        else if (plainFile(name))
            refused(name, file.errorString());
        // else gone meanwhile: nothing left to delete
    }
}

bool Deletion::writeList(const QList<SetAside> &aside, QString *error)
{
    if (m_list.isEmpty())
        m_list = freeHiddenName(ListSuffix);
    QByteArray lines;
    for (const auto &[name, hidden] : aside)
        lines += hidden.toUtf8() + '\t' + name.toUtf8() + '\n';
    QSaveFile file(path(m_list));
    if (file.open(QIODevice::WriteOnly) && file.write(lines) == lines.size() && file.commit())
        return true;
    *error = file.errorString();
    return false;
}

void Deletion::endList(bool whole)
{
    // A list that still names files stays for the next start: only forgotten here, so that
    // nothing later (the destructor's putBack()) drops it.
    if (whole && !m_list.isEmpty())
        QFile::remove(path(m_list));
    m_list.clear();
}

QStringList Deletion::commit()
{
    QStringList left;
    bool whole = true;
    for (const auto &[name, hidden] : std::as_const(m_aside)) {
        if (QFile::remove(path(hidden)) || !occupied(hidden))
            continue;
        whole = QFile::rename(path(hidden), path(name)) && whole;
        left.append(name);
    }
    m_aside.clear();
    // A file neither deleted nor put back is found again by its list at the next start.
    endList(whole);
    return left;
}

QList<SetAside> Deletion::putBack()
{
    QList<SetAside> left;
    for (const SetAside &file : std::as_const(m_aside))
        if (!QFile::rename(path(file.second), path(file.first)))
            left.append(file);
    m_aside.clear();
    endList(left.isEmpty());
    return left;
}

LeftOver leftOver()
{
    LeftOver found;
    for (const QString &file : hiddenFiles({ListSuffix, FirstSaveSuffix}))
        (file.endsWith(ListSuffix) ? found.lists : found.records).append(file);
    return found;
}

Recovered recover(const LeftOver &found, const std::function<std::optional<bool>(const QString &name)> &hasRow)
{
    Recovered done;
    for (const QString &list : found.lists) {
        QFile file(path(list));
        if (!file.open(QIODevice::ReadOnly) || file.size() > MaxListedFile)
            continue;
        const QByteArray content = file.readAll();
        file.close();
        QByteArray kept;
        for (const QByteArray &line : content.split('\n')) {
            const QList<QByteArray> parts = line.split('\t');
            if (parts.size() != 2)
                continue;
            const QString hidden = QString::fromUtf8(parts[0]);
            const QString name = QString::fromUtf8(parts[1]);
            // Only the diary's own set-aside names, and only for names an entry file may have.
            if (!isHiddenName(hidden, SetAsideSuffix) || !isFileName(name) || !plainFile(hidden))
                continue;
            const std::optional<bool> row = hasRow(name);
            bool resolved = false;
            if (row && *row && !occupied(name) && QFile::rename(path(hidden), path(name))) {
                ++done.putBack;
                resolved = true;
            } else if (row && !*row && QFile::remove(path(hidden))) {
                ++done.deleted;
                resolved = true;
            }
            if (!resolved) {
                ++done.left;
                kept += line + '\n';
            }
        }
        if (kept.isEmpty()) {
            QFile::remove(path(list));
        } else if (kept != content) {
            QSaveFile rest(path(list));
            if (rest.open(QIODevice::WriteOnly) && rest.write(kept) == kept.size())
                rest.commit();
        }
    }
    for (const QString &record : found.records) {
        const QString name = recordedName(record);
        if (!isFileName(name) || !occupied(name) || hasRow(name).value_or(false))
            QFile::remove(path(record));
    }
    return done;
}

} // namespace DiaryEntryFiles
