#pragma once
// The windows' own font. Both programs' windows were drawn for "MS Sans Serif" at 8.25 points; its
// stand-in here is one of Debian's packaged faces, chosen so that every caption, label and button
// text fits the box the windows give it. Other named faces the programs ask for ("Arial", "Times New
// Roman") are found through the system's metric-compatible aliases.
#include <QFont>
#include <QString>

namespace Fonts {

// The face that stands in for "MS Sans Serif".
QString sansSerifFamily();
// "MS Sans Serif" at that size in points; 8.25 is the windows' own size.
QFont sansSerif(qreal points = 8.25, bool bold = false);
// The average character width in whole pixels as the classic font tables give it: the letters a to z
// and the blank weighted by their frequency in English text. Metric-compatible stand-ins (Liberation
// Sans for Arial) give the width of the face they stand in for, whatever their own tables say.
int averageCharWidth(const QFont &font);
// Makes it the application's font and the face "MS Sans Serif" resolves to. Call once the
// application object exists; calling again does no harm.
void install();

} // namespace Fonts
