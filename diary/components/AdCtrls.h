#pragma once
// The banner components of the diary's main window: TAdSoftwareStats (no window) and
// TAdControlStats (the banner picture at the window's foot).
#include <QObject>
#include <QString>
#include <QWidget>

enum class TControlSize { csFullBanner, csHalfBanner };

class TAdSoftwareStats : public QObject {
    Q_OBJECT
public:
    explicit TAdSoftwareStats(QObject *parent = nullptr);
    qint32 AdSoftware = 0;
};

class TAdControlStats : public QWidget {
    Q_OBJECT
public:
    explicit TAdControlStats(QWidget *parent = nullptr);

    // 468 x 60 for a full banner, 234 x 60 for a half banner.
    static QSize BannerSize(TControlSize size);
    void SetControlSize(TControlSize size);
    TControlSize GetControlSize() const { return m_size; }

    qint32 AdSoftware = 0;
    qint32 AdIndex = 0;
    QString Link;

private:
    TControlSize m_size = TControlSize::csFullBanner;
};
