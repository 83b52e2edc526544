#include "FormMain.h"

#include "AllForms.h"
#include "FormFiles.h"
#include "FormInfo.h"
#include "FormMainShared.h"
#include "FormNote.h"
#include "KeyCodes.h"

#include <algorithm>
#include <vector>

using namespace MainWindow;

namespace {

// The modifiers a row takes: Ctrl alone, or any (Shift, Ctrl and Alt held or not).
enum class Modifiers { CtrlAlone, Any };

} // namespace

// The key table. Every row is tested, in order, for every key press; a row's condition reads the
// state as the rows before it in the same press left it, and every row whose condition holds
// runs. "Help off" means that help mode was off when the key went down and still is: the 4 key
// that leaves help does not also show thumbnail place 4. No key is consumed.
void FormMain::Form_KeyDown(int KeyCode, int Shift)
{
    using Condition = bool (*)(FormMain &, bool helpOff);
    using Action = void (*)(FormMain &);
    struct Row {
        std::vector<int> keys;
        Modifiers modifiers;
        Condition condition; // none: the keys alone decide
        Action action;
    };
    static constexpr Condition inHelp = [](FormMain &m, bool) { return m.HelpActive; };
    static constexpr Condition firstOrLast = [](FormMain &m, bool helpOff) {
        return helpOff && m.Imagemain->isEnabled() && Forms::FormFiles->File1->ListCount() > 4;
    };
    static const Row rows[] = {
        {{Keys::P}, Modifiers::CtrlAlone, nullptr, [](FormMain &m) { m.CmdPrint_Click(); }},
        {{Keys::Digit1, Keys::Pad1}, Modifiers::Any, inHelp,
         [](FormMain &m) { m.helpPageByKey(1); }},
        {{Keys::Digit2, Keys::Pad2}, Modifiers::Any, inHelp,
         [](FormMain &m) { m.helpPageByKey(2); }},
        {{Keys::Digit3, Keys::Pad3}, Modifiers::Any, inHelp,
         [](FormMain &m) { m.helpPageByKey(3); }},
        {{Keys::Digit4, Keys::Pad4, Keys::Esc}, Modifiers::Any, inHelp, [](FormMain &m) { m.leaveHelpByKey(); }},
        {{Keys::Right}, Modifiers::CtrlAlone,
         [](FormMain &m, bool helpOff) { return helpOff && m.CmdFwdOne->isEnabled(); },
         [](FormMain &m) {
             m.keyStepStart();
             m.nextPicture();
         }},
        {{Keys::Left}, Modifiers::CtrlAlone,
         [](FormMain &m, bool helpOff) { return helpOff && m.CmdBackOne->isEnabled(); },
         [](FormMain &m) {
             m.lastPictureStep();
             m.keyStepStart();
             m.previousPicture();
         }},
        {{Keys::PageUp}, Modifiers::Any,
         [](FormMain &m, bool helpOff) { return helpOff && m.CmdFwdFour->isEnabled(); },
         [](FormMain &m) {
             m.keyStepStart();
             m.fourForward();
         }},
        {{Keys::PageDown}, Modifiers::Any,
         [](FormMain &m, bool helpOff) { return helpOff && m.CmdBackFour->isEnabled(); },
         [](FormMain &m) {
             m.lastPictureStep();
             m.keyStepStart();
             m.fourBack();
         }},
        // "First images" and "Last images" with the note window closed first and the pressed
        // command's own button disabled too.
        {{Keys::Home}, Modifiers::Any, firstOrLast,
         [](FormMain &m) {
             Forms::FormNote.unload();
             m.CmdHome->setEnabled(false);
             m.CmdHome_Click();
         }},
        {{Keys::End}, Modifiers::Any, firstOrLast,
         [](FormMain &m) {
             Forms::FormNote.unload();
             Forms::FormInfo.unload();
             m.CmdEnd->setEnabled(false);
             m.CmdEnd_Click();
         }},
        {{Keys::Digit1, Keys::Pad1}, Modifiers::Any,
         [](FormMain &m, bool helpOff) { return helpOff && m.thumbKeyActs(1); },
         [](FormMain &m) { m.showThumbByKey(1); }},
        {{Keys::Digit2, Keys::Pad2}, Modifiers::Any,
         [](FormMain &m, bool helpOff) { return helpOff && m.thumbKeyActs(2); },
         [](FormMain &m) { m.showThumbByKey(2); }},
        {{Keys::Digit3, Keys::Pad3}, Modifiers::Any,
         [](FormMain &m, bool helpOff) { return helpOff && m.thumbKeyActs(3); },
         [](FormMain &m) { m.showThumbByKey(3); }},
        {{Keys::Digit4, Keys::Pad4}, Modifiers::Any,
         [](FormMain &m, bool helpOff) { return helpOff && m.thumbKeyActs(4); },
         [](FormMain &m) { m.showThumbByKey(4); }},
        {{Keys::PadPlus}, Modifiers::Any,
         [](FormMain &m, bool helpOff) { return helpOff && m.Imagemain->isEnabled(); },
         [](FormMain &m) {
             // A picture is loaded, one pixel wide or more.
             if (!m.PictureScale->picture().isNull())
                 m.showEnlargedView();
         }},
    };
    const bool helpOff = !HelpActive;
    for (const Row &row : rows) {
        if (std::find(row.keys.begin(), row.keys.end(), KeyCode) == row.keys.end())
            continue;
        if (row.modifiers == Modifiers::CtrlAlone && Shift != Keys::CtrlMask)
            continue;
        if (row.condition && !row.condition(*this, helpOff))
            continue;
        row.action(*this);
    }
}

// What the step keys do before their step: the note window and the information window closed
// (the note written), the hourglass, and the end of an actual-size view. The folder browser and the
// thumbnail places are left as they are.
void FormMain::keyStepStart()
{
    Forms::FormNote.unload();
    Forms::FormInfo.unload();
    setCursor(Qt::WaitCursor);
    Imagemain->setStretch(true);
}

// The help page keys close the note window first; the link area keeps its state and place.
void FormMain::helpPageByKey(int page)
{
    Forms::FormNote.unload();
    ShowHelpPage(page);
}

// Leaves help mode as help button 4 does, the note window closed first; "&Note" and the thumbnail
// box stay disabled as help mode left them, until the timer enables them.
void FormMain::leaveHelpByKey()
{
    Forms::FormNote.unload();
    LeaveHelp();
    enableControls({CmdNoteShow, CheckThumb}, false);
}

// A thumbnail key acts while its place is shown and clickable (the timer disables the places under
// an open note, which so stays with its own picture) and the stored setting reads as the number 1.
bool FormMain::thumbKeyActs(int place)
{
    bool isNumber = false;
    const double setting = CheckThumbValue.trimmed().toDouble(&isNumber);
    ImageBox *t = thumb(place);
    return isNumber && setting == 1 && t->Left() < kParked && t->isEnabled();
}

void FormMain::showThumbByKey(int place)
{
    if (place == 1)
        lastPictureStep();
    Forms::FormInfo.unload();
    showThumb(place);
}
