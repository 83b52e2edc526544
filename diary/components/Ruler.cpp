#include "Ruler.h"

#include "Fonts.h"
#include "RichText.h"

#include <QFrame>
#include <QMouseEvent>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <qdrawutil.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <utility>

namespace RulerIndents {

// Dividing by 4/3 is multiplying by 3/4; integer division truncates toward zero as Trunc does.
int fromLeft(int markerLeft, int grabOffset)
{
    return (markerLeft + grabOffset - 6) * 3 / 4;
}

int fromRight(int rulerWidth, int markerLeft, int grabOffset)
{
    return (rulerWidth - markerLeft + grabOffset - 2) * 3 / 4 - 12;
}

} // namespace RulerIndents

namespace {

// The three markers' arrows, drawn in the ruler's text colour on a transparent ground.
enum class Arrow { Down, Up, OutlinedUp };

// An arrow of a stem 4 wide and a head as wide as the marker, each half its height.
QPolygonF arrowShape(bool down, double w, double h)
{
    const double mid = w / 2;
    QPolygonF up;
    up << QPointF(mid, 0) << QPointF(w, h / 2) << QPointF(mid + 2, h / 2) << QPointF(mid + 2, h)
       << QPointF(mid - 2, h) << QPointF(mid - 2, h / 2) << QPointF(0, h / 2);
    return down ? QTransform(1, 0, 0, -1, 0, h).map(up) : up;
}

class RulerMarker : public QWidget {
public:
    RulerMarker(QWidget *ruler, Arrow arrow)
        : QWidget(ruler)
        , m_arrow(arrow)
    {
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const QColor ink = palette().color(QPalette::WindowText);
        if (m_arrow == Arrow::OutlinedUp) {
            p.setPen(QPen(ink, 1));
            p.drawPolygon(arrowShape(false, width() - 1, height() - 1).translated(0.5, 0.5));
        } else {
            p.setPen(Qt::NoPen);
            p.setBrush(ink);
            p.drawPolygon(arrowShape(m_arrow == Arrow::Down, width(), height()));
        }
    }

private:
    Arrow m_arrow;
};

// A marker's left edge, kept so that its centre stays on the ruler: dragged past an end, a marker
// stops there with half of it showing, and can always be taken again.
int withinReach(int left, int half, int rulerWidth)
{
    return std::clamp(left, -half, std::max(-half, rulerWidth - 1 - half));
}

// Points as the editor keeps a paragraph's indent: whole points of its twips, truncated.
int wholePoints(double points)
{
    return int(std::lround(points * 20)) / 20;
}

// Changes one indent of every paragraph the editor's selection touches (the caret's paragraph
// when nothing is selected), keeping the others. A paragraph that already has that indent is not
// touched, so that a marker dropped where it stood changes no entry.
void changeIndents(QTextEdit &editor, const std::function<void(RichText::Indents &)> &change)
{
    QTextDocument *doc = editor.document();
    const QTextCursor caret = editor.textCursor();
    const QTextBlock last = doc->findBlock(caret.selectionEnd());
    // Even an empty edit block tells the editor its text changed.
    QTextCursor edit(doc);
    bool editing = false;
    for (QTextBlock block = doc->findBlock(caret.selectionStart()); block.isValid(); block = block.next()) {
        QTextBlockFormat format = block.blockFormat();
        const RichText::Indents before = RichText::indents(format);
        RichText::Indents indents = before;
        change(indents);
        if (indents != before) {
            if (!std::exchange(editing, true))
                edit.beginEditBlock();
            RichText::setIndents(format, indents);
            edit.setPosition(block.position());
            edit.setBlockFormat(format);
        }
        if (block == last)
            break;
    }
    if (editing)
        edit.endEditBlock();
}

} // namespace

TRuler::TRuler(QWidget *parent)
    : QWidget(parent)
{
    // A panel of the button colour with a lowered inner bevel, one pixel in from its edge.
    setAutoFillBackground(true);
    QPalette face = palette();
    face.setColor(QPalette::Window, face.color(QPalette::Button));
    setPalette(face);
    setFixedHeight(26);
    CreateMarkers();
    BuildTicks();
}

void TRuler::CreateMarkers()
{
    BaseLine = new QFrame(this);
    BaseLine->setObjectName("BaseLine");
    BaseLine->setFrameStyle(QFrame::Box | QFrame::Sunken);
    BaseLine->setLineWidth(1);
    BaseLine->setGeometry(4, 12, width() - 4, 2);

    struct Marker {
        QWidget *&widget;
        const char *name;
        Arrow arrow;
        QRect place;
    };
    const Marker markers[] = {
        {FirstIndentMarker, "FirstIndentMarker", Arrow::Down, QRect(2, 2, 10, 9)},
        {LeftIndentMarker, "LeftIndentMarker", Arrow::Up, QRect(2, 12, 10, 11)},
        {RightIndentMarker, "RightIndentMarker", Arrow::OutlinedUp, QRect(250, 14, 10, 9)},
    };
    for (const Marker &m : markers) {
        m.widget = new RulerMarker(this, m.arrow);
        m.widget->setObjectName(QLatin1String(m.name));
        m.widget->setGeometry(m.place);
        m.widget->installEventFilter(this);
    }
}

// A row of tick marks: "|" after each tab, the tabs expanded at the font's stops and the row
// centred on the ruler.
void TRuler::BuildTicks()
{
    QFont arial = font();
    arial.setFamily(QStringLiteral("Arial"));
    setFont(arial);
    m_caption = QStringLiteral("\t|").repeated(100);
}

void TRuler::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    qDrawShadePanel(&p, rect().adjusted(1, 1, -1, -1), palette(), true, 1);
    p.setPen(palette().color(QPalette::WindowText));

    // The caption centred, its tabs expanded to stops of eight average characters (Qt expands
    // tabs only in text aligned to the left).
    const QFontMetrics metrics = fontMetrics();
    const int stop = 8 * Fonts::averageCharWidth(font());
    const QStringList pieces = m_caption.split(u'\t');
    QList<int> at;
    int end = 0;
    for (int i = 0; i < pieces.size(); ++i) {
        if (i > 0)
            end = (end / stop + 1) * stop;
        at << end;
        end += metrics.horizontalAdvance(pieces[i]);
    }
    const int left = (width() - end) / 2;
    const int baseline = (height() + metrics.ascent() - metrics.descent()) / 2;
    for (int i = 0; i < pieces.size(); ++i)
        p.drawText(left + at[i], baseline, pieces[i]);
}

void TRuler::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    RulerResize();
}

void TRuler::RulerResize()
{
    BaseLine->resize(width() - 2 * BaseLine->x(), BaseLine->height());
    // A narrower ruler does not leave a marker out of reach.
    for (QWidget *marker : {FirstIndentMarker, LeftIndentMarker, RightIndentMarker})
        marker->move(withinReach(marker->x(), marker->width() / 2, width()), marker->y());
}

bool TRuler::eventFilter(QObject *watched, QEvent *event)
{
    auto *marker = qobject_cast<QWidget *>(watched);
    if (marker != FirstIndentMarker && marker != LeftIndentMarker && marker != RightIndentMarker)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        MarkerMouseDown(marker, int(static_cast<QMouseEvent *>(event)->position().x()));
        return true;
    case QEvent::MouseMove:
        MarkerMouseMove(marker, int(static_cast<QMouseEvent *>(event)->position().x()));
        return true;
    case QEvent::MouseButtonRelease:
        if (marker == FirstIndentMarker)
            FirstIndentMouseUp();
        else if (marker == LeftIndentMarker)
            LeftIndentMouseUp();
        else
            RightIndentMouseUp();
        return true;
    default:
        return QWidget::eventFilter(watched, event);
    }
}

// The marker's centre jumps under the pointer and follows it, as far as the ruler's ends; only its
// left changes.
void TRuler::MarkerMouseDown(QWidget *marker, int X)
{
    GrabOffset = marker->width() / 2;
    marker->move(withinReach(marker->x() + X - GrabOffset, GrabOffset, width()), marker->y());
    Dragging = true;
}

void TRuler::MarkerMouseMove(QWidget *marker, int X)
{
    if (Dragging)
        marker->move(withinReach(marker->x() + X - GrabOffset, GrabOffset, width()), marker->y());
}

// The first line's indent; the other lines' indent is rewritten after it, since it is relative
// to the first line's and its marker has not moved.
void TRuler::FirstIndentMouseUp()
{
    Dragging = false;
    if (!RichEdit)
        return;
    const int first = RulerIndents::fromLeft(FirstIndentMarker->x(), GrabOffset);
    changeIndents(*RichEdit, [first](RichText::Indents &i) { i.firstIndent = first; });
    LeftIndentMouseUp();
}

void TRuler::LeftIndentMouseUp()
{
    Dragging = false;
    if (!RichEdit)
        return;
    const int first = wholePoints(RichText::indents(RichEdit->textCursor().blockFormat()).firstIndent);
    const int left = RulerIndents::fromLeft(LeftIndentMarker->x(), GrabOffset) - first;
    changeIndents(*RichEdit, [left](RichText::Indents &i) { i.leftIndent = left; });
}

void TRuler::RightIndentMouseUp()
{
    Dragging = false;
    if (!RichEdit)
        return;
    const int right = RulerIndents::fromRight(width(), RightIndentMarker->x(), GrabOffset);
    changeIndents(*RichEdit, [right](RichText::Indents &i) { i.rightIndent = right; });
}
