// The gallery on a real desktop: every window at its outer size and place with the window
// manager's frame, no text cut by its box in the windows' font, the remote control's back button
// after three steps, and keys pressed through the X server (Shift and the digits, another layout,
// Ctrl+P).
#include "AllForms.h"
#include "Desktop.h"
#include "FileLists.h"
#include "FormBlowUp.h"
#include "FormFiles.h"
#include "FormInfo.h"
#include "FormMain.h"
#include "FormNote.h"
#include "FormRemote.h"
#include "FormSave.h"
#include "GalleryTest.h"
#include "PictureFolders.h"

#include <QDir>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPrintDialog>
#include <QScreen>

using namespace GalleryTest;

namespace {

struct Row {
    const char *name;
    QSize screen;
    // Brings the window up from the main window past its splash; the window to measure.
    std::function<QWidget *(FormMain *)> open;
    QRect outer; // expected; an empty size leaves the size unchecked, a negative place the place
    bool frameless = false;
    // What else the row checks, once the window is up: empty when all is well.
    std::function<QString(FormMain *, QWidget *)> check = {};
    // Run before the program starts.
    std::function<void()> prepare = {};
};

// What a message box shown at start-up looked like: empty when its lines broke only where its text
// breaks them and no text was cut.
QString g_messageFault;

void watchMessage()
{
    g_messageFault = QStringLiteral("no message");
    Desktop::whenModal([](QWidget *box) {
        const QRect outer = Desktop::framedOuter(box);
        const auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
        const QStringList cut = Desktop::textsCut(box);
        if (!label)
            g_messageFault = QStringLiteral("no text");
        else if (label->contentsRect().width() < QFontMetrics(label->font()).boundingRect(QRect(), 0, label->text()).width())
            g_messageFault = QStringLiteral("lines broken where the text does not break them");
        else if (!box->screen()->geometry().contains(outer))
            g_messageFault = QStringLiteral("off the screen");
        else
            g_messageFault = cut.join(QStringLiteral("; "));
        static_cast<QDialog *>(box)->accept();
    });
}

QRect besideMain(int rightPx, int belowPx, QSize size)
{
    return {131 + rightPx, 105 + belowPx, size.width(), size.height()};
}

QWidget *openRemote(FormMain *main)
{
    Forms::FormBlowUp->show();
    main->DoBlowUp();
    Forms::FormRemote->show();
    return Forms::FormRemote.get();
}

// The text of the key presses that reach the main window: what the layout and Shift made of them.
class TypedText : public QObject {
public:
    explicit TypedText(QWidget *window)
        : m_window(window)
    {
        window->installEventFilter(this);
    }
    QString text;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_window && event->type() == QEvent::KeyPress)
            text += static_cast<QKeyEvent *>(event)->text();
        return false;
    }

private:
    QWidget *m_window;
};

// A key through the X server to the main window, past its splash: the symbol it types there (a
// symbol, not the digit) and the file it shows.
std::function<QString(FormMain *, QWidget *)> keyShows(const QString &keys, const QString &typed, const QString &file,
                                                        const QString &layout = QStringLiteral("us"))
{
    return [=](FormMain *main, QWidget *) -> QString {
        if (!Desktop::setLayout(layout))
            return QStringLiteral("no layout %1").arg(layout);
        // The new layout reaches the program with the X server's next events.
        QTest::qWait(300);
        if (!Desktop::activate(main))
            return QStringLiteral("the main window never became active");
        TypedText seen(main);
        const bool pressed = Desktop::pressKeys(keys);
        if (layout != QLatin1String("us"))
            Desktop::setLayout(QStringLiteral("us"));
        if (!pressed)
            return QStringLiteral("xdotool could not press %1").arg(keys);
        const bool shown = QTest::qWaitFor([&] { return main->windowTitle().contains(file); }, 3000);
        if (seen.text != typed)
            return QStringLiteral("%1 typed \"%2\", not \"%3\"").arg(keys, seen.text, typed);
        return shown ? QString() : QStringLiteral("%1 gave \"%2\"").arg(keys, main->windowTitle());
    };
}

const QList<Row> &rows()
{
    static const QList<Row> table = {
        {"main window", {1024, 768}, [](FormMain *main) -> QWidget * { return main; }, {131, 105, 762, 558}},
        {"main window on 800 x 600", {800, 600}, [](FormMain *main) -> QWidget * { return main; }, {19, 4, 762, 558}},
        {"folder browser", {1024, 768},
         [](FormMain *main) -> QWidget * {
             main->CmdFiles->click();
             return Forms::FormFiles.get();
         },
         {-1, -1, 573, 478}, false,
         [](FormMain *, QWidget *browser) -> QString {
             // Hidden and shown again, it stands where it stood.
             const QRect first = Desktop::framedOuter(browser);
             QTest::keyClick(browser, Qt::Key_Escape);
             Forms::FormMain->CmdFiles->click();
             const QRect again = Desktop::framedOuter(browser);
             if (again != first)
                 return QStringLiteral("shown again at %1,%2").arg(again.x()).arg(again.y());
             // The placeholder is drawn at the size of the preview box, its words at the windows' size.
             const QSize placeholder = QImage(QStringLiteral(GALLERY_ASSETS "/bluck2zn.big")).size();
             const QSize preview(int(Forms::FormFiles->ImageFile->Width()), int(Forms::FormFiles->ImageFile->Height()));
             return placeholder == preview ? QString()
                                           : QStringLiteral("placeholder %1 x %2 in a box of %3 x %4")
                                                 .arg(placeholder.width()).arg(placeholder.height())
                                                 .arg(preview.width()).arg(preview.height());
         }},
        {"note window", {1024, 768},
         [](FormMain *main) -> QWidget * {
             main->CmdNoteShow->click();
             return Forms::FormNote.get();
         },
         besideMain(117, 93, {537, 376})},
        {"note font dialog", {1024, 768},
         [](FormMain *main) -> QWidget * {
             main->CmdNoteShow->click();
             return Forms::FormNote.get();
         },
         besideMain(117, 93, {537, 376}), false,
         [](FormMain *, QWidget *note) -> QString {
             QStringList cut{QStringLiteral("never shown")};
             Desktop::whenModal([&](QWidget *dialog) {
                 Desktop::framedOuter(dialog);
                 cut = Desktop::textsCut(dialog);
                 static_cast<QDialog *>(dialog)->reject();
             });
             static_cast<FormNote *>(note)->CmdFont->click();
             return cut.join(QStringLiteral("; "));
         }},
        {"remote control", {1024, 768}, openRemote, {870, 653, 77, 48}, false,
         [](FormMain *, QWidget *) -> QString {
             FormRemote *remote = Forms::FormRemote.get();
             for (int step = 0; step < 3; ++step)
                 remote->CmdRemFwd->click();
             return remote->CmdRemBack->isEnabled() ? QString() : QStringLiteral("back disabled after three steps");
         }},
        {"remote control expanded", {1024, 768},
         [](FormMain *main) -> QWidget * {
             openRemote(main);
             Desktop::framedOuter(Forms::FormRemote.get());
             Forms::FormRemote->CmdExpand->click();
             return Forms::FormRemote.get();
         },
         {666, 461, 231, 201}},
        {"remote control caption", {1024, 768}, openRemote, {870, 653, 77, 48}, false,
         [](FormMain *, QWidget *remote) -> QString {
             QString title = Desktop::shownTitle(remote);
             return !title.isEmpty() && title.remove(QLatin1Char('|')).trimmed().isEmpty()
                        ? QString()
                        : QStringLiteral("caption \"%1\"").arg(title);
         }},
        {"save dialog", {1024, 768},
         [](FormMain *main) -> QWidget * {
             main->CmdFiles->click();
             Desktop::framedOuter(Forms::FormFiles.get());
             Forms::FormFiles->cmdStore1->click();
             return Forms::FormSave.get();
         },
         {-1, -1, 303, 177}},
        {"information window", {1024, 768},
         [](FormMain *main) -> QWidget * {
             main->DoInfo();
             return Forms::FormInfo.get();
         },
         {312, 149, 400, 470}, true},
        {"enlarged view", {1024, 768},
         [](FormMain *main) -> QWidget * {
             Forms::FormBlowUp->show();
             main->DoBlowUp();
             return Forms::FormBlowUp.get();
         },
         {0, 0, 1024, 768}, true},
        {"screen warning on 640 x 480", {640, 480}, [](FormMain *main) -> QWidget * { return main; },
         {-61, -39, 762, 558}, false, [](FormMain *, QWidget *) { return g_messageFault; }, watchMessage},
        {"retrieve message", {1024, 768},
         [](FormMain *main) -> QWidget * {
             main->Save1Dir = QStringLiteral("/no such folder/") + QString(80, QLatin1Char('x')) + QStringLiteral("/pictures");
             main->CmdFiles->click();
             Desktop::framedOuter(Forms::FormFiles.get());
             watchMessage();
             Forms::FormFiles->CmdRetrieve1->click();
             return Forms::FormFiles.get();
         },
         {-1, -1, 573, 478}, false, [](FormMain *, QWidget *) { return g_messageFault; }},
        {"Shift+2", {1024, 768}, [](FormMain *main) -> QWidget * { return main; }, {131, 105, 762, 558}, false,
         keyShows(QStringLiteral("shift+2"), QStringLiteral("@"), QStringLiteral("pic02.jpg"))},
        {"Ctrl+Shift+4", {1024, 768}, [](FormMain *main) -> QWidget * { return main; }, {131, 105, 762, 558}, false,
         keyShows(QStringLiteral("ctrl+shift+4"), QStringLiteral("$"), QStringLiteral("pic04.jpg"))},
        {"3 on a French keyboard", {1024, 768}, [](FormMain *main) -> QWidget * { return main; },
         {131, 105, 762, 558}, false, keyShows(QStringLiteral("quotedbl"), QStringLiteral("\""), QStringLiteral("pic03.jpg"), "fr")},
        {"Ctrl+P", {1024, 768}, [](FormMain *main) -> QWidget * { return main; }, {131, 105, 762, 558}, false,
         [](FormMain *main, QWidget *) -> QString {
             int dialogs = 0;
             bool stayed = false;
             std::function<void()> answer;
             answer = [&] {
                 Desktop::whenModal([&](QWidget *modal) {
                     if (qobject_cast<QPrintDialog *>(modal))
                         ++dialogs;
                     // Cancelled as a user does, with a key of its own; gone before the next
                     // one is looked for, so that no dialog counts twice.
                     const QPointer<QWidget> shown(modal);
                     if (Desktop::activate(modal) && Desktop::pressKeys(QStringLiteral("Escape")))
                         stayed = !QTest::qWaitFor([&] { return !shown || !shown->isVisible(); }, 5000);
                     answer();
                 });
             };
             answer();
             if (!Desktop::activate(main) || !Desktop::pressKeys(QStringLiteral("ctrl+p")))
                 return QStringLiteral("Ctrl+P not pressed");
             const bool again = QTest::qWaitFor([&] { return dialogs > 1; }, 1500);
             if (stayed)
                 return QStringLiteral("the print dialog stayed after Esc");
             return !again && dialogs == 1 ? QString() : QStringLiteral("%1 print dialogs").arg(dialogs);
         }},
    };
    return table;
}

} // namespace

class TestGalleryDesktop : public QObject {
    Q_OBJECT
private slots:
    void init() { m_case.init(); }
    void cleanup()
    {
        Desktop::closeModals();
        m_case.cleanup();
    }

    void window_data() { Desktop::addRows(rows()); }

    void window()
    {
        QFETCH(int, row);
        const Row &r = rows()[row];
        if (Desktop::screen() != r.screen) {
            const QByteArray out = Desktop::runOnScreen(r.screen, {QStringLiteral("window:%1").arg(r.name)});
            QVERIFY2(out.contains(" 0 failed,") && out.contains("PASS   : TestGalleryDesktop::window("), out.constData());
            return;
        }
        // Five pictures in a folder with a long name, as the information window shows it.
        PictureFolder pictures(PictureFolder::numbered(5, QSize(400, 300)));
        const QString deep = pictures.path() + QStringLiteral("/a folder with a long name that runs on and on");
        QVERIFY(QDir().mkpath(deep));
        for (const PictureFile &p : PictureFolder::numbered(5, QSize(400, 300)))
            QVERIFY(writePicture(deep + '/' + p.name, p.size));
        if (r.prepare)
            r.prepare();
        FormMain *main = startAt(deep);
        QVERIFY(main);
        endSplash(main);
        QWidget *window = r.open(main);
        QVERIFY(window);
        const QRect outer = Desktop::framedOuter(window, r.frameless);
        if (r.outer.x() >= 0)
            QCOMPARE(outer.topLeft(), r.outer.topLeft());
        QCOMPARE(outer.size(), r.outer.size());
        const QStringList cut = Desktop::textsCut(window);
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QStringLiteral("; "))));
        if (r.check) {
            const QString fault = r.check(main, window);
            QVERIFY2(fault.isEmpty(), qPrintable(fault));
        }
    }

private:
    CaseFixture m_case;
};

DESKTOP_TEST_MAIN(TestGalleryDesktop)
#include "test_gallery_desktop.moc"
