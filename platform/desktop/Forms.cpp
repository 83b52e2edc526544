#include "Forms.h"

#include <QCloseEvent>
#include <QWindow>

LoadableForm::LoadableForm(QWidget *parent, Qt::WindowFlags flags)
    : QWidget(parent, flags)
{
}

LoadableForm::~LoadableForm()
{
    if (m_detach)
        m_detach();
}

bool LoadableForm::unloadForm()
{
    if (m_unloaded)
        return true;
    int cancel = 0;
    Form_Unload(cancel);
    if (cancel)
        return false;
    m_unloaded = true;
    hide();
    if (m_detach) {
        m_detach();
        m_detach = nullptr;
    }
    deleteLater();
    return true;
}

bool LoadableForm::event(QEvent *event)
{
    const bool handled = QWidget::event(event);
    switch (event->type()) {
    case QEvent::WindowTitleChange:
    case QEvent::WinIdChange:
    case QEvent::Show:
        // The window system would show the program's name for an empty caption: a blank shows none.
        if (windowTitle().isEmpty() && windowHandle() && windowHandle()->title() != QLatin1String(" "))
            windowHandle()->setTitle(QStringLiteral(" "));
        break;
    default:
        break;
    }
    return handled;
}

void LoadableForm::closeEvent(QCloseEvent *event)
{
    if (unloadForm())
        event->accept();
    else
        event->ignore();
}
