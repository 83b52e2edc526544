#include "GalleryTest.h"

#include "AllForms.h"
#include "Drives.h"
#include "FileLists.h"
#include "FormMain.h"
#include "ProgramFolder.h"
#include "Settings.h"
#include "Vistello.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPointer>
#include <QProcess>

namespace GalleryTest {

ProgramFolderFixture::ProgramFolderFixture(bool withSplash)
{
    if (withSplash) {
        QImage splash(620, 490, QImage::Format_RGB32);
        splash.fill(QColor(30, 60, 120));
        QPainter(&splash).fillRect(162, 390, 318, 40, Qt::white);
        splash.save(m_dir.filePath("splash.fig"), "JPG");
    }
    QImage placeholder(40, 30, QImage::Format_RGB32);
    placeholder.fill(Qt::gray);
    placeholder.save(m_dir.filePath("bluck2zn.big"), "PNG");
    ProgramFolder::setPath(m_dir.path());
}

ProgramFolderFixture::~ProgramFolderFixture()
{
    ProgramFolder::setPath(QString());
}

QString settingsPath()
{
    return Settings::filePath(QStringLiteral("Vistello"));
}

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray settingsBytes()
{
    return fileBytes(settingsPath());
}

void writeSettings(const QByteArray &ini)
{
    QDir().mkpath(QFileInfo(settingsPath()).path());
    QFile f(settingsPath());
    if (f.open(QIODevice::WriteOnly))
        f.write(ini);
}

void removeSettings()
{
    QFile::remove(settingsPath());
}

void startFresh()
{
    removeSettings();
    Drives::forgetCurrentFolders();
    Drives::setRootsForTesting({});
}

void CaseFixture::init(bool withSplash)
{
    startFresh();
    m_program.emplace(withSplash);
}

void CaseFixture::cleanup()
{
    closeProgram();
    Drives::setRootsForTesting({});
    m_program.reset();
}

MessageRecorder::MessageRecorder()
{
    Messages::setAnswerer([this](const Messages::Message &m) {
        messages.append(m);
        timerActive.append(Forms::FormMain && Forms::FormMain->Timer2->isActive());
        return Messages::Ok;
    });
}

MessageRecorder::~MessageRecorder()
{
    Messages::setAnswerer({});
}

FormMain *start()
{
    return Vistello::start();
}

void closeProgram()
{
    // A note left open that cannot be written by now (its folder gone with the case) is given up.
    Messages::setAnswerer(
        [](const Messages::Message &m) { return m.buttons & Messages::Yes ? Messages::Yes : Messages::Ok; });
    if (Forms::FormMain)
        close(Forms::FormMain);
    Messages::setAnswerer({});
}

void flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void close(FormMain *main)
{
    QPointer<FormMain> guard = main;
    if (guard)
        guard->close();
    flushDeletes();
}

QByteArray runOnScreen(int width, int height, int dpi, const QStringList &arguments)
{
    QTemporaryDir dir;
    const QString config = dir.filePath("screen.json");
    QFile f(config);
    if (!f.open(QIODevice::WriteOnly))
        return {};
    f.write(QStringLiteral(R"({"windowFrameMargins":false,"screens":[{"name":"S","x":0,"y":0,"width":%1,)"
                           R"("height":%2,"logicalDpi":%3,"logicalBaseDpi":96,"dpr":1}]})")
                .arg(width)
                .arg(height)
                .arg(dpi)
                .toUtf8());
    f.close();
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen:configfile=" + config);
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), arguments);
    if (!child.waitForFinished(60000))
        return {};
    return child.readAllStandardOutput();
}

} // namespace GalleryTest
