#include "FormInfo.h"

#include "FormMain.h"

FormInfo::FormInfo()
{
    setObjectName(QStringLiteral("FormInfo"));
}

void FormMain::DoInfo() {}
