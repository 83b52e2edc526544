#pragma once
// The gallery's windows as the rest of the program reaches them. The main window lives for the
// whole run; the others load when first referenced (and the folder browser stays loaded from
// start-up to shut-down).
#include "Forms.h"

class FormMain;
class FormFiles;
class FormBlowUp;
class FormRemote;
class FormSave;
class FormInfo;
class FormNote;

namespace Forms {

extern ::FormMain *FormMain; // set while the main window exists
extern FormOnReference<::FormFiles> FormFiles;
extern FormOnReference<::FormBlowUp> FormBlowUp;
extern FormOnReference<::FormRemote> FormRemote;
extern FormOnReference<::FormSave> FormSave;
extern FormOnReference<::FormInfo> FormInfo;
extern FormOnReference<::FormNote> FormNote;

} // namespace Forms
