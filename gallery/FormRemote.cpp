#include "FormRemote.h"

#include "FormMain.h"

FormRemote::FormRemote()
    : LoadableForm(nullptr, Qt::Tool)
{
    setObjectName(QStringLiteral("FormRemote"));
}

void FormMain::DoSlide() {}
