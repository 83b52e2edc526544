#include "FormMain.h"

#include "AllForms.h"
#include "FormFiles.h"
#include "FormMainShared.h"

using namespace MainWindow;

void FormMain::Form_KeyDown(int KeyCode, int Shift)
{
    Q_UNUSED(KeyCode);
    Q_UNUSED(Shift);
}
