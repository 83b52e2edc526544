// The main window's key table: every row with its modifier matrix, in a start state named by a
// few words, and what a user sees after the one key press:
//
//   "<caption's picture>[=<shown>]/<NCount> | <place 1> .. <place 4>[ | <windows and flags>]"
//
// The caption's picture is its position in the folder ("." for none); "=" adds what the viewing
// area shows when that differs: a position, or a help page with its place ("intro@7,3"). A place
// is the position of its picture, "P" parked, "-" hidden. The flags: help (help mode on), info and
// note (those windows shown), enlarged (the enlarged view showing the picture), browser (the
// folder browser shown), dialog (a print dialog came up; it is cancelled).
#include "AllForms.h"
#include "FileLists.h"
#include "FormBlowUp.h"
#include "FormFiles.h"
#include "FormInfo.h"
#include "FormMain.h"
#include "FormNote.h"
#include "GalleryTest.h"
#include "PictureFolders.h"
#include "PrintedPdf.h"
#include "ProgramFolder.h"

#include <QFileInfo>
#include <QRegularExpression>

using namespace GalleryTest;

namespace {

QString shownPicture(FormMain *main)
{
    const QString name = QFileInfo(main->Imagemain->picture().path()).fileName();
    if (name.endsWith(".fig") && name != "splash.fig")
        return name.chopped(4) + QStringLiteral("@%1,%2").arg(main->Imagemain->Left()).arg(main->Imagemain->Top());
    return name == "splash.fig" ? QStringLiteral("splash") : token(positionOf(name));
}

QString state(FormMain *main, bool dialog)
{
    static const QRegularExpression named(QStringLiteral("^Vistello  -  (.*)     Zoom: "));
    const auto m = named.match(main->windowTitle());
    const QString caption = token(m.hasMatch() ? positionOf(m.captured(1)) : -1);
    const QString shown = shownPicture(main);
    QString line = caption + (shown != caption ? '=' + shown : QString()) + '/' + QString::number(main->NCount) + " |";
    for (int p = 1; p <= 4; ++p) {
        ImageBox *place = main->thumb(p);
        line += ' ' + (!place->Visible() ? QStringLiteral("-")
                       : place->Left() == 32000 ? QStringLiteral("P")
                                                : token(positionOf(QFileInfo(place->picture().path()).fileName())));
    }
    QStringList flags;
    if (main->HelpActive)
        flags << "help";
    if (Forms::FormInfo.loaded() && Forms::FormInfo.loaded()->isVisible())
        flags << "info";
    if (Forms::FormNote.loaded() && Forms::FormNote.loaded()->isVisible())
        flags << "note";
    if (FormBlowUp *view = Forms::FormBlowUp.loaded(); view && view->isVisible())
        flags << (view->ImageBlowUp->picture() == main->Imagemain->picture() ? "enlarged" : "enlarged, other picture");
    if (Forms::FormFiles->isVisible())
        flags << "browser";
    if (dialog)
        flags << "dialog";
    return flags.isEmpty() ? line : line + " | " + flags.join(' ');
}

} // namespace

class TestKeyboard : public QObject {
    Q_OBJECT

    // Starts the program at a folder of ten pictures (four with "4", none with "empty") and brings
    // it to the state the words name: "splash" (not ended), "at k" (picture k shown), "thumbnails
    // off", "tick", "help", "browser" (opened), "note" (shown, then a tick), "windows" (the
    // information and note windows shown).
    FormMain *startIn(const QString &setup, std::unique_ptr<PictureFolder> &folder)
    {
        const QStringList words = setup.split(", ");
        const int count = words.contains("4") ? 4 : words.contains("empty") ? 0 : 10;
        folder = std::make_unique<PictureFolder>(PictureFolder::numbered(count));
        FormMain *main = startAt(folder->path(), !words.contains("thumbnails off"));
        if (!main)
            return nullptr;
        if (!words.contains("splash"))
            endSplash(main);
        for (const QString &w : words) {
            if (w.startsWith("at ")) {
                main->NCount = w.mid(3).toInt();
                main->DoSelectPicture();
            } else if (w == "tick") {
                main->Timer2_Timer();
            } else if (w == "help") {
                main->CmdHelp_Click();
            } else if (w == "browser") {
                main->CmdFiles->click();
                main->Timer2_Timer();
            } else if (w == "note") {
                Forms::FormNote->show();
                main->Timer2_Timer();
            } else if (w == "windows") {
                Forms::FormInfo->show();
                Forms::FormNote->show();
            } else if (!QStringList{"4", "10", "empty", "splash", "thumbnails off"}.contains(w)) {
                qWarning("unknown set-up word %s", qPrintable(w));
                return nullptr;
            }
        }
        return main;
    }

private slots:
    void init()
    {
        m_case.init();
        const std::pair<const char *, QSize> pages[] = {
            {"intro.fig", {500, 400}}, {"controls.fig", {480, 380}}, {"limitations.fig", {460, 360}}};
        for (auto [name, size] : pages)
            writePicture(ProgramFolder::file(name), size);
    }
    void cleanup() { m_case.cleanup(); }

    void keyTable_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("expected");
        const int none = Qt::NoModifier, shift = Qt::ShiftModifier, ctrl = Qt::ControlModifier, alt = Qt::AltModifier,
                  pad = Qt::KeypadModifier;
        const auto row = [](const char *name, const char *setup, int key, int modifiers, const char *expected) {
            QTest::newRow(name) << QString(setup) << key << modifiers << QString(expected);
        };
        // 1: Ctrl+P prints, in help mode too, but never without a picture.
        row("Ctrl+P", "10", Qt::Key_P, ctrl, "0/0 | 0 1 2 3 | dialog");
        row("P", "10", Qt::Key_P, none, "0/0 | 0 1 2 3");
        row("Ctrl+Shift+P", "10", Qt::Key_P, ctrl | shift, "0/0 | 0 1 2 3");
        row("Ctrl+Alt+P", "10", Qt::Key_P, ctrl | alt, "0/0 | 0 1 2 3");
        row("Ctrl+P in help mode", "10, help", Qt::Key_P, ctrl, ".=splash/0 | 0 1 2 3 | help dialog");
        row("Ctrl+P without a picture", "10, splash", Qt::Key_P, ctrl, ".=splash/-1 | . . . .");
        // 2 to 4: help pages at their own size; the note window closes.
        row("1 in help mode", "10, help, windows", Qt::Key_1, none, ".=intro@7,3/0 | 0 1 2 3 | help info");
        row("pad 2 in help mode", "10, help", Qt::Key_2, pad, ".=controls@7,3/0 | 0 1 2 3 | help");
        row("Shift+3 in help mode", "10, help", Qt::Key_3, shift, ".=limitations@7,3/0 | 0 1 2 3 | help");
        // 5: leaving help, without also showing place 4; the help buttons go with the thumbnails off.
        row("4 in help mode", "10, at 2, help, windows", Qt::Key_4, none, "2/2 | 2 3 4 5 | info");
        row("pad 4 in help mode", "10, help", Qt::Key_4, pad, "0/0 | 0 1 2 3");
        row("Ctrl+Esc in help mode", "10, help", Qt::Key_Escape, ctrl, "0/0 | 0 1 2 3");
        row("Esc, thumbnails off", "10, thumbnails off, help", Qt::Key_Escape, none, "0/0 | - - - -");
        row("Esc outside help mode", "10", Qt::Key_Escape, none, "0/0 | 0 1 2 3");
        // 6: Ctrl+Right, while "Next image" may be pressed.
        row("Ctrl+Right", "10, windows", Qt::Key_Right, ctrl, "1/1 | 1 2 3 4");
        row("Right", "10", Qt::Key_Right, none, "0/0 | 0 1 2 3");
        row("Shift+Right", "10", Qt::Key_Right, shift, "0/0 | 0 1 2 3");
        row("Ctrl+Shift+Right", "10", Qt::Key_Right, ctrl | shift, "0/0 | 0 1 2 3");
        row("Ctrl+Alt+Right", "10", Qt::Key_Right, ctrl | alt, "0/0 | 0 1 2 3");
        row("Ctrl+Right, four pictures", "4", Qt::Key_Right, ctrl, "0/0 | 0 1 2 3");
        row("Ctrl+Right, browser open", "10, browser", Qt::Key_Right, ctrl, "0/0 | 0 - - - | browser");
        // 7: Ctrl+Left; from the last picture through the one before it.
        row("Ctrl+Left", "10, at 5, windows", Qt::Key_Left, ctrl, "4/4 | 4 5 6 7");
        row("Left", "10, at 5", Qt::Key_Left, none, "5/5 | 5 6 7 8");
        row("Ctrl+Alt+Left", "10, at 5", Qt::Key_Left, ctrl | alt, "5/5 | 5 6 7 8");
        row("Ctrl+Left at the first", "10", Qt::Key_Left, ctrl, "0/0 | 0 1 2 3");
        row("Ctrl+Left from the last", "10, at 9", Qt::Key_Left, ctrl, "7/7 | 7 8 9 P");
        // 8, 9: Page Up forward, Page Down back, with any modifiers.
        row("Page Up", "10, windows", Qt::Key_PageUp, none, "4/4 | 4 5 6 7");
        row("Shift+Page Up", "10", Qt::Key_PageUp, shift, "4/4 | 4 5 6 7");
        row("Ctrl+Alt+Page Up", "10", Qt::Key_PageUp, ctrl | alt, "4/4 | 4 5 6 7");
        row("Page Up past the end", "10, at 9", Qt::Key_PageUp, none, "0/0 | 0 1 2 3");
        row("Page Down from the last", "10, at 9, windows", Qt::Key_PageDown, none, "4/4 | 4 5 6 7");
        row("Ctrl+Page Down from the last", "10, at 9", Qt::Key_PageDown, ctrl, "4/4 | 4 5 6 7");
        row("Page Down at the first", "10", Qt::Key_PageDown, none, "0/0 | 0 1 2 3");
        // 10, 11: Home and End with more than four pictures, after the splash period, outside help.
        row("Home", "10, at 5, windows", Qt::Key_Home, none, "0/0 | 0 1 2 3");
        row("Ctrl+Home", "10, at 5", Qt::Key_Home, ctrl, "0/0 | 0 1 2 3");
        row("Home, four pictures", "4, at 2", Qt::Key_Home, none, "2/2 | 2 3 0 1");
        row("Home in help mode", "10, at 5, help", Qt::Key_Home, none, ".=splash/5 | 5 6 7 8 | help");
        row("End", "10, windows", Qt::Key_End, none, "6/6 | 6 7 8 9");
        row("Alt+End", "10", Qt::Key_End, alt, "6/6 | 6 7 8 9");
        row("End during the splash period", "10, splash", Qt::Key_End, none, ".=splash/-1 | . . . .");
        // With the thumbnails off the step keys follow their buttons: End to the last picture, one
        // step back from the first to the last, four back from the last to four before it.
        row("End, thumbnails off", "10, thumbnails off", Qt::Key_End, none, "9/9 | - - - -");
        row("Ctrl+Left at the first, thumbnails off", "10, thumbnails off", Qt::Key_Left, ctrl, "9/9 | - - - -");
        row("Page Down from the last, thumbnails off", "10, thumbnails off, at 9", Qt::Key_PageDown, none,
            "5/5 | - - - -");
        // 12 to 15: the thumbnail places, while shown and clickable with the setting on.
        row("1", "10, at 5, windows", Qt::Key_1, none, "5/5 | 5 6 7 8 | note");
        row("Ctrl+2", "10", Qt::Key_2, ctrl, "1/0 | 0 1 2 3");
        row("3", "10", Qt::Key_3, none, "2/0 | 0 1 2 3");
        row("pad 4", "10", Qt::Key_4, pad, "3/0 | 0 1 2 3");
        row("3, place parked", "10, at 8", Qt::Key_3, none, "8/8 | 8 9 P P");
        row("2, thumbnails off", "10, thumbnails off", Qt::Key_2, none, "0/0 | - - - -");
        row("2 under an open note", "10, note", Qt::Key_2, none, "0/0 | 0 1 2 3 | note");
        row("1 at the last picture", "10, at 9, tick", Qt::Key_1, none, "8/8 | 8 9 P P");
        // 16: numeric-pad plus opens the enlarged view of a loaded picture, the browser open or not.
        row("pad plus", "10, windows", Qt::Key_Plus, pad, "0/0 | 0 1 2 3 | note enlarged");
        row("Alt+pad plus", "10", Qt::Key_Plus, pad | alt, "0/0 | 0 1 2 3 | enlarged");
        row("plus", "10", Qt::Key_Plus, none, "0/0 | 0 1 2 3");
        row("pad plus, browser open", "10, browser", Qt::Key_Plus, pad, "0/0 | 0 - - - | enlarged browser");
        row("pad plus in help mode", "10, help", Qt::Key_Plus, pad, ".=splash/0 | 0 1 2 3 | help");
        row("pad plus during the splash period", "10, splash", Qt::Key_Plus, pad, ".=splash/-1 | . . . .");
        row("pad plus without a picture", "empty", Qt::Key_Plus, pad, ".=splash/-1 | . - - - | browser");
    }
    void keyTable()
    {
        QFETCH(QString, setup);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, expected);
        std::unique_ptr<PictureFolder> folder;
        FormMain *main = startIn(setup, folder);
        QVERIFY(main);
        const auto dialog = PrintedPdf::answerPrintDialog({});
        QTest::keyClick(main, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCoreApplication::processEvents();
        QCOMPARE(state(main, *dialog), expected);
    }

    // The page keys leave the link area as it was, where the help buttons move or disable it.
    void helpPageKeysLeaveTheLinkArea()
    {
        std::unique_ptr<PictureFolder> folder;
        FormMain *main = startIn("10, help", folder);
        QVERIFY(main);
        const auto link = [main] {
            return QStringLiteral("%1 %2").arg(main->ImageWeb->isEnabled()).arg(main->ImageWeb->Top());
        };
        QCOMPARE(link(), QStringLiteral("1 390"));
        QTest::keyClick(main, Qt::Key_2);
        QTest::keyClick(main, Qt::Key_3);
        QCOMPARE(link(), QStringLiteral("1 390"));
        main->ImageThumb2_Click();
        QCOMPARE(link(), QStringLiteral("0 390"));
        QTest::keyClick(main, Qt::Key_1);
        QCOMPARE(link(), QStringLiteral("0 390"));
        QVERIFY(!main->Imagemain->isEnabled());
    }

    // The key reaches the control that has the focus as well: the table only looks at it.
    void focusedControlStillGetsTheKey()
    {
        std::unique_ptr<PictureFolder> folder;
        FormMain *main = startIn("10", folder);
        QVERIFY(main);
        int seen = 0;
        struct Counter : QObject {
            int *n;
            explicit Counter(int *count) : n(count) {}
            bool eventFilter(QObject *, QEvent *e) override
            {
                if (e->type() == QEvent::KeyPress)
                    ++*n;
                return false;
            }
        } counter(&seen);
        main->CheckThumb->installEventFilter(&counter);
        main->CmdFiles->installEventFilter(&counter);
        QTest::keyClick(main->CmdFiles, Qt::Key_PageUp);
        QCOMPARE(main->NCount, 4);
        QTest::keyClick(main->CheckThumb, Qt::Key_3);
        QCOMPARE(Forms::FormFiles->File1->ListIndex(), 6);
        QCOMPARE(seen, 2);
    }

private:
    CaseFixture m_case;
};

GALLERY_TEST_MAIN(TestKeyboard)
#include "test_keyboard.moc"
