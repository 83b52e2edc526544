#include "Forms.h"

#include <QCloseEvent>

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

void LoadableForm::closeEvent(QCloseEvent *event)
{
    if (unloadForm())
        event->accept();
    else
        event->ignore();
}
