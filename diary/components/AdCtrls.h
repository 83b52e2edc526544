#pragma once
// The banner components of the diary's main window: TAdSoftwareStats (no window) and
// TAdControlStats (the banner picture at the window's foot). Once loaded, each reports to the
// statistics library "adstats" when that library is present, holding its own handle of it until
// it is destroyed.
#include <QFunctionPointer>
#include <QPixmap>
#include <QString>
#include <QWidget>

#include <memory>

class OutsideLibrary;

enum class TControlSize { csFullBanner, csHalfBanner };

// One hold of the statistics library and of one of its entry points.
class AdStatsLibrary {
public:
    AdStatsLibrary();
    ~AdStatsLibrary();
    AdStatsLibrary(const AdStatsLibrary &) = delete;
    AdStatsLibrary &operator=(const AdStatsLibrary &) = delete;

    // The entry point; the library is loaded and the entry looked up when not held yet. Null when
    // either is missing.
    QFunctionPointer entry(const char *name);

private:
    std::unique_ptr<OutsideLibrary> m_library;
    QFunctionPointer m_entry = nullptr;
};

class TAdSoftwareStats : public QObject {
    Q_OBJECT
    Q_PROPERTY(qint32 AdSoftware MEMBER AdSoftware)
public:
    explicit TAdSoftwareStats(QObject *parent = nullptr);

    qint32 AdSoftware = 0;

public slots:
    // The holder has made its components: reports AdSoftware to the library.
    void Loaded();

private:
    AdStatsLibrary m_stats;
};

class TAdControlStats : public QWidget {
    Q_OBJECT
    Q_PROPERTY(qint32 AdSoftware MEMBER AdSoftware)
    Q_PROPERTY(qint32 AdIndex MEMBER AdIndex)
    Q_PROPERTY(QString Link MEMBER Link)
    Q_PROPERTY(QPixmap Picture READ GetPicture WRITE SetPicture)
public:
    explicit TAdControlStats(QWidget *parent = nullptr);

    // 468 x 60 for a full banner, 234 x 60 for a half banner.
    static QSize BannerSize(TControlSize size);
    TControlSize GetControlSize() const { return m_size; }
    // The picture, drawn at its own size from the top-left corner.
    const QPixmap &GetPicture() const { return m_picture; }

    qint32 AdSoftware = 0;
    qint32 AdIndex = 0;
    QString Link;

public slots:
    // The holder has made its components: reports the banner's window, AdSoftware and AdIndex
    // to the library.
    void Loaded();
    void SetControlSize(TControlSize size);
    // Any width below 351 gives a half banner, any other a full one, whatever the height asked for.
    void SetBounds(int left, int top, int width, int height);
    // The picture is copied in.
    void SetPicture(const QPixmap &picture);
    // Opens Link through the desktop; an empty Link does nothing.
    void Click();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void PictureChanged();

    TControlSize m_size = TControlSize::csFullBanner;
    QPixmap m_picture;
    bool m_painting = false;
    AdStatsLibrary m_stats;
};
