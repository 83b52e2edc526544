#include "Fonts.h"

#include <QApplication>

namespace Fonts {

namespace {
const QString kMsSansSerif = QStringLiteral("MS Sans Serif");
} // namespace

QString sansSerifFamily()
{
    // Liberation Sans (fonts-liberation) has the widths of the faces the boxes were sized for, or
    // narrower; the desktop's usual sans face is a good deal wider.
    return QStringLiteral("Liberation Sans");
}

QFont sansSerif(qreal points, bool bold)
{
    QFont font(sansSerifFamily());
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

void install()
{
    if (!QFont::substitutes(kMsSansSerif).contains(sansSerifFamily()))
        QFont::insertSubstitution(kMsSansSerif, sansSerifFamily());
    QApplication::setFont(sansSerif());
}

} // namespace Fonts
