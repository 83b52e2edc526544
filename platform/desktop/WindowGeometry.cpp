#include "WindowGeometry.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <cmath>

namespace WindowGeometry {

namespace {

// The frame as the window system has it now: a widget's own frame geometry is only brought up to
// date when the window moves or is resized, and a frame drawn around a window that stays put
// does neither.
QMargins frameMargins(const QWidget *window)
{
    const QWindow *handle = window->windowHandle();
    return handle && window->isVisible() ? handle->frameMargins() : QMargins();
}

QRect frameGeometry(const QWidget *window)
{
    return window->geometry().marginsAdded(frameMargins(window));
}

// The place that centres an outer size on the primary screen.
QRect centredOnScreen(QSize outerSize)
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->geometry() : QRect(0, 0, 800, 600);
    return QRect(area.left() + (area.width() - outerSize.width()) / 2,
                 area.top() + (area.height() - outerSize.height()) / 2, outerSize.width(), outerSize.height());
}

bool fixedSize(const QWidget *window)
{
    return window->minimumSize() == window->maximumSize() && !window->minimumSize().isEmpty();
}

// Keeps a window at the outer rectangle it was given. The frame's margins are known only once the
// window manager has framed the shown window, and they read as none again while it is hidden, so the
// margins last seen stand in until the frame is there again.
class OuterKeeper : public QObject {
public:
    explicit OuterKeeper(QWidget *window)
        : QObject(window)
        , m_window(window)
        , m_outer(window->frameGeometry())
    {
        setObjectName(QStringLiteral("WindowGeometry::OuterKeeper"));
        window->installEventFilter(this);
        m_watch.setInterval(WatchInterval);
        connect(&m_watch, &QTimer::timeout, this, [this] {
            settle();
            const int watched = ++m_watchedFor * WatchInterval;
            const bool framed = (!m_applied.isNull() || !framedBySystem()) && frameMargins(m_window) == m_applied
                                && frameGeometry(m_window).topLeft() == m_outer.topLeft();
            if ((framed && watched >= HoldFor) || watched >= WatchFor || !m_window->isVisible())
                m_watch.stop();
        });
    }

    static OuterKeeper *of(const QWidget *window)
    {
        return window->findChild<OuterKeeper *>(QStringLiteral("WindowGeometry::OuterKeeper"),
                                                Qt::FindDirectChildrenOnly);
    }
    static OuterKeeper *ensure(QWidget *window)
    {
        OuterKeeper *keeper = of(window);
        return keeper ? keeper : new OuterKeeper(window);
    }

    QRect outer() const { return m_outer; }

    void set(const QRect &outer, bool placed, bool sized)
    {
        // Asked again for what it has (a slide show sets its view at every step): applied, but
        // nothing new to watch for.
        const bool same = outer == m_outer && (m_placed || !placed) && (m_sized || !sized) && !(m_centred && placed);
        m_outer = outer;
        m_placed = m_placed || placed;
        m_centred = m_centred && !placed;
        m_sized = m_sized || sized;
        apply();
        if (m_window->isVisible() && !same)
            watchFrame();
    }

    void centre()
    {
        m_centred = true;
        apply();
        if (m_window->isVisible())
            watchFrame();
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_window && !m_applying) {
            switch (event->type()) {
            case QEvent::Show:
                watchFrame();
                settle();
                break;
            case QEvent::Move:
            case QEvent::Resize:
            case QEvent::WindowStateChange:
                settle();
                break;
            default:
                break;
            }
        }
        return false;
    }

private:
    // A window manager may frame a window around its client without moving or resizing it, and
    // nothing tells the window: its frame is looked at for a while after it is shown or set.
    void watchFrame()
    {
        m_watchedFor = 0;
        m_watch.start();
    }

    // Whether a window manager may draw a frame around this window at all.
    bool framedBySystem() const
    {
        return !(m_window->windowFlags() & Qt::FramelessWindowHint)
               && QGuiApplication::platformName() != QLatin1String("offscreen");
    }

    // Maximised, full-screen and minimised windows take the size their state gives them.
    bool inNormalState() const
    {
        return !(m_window->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized));
    }

    void apply()
    {
        if (!inNormalState())
            return;
        const QMargins now = frameMargins(m_window);
        if (!now.isNull())
            m_known = now;
        const QMargins m = now.isNull() ? m_known : now;
        const QSize client(std::max(0, m_outer.width() - m.left() - m.right()),
                           std::max(0, m_outer.height() - m.top() - m.bottom()));
        m_applying = true;
        if (m_sized && fixedSize(m_window))
            m_window->setFixedSize(client);
        else if (m_sized)
            m_window->resize(client);
        else
            m_outer.setSize(m_window->size().grownBy(m));
        if (m_centred)
            m_outer.moveTopLeft(centredOnScreen(m_outer.size()).topLeft());
        // The client's place from the frame's, by the margins read here: a widget's own idea of
        // its frame may lag behind the window manager's.
        if (m_placed || m_centred)
            m_window->setGeometry(QRect(m_outer.topLeft() + QPoint(m.left(), m.top()), m_window->size()));
        m_applying = false;
        m_applied = m;
    }

    // A change of frame applies the rectangle again; otherwise the window is where the window manager
    // and the user put it, and that is taken over (the size only for a window the user may resize).
    void settle()
    {
        if (!m_window->isVisible() || !inNormalState())
            return;
        const QMargins now = frameMargins(m_window);
        if (!now.isNull())
            m_known = now;
        const QMargins effective = now.isNull() ? m_known : now;
        if (effective != m_applied) {
            apply();
            return;
        }
        if (now != m_applied)
            return; // shown again, not framed yet
        const QRect frame = frameGeometry(m_window);
        // Just shown or set: the window system may still report places from before, so the
        // rectangle asked for is held.
        if (m_watch.isActive() && (m_placed || m_centred)) {
            if (frame.topLeft() != m_outer.topLeft())
                apply();
            return;
        }
        // Moved by the user (or the window manager): taken over, but a centred window is centred
        // again at its next showing.
        if (m_centred)
            return;
        m_outer.moveTopLeft(frame.topLeft());
        m_placed = true;
        if (!m_sized || !fixedSize(m_window))
            m_outer.setSize(frame.size());
    }

    QWidget *m_window;
    QRect m_outer;
    QMargins m_known;
    QMargins m_applied;
    // A window never placed is left where the window manager puts it; one never sized keeps its own
    // client size, the frame added to it.
    bool m_placed = false;
    bool m_sized = false;
    bool m_centred = false; // placed in the middle of the screen whatever its frame
    bool m_applying = false;
    // After each showing, until the frame is there (or long enough for any window manager).
    static constexpr int WatchInterval = 25; // milliseconds
    static constexpr int WatchFor = 5000;
    static constexpr int HoldFor = 1000;
    QTimer m_watch;
    int m_watchedFor = 0;
};

QRect allScreens()
{
    QRect all;
    for (const QScreen *s : QGuiApplication::screens())
        all = all.united(s->geometry());
    return all;
}

} // namespace

QRect outer(const QWidget *window)
{
    const OuterKeeper *keeper = OuterKeeper::of(window);
    return keeper ? keeper->outer() : window->frameGeometry();
}

void setOuter(QWidget *window, const QRect &rect)
{
    OuterKeeper::ensure(window)->set(rect, true, true);
}

void setOuterSize(QWidget *window, int width, int height)
{
    QRect rect = outer(window);
    rect.setSize(QSize(width, height));
    OuterKeeper::ensure(window)->set(rect, false, true);
}

void setFixedOuterSize(QWidget *window, int width, int height)
{
    window->setFixedSize(width, height);
    setOuterSize(window, width, height);
}

void setOuterPos(QWidget *window, int left, int top)
{
    QRect rect = outer(window);
    rect.moveTopLeft(QPoint(left, top));
    OuterKeeper::ensure(window)->set(rect, true, false);
}

void centreOnScreen(QWidget *window)
{
    OuterKeeper::ensure(window)->centre();
}

void parkBeyondScreens(QWidget *window)
{
    const QRect all = allScreens();
    // 32000 twips at the finest density in use, or past the right edge of the screens if further.
    const int left = std::max(all.right() + 1, 32000 / 15);
    setOuterPos(window, left, outer(window).top());
}

bool isOffEveryScreen(const QWidget *window)
{
    const QRect frame = outer(window);
    for (const QScreen *s : QGuiApplication::screens())
        if (s->geometry().intersects(frame))
            return false;
    return true;
}

int toPixels(int twips, int twipsPerPixel)
{
    if (twipsPerPixel <= 0)
        return twips;
    return int(std::lround(double(twips) / twipsPerPixel));
}

int toTwips(int pixels, int twipsPerPixel)
{
    return pixels * twipsPerPixel;
}

} // namespace WindowGeometry
