// The drive, folder and file lists: handlers raised once by code and by the user, filtering,
// order, hidden files, folders that cannot be listed, drives and their current folders.
#include "AsOtherUser.h"
#include "Drives.h"
#include "FileLists.h"
#include "FolderListing.h"
#include "LocalFiles.h"

#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QPushButton>
#include <QFile>
#include <QListView>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
void touch(const QString &path)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
}

QStringList items(const FileListBox &list)
{
    QStringList names;
    for (int i = 0; i < list.ListCount(); ++i)
        names << list.List(i);
    return names;
}
} // namespace

class TestFileLists : public QObject {
    Q_OBJECT
    QTemporaryDir tmp;

private slots:
    void fileListFiltersAndOrders_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QStringList>("listed");
        const QStringList pictures = {"img10.jpg", "img2.jpg", "IMG1.JPG", "b.Bmp", "a.gif", ".hidden.jpg",
                                      "note.txt", "img2.jpg.txt", "x.jpeg"};
        QTest::newRow("all types") << pictures << "*.bmp;*.gif;*.jpg"
                                   << QStringList{"a.gif", "b.Bmp", "IMG1.JPG", "img2.jpg", "img10.jpg"};
        QTest::newRow("design order of types") << pictures << "*.bmp;*.jpg;*.gif"
                                               << QStringList{"a.gif", "b.Bmp", "IMG1.JPG", "img2.jpg", "img10.jpg"};
        QTest::newRow("bmp") << pictures << "*.bmp" << QStringList{"b.Bmp"};
        QTest::newRow("gif") << pictures << "*.gif" << QStringList{"a.gif"};
        QTest::newRow("jpg") << pictures << "*.jpg" << QStringList{"IMG1.JPG", "img2.jpg", "img10.jpg"};
        QTest::newRow("blanks around patterns") << pictures << " *.gif ; *.BMP "
                                                << QStringList{"a.gif", "b.Bmp"};
        QTest::newRow("everything but hidden") << pictures << "*.*"
                                               << QStringList{"a.gif", "b.Bmp", "IMG1.JPG", "img2.jpg", "img2.jpg.txt",
                                                              "img10.jpg", "note.txt", "x.jpeg"};
        QTest::newRow("question mark") << pictures << "img?.jpg" << QStringList{"IMG1.JPG", "img2.jpg"};
        QTest::newRow("digit runs by value")
            << QStringList{"p100.jpg", "p20.jpg", "p3.jpg", "p03b.jpg", "p003.jpg", "p.jpg", "p3a.jpg"} << "*.jpg"
            << QStringList{"p.jpg", "p003.jpg", "p3.jpg", "p3a.jpg", "p03b.jpg", "p20.jpg", "p100.jpg"};
        QTest::newRow("case does not order") << QStringList{"b.jpg", "C.jpg", "a.jpg", "B2.jpg", "_x.jpg"} << "*.jpg"
                                             << QStringList{"_x.jpg", "a.jpg", "b.jpg", "B2.jpg", "C.jpg"};
        QTest::newRow("long numbers") << QStringList{"n99999999999999999999.jpg", "n100000000000000000000.jpg", "n5.jpg"}
                                      << "*.jpg"
                                      << QStringList{"n5.jpg", "n99999999999999999999.jpg", "n100000000000000000000.jpg"};
        QTest::newRow("accents with their letter") << QStringList{"f.jpg", "été.jpg", "Zoë.jpg", "ete2.jpg", "e.jpg"}
                                                   << "*.jpg"
                                                   << QStringList{"e.jpg", "été.jpg", "ete2.jpg", "f.jpg", "Zoë.jpg"};
        QTest::newRow("accents written apart") << QStringList{"f.jpg", QString::fromUtf8("e\u0301te\u0301.jpg"), "e.jpg"}
                                               << "*.jpg"
                                               << QStringList{"e.jpg", QString::fromUtf8("e\u0301te\u0301.jpg"), "f.jpg"};
        QTest::newRow("empty folder") << QStringList() << "*.jpg" << QStringList();
    }
    void fileListFiltersAndOrders()
    {
        QFETCH(QStringList, files);
        QFETCH(QString, pattern);
        QFETCH(QStringList, listed);
        QTemporaryDir folder;
        for (const QString &f : files)
            touch(folder.filePath(f));
        QDir(folder.path()).mkdir("sub.jpg"); // a folder is never listed
        FileListBox list;
        list.setPattern(pattern);
        QVERIFY(list.setPath(folder.path()));
        QCOMPARE(items(list), listed);
        QCOMPARE(list.ListCount(), listed.size());
        QCOMPARE(list.ListIndex(), -1);
        QCOMPARE(list.FileName(), QString());
    }

    // Names that are not valid UTF-8 are listed and reached by their own bytes (a folder's too),
    // shown with U+FFFD for what cannot be read as text.
    void namesKeptAsBytes_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QString>("shown");
        QTest::newRow("Latin-1") << QByteArray("caf\xe9.jpg") << QString::fromUtf8("caf\ufffd.jpg");
        QTest::newRow("bytes never UTF-8") << QByteArray("\xff\xfe.jpg") << QString::fromUtf8("\ufffd\ufffd.jpg");
        QTest::newRow("encoded surrogate") << QByteArray("\xed\xa0\x80.jpg") << QString::fromUtf8("\ufffd\ufffd\ufffd.jpg");
        QTest::newRow("cut sequence") << QByteArray("a\xc3.jpg") << QString::fromUtf8("a\ufffd.jpg");
        QTest::newRow("valid, beyond 16 bits") << QByteArray("\xf0\x9f\x98\x80.jpg") << QString::fromUtf8("\U0001F600.jpg");
    }
    void namesKeptAsBytes()
    {
        QFETCH(QByteArray, name);
        QFETCH(QString, shown);
        QCOMPARE(LocalFiles::encodeName(LocalFiles::decodeName(name)), name);
        QTemporaryDir top;
        const QByteArray folder = QFile::encodeName(top.path()) + "/sub " + name;
        QVERIFY(::mkdir(folder.constData(), 0700) == 0);
        const int fd = ::open((folder + '/' + name).constData(), O_WRONLY | O_CREAT, 0600);
        QVERIFY(fd >= 0 && ::close(fd) == 0);
        DirListBox dirs;
        QVERIFY(dirs.setPath(top.path()));
        QCOMPARE(dirs.ListCount(), 1);
        QVERIFY(dirs.setPath(dirs.List(0)));
        FileListBox list;
        list.setPattern("*.jpg");
        QVERIFY(list.setPath(dirs.Path()));
        QCOMPARE(list.ListCount(), 1);
        QCOMPARE(LocalFiles::encodeName(list.Path() + '/' + list.List(0)), folder + '/' + name);
        QVERIFY(LocalFiles::info(list.Path() + '/' + list.List(0)).isFile);
        QCOMPARE(list.view()->model()->index(0, 0).data().toString(), shown);
        QCOMPARE(dirs.view()->model()->index(dirs.view()->model()->rowCount() - 1, 0).data().toString().trimmed(),
                 "sub " + shown);
    }

    void settingByCodeRunsTheHandlerOnce()
    {
        QTemporaryDir folder;
        for (const char *f : {"a.jpg", "b.jpg", "c.jpg"})
            touch(folder.filePath(f));
        FileListBox list;
        list.setPattern("*.jpg");
        QVERIFY(list.setPath(folder.path()));
        // The handler sees the new selection while the setter has not yet returned.
        QStringList seen;
        connect(&list, &FileListBox::Click, this, [&] { seen << list.FileName(); });
        QVERIFY(list.setListIndex(1));
        QCOMPARE(seen, QStringList{"b.jpg"});
        QVERIFY(list.setListIndex(1)); // selecting the selected file again is a click again
        QCOMPARE(seen, (QStringList{"b.jpg", "b.jpg"}));
        QVERIFY(!list.setListIndex(3));
        QVERIFY(!list.setListIndex(-2));
        QCOMPARE(seen.size(), 2);
        QCOMPARE(list.ListIndex(), 1);
        // A change of pattern or folder leaves no selection and raises no click.
        list.setPattern("*.JPG;*.gif");
        QCOMPARE(list.ListIndex(), -1);
        QCOMPARE(seen.size(), 2);
    }

    // The same order whatever the locale: the table again in a child process under other locales.
    void orderWhateverTheLocale_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::newRow("C.UTF-8") << "C.UTF-8";
        QTest::newRow("POSIX") << "POSIX";
        QTest::newRow("tr_TR.UTF-8") << "tr_TR.UTF-8";
    }
    void orderWhateverTheLocale()
    {
        if (qEnvironmentVariableIsSet("LISTS_TEST_CHILD"))
            QSKIP("already the child");
        QFETCH(QString, locale);
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("LANG", locale);
        env.insert("LC_ALL", locale);
        env.insert("LISTS_TEST_CHILD", "1");
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), {"fileListFiltersAndOrders"});
        QVERIFY(child.waitForFinished(60000));
        const QByteArray out = child.readAllStandardOutput();
        QVERIFY2(child.exitCode() == 0, out.constData());
        QVERIFY2(out.contains(" 0 failed,") && out.contains("PASS   : TestFileLists::fileListFiltersAndOrders(accents"),
                 out.constData());
    }

    void refusedFolders_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("missing") << "missing";
        QTest::newRow("a file") << "file";
        QTest::newRow("no permission") << "locked";
    }
    void refusedFolders()
    {
        QFETCH(QString, kind);
        if (kind == "locked")
            RUN_AS_OTHER_USER_WHEN_ROOT();
        QTemporaryDir folder;
        touch(folder.filePath("a.jpg"));
        QString bad = folder.filePath("bad");
        if (kind == "file") {
            touch(bad);
        } else if (kind == "locked") {
            QVERIFY(QDir(folder.path()).mkdir("bad"));
            touch(bad + "/inside.jpg");
            QFile::setPermissions(bad, QFileDevice::Permissions());
            QVERIFY(!FolderListing::canList(bad));
        }
        FileListBox files;
        files.setPattern("*.jpg");
        QVERIFY(files.setPath(folder.path()));
        QVERIFY(files.setListIndex(0));
        DirListBox dirs;
        QVERIFY(dirs.setPath(folder.path()));
        QSignalSpy fileChanges(&files, &FileListBox::PathChange);
        QSignalSpy dirChanges(&dirs, &DirListBox::Change);
        QVERIFY(!files.setPath(bad));
        QVERIFY(!dirs.setPath(bad));
        // Nothing moved: same folder, same list, same selection, no handler.
        QCOMPARE(files.Path(), folder.path());
        QCOMPARE(files.ListCount(), 1);
        QCOMPARE(files.ListIndex(), 0);
        QCOMPARE(dirs.Path(), folder.path());
        QCOMPARE(fileChanges.count(), 0);
        QCOMPARE(dirChanges.count(), 0);
        QFile::setPermissions(bad, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }

    void folderList()
    {
        QTemporaryDir top;
        QDir d(top.path());
        for (const char *f : {"b10", "b9", "A", ".hidden", "c"})
            QVERIFY(d.mkdir(f));
        touch(top.filePath("file.jpg"));
        DirListBox dirs;
        int changes = 0, clicks = 0;
        QString seenInHandler;
        connect(&dirs, &DirListBox::Change, this, [&] { ++changes; seenInHandler = dirs.Path(); });
        connect(&dirs, &DirListBox::Click, this, [&] { ++clicks; });
        QVERIFY(dirs.setPath(top.path() + "/")); // a trailing "/" is the same folder
        QCOMPARE(dirs.Path(), top.path());
        QCOMPARE(changes, 1);
        QCOMPARE(seenInHandler, top.path());
        QVERIFY(dirs.setPath(top.path()));
        QCOMPARE(changes, 1); // same folder: no change
        QCOMPARE(dirs.ListCount(), 4);
        QCOMPARE(dirs.List(0), top.path() + "/A");
        QCOMPARE(dirs.List(1), top.path() + "/b9");
        QCOMPARE(dirs.List(2), top.path() + "/b10");
        QCOMPARE(dirs.List(3), top.path() + "/c");
        QCOMPARE(dirs.List(-1), top.path());
        QCOMPARE(dirs.List(-2), QFileInfo(top.path()).path());
        QCOMPARE(dirs.List(-1 - top.path().count('/')), QString("/"));
        QCOMPARE(dirs.ListIndex(), -1);
        QVERIFY(dirs.setListIndex(2));
        QCOMPARE(clicks, 1);
        QCOMPARE(changes, 1);
        QVERIFY(!dirs.setListIndex(4));
        QVERIFY(dirs.setPath("b10")); // relative to the open folder
        QCOMPARE(dirs.Path(), top.path() + "/b10");
        QCOMPARE(dirs.ListIndex(), -1);
        QCOMPARE(changes, 2);
        QVERIFY(dirs.setPath(".."));
        QCOMPARE(dirs.Path(), top.path());
        QVERIFY(dirs.setPath("/"));
        QCOMPARE(dirs.Path(), QString("/"));
        QCOMPARE(dirs.List(-1), QString("/"));
        QCOMPARE(dirs.List(-2), QString());
    }

    void userInputRunsTheSameHandlers()
    {
        QTemporaryDir top;
        QDir(top.path()).mkdir("one");
        QDir(top.path()).mkdir("two");
        for (const char *f : {"a.jpg", "b.jpg", "c.jpg"})
            touch(top.filePath(f));
        QWidget window;
        auto *dirs = new DirListBox(&window);
        auto *files = new FileListBox(&window);
        dirs->setGeometry(0, 0, 200, 300);
        files->setGeometry(210, 0, 200, 300);
        window.resize(420, 300);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(dirs->setPath(top.path()));
        files->setPattern("*.jpg");
        QVERIFY(files->setPath(dirs->Path()));
        QStringList events;
        connect(dirs, &DirListBox::Change, this, [&] { events << "Dir1_Change " + dirs->Path(); });
        connect(dirs, &DirListBox::Click, this, [&] { events << "Dir1_Click " + QString::number(dirs->ListIndex()); });
        connect(files, &FileListBox::Click, this, [&] { events << "File1_Click " + files->FileName(); });
        connect(files, &FileListBox::DblClick, this, [&] { events << "File1_DblClick " + files->FileName(); });

        auto centreOf = [](QListView *view, int row) {
            return view->visualRect(view->model()->index(row, 0)).center();
        };
        QTest::mouseClick(files->view()->viewport(), Qt::LeftButton, {}, centreOf(files->view(), 1));
        QCOMPARE(events, QStringList{"File1_Click b.jpg"});
        QCOMPARE(files->ListIndex(), 1);
        QCOMPARE(files->view()->currentIndex().row(), 1);
        events.clear();
        QTest::keyClick(files->view(), Qt::Key_Down);
        QCOMPARE(events, QStringList{"File1_Click c.jpg"});
        events.clear();
        QTest::keyClick(files->view(), Qt::Key_Down); // already the last: nothing
        QTest::keyClick(files->view(), Qt::Key_Home);
        QCOMPARE(events, QStringList{"File1_Click a.jpg"});
        events.clear();
        QTest::mouseDClick(files->view()->viewport(), Qt::LeftButton, {}, centreOf(files->view(), 2));
        QCOMPARE(events.last(), QString("File1_DblClick c.jpg"));
        QCOMPARE(events.count("File1_DblClick c.jpg"), 1);
        events.clear();

        // Rows of the folder list: the folders down to the open one, then its subfolders.
        const int levels = top.path().count('/') + 1;
        QTest::mouseClick(dirs->view()->viewport(), Qt::LeftButton, {}, centreOf(dirs->view(), levels + 1));
        QCOMPARE(events, QStringList{"Dir1_Click 1"});
        events.clear();
        QTest::mouseDClick(dirs->view()->viewport(), Qt::LeftButton, {}, centreOf(dirs->view(), levels));
        QCOMPARE(events, QStringList{"Dir1_Change " + top.path() + "/one"});
        QCOMPARE(dirs->ListIndex(), -1);
    }

    void enterAndEscapeGoToTheWindow()
    {
        QDialog dialog;
        auto *files = new FileListBox(&dialog);
        auto *close = new QPushButton("&Close", &dialog);
        close->move(0, 200);
        close->setDefault(true);
        int closes = 0;
        connect(close, &QPushButton::clicked, this, [&] { ++closes; });
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        files->view()->setFocus();
        QTest::keyClick(files->view(), Qt::Key_Return);
        QCOMPARE(closes, 1);
    }

    void drives()
    {
        QTemporaryDir a, b;
        const QString missing = a.path() + "-gone";
        Drives::setRootsForTesting({"/", a.path(), b.path(), missing});
        Drives::forgetCurrentFolders();
        QDir(a.path()).mkpath("x/y");
        touch(a.filePath("x/y/p.jpg"));

        DriveListBox drive;
        DirListBox dir;
        FileListBox file;
        file.setPattern("*.jpg");
        QCOMPARE(drive.ListCount(), 4);
        QCOMPARE(drive.List(0), QString("/"));
        bool unavailable = false;
        int changes = 0;
        // The browser's drive-change handling, as the folder browser wires it.
        connect(&drive, &DriveListBox::Change, this, [&] {
            ++changes;
            unavailable = !dir.setPathToDrive(drive.Drive());
            if (!unavailable)
                file.setPath(dir.Path());
        });
        QVERIFY(dir.setPath(a.filePath("x/y")));
        QVERIFY(drive.setDrive(dir.Path())); // the drive holding the folder
        QCOMPARE(drive.Drive(), a.path());
        QCOMPARE(changes, 1);
        QCOMPARE(dir.Path(), a.filePath("x/y")); // its current folder: where the list is
        QCOMPARE(file.ListCount(), 1);
        QVERIFY(drive.setDrive(a.filePath("x")));
        QCOMPARE(changes, 1); // same drive: no change

        QVERIFY(drive.setDrive(b.path()));
        QCOMPARE(changes, 2);
        QCOMPARE(dir.Path(), b.path());
        QCOMPARE(file.ListCount(), 0);
        QVERIFY(drive.setDrive(a.path()));
        QCOMPARE(dir.Path(), a.filePath("x/y")); // the drive remembered its folder

        // A drive whose root cannot be listed: shown, its handler runs, the lists stay.
        QVERIFY(!drive.setDrive(missing));
        QCOMPARE(changes, 4);
        QVERIFY(unavailable);
        QCOMPARE(drive.Drive(), missing);
        QCOMPARE(dir.Path(), a.filePath("x/y"));
        QCOMPARE(file.ListCount(), 1);

        // A remembered folder that is gone: the drive opens at its root.
        QVERIFY(drive.setDrive(b.path()));
        QDir(a.filePath("x")).removeRecursively();
        QVERIFY(drive.setDrive(a.path()));
        QCOMPARE(dir.Path(), a.path());

        // The user's choice in the drop-down runs the same handling.
        changes = 0;
        drive.comboBox()->setFocus();
        QTest::keyClick(drive.comboBox(), Qt::Key_Down);
        QCOMPARE(changes, 1);
        QCOMPARE(drive.Drive(), b.path());
        Drives::setRootsForTesting({});
    }

    void systemDrives()
    {
        const QStringList roots = Drives::roots();
        QVERIFY(!roots.isEmpty());
        QCOMPARE(roots.first(), QString("/"));
        QCOMPARE(Drives::rootOf("/"), QString("/"));
        QCOMPARE(Drives::rootOf(roots.last() + "/no/such/folder"), roots.last());
        QVERIFY(Drives::isAvailable("/"));
        for (const QString &r : roots)
            QVERIFY2(!r.startsWith("/proc") && !r.startsWith("/sys"), qPrintable(r));
    }

    void refreshKeepsTheSelection()
    {
        QTemporaryDir folder;
        touch(folder.filePath("b.jpg"));
        touch(folder.filePath("c.jpg"));
        FileListBox list;
        list.setPattern("*.jpg");
        QVERIFY(list.setPath(folder.path()));
        QVERIFY(list.setListIndex(1));
        touch(folder.filePath("a.jpg"));
        QSignalSpy clicks(&list, &FileListBox::Click);
        list.Refresh();
        QCOMPARE(list.ListCount(), 3);
        QCOMPARE(list.FileName(), QString("c.jpg"));
        QCOMPARE(list.ListIndex(), 2);
        QCOMPARE(clicks.count(), 0);
    }
};

QTEST_MAIN(TestFileLists)
#include "test_filelists.moc"
