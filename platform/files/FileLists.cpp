#include "FileLists.h"

#include "LocalFiles.h"

#include <QAbstractListModel>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QKeyEvent>
#include <QListView>
#include <QMouseEvent>
#include <QMutex>
#include <QRegularExpression>
#include <QStorageInfo>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>
#include <numeric>

#include <dirent.h>
#include <sys/stat.h>

// ---------------------------------------------------------------------------------------------
// Listing a folder. Qt's own listing cannot tell an empty folder from one that cannot be read,
// and the lists must refuse the latter; so folders are read here with the system's directory
// calls, taking the entry type from the directory itself (no stat per file except links).

namespace {

enum class Kind { Other, File, Folder };

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

} // namespace

namespace FolderListing {

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

// ---------------------------------------------------------------------------------------------

namespace Drives {

namespace {
struct State {
    QMutex mutex;
    QStringList testRoots;
    QHash<QString, QString> current;
};
State &state()
{
    static State s;
    return s;
}

bool isVolume(const QStorageInfo &v)
{
    const QString root = v.rootPath();
    if (!v.isValid() || root == QLatin1String("/") || !QFileInfo(root).isDir())
        return false;
    static const QStringList systemPlaces = {"/proc", "/sys", "/dev", "/run", "/boot", "/snap", "/var/lib", "/etc"};
    for (const QString &s : systemPlaces)
        if (root == s || root.startsWith(s + QLatin1Char('/')))
            if (!root.startsWith(QLatin1String("/run/media/")))
                return false;
    const QByteArray type = v.fileSystemType();
    static const QByteArrayList pseudo = {"tmpfs", "devtmpfs", "proc", "sysfs", "cgroup", "cgroup2", "devpts",
                                          "mqueue", "debugfs", "tracefs", "securityfs", "pstore", "bpf",
                                          "configfs", "fusectl", "hugetlbfs", "autofs", "binfmt_misc",
                                          "overlay", "squashfs", "nsfs", "efivarfs", "ramfs", "rpc_pipefs"};
    return !pseudo.contains(type);
}
} // namespace

QStringList roots()
{
    {
        QMutexLocker lock(&state().mutex);
        if (!state().testRoots.isEmpty())
            return state().testRoots;
    }
    QStringList list;
    for (const QStorageInfo &v : QStorageInfo::mountedVolumes())
        if (isVolume(v) && !list.contains(v.rootPath()))
            list.append(v.rootPath());
    FolderListing::sort(list);
    list.prepend(QStringLiteral("/"));
    return list;
}

QString rootOf(const QString &path)
{
    const QString clean = cleanFolder(path);
    const QStringList all = roots();
    QString best;
    for (const QString &r : all) {
        const bool under = r == QLatin1String("/") || clean == r || clean.startsWith(r + QLatin1Char('/'));
        if (under && r.size() > best.size())
            best = r;
    }
    if (best.isEmpty())
        best = all.isEmpty() ? QStringLiteral("/") : all.first();
    return best;
}

bool isAvailable(const QString &root)
{
    return FolderListing::canList(root);
}

QString currentFolder(const QString &root)
{
    {
        QMutexLocker lock(&state().mutex);
        const auto it = state().current.constFind(root);
        if (it != state().current.constEnd())
            return it.value();
    }
    const QString here = cleanFolder(QDir::currentPath());
    if (rootOf(here) == root)
        return here;
    return root;
}

void setCurrentFolder(const QString &folder)
{
    const QString clean = cleanFolder(folder);
    const QString root = rootOf(clean);
    QMutexLocker lock(&state().mutex);
    state().current.insert(root, clean);
}

void setRootsForTesting(const QStringList &list)
{
    QMutexLocker lock(&state().mutex);
    state().testRoots.clear();
    for (const QString &r : list)
        state().testRoots.append(cleanFolder(r));
}

void forgetCurrentFolders()
{
    QMutexLocker lock(&state().mutex);
    state().current.clear();
}

} // namespace Drives

// ---------------------------------------------------------------------------------------------
// The views: user input is turned into the lists' own setters, so that a click runs the same
// handler as code does. Qt's selection signals are not used.

class FolderListView : public QListView {
public:
    std::function<void(int)> select;
    std::function<void(int)> open;
    std::function<int()> selectedRow;

    // A view that fills its list control.
    static FolderListView *filling(QWidget *owner)
    {
        auto *view = new FolderListView(owner);
        auto *layout = new QVBoxLayout(owner);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(view);
        return view;
    }

    explicit FolderListView(QWidget *parent) : QListView(parent)
    {
        setUniformItemSizes(true);
        setSelectionMode(QAbstractItemView::SingleSelection);
        setEditTriggers(QAbstractItemView::NoEditTriggers);
    }

protected:
    void mousePressEvent(QMouseEvent *event) override
    {
        setFocus(Qt::MouseFocusReason);
        const QModelIndex index = indexAt(event->position().toPoint());
        if (event->button() == Qt::LeftButton && index.isValid())
            select(index.row());
    }
    void mouseMoveEvent(QMouseEvent *) override {}
    void mouseReleaseEvent(QMouseEvent *) override {}
    void mouseDoubleClickEvent(QMouseEvent *event) override
    {
        const QModelIndex index = indexAt(event->position().toPoint());
        if (event->button() == Qt::LeftButton && index.isValid())
            open(index.row());
    }
    void keyPressEvent(QKeyEvent *event) override
    {
        const int rows = model() ? model()->rowCount() : 0;
        const int row = selectedRow();
        const int page = std::max(1, viewport()->height() / std::max(1, sizeHintForRow(0)) - 1);
        int target = -2;
        if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) {
            event->ignore();
            return;
        }
        switch (event->key()) {
        case Qt::Key_Up: target = row - 1; break;
        case Qt::Key_Down: target = row + 1; break;
        case Qt::Key_PageUp: target = row - page; break;
        case Qt::Key_PageDown: target = row + page; break;
        case Qt::Key_Home: target = 0; break;
        case Qt::Key_End: target = rows - 1; break;
        default:
            // Enter, Esc and the rest go on to the window (its default button, its key handler).
            event->ignore();
            return;
        }
        if (rows > 0) {
            target = std::clamp(target, 0, rows - 1);
            if (target != row)
                select(target);
        }
    }
};

namespace {
class ListModel : public QAbstractListModel {
public:
    std::function<int()> count;
    std::function<QVariant(int, int)> value;
    explicit ListModel(QObject *parent) : QAbstractListModel(parent) {}
    int rowCount(const QModelIndex &parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : count();
    }
    QVariant data(const QModelIndex &index, int role) const override
    {
        return index.isValid() ? value(index.row(), role) : QVariant();
    }
    void reset()
    {
        beginResetModel();
        endResetModel();
    }
};

void showSelection(QListView *view, int row)
{
    QItemSelectionModel *selection = view->selectionModel();
    if (row < 0) {
        selection->clear();
        return;
    }
    const QModelIndex index = view->model()->index(row, 0);
    selection->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    view->scrollTo(index);
}
} // namespace

class DirListBox::Model : public ListModel {
public:
    using ListModel::ListModel;
};
class FileListBox::Model : public ListModel {
public:
    using ListModel::ListModel;
};

// ---------------------------------------------------------------------------------------------

DriveListBox::DriveListBox(QWidget *parent) : QWidget(parent), m_combo(new QComboBox(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_combo);
    m_drive = Drives::rootOf(QDir::currentPath());
    fill();
    // activated: the user's choice only, never a change made by code or by refilling.
    connect(m_combo, &QComboBox::activated, this, [this](int index) {
        if (!m_filling && index >= 0 && index < m_roots.size())
            setDrive(m_roots.at(index));
    });
}

void DriveListBox::fill()
{
    m_filling = true;
    m_roots = Drives::roots();
    if (!m_roots.contains(m_drive))
        m_roots.append(m_drive);
    m_combo->clear();
    for (const QString &r : std::as_const(m_roots)) {
        const QString name = QStorageInfo(r).displayName();
        m_combo->addItem(name.isEmpty() || name == r ? r : QStringLiteral("%1  [%2]").arg(r, name));
    }
    m_combo->setCurrentIndex(m_roots.indexOf(m_drive));
    m_filling = false;
}

QString DriveListBox::List(int index) const
{
    return index >= 0 && index < m_roots.size() ? m_roots.at(index) : QString();
}

bool DriveListBox::setDrive(const QString &path)
{
    const QString root = Drives::rootOf(path);
    if (root != m_drive) {
        m_drive = root;
        if (!m_roots.contains(root))
            fill();
        m_filling = true;
        m_combo->setCurrentIndex(m_roots.indexOf(root));
        m_filling = false;
        emit Change();
    }
    return Drives::isAvailable(root);
}

// ---------------------------------------------------------------------------------------------

DirListBox::DirListBox(QWidget *parent) : QWidget(parent)
{
    auto *view = FolderListView::filling(this);
    m_view = view;
    m_model = new Model(this);

    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
    m_model->count = [this] { return int(m_ancestors.size() + m_subfolders.size()); };
    m_model->value = [this, open, closed](int row, int role) -> QVariant {
        const int levels = m_ancestors.size();
        if (role == Qt::DisplayRole) {
            const int depth = std::min(row, levels);
            QString name;
            if (row < levels) {
                const QString &a = m_ancestors.at(row);
                name = row == 0 ? a : a.section(QLatin1Char('/'), -1);
            } else {
                name = m_subfolders.at(row - levels);
            }
            return QString(depth * 2, QLatin1Char(' ')) + LocalFiles::displayName(name);
        }
        if (role == Qt::DecorationRole)
            return row < levels ? open : closed;
        return QVariant();
    };
    m_view->setModel(m_model);
    view->selectedRow = [this] { return rowOf(m_listIndex); };
    view->select = [this](int row) { userSelect(row); };
    view->open = [this](int row) { userOpen(row); };

    QString start = cleanFolder(QDir::currentPath());
    if (!FolderListing::canList(start))
        start = QStringLiteral("/");
    m_path = start;
    rebuild();
}

QString DirListBox::List(int index) const
{
    const int levels = m_ancestors.size();
    if (index < 0 && index >= -levels)
        return m_ancestors.at(levels + index);
    if (index >= 0 && index < m_subfolders.size())
        return m_path == QLatin1String("/") ? m_path + m_subfolders.at(index)
                                             : m_path + QLatin1Char('/') + m_subfolders.at(index);
    return QString();
}

void DirListBox::rebuild()
{
    m_ancestors.clear();
    for (QString p = m_path;; p = QFileInfo(p).path()) {
        m_ancestors.prepend(p);
        if (p == QLatin1String("/") || p == QFileInfo(p).path())
            break;
    }
    m_subfolders.clear();
    readFolder(m_path, nullptr, &m_subfolders);
    FolderListing::sort(m_subfolders);
    m_listIndex = -1;
    m_model->reset();
    showSelection(m_view, rowOf(m_listIndex));
}

bool DirListBox::setPath(const QString &path)
{
    const QString folder = FolderListing::absolute(path, m_path);
    if (!FolderListing::canList(folder))
        return false;
    Drives::setCurrentFolder(folder);
    if (folder == m_path)
        return true;
    m_path = folder;
    rebuild();
    emit Change();
    return true;
}

bool DirListBox::setPathToDrive(const QString &root)
{
    if (!Drives::isAvailable(root))
        return false;
    const QString folder = Drives::currentFolder(root);
    if (setPath(folder))
        return true;
    return setPath(root);
}

bool DirListBox::setListIndex(int index)
{
    if (index < -int(m_ancestors.size()) || index >= m_subfolders.size())
        return false;
    m_listIndex = index;
    showSelection(m_view, rowOf(index));
    emit Click();
    return true;
}

void DirListBox::userSelect(int row)
{
    setListIndex(row - int(m_ancestors.size()));
}

void DirListBox::userOpen(int row)
{
    const QString folder = List(row - int(m_ancestors.size()));
    if (!folder.isEmpty())
        setPath(folder);
}

// ---------------------------------------------------------------------------------------------

FileListBox::FileListBox(QWidget *parent) : QWidget(parent)
{
    auto *view = FolderListView::filling(this);
    m_view = view;
    m_model = new Model(this);
    m_model->count = [this] { return int(m_items.size()); };
    m_model->value = [this](int row, int role) -> QVariant {
        if (role == Qt::DisplayRole)
            return LocalFiles::displayName(m_items.at(row));
        return QVariant();
    };
    m_view->setModel(m_model);
    view->selectedRow = [this] { return m_listIndex; };
    view->select = [this](int row) { userSelect(row); };
    view->open = [this](int row) { userOpen(row); };

    QString start = cleanFolder(QDir::currentPath());
    QStringList files;
    if (readFolder(start, &files, nullptr)) {
        m_path = start;
        FolderListing::sort(files);
        m_all = std::move(files);
    } else {
        m_path = QStringLiteral("/");
    }
    refilter();
}

QString FileListBox::List(int index) const
{
    return index >= 0 && index < m_items.size() ? m_items.at(index) : QString();
}

QString FileListBox::FileName() const
{
    return List(m_listIndex);
}

void FileListBox::refilter()
{
    const FolderListing::Pattern pattern(m_pattern);
    QStringList items;
    items.reserve(m_all.size());
    for (const QString &name : std::as_const(m_all))
        if (pattern.matches(name))
            items.append(name);
    m_items = std::move(items);
    m_listIndex = -1;
    m_model->reset();
}

bool FileListBox::setPath(const QString &path)
{
    const QString folder = FolderListing::absolute(path, m_path);
    if (folder == m_path)
        return FolderListing::canList(folder);
    QStringList files;
    if (!readFolder(folder, &files, nullptr))
        return false;
    FolderListing::sort(files);
    m_path = folder;
    m_all = std::move(files);
    refilter();
    emit PathChange();
    return true;
}

void FileListBox::setPattern(const QString &pattern)
{
    if (pattern == m_pattern)
        return;
    m_pattern = pattern;
    refilter();
    emit PatternChange();
}

bool FileListBox::setListIndex(int index)
{
    if (index < -1 || index >= m_items.size())
        return false;
    const bool wasSelected = m_listIndex >= 0;
    m_listIndex = index;
    showSelection(m_view, index);
    if (index >= 0 || wasSelected)
        emit Click();
    return true;
}

void FileListBox::Refresh()
{
    QStringList files;
    if (!readFolder(m_path, &files, nullptr))
        return;
    FolderListing::sort(files);
    const QString selected = FileName();
    m_all = std::move(files);
    refilter();
    if (!selected.isEmpty()) {
        m_listIndex = m_items.indexOf(selected);
        showSelection(m_view, m_listIndex);
    }
}

void FileListBox::userSelect(int row)
{
    setListIndex(row);
}

void FileListBox::userOpen(int row)
{
    // The first press of the double click has selected the file already.
    if (row != m_listIndex)
        setListIndex(row);
    emit DblClick();
}
