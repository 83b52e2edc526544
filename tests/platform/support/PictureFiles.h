#pragma once
// Picture files made by the tests themselves: any size, any of the formats the gallery reads.
#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QSize>
#include <QString>

namespace PictureFiles {
// A picture of one colour with a darker diagonal band (so scaling errors show).
QImage drawing(const QSize &size, const QColor &colour = Qt::red);
// Pixels of noise: compresses badly, so a file cut in half still has its header.
QImage noise(const QSize &size, quint32 seed = 1);
// The image encoded as "png", "bmp", "bmp top-down" (its rows stored top first), "jpeg" or "gif"
// (GIF written here: Qt reads GIF only).
QByteArray encode(const QImage &image, const QByteArray &format);
// Writes bytes to a file; returns the path (empty on failure).
QString write(const QString &path, const QByteArray &bytes);
} // namespace PictureFiles
