#pragma once
// The note editor: a plain-text note kept beside each picture (its file: NoteFile.h), its date
// stamp, its font (a setting) and the note help.
#include "Forms.h"
#include "NoteFile.h"

#include <QPushButton>
#include <QString>

class QFont;
class RichTextEdit;

// The note font as the four settings hold it: the size as a number in text, italic and bold as
// "True" or "False". A text the editor cannot use gives way to the defaults.
namespace NoteFont {

bool isSize(const QString &text);
bool isFlag(const QString &text);
QFont font(const QString &name, const QString &size, const QString &italic, const QString &bold);

} // namespace NoteFont

class FormNote : public LoadableForm {
    Q_OBJECT
    Q_PROPERTY(QString NotePath MEMBER NotePath)
public:
    FormNote();

    // The note file this window edits, set when the note is opened: "&Close" writes that file,
    // whatever picture the list has selected by then. Empty when no note is open.
    QString NotePath;

    RichTextEdit *TextNote;
    QPushButton *CmdFont, *CmdDate, *CmdHelp, *CmdExitHelp, *CmdNoteSave;

    // The editor's text: its lines (a paragraph each) separated by the line ends they were set with
    // (CR LF, or a lone LF or CR), CR LF where the user typed one, every other character as it was
    // set; setting it leaves no formatting behind.
    QString text() const;
    void setText(const QString &text);
    // True while the editor shows the note help (a state of the window, not of the text).
    bool helpShown() const { return m_helpShown; }
    // Back to the note, without the help's steps for the user (the note text comes back).
    void leaveHelp();
    // Shown (not modal) and in front; a window not shown yet opens at the place a click on the
    // main window's background gives it.
    void showNote();
    // Writes the editor's text to NotePath, or deletes that file for a blank note; nothing while
    // the help is shown. False, after a critical message naming the file, when that failed.
    bool writeNote();
    // Closing with the program: the note written as "&Close" writes it, or, where it cannot be,
    // given up only when the user says so. False when the window stays open.
    bool closeWithProgram(QWidget *parent);

    void Form_Load() override;
    // Every way the note view closes writes the note as "&Close" does and puts the main window's
    // button row back; a note that cannot be written keeps the window open.
    void Form_Unload(int &cancel) override;

public slots:
    void CmdDate_Click();
    void CmdFont_Click();
    void CmdHelp_Click();
    void CmdExitHelp_Click();
    void CmdNoteSave_Click();

private:
    void applySettingsFont();
    void setButtonsForHelp(bool help);

    // What keeps the note from being written or deleted; empty when it was (or needs nothing).
    QString noteNotWritten();

    QString HelpSavedText;
    bool m_helpShown = false;
    bool m_writeFailed = false;
    // Nothing more to write on the way out: written by "&Close" or with the program, or given up
    // by the user as the program closes.
    bool m_settled = false;
    int m_twips;
};
