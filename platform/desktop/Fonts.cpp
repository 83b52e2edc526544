#include "Fonts.h"

#include <QApplication>
#include <QFontMetricsF>

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

int averageCharWidth(const QFont &font)
{
    static const int weights[27] = {64, 14, 27, 35, 100, 20, 14, 42, 63, 3, 6, 35, 20, 56,
                                    56, 17, 4,  49, 56, 71,  31, 10, 18, 3,  18, 2, 166};
    const QFontMetricsF metrics(font);
    qreal sum = 0;
    for (int i = 0; i < 26; ++i)
        sum += weights[i] * metrics.horizontalAdvance(QChar(u'a' + i));
    sum += weights[26] * metrics.horizontalAdvance(QLatin1Char(' '));
    return qRound(sum / 1000);
}

void install()
{
    if (!QFont::substitutes(kMsSansSerif).contains(sansSerifFamily()))
        QFont::insertSubstitution(kMsSansSerif, sansSerifFamily());
    QApplication::setFont(sansSerif());
}

} // namespace Fonts
