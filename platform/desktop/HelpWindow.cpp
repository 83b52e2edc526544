#include "HelpWindow.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QTextBrowser>
#include <QVBoxLayout>

HelpWindow::HelpWindow(QWidget *owner)
    : QWidget(owner, Qt::Window)
    , m_browser(new QTextBrowser(this))
{
    setObjectName("HelpWindow");
    m_browser->setObjectName("HelpBrowser");
    m_browser->setOpenExternalLinks(true);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    resize(640, 520);
}

HelpWindow *HelpWindow::of(QWidget *owner)
{
    return owner ? owner->findChild<HelpWindow *>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

bool HelpWindow::load(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    f.close();
    // HTML whatever the extension; anchors and links inside it resolve against the file.
    m_file = QFileInfo(path).absoluteFilePath();
    m_browser->setSource(QUrl::fromLocalFile(m_file), QTextDocument::HtmlResource);
    return true;
}

bool HelpWindow::showContents(QWidget *owner, const QString &path, const QString &title)
{
    if (!QFileInfo(path).isFile())
        return false;
    HelpWindow *w = of(owner);
    const bool fresh = !w;
    if (fresh)
        w = new HelpWindow(owner);
    if (!w->load(path)) {
        if (fresh)
            delete w;
        return false;
    }
    w->setWindowTitle(title);
    if (fresh) {
        if (QScreen *s = owner ? owner->screen() : QGuiApplication::primaryScreen()) {
            const QRect a = s->availableGeometry();
            w->move(a.center() - QPoint(w->width() / 2, w->height() / 2));
        }
    }
    w->show();
    w->raise();
    w->activateWindow();
    return true;
}
