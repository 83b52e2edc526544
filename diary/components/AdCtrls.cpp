#include "AdCtrls.h"

TAdSoftwareStats::TAdSoftwareStats(QObject *parent)
    : QObject(parent)
{
}

TAdControlStats::TAdControlStats(QWidget *parent)
    : QWidget(parent)
{
    SetControlSize(TControlSize::csFullBanner);
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
