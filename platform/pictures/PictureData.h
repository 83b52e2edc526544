#pragma once
// What a picture handle holds; seen only by Picture.cpp and the decode cache.
#include "Picture.h"

struct Picture::Data {
    QString path;
    QSize size;
    QByteArray format;
    // The file as it was when loaded: with the path, the decode cache's key.
    qint64 fileSize = 0;
    qint64 modified = 0;
    QImage memory; // a picture held in memory only
};
