#include "Placeholders.h"

#include <QImageReader>
#include <QMouseEvent>
#include <QPainter>
#include <QStorageInfo>

TempImageBox::TempImageBox(QWidget *parent) : QWidget(parent) {}

bool TempImageBox::loadPicture(const QString &path)
{
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    QImage img = reader.read();
    if (img.isNull())
        return false;
    m_picture = img;
    update();
    return true;
}

void TempImageBox::paintEvent(QPaintEvent *)
{
    if (m_picture.isNull())
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    if (m_stretch)
        p.drawImage(rect(), m_picture);
    else
        p.drawImage(0, 0, m_picture);
}

void TempImageBox::mousePressEvent(QMouseEvent *e)
{
    const int button = e->button() == Qt::LeftButton ? 1 : e->button() == Qt::RightButton ? 2 : 4;
    emit MouseDown(button, 0, e->position().x(), e->position().y());
}

void TempImageBox::mouseReleaseEvent(QMouseEvent *e)
{
    if (rect().contains(e->position().toPoint()))
        emit Click();
}

void TempImageBox::mouseDoubleClickEvent(QMouseEvent *)
{
    emit DblClick();
}

TempDirList::TempDirList(QWidget *parent) : QListWidget(parent)
{
    m_path = QDir::currentPath();
}

bool TempDirList::setPath(const QString &path)
{
    QDir dir(path);
    if (path.isEmpty() || !dir.exists() || !dir.isReadable())
        return false;
    const QString clean = dir.absolutePath();
    if (clean == m_path)
        return true;
    m_path = clean;
    clear();
    for (const QString &sub : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase))
        addItem(sub);
    emit Change();
    return true;
}

TempDriveList::TempDriveList(QWidget *parent) : QComboBox(parent)
{
    addItem(QStringLiteral("/"));
}

bool TempDriveList::setDrive(const QString &pathOrDrive)
{
    if (!QDir(pathOrDrive).exists())
        return false;
    if (currentText() == QLatin1String("/"))
        return true;
    setCurrentIndex(0);
    emit Change();
    return true;
}

TempFileList::TempFileList(QWidget *parent) : QListWidget(parent) {}

void TempFileList::setPath(const QString &path)
{
    m_path = path;
    refresh();
}

void TempFileList::setPattern(const QString &pattern)
{
    m_pattern = pattern;
    refresh();
}

void TempFileList::refresh()
{
    clear();
    if (m_path.isEmpty())
        return;
    const QStringList filters = m_pattern.split(u';', Qt::SkipEmptyParts);
    QDir dir(m_path);
    for (const QString &f : dir.entryList(filters, QDir::Files, QDir::Name | QDir::IgnoreCase))
        addItem(f);
    setCurrentRow(-1);
}

QString TempDriveList::currentFolder() const
{
    return QDir::currentPath();
}
