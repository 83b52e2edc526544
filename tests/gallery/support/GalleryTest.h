#pragma once
// Shared pieces of the gallery's tests: a program folder with generated support pictures, the settings
// file, starting and closing the main window, and screens of other sizes in child processes.
#include "Messages.h"

#include <QApplication>
#include <QByteArray>
#include <QList>
#include <QString>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

class FormMain;

namespace GalleryTest {

// A program folder of the test's own, with "splash.fig" (a JPEG, 620 x 490) unless told otherwise.
class ProgramFolderFixture {
public:
    explicit ProgramFolderFixture(bool withSplash = true);
    ~ProgramFolderFixture();
    QString path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
};

// A file's bytes; empty when it cannot be read.
QByteArray fileBytes(const QString &path);
QString settingsPath();
QByteArray settingsBytes();
void writeSettings(const QByteArray &ini);
void removeSettings();
// What one run of the program would start from: no settings, the real drives, no folder
// remembered per drive (the drives remember theirs for the whole process).
void startFresh();

// The set-up and the end every case shares: init() starts fresh with a program folder of the
// case's own (with "splash.fig" unless told otherwise); cleanup() ends the case as closeProgram()
// does, gives back the real drives and lets the folder go.
class CaseFixture {
public:
    void init(bool withSplash = true);
    void cleanup();

private:
    std::optional<ProgramFolderFixture> m_program;
};

// Every message box shown while the recorder lives, answered with OK.
class MessageRecorder {
public:
    MessageRecorder();
    ~MessageRecorder();
    QList<Messages::Message> messages;
    QList<bool> timerActive; // Timer2 running while each box was up
};

// Starts the program as its executable does; nullptr when it ended at once.
FormMain *start();
// Closes the main window as its close box does and lets the deferred deletions run.
void close(FormMain *main);
// The end of a case: the program closed when it still runs (a note that cannot be written given
// up), and no more answers for message boxes.
void closeProgram();
void flushDeletes();

// Runs this test binary again with the given arguments on a screen of the given size and density;
// returns its standard output.
QByteArray runOnScreen(int width, int height, int dpi, const QStringList &arguments);

} // namespace GalleryTest

// A test main that, like the program, works in device pixels.
#define GALLERY_TEST_MAIN(TestClass)                                                                                   \
    int main(int argc, char **argv)                                                                                    \
    {                                                                                                                  \
        qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");                                                                     \
        QApplication app(argc, argv);                                                                                  \
        TestClass test;                                                                                                \
        return QTest::qExec(&test, argc, argv);                                                                        \
    }
