#include "SmallForms.h"

#include "AllForms.h"
#include "FormFiles.h"
#include "FormMain.h"

namespace Forms {
::FormMain *FormMain = nullptr;
FormOnReference<::FormFiles> FormFiles;
FormOnReference<::FormBlowUp> FormBlowUp;
FormOnReference<::FormRemote> FormRemote;
FormOnReference<::FormSave> FormSave;
FormOnReference<::FormInfo> FormInfo;
FormOnReference<::FormNote> FormNote;
} // namespace Forms

FormBlowUp::FormBlowUp()
    : LoadableForm(nullptr, Qt::Window | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("FormBlowUp"));
}

FormRemote::FormRemote()
    : LoadableForm(nullptr, Qt::Tool)
{
    setObjectName(QStringLiteral("FormRemote"));
}

FormSave::FormSave()
{
    setObjectName(QStringLiteral("FormSave"));
}

FormInfo::FormInfo()
{
    setObjectName(QStringLiteral("FormInfo"));
}

FormNote::FormNote()
{
    setObjectName(QStringLiteral("FormNote"));
}
