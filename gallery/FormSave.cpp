#include "FormSave.h"

FormSave::FormSave()
{
    setObjectName(QStringLiteral("FormSave"));
}
