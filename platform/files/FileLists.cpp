#include "FileLists.h"

#include "Drives.h"
#include "FolderListing.h"
#include "LocalFiles.h"

#include <QAbstractListModel>
#include <QComboBox>
#include <QDir>
#include <QKeyEvent>
#include <QListView>
#include <QMouseEvent>
#include <QStorageInfo>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

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

    QString start = FolderListing::cleanFolder(QDir::currentPath());
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
    FolderListing::readFolder(m_path, nullptr, &m_subfolders);
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

    QString start = FolderListing::cleanFolder(QDir::currentPath());
    QStringList files;
    if (FolderListing::readFolder(start, &files, nullptr)) {
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
    if (!FolderListing::readFolder(folder, &files, nullptr))
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
    if (!FolderListing::readFolder(m_path, &files, nullptr))
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
