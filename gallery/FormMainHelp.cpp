#include "FormMain.h"

#include "AllForms.h"
#include "FormFiles.h"
#include "FormMainShared.h"

using namespace MainWindow;

void FormMain::CmdHelp_Click() {}

void FormMain::DoHelp() {}

void FormMain::ImageWeb_Click() {}
