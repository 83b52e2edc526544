#pragma once
// The picture information window: a borderless dark-blue window with the file's name, size, type,
// compression figure, folder, size in pixels and print size at 200 dpi. Its load handler measures
// the file; FormMain::DoInfo writes the text. Any click on it closes it.
#include "Forms.h"
#include "ImageBox.h"

#include <QLabel>
#include <QSize>
#include <QString>

namespace PictureInfo {

// What the load handler works out: the size as shown ("Not available", bytes or kilobytes), its
// unit (" Bytes", " KB" or empty) and the compression figure (one decimal; 0 for "not
// applicable", -100 for a bitmap of 24 bits a pixel with nothing but its header and pixels, -200
// for a bitmap of fewer bits a pixel).
struct Figures {
    QString iFileDisp;
    QString KbByte;
    float CompRatio = 0;
};

// The size of the file in bytes (all 64 bits); -1 when it cannot be opened for reading.
qint64 fileSize(const QString &path);
// The figures for the file at path (its type is the path's last three characters) of fileSize
// bytes holding a picture of the given size in pixels.
Figures figures(const QString &path, qint64 fileSize, QSize pixels);
// The nineteen lines of the window, joined by CR LF: the type comes from the file name's last
// three characters.
QString lines(const QString &fileName, const QString &folder, const Figures &figures, QSize pixels);

} // namespace PictureInfo

class FormInfo : public LoadableForm {
    Q_OBJECT
    Q_PROPERTY(QString lpFileName MEMBER lpFileName)
    Q_PROPERTY(qint64 iFile MEMBER iFile)
    Q_PROPERTY(QString iFileDisp MEMBER iFileDisp)
    Q_PROPERTY(QString KbByte MEMBER KbByte)
    Q_PROPERTY(float CompRatio MEMBER CompRatio)
public:
    FormInfo();

    // Shared state, written by the load handler and read by FormMain::DoInfo.
    QString lpFileName;
    qint64 iFile = -1;
    QString iFileDisp;
    QString KbByte;
    float CompRatio = 0;

    QLabel *Lblinfo;
    ImageBox *ImageClick;

    void Form_Load() override;

public slots:
    void Form_Click();
    void ImageClick_Click();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
};
