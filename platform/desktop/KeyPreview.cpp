#include "KeyPreview.h"

#include "KeyCodes.h"

#include <QKeyEvent>
#include <QApplication>
#include <QPointer>
#include <QWidget>

namespace Keys {

namespace {
// One filter on the application sees a key event at its first receiver and again at each
// ancestor it propagates to; only the first sighting counts.
class KeyPreviewFilter : public QObject {
public:
    KeyPreviewFilter(QWidget *window, std::function<void(int, int)> handler)
        : QObject(window), m_window(window), m_handler(std::move(handler))
    {
        qApp->installEventFilter(this);
    }

    bool eventFilter(QObject *obj, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress || !obj->isWidgetType())
            return false;
        auto *w = static_cast<QWidget *>(obj);
        auto *key = static_cast<QKeyEvent *>(event);
        const bool propagated = key == m_lastEvent && m_lastReceiver && w != m_lastReceiver
                                && w->isAncestorOf(m_lastReceiver) && key->timestamp() == m_lastTimestamp
                                && key->key() == m_lastKey;
        remember(key, w);
        if (propagated || w->window() != m_window)
            return false;
        m_handler(virtualKey(key), shiftMask(key->modifiers()));
        // The handler may have run a modal dialog whose own keys passed through here: this press
        // is still the one its ancestors will see, and it has had its turn.
        remember(key, w);
        return false;
    }

private:
    void remember(const QKeyEvent *key, QWidget *receiver)
    {
        m_lastEvent = key;
        m_lastReceiver = receiver;
        m_lastTimestamp = key->timestamp();
        m_lastKey = key->key();
    }

    QWidget *m_window;
    std::function<void(int, int)> m_handler;
    const QKeyEvent *m_lastEvent = nullptr;
    QPointer<QWidget> m_lastReceiver;
    quint64 m_lastTimestamp = 0;
    int m_lastKey = 0;
};
} // namespace

void installKeyPreview(QWidget *window, std::function<void(int, int)> handler)
{
    new KeyPreviewFilter(window, std::move(handler));
}

} // namespace Keys
