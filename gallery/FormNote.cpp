#include "FormNote.h"

#include "FormMain.h"

FormNote::FormNote()
{
    setObjectName(QStringLiteral("FormNote"));
}

void FormMain::DoNoteView() {}

void FormMain::DoNote() {}
