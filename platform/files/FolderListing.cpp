#include "FolderListing.h"

#include "LocalFiles.h"

#include <QDir>
#include <QRegularExpression>

#include <algorithm>
#include <numeric>
#include <dirent.h>
#include <sys/stat.h>

// ---------------------------------------------------------------------------------------------
// Listing a folder. Qt's own listing cannot tell an empty folder from one that cannot be read,
// and the lists must refuse the latter; so folders are read here with the system's directory
// calls, taking the entry type from the directory itself (no stat per file except links).

namespace {
enum class Kind { Other, File, Folder };
} // namespace

namespace FolderListing {

bool readFolder(const QString &folder, QStringList *files, QStringList *folders)
{
    DIR *dir = ::opendir(LocalFiles::encodeName(folder).constData());
    if (!dir)
        return false;
    while (const dirent *entry = ::readdir(dir)) {
        const char *name = entry->d_name;
        if (name[0] == '.') // hidden, and "." and ".."
            continue;
        Kind kind = Kind::Other;
        switch (entry->d_type) {
        case DT_REG: kind = Kind::File; break;
        case DT_DIR: kind = Kind::Folder; break;
        case DT_LNK:
        case DT_UNKNOWN: {
            struct stat st;
            if (::fstatat(::dirfd(dir), name, &st, 0) == 0)
                kind = S_ISREG(st.st_mode) ? Kind::File : S_ISDIR(st.st_mode) ? Kind::Folder : Kind::Other;
            break;
        }
        default: break;
        }
        if (kind == Kind::File && files)
            files->append(LocalFiles::decodeName(name));
        else if (kind == Kind::Folder && folders)
            folders->append(LocalFiles::decodeName(name));
    }
    ::closedir(dir);
    return true;
}

QString cleanFolder(const QString &path)
{
    QString clean = QDir::cleanPath(path);
    if (clean.isEmpty())
        return QStringLiteral("/");
    return clean;
}

bool canList(const QString &folder)
{
    DIR *dir = ::opendir(LocalFiles::encodeName(folder).constData());
    if (!dir)
        return false;
    ::closedir(dir);
    return true;
}

QString absolute(const QString &path, const QString &base)
{
    if (path.startsWith(QLatin1Char('/')))
        return cleanFolder(path);
    return cleanFolder(base + QLatin1Char('/') + path);
}

QString sortKey(const QString &name)
{
    // Letters are case-folded; a run of digits becomes '0', a character giving the number of its
    // digits without leading zeros, then those digits: shorter numbers sort first, numbers of
    // equal length by their digits, and a number sorts where a digit would among other
    // characters.
    QString key;
    key.reserve(name.size() + 8);
    const QChar *s = name.constData();
    const int n = name.size();
    for (int i = 0; i < n;) {
        const char16_t c = s[i].unicode();
        if (c >= u'0' && c <= u'9') {
            int end = i;
            while (end < n && s[end].unicode() >= u'0' && s[end].unicode() <= u'9')
                ++end;
            int start = i;
            while (start < end - 1 && s[start].unicode() == u'0')
                ++start;
            key += QLatin1Char('0');
            key += QChar(char16_t(0x21 + std::min(end - start, 0xF000)));
            key.append(s + start, end - start);
            i = end;
        } else if (c < 0x80) {
            key += s[i].toCaseFolded();
            ++i;
        } else if (s[i].isMark()) {
            ++i; // an accent written apart from its letter
        } else {
            // Accented letters sort with their base letter ("été" beside "ete", not after "z").
            const QString parts = s[i].decomposition();
            bool any = false;
            for (QChar part : parts)
                if (!part.isMark()) {
                    key += part.toCaseFolded();
                    any = true;
                }
            if (!any)
                key += s[i].toCaseFolded();
            ++i;
        }
    }
    return key;
}

void sort(QStringList &names)
{
    // One key per name, computed once.
    std::vector<QString> keys;
    keys.reserve(names.size());
    for (const QString &n : std::as_const(names))
        keys.push_back(sortKey(n));
    std::vector<int> order(names.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](int a, int b) {
        const int c = QString::compare(keys[a], keys[b], Qt::CaseSensitive);
        if (c != 0)
            return c < 0;
        return QString::compare(names[a], names[b], Qt::CaseSensitive) < 0;
    });
    QStringList sorted;
    sorted.reserve(names.size());
    for (int i : order)
        sorted.append(names[i]);
    names = std::move(sorted);
}

struct Pattern::Part {
    QString suffix;            // "*.ext": the name ends with ".ext"
    QRegularExpression regExp; // anything else
};

Pattern::Pattern(const QString &patterns)
{
    auto parts = std::make_shared<std::vector<Part>>();
    m_all = false;
    for (QString p : patterns.split(QLatin1Char(';'))) {
        p = p.trimmed();
        if (p.isEmpty())
            continue;
        if (p == QLatin1String("*") || p == QLatin1String("*.*")) {
            m_all = true;
            break;
        }
        Part part;
        const QString rest = p.mid(1);
        if (p.startsWith(QLatin1Char('*')) && !rest.contains(QLatin1Char('*'))
            && !rest.contains(QLatin1Char('?')) && !rest.contains(QLatin1Char('['))) {
            part.suffix = rest;
        } else {
            part.regExp = QRegularExpression(
                QRegularExpression::wildcardToRegularExpression(p),
                QRegularExpression::CaseInsensitiveOption);
        }
        parts->push_back(std::move(part));
    }
    if (parts->empty())
        m_all = true;
    m_parts = std::move(parts);
}

bool Pattern::matches(const QString &name) const
{
    if (m_all)
        return true;
    for (const Part &p : *m_parts) {
        if (!p.suffix.isNull() ? name.endsWith(p.suffix, Qt::CaseInsensitive)
                               : p.regExp.match(name).hasMatch())
            return true;
    }
    return false;
}

} // namespace FolderListing
