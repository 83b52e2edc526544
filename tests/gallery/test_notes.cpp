// Picture notes: what "&Note" shows and "&Close" leaves on disk, byte for byte; the note of its own
// picture; the date stamp; the note help; the note font and its settings; notes that cannot be
// read or written; the button row on every way the note closes.
#include "AllForms.h"
#include "AsOtherUser.h"
#include "FontColorDialog.h"
#include "FormFiles.h"
#include "FormMain.h"
#include "FormNote.h"
#include "GalleryTest.h"
#include "PictureFolders.h"
#include "ProgramFolder.h"
#include "RichTextEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QRegularExpression>
#include <QTextCursor>
#include <QTimer>

#include <unistd.h>

using namespace GalleryTest;

namespace {

bool writeBytes(const QString &path, const QByteArray &data)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(data) == data.size();
}

// True when the twelve controls the note view parks stand at their home Lefts.
bool rowHome(FormMain *main)
{
    for (auto [control, home] : main->noteRow())
        if (control->x() != home)
            return false;
    return true;
}

bool noteShown()
{
    return Forms::FormNote.loaded() && Forms::FormNote.loaded()->isVisible();
}

// Types the text over the whole note, or over the selection from anchor to position: a new line
// as Enter, U+2028 as Shift+Enter.
void retype(FormNote *note, const QString &text, int anchor = -1, int position = -1)
{
    if (anchor < 0) {
        note->TextNote->selectAll();
        QTest::keyClick(note->TextNote, Qt::Key_Delete);
    } else {
        QTextCursor cursor(note->TextNote->document());
        cursor.setPosition(anchor);
        cursor.setPosition(position, QTextCursor::KeepAnchor);
        note->TextNote->setTextCursor(cursor);
    }
    for (const QChar c : text) {
        if (c == QLatin1Char('\n') || c == QChar::LineSeparator)
            QTest::keyClick(note->TextNote, Qt::Key_Return, c == QLatin1Char('\n') ? Qt::NoModifier : Qt::ShiftModifier);
        else
            QTest::keyClicks(note->TextNote, QString(c));
    }
}

} // namespace

class TestNotes : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        m_case.init();
        m_pictures = std::make_unique<PictureFolder>(PictureFolder::numbered(6));
        m_note = m_pictures->file("pic01.txt");
        m_main = startAt(m_pictures->path());
        QVERIFY(m_main);
        endSplash(m_main);
    }
    void cleanup()
    {
        m_case.cleanup();
        m_pictures.reset();
    }

    // The editor's text as read, then the file after "&Close" (null: no file; null typed: the
    // text left as read). Typed over the whole text, or over the selection from anchor to position
    // (a new line typed as Enter, U+2028 as Shift+Enter). Behind links: the note is a link to a
    // link to a file in another folder, which is read and written, the links staying as they were.
    void openAndClose_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QByteArray>("after");
        QTest::addColumn<int>("anchor");
        QTest::addColumn<int>("position");
        QTest::addColumn<bool>("behindLinks");
        struct Typing {
            int anchor = -1; // -1: the whole text
            int position = -1;
            bool behindLinks = false;
        };
        const auto row = [](const char *name, const QByteArray &before, const QString &typed, const QString &shown,
                            const QByteArray &after, Typing typing = {}) {
            QTest::newRow(name) << before << typed << shown << after << typing.anchor << typing.position
                                << typing.behindLinks;
        };
        const QString asRead;
        row("two lines", "1\r\n2\r\n", asRead, "1\r\n2\r\n", "1\r\n2\r\n\r\n");
        // Lines end at CR LF, or at a lone LF or CR, which comes back as it was; every other
        // character too.
        row("LF and CR", "a\nb\rc", asRead, "a\nb\rc\r\n", "a\nb\rc\r\n\r\n");
        row("CR ending the file", "a\r\nb\r", asRead, "a\r\nb\r\r\n", "a\r\nb\r\r\n\r\n");
        row("LF CR and CR LF", "a\n\r\r\n\n", asRead, "a\n\r\r\n\n\r\n", "a\n\r\r\n\n\r\n\r\n");
        const QByteArray controls("\x01\x1b[1m\x7f\x0b\x0c\0z", 10);
        row("control characters", controls, asRead, QString::fromLatin1(controls) + "\r\n", controls + "\r\n\r\n");
        const QByteArray marks("\xe2\x80\xa8|\xe2\x80\xa9|\xef\xbf\xbc|\xef\xb7\x90");
        row("separators and marks", marks, asRead, QString::fromUtf8(marks) + "\r\n", marks + "\r\n\r\n");
        row("Windows-1252", "\xe9\x80", asRead, QString::fromUtf8("é€\r\n"), "\xc3\xa9\xe2\x82\xac\r\n\r\n");
        row("UTF-8", "\xc3\xbc\xc2\xa0", asRead, QString::fromUtf8("ü\u00a0\r\n"), "\xc3\xbc\xc2\xa0\r\n\r\n");
        row("new note, one word", QByteArray(), "word", "", "word\r\n");
        row("new note left empty", QByteArray(), asRead, "", QByteArray());
        row("empty file", "", asRead, "", QByteArray());
        row("cleared", "old", "", "old\r\n", QByteArray());
        row("one blank", "old", " ", "old\r\n", QByteArray());
        row("two blanks", "old", "  ", "old\r\n", QByteArray());
        row("three blanks", "old", "   ", "old\r\n", "   \r\n");
        row("a tab", QByteArray(), "\t", "", "\t\r\n");
        row("own text beginning Note Help", QByteArray(), "Note Help!", "", "Note Help!\r\n");
        // A new line typed ends in CR LF; the line ends read stay where they were.
        row("Enter within a line ending in LF", "ab\ncd", "\n", "ab\ncd\r\n", "a\r\nb\ncd\r\n\r\n", {1, 1});
        row("Enter and text at a line ending in LF", "a\n\nb", "x\ny", "a\n\nb\r\n", "a\nx\r\ny\nb\r\n\r\n",
            {2, 2});
        row("Shift+Enter over a lone LF", "a\nb", "\u2028", "a\nb\r\n", "a\r\nb\r\n\r\n", {1, 2});
        row("Shift+Enter over a lone CR", "a\rb", "\u2028", "a\rb\r\n", "a\r\nb\r\n\r\n", {1, 2});
        row("Shift+Enter over a kept U+2028", "a\xe2\x80\xa8" "b", "\u2028", "a\u2028b\r\n", "a\r\nb\r\n\r\n", {1, 2});
        row("text over a kept U+FFFC", "a\xef\xbf\xbc" "b", "x\u2028", "a\ufffcb\r\n", "ax\r\nb\r\n\r\n", {1, 2});
        row("behind links", "old", "new", "old\r\n", "new\r\n", {-1, -1, true});
        row("behind links to no file", QByteArray(), "word", "", "word\r\n", {-1, -1, true});
        row("behind links, cleared", "old", "", "old\r\n", QByteArray(), {-1, -1, true});
    }
    void openAndClose()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QByteArray, after);
        QFETCH(int, anchor);
        QFETCH(int, position);
        QFETCH(bool, behindLinks);
        const QString kept = m_pictures->file("kept/pic01.txt");
        if (behindLinks) {
            QVERIFY(QDir(m_pictures->path()).mkdir("kept"));
            QVERIFY(::symlink("kept/link.txt", QFile::encodeName(m_note).constData()) == 0);
            QVERIFY(::symlink("pic01.txt", QFile::encodeName(m_pictures->file("kept/link.txt")).constData()) == 0);
        }
        QVERIFY(before.isNull() || writeBytes(m_note, before));
        MessageRecorder boxes;
        m_main->CmdNoteShow->click();
        FormNote *note = Forms::FormNote.loaded();
        QVERIFY(noteShown());
        QCOMPARE(note->windowTitle(), QStringLiteral(" Note - pic01.jpg"));
        QCOMPARE(note->text(), shown);
        // A paragraph a line, whatever ended it.
        QCOMPARE(note->TextNote->document()->blockCount(), shown.split(QRegularExpression("\r\n|\r|\n")).size());
        for (auto [control, home] : m_main->noteRow())
            QCOMPARE(control->x(), 32000);
        if (!typed.isNull())
            retype(note, typed, anchor, position);
        note->CmdNoteSave->click();
        flushDeletes();
        QVERIFY(!Forms::FormNote.loaded() && rowHome(m_main) && boxes.messages.isEmpty());
        QCOMPARE(QFile::exists(m_note), !after.isNull());
        QCOMPARE(fileBytes(m_note), after);
        if (behindLinks) {
            QCOMPARE(QFileInfo(m_note).isSymLink(), !after.isNull());
            QVERIFY(QFileInfo(m_pictures->file("kept/link.txt")).isSymLink());
            QCOMPARE(fileBytes(kept), after.isNull() ? before : after);
            QCOMPARE(QDir(m_pictures->path() + "/kept").entryList(QDir::Files | QDir::System).size(), 2);
        }
    }

    // Written beside the picture it was opened for, whatever the list selects by then; the note of
    // the last picture also when the list has no selection.
    void noteOfItsOwnPicture()
    {
        m_main->CmdNoteShow->click();
        QTest::keyClicks(Forms::FormNote->TextNote, "mine");
        Forms::FormFiles->File1->setListIndex(3);
        Forms::FormNote->CmdNoteSave->click();
        QCOMPARE(fileBytes(m_note), QByteArray("mine\r\n"));
        QVERIFY(!QFile::exists(m_pictures->file("pic04.txt")));
        QCOMPARE(Notes::notePath("/", "dune.jpeg"), QStringLiteral("/dune..txt"));
        // The last picture is current with the list left without a selection.
        m_main->NCount = 5;
        m_main->DoSelectPicture();
        m_main->CmdNoteShow->click();
        QCOMPARE(Forms::FormNote->NotePath, m_pictures->file("pic06.txt"));
    }

    void dateStamp()
    {
        QVERIFY(writeBytes(m_note, "old"));
        m_main->CmdNoteShow->click();
        FormNote *note = Forms::FormNote.loaded();
        note->CmdDate->click();
        note->CmdDate->click();
        const QString stamp = "Note created: " + QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
        QCOMPARE(note->text(), stamp + "\r\n\r\n" + stamp + "\r\n\r\nold\r\n");
        QCOMPARE(note->TextNote->textCursor().position(), note->TextNote->document()->characterCount() - 1);
        QCOMPARE(note->focusWidget(), note->TextNote);
    }

    // Missing, the help says so and the note stays editable; present, it is shown read-only with
    // only "&Exit Help" to press, which brings the note back in the note font.
    void noteHelp()
    {
        QVERIFY(writeBytes(m_note, "Note Help is mine"));
        MessageRecorder boxes;
        m_main->CmdNoteShow->click();
        FormNote *note = Forms::FormNote.loaded();
        note->CmdHelp->click();
        QCOMPARE(boxes.messages.size(), 1);
        QCOMPARE(boxes.messages[0].title, QStringLiteral("Help File Missing"));
        QCOMPARE(boxes.messages[0].text, QStringLiteral("The file 'NoteHelp.rtf' cannot be located.\r\n"
                                                        "Please consider re-installing Vistello."));
        QVERIFY(!note->TextNote->isReadOnly() && note->CmdNoteSave->isEnabled());
        QCOMPARE(note->CmdHelp->x(), 259);

        QVERIFY(QFile::copy(QCoreApplication::applicationDirPath() + "/../bin/NoteHelp.rtf",
                            ProgramFolder::file("NoteHelp.rtf")));
        note->CmdHelp->click();
        QVERIFY(note->text().startsWith("Note Help\r\n") && note->text().contains("Add Date"));
        QVERIFY(note->TextNote->isReadOnly());
        QCOMPARE(note->CmdHelp->x(), 32000);
        QCOMPARE(note->CmdExitHelp->x(), 259);
        QVERIFY(note->CmdExitHelp->isEnabled());
        for (QPushButton *b : {note->CmdFont, note->CmdDate, note->CmdNoteSave, note->CmdHelp})
            QVERIFY(!b->isEnabled());
        note->CmdExitHelp->click();
        QCOMPARE(note->text(), QStringLiteral("Note Help is mine\r\n"));
        QVERIFY(!note->TextNote->isReadOnly() && !note->CmdExitHelp->isEnabled());
        QCOMPARE(QTextCursor(note->TextNote->document()).charFormat().font().family(), QStringLiteral("Arial"));
        QCOMPARE(note->CmdExitHelp->x(), 32000);
        // A note of the user's own that begins "Note Help" is saved like any other.
        note->CmdNoteSave->click();
        QCOMPARE(fileBytes(m_note), QByteArray("Note Help is mine\r\n\r\n"));
        QCOMPARE(boxes.messages.size(), 1);
    }

    // The dialog (the font alone) starts from the settings; OK applies and stores the choice,
    // which the settings file holds after the program closes; Cancel changes nothing.
    void noteFont_data()
    {
        QTest::addColumn<bool>("confirmed");
        QTest::newRow("OK") << true;
        QTest::newRow("Cancel") << false;
    }
    void noteFont()
    {
        QFETCH(bool, confirmed);
        m_main->CmdNoteShow->click();
        FormNote *note = Forms::FormNote.loaded();
        QCOMPARE(note->TextNote->font(), NoteFont::font("Arial", "12", "False", "True"));
        QString family; // scalable, with an italic face, not the stand-in for Arial
        for (const QString &f : QFontDatabase::families())
            if (family.isEmpty() && QFontDatabase::isSmoothlyScalable(f) && QFontDatabase::styles(f).contains("Italic")
                && f != QFontInfo(QFont("Arial")).family())
                family = f;
        QFont preset;
        QTimer::singleShot(0, [&] {
            auto *dialog = qobject_cast<FontColorDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            preset = dialog->currentFont();
            for (QCheckBox *box : dialog->findChildren<QCheckBox *>())
                QVERIFY(!box->isVisibleTo(dialog));
            QVERIFY(!dialog->colorBox()->isVisibleTo(dialog));
            QFont chosen(family, 16);
            chosen.setItalic(true);
            dialog->fontPart()->setCurrentFont(chosen);
            confirmed ? dialog->accept() : dialog->reject();
        });
        note->CmdFont->click();
        QVERIFY(preset.pointSizeF() == 12 && preset.bold() && !preset.italic());
        const QFont font = note->TextNote->font();
        QCOMPARE(font.family(), confirmed ? family : QStringLiteral("Arial"));
        QCOMPARE(font.italic(), confirmed);
        QCOMPARE(note->cursor().shape(), Qt::ArrowCursor);
        close(m_main);
        const QByteArray stored = confirmed ? "Name=" + family.toUtf8() + "\nTextNoteFontSize=16\n"
                                                  "TextNoteFontItalic=True\nTextNoteFontBold=False\n"
                                            : "Name=Arial\nTextNoteFontSize=12\nTextNoteFontItalic=False\n"
                                              "TextNoteFontBold=True\n";
        QVERIFY2(settingsBytes().contains("TextNoteFont" + stored), settingsBytes().constData());
    }

    // Stored values the editor cannot use give way to the defaults.
    void fontSettingsFallBack_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QStringList>("read");
        QTest::newRow("usable") << QByteArray("Name=Serif\nTextNoteFontSize=14.5\nTextNoteFontItalic=true\n")
                                << QStringList{"Serif", "14.5", "true", "True"};
        QTest::newRow("unusable") << QByteArray("Size=big\nTextNoteFontItalic=yes\nTextNoteFontBold=1\n")
                                  << QStringList{"Arial", "12", "False", "True"};
        QTest::newRow("size 0") << QByteArray("Size=0\n") << QStringList{"Arial", "12", "False", "True"};
    }
    void fontSettingsFallBack()
    {
        QFETCH(QByteArray, stored);
        QFETCH(QStringList, read);
        close(m_main);
        writeSettings("[Startup]\nTextNoteFont" + stored);
        m_main = start();
        QVERIFY(m_main);
        QCOMPARE((QStringList{m_main->TextNoteFontName, m_main->TextNoteFontSize, m_main->TextNoteFontItalic,
                              m_main->TextNoteFontBold}),
                 read);
    }

    // Every way the note closes puts the button row back and writes the note as "&Close" does;
    // while the note help is shown the file stays as it was.
    void everyCloseWrites_data()
    {
        QTest::addColumn<QString>("way");
        QTest::addColumn<bool>("help");
        for (const char *way : {"Close", "close box", "next picture", "folder browser", "Ctrl+Right", "Page Up", "Home",
                                "viewing area click", "viewing area double click", "copy", "main window's Close"})
            QTest::newRow(way) << QString(way) << false;
        for (const char *way : {"Close", "close box", "next picture", "main window's Close"})
            QTest::newRow(qPrintable(QStringLiteral("%1, note help shown").arg(way))) << QString(way) << true;
    }
    void everyCloseWrites()
    {
        QFETCH(QString, way);
        QFETCH(bool, help);
        QVERIFY(writeBytes(m_note, "kept"));
        MessageRecorder boxes;
        m_main->CmdNoteShow->click();
        FormNote *note = Forms::FormNote.loaded();
        QTest::keyClicks(note->TextNote, "typed");
        // "&Note" again brings the same note to the front as it is.
        m_main->CmdNoteShow->click();
        QVERIFY(Forms::FormNote.loaded() == note && note->text() == QStringLiteral("kept\r\ntyped"));
        if (help) {
            QVERIFY(QFile::copy(QCoreApplication::applicationDirPath() + "/../bin/NoteHelp.rtf",
                                ProgramFolder::file("NoteHelp.rtf")));
            note->CmdHelp->click();
            QVERIFY(note->helpShown());
        }
        const QPoint picture = m_main->Imagemain->rect().center();
        if (way == "Close") {
            if (help)
                note->CmdExitHelp->click();
            note->CmdNoteSave->click();
        } else if (way == "close box")
            note->close();
        else if (way == "next picture")
            m_main->CmdFwdOne_Click();
        else if (way == "folder browser")
            m_main->CmdFiles_Click();
        else if (way == "Ctrl+Right")
            QTest::keyClick(m_main, Qt::Key_Right, Qt::ControlModifier);
        else if (way == "Page Up")
            QTest::keyClick(m_main, Qt::Key_PageUp);
        else if (way == "Home")
            QTest::keyClick(m_main, Qt::Key_Home);
        else if (way == "viewing area click")
            QTest::mouseClick(m_main->Imagemain, Qt::LeftButton, {}, picture);
        else if (way == "viewing area double click")
            QTest::mouseDClick(m_main->Imagemain, Qt::LeftButton, {}, picture);
        else if (way == "copy")
            m_main->CmdCopy_Click();
        else if (way == "main window's Close")
            m_main->CmdClose->click();
        flushDeletes();
        QVERIFY(!noteShown() && boxes.messages.isEmpty());
        if (way != "main window's Close")
            QVERIFY(rowHome(m_main));
        // "&Close" after "&Exit Help" writes the note as it was before the help.
        QCOMPARE(fileBytes(m_note), help && way != "Close" ? QByteArray("kept") : QByteArray("kept\r\ntyped\r\n"));
    }

    // No picture, or a note that cannot be read: no note window, a message naming the note that
    // cannot be read (which stays as it was), the row and the arrow back.
    void noNoteWindow_data()
    {
        QTest::addColumn<qint64>("size");
        QTest::addColumn<bool>("readable");
        QTest::newRow("no picture") << qint64(-1) << true;
        QTest::newRow("no permission") << qint64(5) << false;
        QTest::newRow("larger than 16 MB") << Notes::MaxFileSize + 1 << true;
    }
    void noNoteWindow()
    {
        QFETCH(qint64, size);
        QFETCH(bool, readable);
        if (!readable)
            RUN_AS_OTHER_USER_WHEN_ROOT();
        if (size < 0)
            Forms::FormFiles->File1->setListIndex(-1);
        else
            QVERIFY(writeBytes(m_note, QByteArray()) && QFile::resize(m_note, size));
        QVERIFY(readable || QFile::setPermissions(m_note, QFileDevice::WriteOwner));
        MessageRecorder boxes;
        m_main->CmdNoteShow->click();
        QCOMPARE(boxes.messages.size(), size < 0 ? 0 : 1);
        if (size >= 0)
            QVERIFY(boxes.messages[0].icon == Messages::Icon::Critical && boxes.messages[0].text.contains(m_note));
        QVERIFY(!noteShown() && rowHome(m_main));
        QCOMPARE(m_main->cursor().shape(), Qt::ArrowCursor);
        QCOMPARE(QFileInfo(m_note).size(), qMax<qint64>(size, 0));
    }

    // In a folder that cannot be written, neither writing nor deleting the note is possible: the
    // old note stays, the window stays open with the text and the row stays parked, however it is
    // closed; closing the program asks whether to close without the note.
    void noteInAReadOnlyFolder()
    {
        RUN_AS_OTHER_USER_WHEN_ROOT();
        QVERIFY(writeBytes(m_note, "old"));
        QVERIFY(QFile::setPermissions(m_pictures->path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        MessageRecorder boxes;
        m_main->CmdNoteShow->click();
        FormNote *note = Forms::FormNote.loaded();
        for (const QString &typed : {QStringLiteral("new"), QString()}) {
            retype(note, typed);
            note->CmdNoteSave->click();
            flushDeletes();
            QCOMPARE(boxes.messages.last().title, QStringLiteral("Note Not Saved"));
            QVERIFY(boxes.messages.last().text.contains(m_note));
            QVERIFY(Forms::FormNote.loaded() == note && note->isVisible() && note->text() == typed);
            QCOMPARE(m_main->CmdFiles->x(), 32000);
            QCOMPARE(fileBytes(m_note), QByteArray("old"));
        }
        QCOMPARE(boxes.messages.size(), 2);
        m_main->CmdFwdOne_Click();
        flushDeletes();
        QCOMPARE(boxes.messages.size(), 3);
        QVERIFY(Forms::FormNote.loaded() == note && note->isVisible() && note->text().isEmpty());
        QList<Messages::Message> asked;
        for (const Messages::Button answer : {Messages::No, Messages::Yes}) {
            Messages::setAnswerer([&asked, answer](const Messages::Message &m) {
                asked.append(m);
                return answer;
            });
            m_main->CmdClose->click();
            flushDeletes();
            QCOMPARE(asked.size(), answer == Messages::No ? 1 : 2);
            QVERIFY(asked.last().text.contains(m_note) && asked.last().text.endsWith("without saving the note?"));
            QCOMPARE(bool(Forms::FormMain), answer == Messages::No);
            QCOMPARE(Forms::FormNote.loaded() == note && note->isVisible(), answer == Messages::No);
        }
        QCOMPARE(fileBytes(m_note), QByteArray("old"));
        QFile::setPermissions(m_pictures->path(),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }

private:
    CaseFixture m_case;
    std::unique_ptr<PictureFolder> m_pictures;
    QString m_note;
    FormMain *m_main = nullptr;
};

GALLERY_TEST_MAIN(TestNotes)
#include "test_notes.moc"
