#include "AsOtherUser.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <unistd.h>

namespace AsOtherUser {

namespace {
constexpr int kUser = 65534;
const char *const kMark = "AS_OTHER_USER_RERUN";
} // namespace

bool permissionsIgnored()
{
    return geteuid() == 0;
}

bool isRerun()
{
    return qEnvironmentVariableIsSet(kMark);
}

Outcome rerun(const QString &testFunction)
{
    Outcome outcome;
    QTemporaryDir top(QDir::tempPath() + QStringLiteral("/as-other-user-XXXXXX"));
    if (!top.isValid()) {
        outcome.output = "no temporary folder";
        return outcome;
    }
    // The folder the copy lies in is readable by all; the rest belongs to the other user.
    const QString binary = top.filePath(QFileInfo(QCoreApplication::applicationFilePath()).fileName());
    const auto all = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner | QFileDevice::ReadGroup
                     | QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::ExeOther;
    QFile::setPermissions(top.path(), all);
    if (!QFile::copy(QCoreApplication::applicationFilePath(), binary) || !QFile::setPermissions(binary, all)) {
        outcome.output = "the test binary could not be copied";
        return outcome;
    }
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"cwd", "config", "runtime", "home"}) {
        const QString dir = top.filePath(QLatin1String(name));
        QDir().mkpath(dir);
        if (chown(QFile::encodeName(dir).constData(), kUser, kUser) != 0) {
            outcome.output = "the folders could not be given to the other user";
            return outcome;
        }
        QFile::setPermissions(dir, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), top.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), top.filePath(QStringLiteral("runtime")));
    env.insert(QStringLiteral("HOME"), top.filePath(QStringLiteral("home")));
    env.insert(QStringLiteral("TMPDIR"), top.filePath(QStringLiteral("home")));
    env.insert(QString::fromLatin1(kMark), QStringLiteral("1"));
    if (!env.contains(QStringLiteral("QT_QPA_PLATFORM")))
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QProcess child;
    child.setProcessEnvironment(env);
    child.setWorkingDirectory(top.filePath(QStringLiteral("cwd")));
    child.setProcessChannelMode(QProcess::MergedChannels);
    const QString id = QString::number(kUser);
    child.start(QStringLiteral("setpriv"), {QStringLiteral("--reuid=") + id, QStringLiteral("--regid=") + id,
                                            QStringLiteral("--clear-groups"), binary, testFunction});
    if (!child.waitForFinished(90000)) {
        child.kill();
        child.waitForFinished();
        outcome.output = "the run as another user did not end";
        return outcome;
    }
    outcome.output = child.readAll();
    // Passed means ran: a skip or an empty selection is a failure here.
    outcome.passed = child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0
                     && outcome.output.contains("PASS   : ") && outcome.output.contains(" 0 failed,")
                     && !outcome.output.contains("SKIP   : ") && outcome.output.contains(" 0 skipped,");
    outcome.output.prepend("as user 65534: ");
    return outcome;
}

} // namespace AsOtherUser
