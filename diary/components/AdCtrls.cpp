#include "AdCtrls.h"

#include "OutsideLibrary.h"
#include "ShellOpen.h"

#include <QMouseEvent>
#include <QPainter>
#include <QUrl>

namespace {

const QString StatsLibrary = QStringLiteral("adstats");

// The library's entry points; what they return means nothing to the diary.
using StartAdSoftwareStatsProc = qint32 (*)(qint32 software);
using StartAdControlStatsProc = qint32 (*)(quintptr window, qint32 software, qint32 index);

} // namespace

AdStatsLibrary::AdStatsLibrary() = default;

// Frees the library (this hold of it).
AdStatsLibrary::~AdStatsLibrary() = default;

QFunctionPointer AdStatsLibrary::entry(const char *name)
{
    if (!m_library)
        m_library = OutsideLibrary::load(StatsLibrary);
    if (m_library && !m_entry)
        m_entry = m_library->resolve(name);
    return m_entry;
}

TAdSoftwareStats::TAdSoftwareStats(QObject *parent)
    : QObject(parent)
{
}

void TAdSoftwareStats::Loaded()
{
    if (auto start = reinterpret_cast<StartAdSoftwareStatsProc>(m_stats.entry("StartAdSoftwareStats")))
        start(AdSoftware);
}

TAdControlStats::TAdControlStats(QWidget *parent)
    : QWidget(parent)
{
    // Its own window, when the library asks for it, leaves the window's other controls as they are.
    setAttribute(Qt::WA_DontCreateNativeAncestors);
    SetControlSize(TControlSize::csFullBanner);
}

void TAdControlStats::Loaded()
{
    // The library is given the banner's own window, made now when it has none yet.
    if (auto start = reinterpret_cast<StartAdControlStatsProc>(m_stats.entry("StartAdControlStats")))
        start(quintptr(winId()), AdSoftware, AdIndex);
}

QSize TAdControlStats::BannerSize(TControlSize size)
{
    return size == TControlSize::csHalfBanner ? QSize(234, 60) : QSize(468, 60);
}

void TAdControlStats::SetControlSize(TControlSize size)
{
    m_size = size;
    setFixedSize(BannerSize(size));
}

void TAdControlStats::SetBounds(int left, int top, int width, int height)
{
    setGeometry(left, top, width, height);
    SetControlSize(width < 351 ? TControlSize::csHalfBanner : TControlSize::csFullBanner);
}

void TAdControlStats::SetPicture(const QPixmap &picture)
{
    m_picture = picture;
    PictureChanged();
}

void TAdControlStats::PictureChanged()
{
    if (!m_painting)
        update();
}

void TAdControlStats::paintEvent(QPaintEvent *)
{
    m_painting = true;
    if (!m_picture.isNull()) {
        QPainter painter(this);
        painter.drawPixmap(0, 0, m_picture);
    }
    m_painting = false;
}

void TAdControlStats::mouseReleaseEvent(QMouseEvent *event)
{
    QWidget::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Click();
}

void TAdControlStats::Click()
{
    if (!Link.isEmpty())
        ShellOpen::open(QUrl(Link));
}
