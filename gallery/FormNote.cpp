#include "FormNote.h"

#include "AllForms.h"
#include "Artwork.h"
#include "FontColorDialog.h"
#include "FormFiles.h"
#include "FormMain.h"
#include "FormMainShared.h"
#include "LocalFiles.h"
#include "Messages.h"
#include "ProgramFolder.h"
#include "RichText.h"
#include "RichTextEdit.h"
#include "ScreenMetrics.h"
#include "WindowGeometry.h"

#include <QDate>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLocale>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <cmath>

using namespace MainWindow;

namespace {

const QString kHelpFile = QStringLiteral("NoteHelp.rtf");
// The window's size in twips, frame included; its controls are placed in pixels.
constexpr int kWidthTwips = 8055;
constexpr int kHeightTwips = 5640;
// Where a click on the main window's background puts the window, from the main window's corner.
constexpr int kBesideMainTopTwips = 1395;
constexpr int kBesideMainLeftTwips = 1760;

void noteProblem(QWidget *parent, const QString &title, const QString &path, const QString &what)
{
    Messages::critical(parent, title, Notes::aboutNote(path, what));
}

// Each line of a note is a paragraph of the editor's document. The line end that closed it, where
// it is not CR LF (a lone LF or CR, as other editors write them), is kept with the paragraph
// mark after it, so that it goes where that mark goes: a line end the user deletes is gone, and
// one typed (Enter) is CR LF.
constexpr int kLineEnd = QTextFormat::UserProperty + 2;

// The characters the document cannot hold as themselves (it takes them for a paragraph or line
// break, or for a frame or object mark) are held as stand-ins marked with the character they
// stand for: the two separators show as a line break, the marks as U+FFFD.
constexpr int kHeldCharacter = QTextFormat::UserProperty + 1;

QChar standIn(QChar c)
{
    switch (c.unicode()) {
    case QChar::LineSeparator:
    case QChar::ParagraphSeparator:
        return QChar::LineSeparator;
    case QChar::ObjectReplacementCharacter:
    case 0xFDD0:
    case 0xFDD1:
        return QChar::ReplacementCharacter;
    default:
        return QChar(); // held as itself
    }
}

bool isMarked(const QTextCharFormat &format)
{
    return format.hasProperty(kHeldCharacter) || format.hasProperty(kLineEnd);
}

// What is typed beside a held character or at a kept line end is typed text, with no mark of its
// own: the format it would take from there is set aside (only without a selection: with one, it
// would be applied to the selection).
void typeUnmarked(QTextEdit *editor)
{
    const QTextCursor cursor = editor->textCursor();
    if (cursor.hasSelection() || !isMarked(cursor.charFormat()))
        return;
    QTextCharFormat typed = cursor.charFormat();
    typed.clearProperty(kHeldCharacter);
    typed.clearProperty(kLineEnd);
    editor->setCurrentCharFormat(typed);
}

// The note's editor. What is typed, pasted or dropped over a selection whose insertion format is
// marked goes in as typed text: the selection is removed first, in the same step to undo.
class NoteEdit : public RichTextEdit {
public:
    using RichTextEdit::RichTextEdit;

protected:
    void keyPressEvent(QKeyEvent *e) override
    {
        const QString text = e->text();
        const bool inserts = e->matches(QKeySequence::InsertParagraphSeparator)
                             || e->matches(QKeySequence::InsertLineSeparator)
                             || (!text.isEmpty() && (text.at(0).isPrint() || text.at(0) == QLatin1Char('\t')));
        overSelection(inserts, [&] { RichTextEdit::keyPressEvent(e); });
    }
    void inputMethodEvent(QInputMethodEvent *e) override
    {
        overSelection(!e->commitString().isEmpty(), [&] { RichTextEdit::inputMethodEvent(e); });
    }
    void insertFromMimeData(const QMimeData *source) override
    {
        overSelection(true, [&] { RichTextEdit::insertFromMimeData(source); });
    }

private:
    template<typename Insert>
    void overSelection(bool inserts, Insert insert)
    {
        QTextCursor cursor = textCursor();
        if (!inserts || isReadOnly() || !cursor.hasSelection() || !isMarked(cursor.charFormat())) {
            insert();
            return;
        }
        cursor.beginEditBlock();
        cursor.removeSelectedText();
        setTextCursor(cursor);
        typeUnmarked(this);
        insert();
        cursor.endEditBlock();
    }
};

} // namespace

namespace NoteFont {

namespace {
constexpr double kDefaultSize = 12;
constexpr double kLargestSize = 1638; // the largest size font dialogs offer
} // namespace

bool isSize(const QString &text)
{
    bool ok = false;
    const double size = text.trimmed().toDouble(&ok);
    return ok && std::isfinite(size) && size >= 1 && size <= kLargestSize;
}

bool isFlag(const QString &text)
{
    const QString t = text.trimmed();
    return t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0
           || t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0;
}

QFont font(const QString &name, const QString &size, const QString &italic, const QString &bold)
{
    const auto flag = [](const QString &text, bool def) {
        return isFlag(text) ? text.trimmed().compare(QLatin1String("True"), Qt::CaseInsensitive) == 0 : def;
    };
    QFont f(name);
    f.setPointSizeF(isSize(size) ? size.trimmed().toDouble() : kDefaultSize);
    f.setItalic(flag(italic, false));
    f.setBold(flag(bold, true));
    return f;
}

} // namespace NoteFont

FormNote::FormNote()
    : LoadableForm(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                                | Qt::MSWindowsFixedSizeDialogHint)
    , m_twips(ScreenMetrics::twipsPerPixel())
{
    setObjectName(QStringLiteral("FormNote"));
    setWindowTitle(QStringLiteral(" Note"));
    setWindowIcon(Artwork::windowIcon());

    TextNote = new NoteEdit(this);
    TextNote->setObjectName(QStringLiteral("TextNote"));
    // A plain-text note: what is pasted comes in as text, in the note font.
    TextNote->setAcceptRichText(false);
    connect(TextNote, &QTextEdit::cursorPositionChanged, this, [this] { typeUnmarked(TextNote); });

    const auto button = [this](const char *name, const QString &caption, const QString &tip) {
        auto *b = new QPushButton(caption, this);
        b->setObjectName(QLatin1String(name));
        b->setToolTip(tip);
        return b;
    };
    CmdFont = button("CmdFont", QStringLiteral("&Font"), QStringLiteral("Change the Note font"));
    CmdDate = button("CmdDate", QStringLiteral("&Add Date"), QStringLiteral("Date stamp your Note"));
    CmdHelp = button("CmdHelp", QStringLiteral("&Note Help"), QStringLiteral("View Note Help"));
    CmdExitHelp = button("CmdExitHelp", QStringLiteral("&Exit Help"), QStringLiteral("Exit Note Help"));
    CmdNoteSave = button("CmdNoteSave", QStringLiteral("&Close"), QStringLiteral("Any changes will be saved  "));

    connect(CmdFont, &QPushButton::clicked, this, &FormNote::CmdFont_Click);
    connect(CmdDate, &QPushButton::clicked, this, &FormNote::CmdDate_Click);
    connect(CmdHelp, &QPushButton::clicked, this, &FormNote::CmdHelp_Click);
    connect(CmdExitHelp, &QPushButton::clicked, this, &FormNote::CmdExitHelp_Click);
    connect(CmdNoteSave, &QPushButton::clicked, this, &FormNote::CmdNoteSave_Click);
}

void FormNote::Form_Load()
{
    applySettingsFont();
    const auto px = [this](int twips) { return WindowGeometry::toPixels(twips, m_twips); };
    WindowGeometry::setFixedOuterSize(this, px(kWidthTwips), px(kHeightTwips));
    // The text keeps 10 pixels from the editor's edges.
    TextNote->document()->setDocumentMargin(10);
    TextNote->setGeometry(1, 0, 529, 313);
    const std::pair<QPushButton *, int> buttons[] = {
        {CmdFont, 101}, {CmdDate, 180}, {CmdExitHelp, kParked}, {CmdHelp, 259}, {CmdNoteSave, 338}};
    for (auto [b, left] : buttons)
        b->setGeometry(left, 316, 77, 30);
    // Parked, "&Exit Help" cannot be reached by its access key either: it would put the empty
    // saved text in place of the note.
    CmdExitHelp->setEnabled(false);
}

// However the window closes, the note is written as "&Close" writes it; one that cannot be
// written keeps the window open with its text, as "&Close" does.
void FormNote::Form_Unload(int &cancel)
{
    if (!m_settled && !writeNote()) {
        cancel = 1;
        return;
    }
    if (FormMain *main = Forms::FormMain)
        main->noteRowHome();
}

void FormNote::applySettingsFont()
{
    if (FormMain *main = Forms::FormMain)
        TextNote->setFont(NoteFont::font(main->TextNoteFontName, main->TextNoteFontSize, main->TextNoteFontItalic,
                                         main->TextNoteFontBold));
}

QString FormNote::text() const
{
    QString text;
    const QTextDocument *doc = TextNote->document();
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        if (block != doc->begin()) {
            const QVariant end = block.charFormat().property(kLineEnd);
            text += end.isValid() ? QString(QChar(char16_t(end.toInt()))) : Notes::CrLf;
        }
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            QString part = it.fragment().text();
            const QVariant held = it.fragment().charFormat().property(kHeldCharacter);
            if (held.isValid()) {
                const QChar c(char16_t(held.toInt()));
                part.replace(standIn(c), c);
            } else {
                // A line break typed within a paragraph.
                part.replace(QChar::LineSeparator, Notes::CrLf);
            }
            text += part;
        }
    }
    return text;
}

void FormNote::setText(const QString &text)
{
    // The text as the document takes it (a paragraph a line), the line ends other than CR LF (by
    // the number of the paragraph they open) and the characters held as stand-ins (by position).
    QString shown;
    shown.reserve(text.size());
    QList<std::pair<int, QChar>> ends, held;
    int paragraph = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            const bool crLf = c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n');
            i += crLf ? 1 : 0;
            shown += QLatin1Char('\n');
            ++paragraph;
            if (!crLf)
                ends.append({paragraph, c});
        } else if (const QChar standing = standIn(c); !standing.isNull()) {
            held.append({int(shown.size()), c});
            shown += standing;
        } else {
            shown += c;
        }
    }
    // Through the document, so that no format of a text shown before (the help's) stays behind.
    QTextDocument *doc = TextNote->document();
    doc->setPlainText(shown);
    if (ends.isEmpty() && held.isEmpty())
        return;
    // Not an edit to undo; one change for the layout.
    doc->setUndoRedoEnabled(false);
    QTextCursor cursor(doc);
    cursor.beginEditBlock();
    QTextBlock block = doc->begin();
    int number = 0;
    // A run of paragraphs opened by the same line end is marked at once.
    for (qsizetype first = 0, last = 0; first < ends.size(); first = last) {
        for (last = first + 1; last < ends.size() && ends.at(last).first == ends.at(last - 1).first + 1
                               && ends.at(last).second == ends.at(first).second;)
            ++last;
        for (; number < ends.at(first).first; ++number)
            block = block.next();
        QTextCharFormat format = block.charFormat();
        format.setProperty(kLineEnd, int(ends.at(first).second.unicode()));
        cursor.setPosition(block.position());
        for (; number < ends.at(last - 1).first; ++number)
            block = block.next();
        cursor.setPosition(block.position(), QTextCursor::KeepAnchor);
        cursor.setBlockCharFormat(format);
    }
    for (const auto &[position, c] : std::as_const(held)) {
        cursor.setPosition(position);
        cursor.setPosition(position + 1, QTextCursor::KeepAnchor);
        QTextCharFormat format;
        format.setProperty(kHeldCharacter, int(c.unicode()));
        cursor.mergeCharFormat(format);
    }
    cursor.endEditBlock();
    doc->setUndoRedoEnabled(true);
}

void FormNote::showNote()
{
    if (!isVisible()) {
        if (FormMain *main = Forms::FormMain) {
            const QRect corner = WindowGeometry::outer(main);
            WindowGeometry::setOuterPos(this, corner.left() + WindowGeometry::toPixels(kBesideMainLeftTwips, m_twips),
                                        corner.top() + WindowGeometry::toPixels(kBesideMainTopTwips, m_twips));
        }
    }
    show();
    raise();
    activateWindow();
}

QString FormNote::noteNotWritten()
{
    if (m_helpShown || NotePath.isEmpty())
        return {};
    return Notes::write(NotePath, text());
}

bool FormNote::writeNote()
{
    const QString problem = noteNotWritten();
    m_writeFailed = !problem.isEmpty();
    if (m_writeFailed)
        noteProblem(this, QStringLiteral("Note Not Saved"), NotePath, problem);
    return !m_writeFailed;
}

bool FormNote::closeWithProgram(QWidget *parent)
{
    const QString problem = noteNotWritten();
    if (!problem.isEmpty()
        && Messages::question(parent, QStringLiteral("Note Not Saved"),
                              Notes::aboutNote(NotePath, problem) + Notes::CrLf + Notes::CrLf
                                  + QStringLiteral("Close Vistello without saving the note?"))
               != Messages::Yes)
        return false;
    m_settled = true;
    return unloadForm();
}

// The stamp goes on top; every click adds another.
void FormNote::CmdDate_Click()
{
    const QString date = QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
    setText(QStringLiteral("Note created: ") + date + Notes::CrLf + Notes::CrLf + text());
    TextNote->setFocus();
    TextNote->moveCursor(QTextCursor::End);
}

// The dialog starts from the settings, not from the editor; Cancel changes nothing.
void FormNote::CmdFont_Click()
{
    FormMain *main = Forms::FormMain;
    if (!main)
        return;
    FontColorDialog dialog(this, FontColorDialog::Offers::FontOnly);
    dialog.setObjectName(QStringLiteral("CommonDialog2"));
    dialog.setWindowTitle(QStringLiteral("Font"));
    dialog.setCurrentFont(NoteFont::font(main->TextNoteFontName, main->TextNoteFontSize, main->TextNoteFontItalic,
                                         main->TextNoteFontBold));
    setCursor(Qt::WaitCursor);
    const bool chosen = dialog.exec() == QDialog::Accepted;
    setCursor(Qt::ArrowCursor);
    if (!chosen)
        return;
    const QFont font = dialog.currentFont();
    QFont applied(font.family());
    applied.setPointSizeF(font.pointSizeF());
    applied.setItalic(font.italic());
    applied.setBold(font.bold());
    TextNote->setFont(applied);
    const auto flag = [](bool on) { return on ? QStringLiteral("True") : QStringLiteral("False"); };
    main->TextNoteFontName = applied.family();
    main->TextNoteFontSize = QString::number(applied.pointSizeF());
    main->TextNoteFontItalic = flag(applied.italic());
    main->TextNoteFontBold = flag(applied.bold());
}

void FormNote::setButtonsForHelp(bool help)
{
    enableControls({CmdFont, CmdDate, CmdNoteSave}, !help);
    CmdHelp->move(help ? kParked : 259, CmdHelp->y());
    CmdExitHelp->move(help ? 259 : kParked, CmdExitHelp->y());
    CmdExitHelp->setEnabled(help);
    CmdHelp->setEnabled(!help);
}

// The editor shows the help, read-only; the note is put aside until "&Exit Help".
void FormNote::CmdHelp_Click()
{
    TextNote->setReadOnly(true);
    HelpSavedText = text();
    if (!RichText::readFile(*TextNote->document(), ProgramFolder::file(kHelpFile))) {
        Messages::critical(this, QStringLiteral("Help File Missing"),
                           QStringLiteral("The file 'NoteHelp.rtf' cannot be located.") + Notes::CrLf
                               + QStringLiteral("Please consider re-installing Vistello."));
        // The note stays as it was, and editable.
        TextNote->setReadOnly(false);
        return;
    }
    m_helpShown = true;
    setButtonsForHelp(true);
}

// Text typed while the help was shown is lost; the saved note comes back.
void FormNote::CmdExitHelp_Click()
{
    leaveHelp();
    TextNote->setFocus();
}

void FormNote::leaveHelp()
{
    if (!m_helpShown)
        return;
    TextNote->setReadOnly(false);
    applySettingsFont();
    setText(HelpSavedText);
    m_helpShown = false;
    setButtonsForHelp(false);
}

// A note that could not be written keeps its window open, with the text.
void FormNote::CmdNoteSave_Click()
{
    FormMain *main = Forms::FormMain;
    if (!main)
        return;
    main->DoNote();
    if (m_writeFailed)
        return;
    m_settled = true;
    unloadForm();
}

std::array<std::pair<QWidget *, int>, 12> FormMain::noteRow() const
{
    return {{{CheckThumb, kThumbLeft},
             {CmdCopy, 161},
             {CmdFiles, 5},
             {CmdPrint, 238},
             {CmdSize, 83},
             {CmdHelp, 316},
             {CmdHome, 553},
             {CmdBackOne, 617},
             {CmdBackFour, 585},
             {CmdFwdOne, 649},
             {CmdFwdFour, 681},
             {CmdEnd, 713}}};
}

void FormMain::noteRowHome()
{
    for (auto [control, left] : noteRow())
        control->move(left, control->y());
}

// The note of the current picture: read line by line into Content, shown in the note window.
// A picture without a note gets an empty window; a note that cannot be read opens none.
void FormMain::DoNoteView()
{
    FileListBox *list = Forms::FormFiles->File1;
    int index = list->ListIndex();
    // The last picture can be current with the list left without a selection.
    if (index < 0 && lastPictureCurrent())
        index = list->ListCount() - 1;
    const QString fileName = index >= 0 ? list->List(index) : QString();
    const auto noNoteWindow = [this] {
        Forms::FormNote.unload();
        noteRowHome();
        setCursor(Qt::ArrowCursor);
    };
    if (fileName.size() <= 4) {
        noNoteWindow();
        return;
    }
    const QString path = Notes::notePath(list->Path(), fileName);
    // A note open already: this picture's stays as it is, with what was typed; another one is
    // written first, as closing it would write it.
    if (FormNote *open = Forms::FormNote.loaded(); open && open->isVisible()) {
        if (open->NotePath == path || !open->writeNote()) {
            open->showNote();
            setCursor(Qt::ArrowCursor);
            return;
        }
    }
    FormNote *note = Forms::FormNote.get();
    note->setWindowTitle(QStringLiteral(" Note - ") + LocalFiles::displayName(fileName));
    const Notes::Reading reading = Notes::read(path);
    if (!reading.exists) {
        // A new note: the window opens empty, and no file is left behind.
        note->leaveHelp();
        note->NotePath = path;
        note->setText(QString());
        setCursor(Qt::ArrowCursor);
        DoNote();
        return;
    }
    if (!reading.problem.isEmpty()) {
        noNoteWindow();
        noteProblem(this, QStringLiteral("Note Not Opened"), path, reading.problem);
        return;
    }
    Content = reading.text;
    note->leaveHelp();
    note->NotePath = path;
    note->showNote();
    note->setText(Content);
    setCursor(Qt::ArrowCursor);
    Content.clear();
}

// Writes or deletes the note the window was opened for; the window stays shown.
void FormMain::DoNote()
{
    FormNote *note = Forms::FormNote.get();
    note->showNote();
    note->writeNote();
}
