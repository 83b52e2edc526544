// Stepping through a folder: the six navigation buttons, the thumbnail places and the thumbnail
// box, as short scripts over folders of pictures of distinct sizes. After every command the state
// a user sees is written as one line and compared:
//
//   "<caption> / <NCount> | <enabled navigation buttons> | <place 1> <place 2> <place 3> <place 4>"
//
// <caption> is the position of the picture the window caption names ("=k" added when the viewing
// area shows picture k instead, "=." when it shows nothing); buttons are H (first images), b4, b1,
// f1, f4, E (last images), or "-" for none; a place is the position of the picture it holds, "P" when parked, "-" when hidden,
// "." when it holds no picture, with "x" added when it is disabled.
//
// Commands: "start" (the 14 ticks of the splash period), "H" "b4" "b1" "f1" "f4" "E" (press the
// button, which must be enabled), "H!" "E!" (run the button's handler whatever its state), "t1".."t4"
// (click the place, which must be shown), "off" "on" (click the thumbnail box), "tick" (one timer
// tick), "show k" (the picture at position k chosen as the remote control and the slide show do:
// NCount = k, then DoSelectPicture).
#include "AllForms.h"
#include "FileLists.h"
#include "FormFiles.h"
#include "FormMain.h"
#include "GalleryTest.h"
#include "PictureFolders.h"
#include "Settings.h"
#include "FormBlowUp.h"
#include "FormInfo.h"
#include "FormNote.h"
#include "FormRemote.h"
#include "FormSave.h"
#include "WindowGeometry.h"

#include <QFileInfo>

#include <cmath>

using namespace GalleryTest;

namespace {

// Picture k of a folder: "picNN.jpg" (NN = k + 1), landscape, each of its own width.
QString pictureName(int k)
{
    return QStringLiteral("pic%1.jpg").arg(k + 1, 2, 10, QLatin1Char('0'));
}

QSize pictureSize(int k)
{
    return {120 + 8 * k, 80 + 4 * k};
}

const QString kCaptionHead = QStringLiteral("Vistello  -  ");
const QString kZoom = QStringLiteral("     Zoom: ");

// The caption's file name (with a zoom after it, or alone); empty when the caption names none.
QString captionFile(const QString &caption)
{
    if (!caption.startsWith(kCaptionHead))
        return {};
    const qsizetype zoom = caption.indexOf(kZoom);
    return caption.mid(kCaptionHead.size(), zoom < 0 ? -1 : zoom - kCaptionHead.size());
}

QString state(FormMain *main)
{
    const QString caption = main->windowTitle();
    const int named = positionOf(captionFile(caption));
    const int shown = positionOf(QFileInfo(main->Imagemain->picture().path()).fileName());
    QString line = token(named);
    if (shown != named)
        line += '=' + token(shown);
    line += '/' + QString::number(main->NCount) + " |";
    const std::pair<QPushButton *, const char *> buttons[] = {{main->CmdHome, "H"},    {main->CmdBackFour, "b4"},
                                                              {main->CmdBackOne, "b1"}, {main->CmdFwdOne, "f1"},
                                                              {main->CmdFwdFour, "f4"}, {main->CmdEnd, "E"}};
    QStringList enabled;
    for (auto [b, name] : buttons)
        if (b->isEnabled())
            enabled << name;
    line += ' ' + (enabled.isEmpty() ? QStringLiteral("-") : enabled.join(' ')) + " |";
    for (int p = 1; p <= 4; ++p) {
        ImageBox *place = main->thumb(p);
        QString t;
        if (!place->Visible())
            t = "-";
        else if (place->Left() == 32000)
            t = "P";
        else
            t = token(positionOf(QFileInfo(place->picture().path()).fileName()));
        if (t != "-" && !place->Enabled())
            t += 'x';
        line += ' ' + t;
    }
    return line;
}

// What holds after every picture change, whatever the command: the arrow cursor, both boxes
// holding the same picture, a caption with the name of the picture recorded as shown and the
// zoom of the picture fitted, and that record (ListIndexStore, read by the information window).
// A file that is not a picture: both boxes empty, the true-size box 0 x 0, the caption its name alone.
QString brokenRule(FormMain *main, const QString &damaged)
{
    if (main->cursor().shape() != Qt::ArrowCursor || Forms::FormFiles->cursor().shape() != Qt::ArrowCursor)
        return QStringLiteral("the cursor is not the arrow");
    if (main->PictureScale->picture() != main->Imagemain->picture()
        && main->PictureScale->picture().path() != main->Imagemain->picture().path())
        return QStringLiteral("the true-size box holds another picture");
    const QString caption = main->windowTitle();
    const int named = positionOf(captionFile(caption));
    if (named < 0)
        return QStringLiteral("the caption names no picture: ") + caption;
    const double w = main->PictureScale->Width();
    QString expected = kCaptionHead + pictureName(named);
    if (pictureName(named) != damaged)
        expected += kZoom + QString::number(qint64(std::floor(620 / w * 100 + 0.5))) + '%';
    else if (!main->Imagemain->picture().isNull() || w != 0 || main->PictureScale->Height() != 0)
        return QStringLiteral("a picture is shown for the file that is none");
    if (caption != expected)
        return QStringLiteral("caption ") + caption + QStringLiteral(", expected ") + expected;
    if (main->ListIndexStore != named)
        return QStringLiteral("ListIndexStore %1 for the picture named %2").arg(main->ListIndexStore).arg(named);
    return {};
}

QPushButton *button(FormMain *main, const QString &name)
{
    if (name == "H")
        return main->CmdHome;
    if (name == "b4")
        return main->CmdBackFour;
    if (name == "b1")
        return main->CmdBackOne;
    if (name == "f1")
        return main->CmdFwdOne;
    if (name == "f4")
        return main->CmdFwdFour;
    if (name == "E")
        return main->CmdEnd;
    return nullptr;
}

} // namespace

class TestNavigation : public QObject {
    Q_OBJECT
private slots:
    void init() { m_case.init(); }
    void cleanup() { m_case.cleanup(); }

    void scripts_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("damaged"); // a file that is not a picture, or empty
        QTest::addColumn<QStringList>("script");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<bool>("thumbnails"); // the column on at start
        const auto row = [](const char *name, int count, const QList<std::pair<QString, QString>> &steps,
                            const QString &damaged = {}, bool thumbnails = true) {
            QStringList script, expected;
            for (const auto &[command, line] : steps) {
                script << command;
                expected << line;
            }
            QTest::newRow(name) << count << damaged << script << expected << thumbnails;
        };
        // Four pictures: the buttons stay disabled, the column shows all four with wrap-around, and
        // the last picture current leaves NCount -1 with no selection.
        row("4",
            4,
            {{"start", "0/0 | - | 0 1 2 3"},
             {"t4", "3/0 | - | 0 1 2 3"},
             {"H!", "3/0 | - | 0 1 2 3"},
             {"E!", "3/0 | - | 0 1 2 3"},
             {"show 2", "2/2 | - | 2 3 0 1"},
             {"t3", "0/2 | - | 2 3 0 1"}, // a place that wrapped round names what it shows
             {"t4", "1/2 | - | 2 3 0 1"},
             {"t1", "2/2 | - | 2 3 0 1"},
             {"show 3", "3/-1 | - | 3 0 1 2"},
             {"t2", "0/-1 | - | 3 0 1 2"},
             {"t4", "2/-1 | - | 3 0 1 2"},
             {"t1", "3/-1 | - | 3 0 1 2"}, // place 1 names the last picture
             {"off", "3/3 | b1 f1 | - - - -"}, // no column: the last picture at its own position
             {"on", "3/-1 | - | 3 0 1 2"}});
        row("5",
            5,
            {{"start", "0/0 | f1 f4 E | 0 1 2 3"},
             {"f1", "1/1 | H b1 | 1 2 3 4"},
             {"t2", "2/1 | H b1 | 1 2 3 4"},
             {"b1", "0/0 | f1 f4 E | 0 1 2 3"},
             {"E", "1/1 | H b1 | 1 2 3 4"},
             {"t4", "4/1 | H b1 | 1 2 3 4"},
             {"H", "0/0 | f1 f4 E | 0 1 2 3"},
             {"f4", "4/-1 | H b1 | 4x P P P"},
             {"tick", "4/-1 | H b1 | 4 P P P"},
             {"t1", "4/-1 | H b1 | 4 P P P"}, // re-enabled by the timer, it still names the last picture
             {"b1", "2/2 | H b1 | 2 3 4 P"}, // through the picture before the last
             {"show 3", "3/3 | H b1 | 3 4 P P"},
             {"t2", "4/3 | H b1 | 3 4 P P"},
             {"H", "0/0 | f1 f4 E | 0 1 2 3"}});
        row("6",
            6,
            {{"start", "0/0 | f1 f4 E | 0 1 2 3"},
             {"f1", "1/1 | H b1 f1 E | 1 2 3 4"},
             {"f1", "2/2 | H b1 | 2 3 4 5"},
             {"t4", "5/2 | H b1 | 2 3 4 5"},
             {"b1", "1/1 | H b1 | 1 2 3 4"},
             {"show 2", "2/2 | H b1 | 2 3 4 5"},
             {"show 4", "4/4 | H b1 | 4 5 P P"},
             {"off", "4/4 | H b4 b1 f1 E | - - - -"}, // no column: every picture within reach
             {"show 5", "5/5 | H b4 b1 f1 | - - - -"}, // the last picture keeps its position
             {"b1", "4/4 | H b4 b1 f1 E | - - - -"},
             {"on", "4/4 | H b1 | 4 5 P P"},
             {"H", "0/0 | f1 f4 E | 0 1 2 3"}});
        row("10",
            10,
            {{"start", "0/0 | f1 f4 E | 0 1 2 3"},
             {"E", "6/6 | H b1 | 6 7 8 9"},
             {"b1", "5/5 | H b1 E | 5 6 7 8"},
             {"H", "0/0 | f1 f4 E | 0 1 2 3"},
             {"show 9", "9/-1 | H b4 b1 f4 | 9x P P P"},
             {"b4", "4/4 | H b1 E | 4 5 6 7"}, // from the last picture, as the Page Down key does
             {"H", "0/0 | f1 f4 E | 0 1 2 3"},
             {"show 9", "9/-1 | H b4 b1 f4 | 9x P P P"},
             {"f4", "0/0 | f1 f4 E | 0 1 2 3"}, // four forward from the last passes the end
             {"f1", "1/1 | f1 f4 E | 1 2 3 4"},
             {"f4", "5/5 | H b1 f1 f4 E | 5 6 7 8"},
             {"f4", "9/-1 | H b4 b1 | 9x P P P"}});
        row("12",
            12,
            {{"start", "0/0 | f1 f4 E | 0 1 2 3"},
             {"E", "8/8 | H b1 | 8 9 10 11"},
             {"t4", "11/8 | H b1 | 8 9 10 11"},
             {"b1", "7/7 | H b4 b1 E | 7 8 9 10"},
             {"b4", "3/3 | H b1 E | 3 4 5 6"},
             {"show 10", "10/10 | H b4 b1 | 10 11 P P"},
             {"t2", "11/10 | H b4 b1 | 10 11 P P"},
             {"show 9", "9/9 | H b4 b1 | 9 10 11 P"},
             {"H", "0/0 | f1 f4 E | 0 1 2 3"},
             {"show 11", "11/-1 | H b4 b1 f4 | 11x P P P"},
             {"b4", "6/6 | H b4 b1 E | 6 7 8 9"}});
        row("20",
            20,
            {{"start", "0/0 | f1 f4 E | 0 1 2 3"},
             {"f4", "4/4 | H b1 f1 f4 E | 4 5 6 7"},
             {"f4", "8/8 | H b1 f1 f4 E | 8 9 10 11"},
             {"f4", "12/12 | H b4 b1 f1 f4 E | 12 13 14 15"},
             {"f4", "16/16 | H b4 b1 | 16 17 18 19"},
             {"t4", "19/16 | H b4 b1 | 16 17 18 19"},
             {"b4", "12/12 | H b4 b1 E | 12 13 14 15"},
             {"H", "0/0 | f1 f4 E | 0 1 2 3"},
             {"show 19", "19/-1 | H b4 b1 f4 | 19x P P P"},
             {"tick", "19/-1 | H b4 b1 f4 | 19 P P P"},
             {"t1", "19/-1 | H b4 b1 f4 | 19 P P P"},
             {"f4", "0/0 | f1 f4 E | 0 1 2 3"}});
        // The column off: one step forward or back with wrap-around in any folder of two or more,
        // four while they stay within the list, "Last images" to the last picture.
        const bool off = false;
        row("2, column off",
            2,
            {{"start", "0/0 | b1 f1 | - - - -"},
             {"f1", "1/1 | b1 f1 | - - - -"},
             {"f1", "0/0 | b1 f1 | - - - -"},
             {"b1", "1/1 | b1 f1 | - - - -"},
             {"E!", "1/1 | b1 f1 | - - - -"}},
            {}, off);
        row("3, column off",
            3,
            {{"start", "0/0 | b1 f1 | - - - -"},
             {"f1", "1/1 | b1 f1 | - - - -"},
             {"f1", "2/2 | b1 f1 | - - - -"},
             {"f1", "0/0 | b1 f1 | - - - -"},
             {"b1", "2/2 | b1 f1 | - - - -"},
             {"b1", "1/1 | b1 f1 | - - - -"}},
            {}, off);
        row("5, column off",
            5,
            {{"start", "0/0 | b1 f1 f4 E | - - - -"},
             {"f4", "4/4 | H b4 b1 f1 | - - - -"},
             {"f1", "0/0 | b1 f1 f4 E | - - - -"},
             {"E", "4/4 | H b4 b1 f1 | - - - -"},
             {"b4", "0/0 | b1 f1 f4 E | - - - -"},
             {"b1", "4/4 | H b4 b1 f1 | - - - -"},
             {"b1", "3/3 | H b1 f1 E | - - - -"},
             {"H", "0/0 | b1 f1 f4 E | - - - -"},
             {"on", "0/0 | f1 f4 E | 0 1 2 3"}},
            {}, off);
        row("8, column off",
            8,
            {{"start", "0/0 | b1 f1 f4 E | - - - -"},
             {"E", "7/7 | H b4 b1 f1 | - - - -"},
             {"b4", "3/3 | H b1 f1 f4 E | - - - -"},
             {"f4", "7/7 | H b4 b1 f1 | - - - -"},
             {"f1", "0/0 | b1 f1 f4 E | - - - -"},
             {"f4", "4/4 | H b4 b1 f1 E | - - - -"},
             {"b1", "3/3 | H b1 f1 f4 E | - - - -"},
             {"on", "3/3 | H b1 E | 3 4 5 6"}, // the column's own rules again
             {"E", "4/4 | H b1 | 4 5 6 7"},
             {"off", "4/4 | H b4 b1 f1 E | - - - -"},
             {"on", "4/4 | H b1 | 4 5 6 7"},
             {"show 7", "7/-1 | H b1 | 7x P P P"},
             {"off", "7/7 | H b4 b1 f1 | - - - -"}, // the last picture at its own position again
             {"b1", "6/6 | H b4 b1 f1 E | - - - -"}},
            {}, off);
        // A file that is not a picture: its place and the viewing area show nothing for it, the
        // caption names it without a zoom, and the steps go on as from any other file.
        row("5, third damaged",
            5,
            {{"start", "0/0 | f1 f4 E | 0 1 . 3"},
             {"f1", "1/1 | H b1 | 1 . 3 4"},
             {"show 2", "2=./2 | - | . 3 4 P"},
             {"t2", "3/2 | - | . 3 4 P"},
             {"t1", "2=./2 | - | . 3 4 P"},
             {"H!", "0/0 | f1 f4 E | 0 1 . 3"}},
            pictureName(2));
        row("5, first damaged",
            5,
            {{"start", "0=./0 | f1 f4 E | . 1 2 3"},
             {"f1", "1/1 | H b1 | 1 2 3 4"},
             {"b1", "0=./0 | f1 f4 E | . 1 2 3"}},
            pictureName(0));
        // The last file not a picture: the last-picture state holds for it as for a picture.
        row("10, last damaged",
            10,
            {{"start", "0/0 | f1 f4 E | 0 1 2 3"},
             {"show 9", "9=./-1 | H b4 b1 f4 | .x P P P"},
             {"tick", "9=./-1 | H b4 b1 f4 | . P P P"},
             {"t1", "9=./-1 | H b4 b1 f4 | . P P P"},
             {"b1", "7/7 | H b1 | 7 8 . P"},
             {"H", "0/0 | f1 f4 E | 0 1 2 3"},
             {"show 9", "9=./-1 | H b4 b1 f4 | .x P P P"},
             {"f4", "0/0 | f1 f4 E | 0 1 2 3"}},
            pictureName(9));
    }
    void scripts()
    {
        QFETCH(int, count);
        QFETCH(QString, damaged);
        QFETCH(QStringList, script);
        QFETCH(QStringList, expected);
        QFETCH(bool, thumbnails);
        QList<PictureFile> files;
        for (int k = 0; k < count; ++k)
            files.append({pictureName(k), pictureSize(k)});
        PictureFolder folder(files);
        if (!damaged.isEmpty()) {
            QFile::remove(folder.file(damaged));
            folder.addText(damaged, "no picture here");
        }
        FormMain *main = startAt(folder.path(), thumbnails);
        QVERIFY(main);
        for (int s = 0; s < script.size(); ++s) {
            const QString command = script[s];
            const QString where = QStringLiteral("step %1 \"%2\"").arg(s + 1).arg(command);
            if (command == "start") {
                for (int t = 0; t < 14; ++t)
                    main->Timer2_Timer();
            } else if (QPushButton *b = button(main, command)) {
                QVERIFY2(b->isEnabled(), qPrintable(where + ": the button is disabled"));
                b->click();
            } else if (command == "H!") {
                main->CmdHome_Click();
            } else if (command == "E!") {
                main->CmdEnd_Click();
            } else if (command.startsWith('t') && command.size() == 2) {
                ImageBox *place = main->thumb(command.mid(1).toInt());
                QVERIFY2(place->Visible() && place->Left() < 32000, qPrintable(where + ": the place is not shown"));
                QTest::mouseClick(place, Qt::LeftButton, {}, QPoint(50, 50));
            } else if (command == "off" || command == "on") {
                QCOMPARE(main->CheckThumb->isChecked(), command == "off");
                main->CheckThumb->click();
            } else if (command == "tick") {
                main->Timer2_Timer();
            } else if (command.startsWith("show ")) {
                main->NCount = command.mid(5).toInt();
                main->DoSelectPicture();
            } else {
                QFAIL(qPrintable(where + ": unknown command"));
            }
            QCOMPARE(state(main), expected[s]);
            QVERIFY2(main->cursor().shape() == Qt::ArrowCursor, qPrintable(where));
            const QString broken = brokenRule(main, damaged);
            QVERIFY2(broken.isEmpty(), qPrintable(where + ": " + broken));
        }
        // The box's state is what the settings keep.
        const QString ticked = main->CheckThumb->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
        close(main);
        QCOMPARE(Settings::GetSetting("Vistello", "Startup", "CheckThumbValue", "?"), ticked);
    }

    // "First images" and "Last images" do nothing during the splash period and in help mode (with
    // four pictures or fewer: the scripts).
    void firstAndLastOnlyWhenTheyMayAct()
    {
        PictureFolder folder(PictureFolder::numbered(10));
        FormMain *main = startAt(folder.path());
        QVERIFY(main);
        main->CmdEnd_Click();
        QCOMPARE(main->NCount, -1);
        endSplash(main);
        main->HelpActive = true;
        main->CmdEnd_Click();
        QCOMPARE(main->NCount, 0);
        main->HelpActive = false;
        main->CmdEnd_Click();
        QCOMPARE(main->NCount, 6);
        main->HelpActive = true;
        main->CmdHome_Click();
        QCOMPARE(main->NCount, 6);
    }

    // The browser open when a step button is pressed: moved to 300 twips below and 400 right of
    // the main window's corner and hidden, and shown there next time; a click on a place brings it
    // to that place and leaves it shown.
    void browserMovedBesideTheMainWindow()
    {
        PictureFolder folder(PictureFolder::numbered(6));
        FormMain *main = startAt(folder.path());
        QVERIFY(main);
        endSplash(main);
        FormFiles *files = Forms::FormFiles.loaded();
        const int ps = main->PixelScale;
        const QRect frame = WindowGeometry::outer(main);
        const QPoint beside(WindowGeometry::toPixels(WindowGeometry::toTwips(frame.left(), ps) + 400, ps),
                            WindowGeometry::toPixels(WindowGeometry::toTwips(frame.top(), ps) + 300, ps));
        main->CmdFiles->click();
        Forms::FormNote->show();
        WindowGeometry::setOuterPos(files, 0, 0);
        main->CmdFwdOne_Click();
        QVERIFY(!files->isVisible());
        QVERIFY(!Forms::FormNote.isLoaded());
        QCOMPARE(main->NCount, 1);
        QCOMPARE(WindowGeometry::outer(files).topLeft(), beside);
        main->CmdFiles->click();
        QCOMPARE(WindowGeometry::outer(files).topLeft(), beside);

        WindowGeometry::setOuterPos(files, 0, 0);
        Forms::FormInfo->show();
        main->ImageThumb3_Click();
        QVERIFY(files->isVisible());
        QVERIFY(!Forms::FormInfo.isLoaded());
        QCOMPARE(WindowGeometry::outer(files).topLeft(), beside);
        QCOMPARE(main->Imagemain->picture().path(), folder.file("pic04.jpg"));
        QCOMPARE(main->NCount, 1);
    }

private:
    CaseFixture m_case;
};

GALLERY_TEST_MAIN(TestNavigation)
#include "test_navigation.moc"
