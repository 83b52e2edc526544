#include "Desktop.h"

#include "WindowGeometry.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QPointer>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStyleOptionButton>
#include <QTemporaryFile>
#include <QThread>
#include <QTimer>
#include <QToolButton>
#include <QWidget>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace Desktop {

namespace {

QSize g_screen;
pid_t g_server = 0;
pid_t g_manager = 0;

void stopChildren()
{
    for (pid_t *child : {&g_manager, &g_server}) {
        if (*child > 0) {
            kill(*child, SIGTERM);
            waitpid(*child, nullptr, 0);
            *child = 0;
        }
    }
}

// Starts a program with its output sent nowhere, but for the descriptor kept open for it.
pid_t spawn(const QList<QByteArray> &command, int keepFd = -1)
{
    const pid_t pid = fork();
    if (pid != 0)
        return pid;
    // Ends with the test, however the test ends.
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    const int null = open("/dev/null", O_RDWR);
    dup2(null, STDIN_FILENO);
    dup2(null, STDOUT_FILENO);
    dup2(null, STDERR_FILENO);
    for (int fd = 3; fd < 1024; ++fd)
        if (fd != keepFd)
            close(fd);
    std::vector<char *> argv;
    for (const QByteArray &arg : command)
        argv.push_back(const_cast<char *>(arg.constData()));
    argv.push_back(nullptr);
    execvp(argv[0], argv.data());
    _exit(127);
}

QByteArray output(const QString &program, const QStringList &arguments)
{
    QProcess p;
    p.start(program, arguments);
    if (!p.waitForFinished(10000))
        return {};
    return p.readAllStandardOutput();
}

bool windowManagerRunning()
{
    return output(QStringLiteral("xprop"), {"-root", "_NET_SUPPORTING_WM_CHECK"}).contains("window id");
}

// The outer rectangle as the X server has it: the client window's place and size and the frame's
// extents the window manager announces.
QRect outerFromServer(WId id, bool frameless)
{
    const QString window = QString::number(id);
    const QByteArray info = output(QStringLiteral("xwininfo"), {"-id", window});
    const auto number = [&](const char *label) {
        const QRegularExpression re(QString::fromLatin1(label) + QStringLiteral(":\\s*(-?\\d+)"));
        const QRegularExpressionMatch m = re.match(QString::fromLatin1(info));
        return m.hasMatch() ? m.captured(1).toInt() : -1;
    };
    QRect client(number("Absolute upper-left X"), number("Absolute upper-left Y"), number("Width"), number("Height"));
    if (frameless)
        return client;
    const QByteArray extents = output(QStringLiteral("xprop"), {"-id", window, "_NET_FRAME_EXTENTS"});
    const QRegularExpression re(QStringLiteral("=\\s*(\\d+),\\s*(\\d+),\\s*(\\d+),\\s*(\\d+)"));
    const QRegularExpressionMatch m = re.match(QString::fromLatin1(extents));
    if (!m.hasMatch())
        return {};
    const int left = m.captured(1).toInt(), right = m.captured(2).toInt();
    const int top = m.captured(3).toInt(), bottom = m.captured(4).toInt();
    return client.adjusted(-left, -top, right, bottom);
}

// The window's title as the X server holds it for the window manager to show.
QStringList titlesFromServer(WId id)
{
    const QString all = QString::fromUtf8(output(QStringLiteral("xprop"), {"-id", QString::number(id), "_NET_WM_NAME", "WM_NAME"}));
    QStringList titles;
    const QRegularExpression re(QStringLiteral("=\\s*\"(.*)\"$"), QRegularExpression::MultilineOption);
    for (auto it = re.globalMatch(all); it.hasNext();)
        titles << it.next().captured(1);
    return titles;
}

QString withoutMnemonic(QString text)
{
    text.replace(QLatin1String("&&"), QLatin1String("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return text;
}

bool onScreenPart(const QWidget *control, const QWidget *window)
{
    return control->isVisibleTo(window) && window->rect().intersects(QRect(control->mapTo(window, QPoint(0, 0)), control->size()));
}

// Whether the text fits the box, by the metrics of the control's own font.
QString cut(const QWidget *control)
{
    const QFontMetrics metrics(control->font());
    if (const auto *label = qobject_cast<const QLabel *>(control)) {
        if (label->text().isEmpty() || label->textFormat() == Qt::RichText)
            return {};
        const QVariant shown = label->property("shownText");
        const QString text = shown.isValid() ? shown.toString() : label->text();
        const QRect room = label->contentsRect().adjusted(label->margin(), label->margin(), -label->margin(), -label->margin());
        int flags = 0;
        if (label->wordWrap())
            flags = Qt::TextWordWrap | (shown.isValid() ? Qt::TextWrapAnywhere : 0);
        const QRect needed = metrics.boundingRect(QRect(0, 0, label->wordWrap() ? room.width() : 100000, 100000), flags, text);
        return needed.width() <= room.width() && needed.height() <= room.height() ? QString() : text;
    }
    if (const auto *box = qobject_cast<const QAbstractButton *>(control)) {
        const QString text = withoutMnemonic(box->text());
        const auto *tool = qobject_cast<const QToolButton *>(box);
        if (text.isEmpty() || (tool && tool->toolButtonStyle() == Qt::ToolButtonIconOnly))
            return {};
        int room = box->width();
        int height = box->height();
        QStyleOptionButton option;
        option.initFrom(box);
        option.text = box->text();
        if (qobject_cast<const QCheckBox *>(box)) {
            room = box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box).width();
        } else if (qobject_cast<const QRadioButton *>(box)) {
            room = box->style()->subElementRect(QStyle::SE_RadioButtonContents, &option, box).width();
        } else {
            const int frame = box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box);
            room -= 2 * frame + box->style()->pixelMetric(QStyle::PM_ButtonMargin, &option, box);
            height -= 2 * frame;
            if (!box->icon().isNull())
                room -= box->iconSize().width() + 4;
        }
        return metrics.horizontalAdvance(text) <= room && metrics.height() <= height ? QString() : text;
    }
    if (const auto *group = qobject_cast<const QGroupBox *>(control)) {
        const QString title = withoutMnemonic(group->title());
        return metrics.horizontalAdvance(title) <= group->width() ? QString() : title;
    }
    if (const auto *edit = qobject_cast<const QLineEdit *>(control)) {
        // A line the height of its font, inside the edit's frame.
        const int frame = edit->hasFrame() ? 2 * edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) : 0;
        return metrics.height() <= edit->height() - frame ? QString() : QStringLiteral("[%1 high]").arg(edit->height());
    }
    return {};
}

} // namespace

bool start(QSize size)
{
    g_screen = size;
    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        return false;
    const QByteArray screen = QByteArray::number(size.width()) + 'x' + QByteArray::number(size.height()) + "x24";
    g_server = spawn({"Xvfb", "-displayfd", QByteArray::number(pipeFds[1]), "-screen", "0", screen, "-dpi", "96",
                      "-nolisten", "tcp", "-noreset"},
                     pipeFds[1]);
    close(pipeFds[1]);
    std::atexit(stopChildren);
    QByteArray display;
    char c;
    while (read(pipeFds[0], &c, 1) == 1 && c != '\n')
        display += c;
    close(pipeFds[0]);
    if (g_server <= 0 || display.isEmpty()) {
        std::fprintf(stderr, "desktop: the X server (Xvfb) did not start\n");
        return false;
    }
    qputenv("DISPLAY", ":" + display);
    qputenv("QT_QPA_PLATFORM", "xcb");
    g_manager = spawn({"openbox", "--sm-disable"});
    QElapsedTimer waited;
    waited.start();
    while (!windowManagerRunning()) {
        if (waited.elapsed() > 20000) {
            std::fprintf(stderr, "desktop: the window manager (openbox) did not start\n");
            return false;
        }
        QThread::msleep(50);
    }
    return true;
}

QSize screen()
{
    return g_screen;
}

QSize screenFromEnvironment()
{
    const QList<QByteArray> parts = qgetenv("DESKTOP_SCREEN").split('x');
    if (parts.size() == 2 && parts[0].toInt() > 0 && parts[1].toInt() > 0)
        return {parts[0].toInt(), parts[1].toInt()};
    return {1024, 768};
}

QByteArray runOnScreen(QSize size, const QStringList &arguments)
{
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DESKTOP_SCREEN", QStringLiteral("%1x%2").arg(size.width()).arg(size.height()));
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), arguments);
    if (!child.waitForFinished(120000))
        return {};
    return child.readAllStandardOutput() + child.readAllStandardError();
}

bool activate(QWidget *window)
{
    window->activateWindow();
    return QTest::qWaitFor([&] { return window->isActiveWindow(); }, 5000);
}

bool pressKeys(const QString &keys)
{
    QProcess p;
    p.start(QStringLiteral("xdotool"), {"key", "--clearmodifiers", keys});
    return p.waitForFinished(10000) && p.exitCode() == 0;
}

bool setLayout(const QString &layout)
{
    QProcess p;
    p.start(QStringLiteral("setxkbmap"), {layout});
    return p.waitForFinished(10000) && p.exitCode() == 0;
}

QRect framedOuter(QWidget *window, bool frameless)
{
    if (!QTest::qWaitFor([&] { return window->isVisible(); }, 5000))
        return {};
    // Settled: the X server has the rectangle the program means, twice in a row. A window that
    // never gets there is measured as it stands after a while, for the test to tell.
    QRect last;
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 10000) {
        QTest::qWait(50);
        const QRect now = outerFromServer(window->winId(), frameless);
        if (now.isValid() && now == last && now == WindowGeometry::outer(window))
            return now;
        last = now;
    }
    return last;
}

QString shownTitle(QWidget *window)
{
    return titlesFromServer(window->winId()).join(QLatin1Char('|'));
}

// The waits for a modal window not yet seen: a case that ends drops them with closeModals(), so
// that none runs into a later case with what its own case has left.
QList<QPointer<QTimer>> &waits()
{
    static QList<QPointer<QTimer>> pending;
    return pending;
}

void whenModal(std::function<void(QWidget *)> f)
{
    auto *timer = new QTimer;
    waits().append(timer);
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, [timer, f] {
        if (QWidget *modal = QApplication::activeModalWidget(); modal && modal->isVisible()) {
            timer->stop();
            timer->deleteLater();
            f(modal);
        }
    });
    timer->start();
}

void closeModals()
{
    for (const QPointer<QTimer> &timer : std::exchange(waits(), {}))
        delete timer.data();
    while (QWidget *modal = QApplication::activeModalWidget())
        modal->close();
}

QStringList textsCut(const QWidget *window)
{
    QStringList found;
    for (const QWidget *control : window->findChildren<QWidget *>()) {
        if (!onScreenPart(control, window))
            continue;
        const QString text = cut(control);
        if (!text.isEmpty())
            found << control->objectName() + QStringLiteral(": ") + text;
    }
    return found;
}

} // namespace Desktop
