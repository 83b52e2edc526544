#pragma once
// Cases about unreadable and unwritable files mean nothing to root, which reads and writes
// anything. Run as root (as CI does), such a case runs again as an unprivileged user: this test
// binary, copied where that user can run it, in fresh folders the user owns.
#include <QByteArray>
#include <QString>

namespace AsOtherUser {

// True when file permissions do not bind this process (it runs as root).
bool permissionsIgnored();

// True inside the run made by rerun().
bool isRerun();

struct Outcome {
    bool passed = false;   // the case ran to the end and passed
    QByteArray output;     // what the run printed, for the failure message
};

// Runs the test function (with "function:data tag" for one row of a table) of this binary again
// as user and group 65534, with fresh current, settings, runtime and home folders.
Outcome rerun(const QString &testFunction);

} // namespace AsOtherUser

// At the top of a permission case: as root, the case passes or fails by its run as another user.
#define RUN_AS_OTHER_USER_WHEN_ROOT()                                                                                  \
    do {                                                                                                               \
        if (AsOtherUser::permissionsIgnored()) {                                                                       \
            QString name_ = QString::fromLatin1(QTest::currentTestFunction());                                         \
            if (QTest::currentDataTag())                                                                               \
                name_ += QLatin1Char(':') + QString::fromUtf8(QTest::currentDataTag());                                \
            const AsOtherUser::Outcome outcome_ = AsOtherUser::rerun(name_);                                           \
            QVERIFY2(outcome_.passed, outcome_.output.constData());                                                    \
            return;                                                                                                    \
        }                                                                                                              \
    } while (false)
