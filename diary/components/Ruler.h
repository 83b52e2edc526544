#pragma once
// The paragraph ruler above the diary's editor: a strip 26 pixels high with a groove, tick marks
// and three markers that are dragged to set the first-line, the other lines' and the right indent
// of the bound editor's current paragraph. It only writes indents: the markers stay where they
// were dropped and do not follow the caret. A marker's centre never leaves the ruler, so that every
// marker can be taken again.
#include <QPointer>
#include <QWidget>

class QFrame;
class QTextEdit;

// Indents in points from a marker's left edge within the ruler and half its width (pixels at
// 96 per inch, 72 points per inch), truncated toward zero.
namespace RulerIndents {
// First-line and other lines' indent: Trunc((left + grab - 6) / (4/3)).
int fromLeft(int markerLeft, int grabOffset);
// Right indent: Trunc((ruler width - left + grab - 2) / (4/3)) - 12.
int fromRight(int rulerWidth, int markerLeft, int grabOffset);
} // namespace RulerIndents

class TRuler : public QWidget {
    Q_OBJECT
public:
    explicit TRuler(QWidget *parent = nullptr);

    // The bound editor (not owned); without one the markers move and nothing else changes.
    QPointer<QTextEdit> RichEdit;

    // A marker is being dragged; the offset is half the width of the marker last pressed.
    bool Dragging = false;
    qint32 GrabOffset = 0;

    QFrame *BaseLine;
    QWidget *FirstIndentMarker;
    QWidget *LeftIndentMarker;
    QWidget *RightIndentMarker;

public slots:
    // X is relative to the marker; any mouse button drags.
    void MarkerMouseDown(QWidget *marker, int X);
    void MarkerMouseMove(QWidget *marker, int X);
    void FirstIndentMouseUp();
    void LeftIndentMouseUp();
    void RightIndentMouseUp();
    void RulerResize();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void CreateMarkers();
    void BuildTicks();

    QString m_caption;
};
