// The drive, folder and file lists: handlers raised once by code and by the user, filtering,
// order, hidden files, folders that cannot be listed, drives and their current folders.
#include "FileLists.h"

#include <QDir>
#include <QFile>
#include <QListView>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

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
};

QTEST_MAIN(TestFileLists)
#include "test_filelists.moc"
