#include "FormBlowUp.h"

#include "FormMain.h"

FormBlowUp::FormBlowUp()
    : LoadableForm(nullptr, Qt::Window | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("FormBlowUp"));
}

void FormMain::DoBlowUp() {}
