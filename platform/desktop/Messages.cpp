#include "Messages.h"

#include <QFontMetrics>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

namespace Messages {

namespace {
Answerer &answerer()
{
    static Answerer a;
    return a;
}

QMessageBox::Icon toQt(Icon icon)
{
    switch (icon) {
    case Icon::Critical: return QMessageBox::Critical;
    case Icon::Question: return QMessageBox::Question;
    case Icon::Information: return QMessageBox::Information;
    case Icon::Warning: return QMessageBox::Warning;
    case Icon::None: break;
    }
    return QMessageBox::NoIcon;
}

// Lines break only where the text breaks them: the stock box wraps any text wider than half the
// screen, which on a small screen cuts the programs' own lines in two. A line wider than the
// screen still wraps, so that the box stays on it.
void keepLinesWhole(QMessageBox &box)
{
    auto *label = box.findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
    if (!label)
        return;
    label->ensurePolished();
    const QFontMetrics metrics(label->font());
    int widest = 0;
    for (const QString &line : label->text().split(QLatin1Char('\n')))
        widest = qMax(widest, metrics.horizontalAdvance(line));
    const QMargins margins = label->contentsMargins();
    int width = widest + margins.left() + margins.right() + 2 * label->margin() + 1;
    // Room for the icon and the box's own margins beside the text.
    if (const QScreen *screen = box.screen(); screen && width > screen->availableGeometry().width() - 120) {
        width = screen->availableGeometry().width() - 120;
        label->setWordWrap(true);
    }
    label->setMinimumWidth(width);
}

Button escapeAnswer(int buttons)
{
    if (buttons & Cancel)
        return Cancel;
    if (buttons & No)
        return No;
    return Ok;
}
} // namespace

void setAnswerer(Answerer a)
{
    answerer() = std::move(a);
}

Button show(QWidget *parent, const Message &message)
{
    if (answerer())
        return answerer()(message);

    QMessageBox box(toQt(message.icon), message.title, message.text, QMessageBox::NoButton, parent);
    box.setTextFormat(Qt::PlainText);
    struct Pair { Button button; QMessageBox::StandardButton qt; };
    const Pair pairs[] = {{Ok, QMessageBox::Ok}, {Yes, QMessageBox::Yes}, {No, QMessageBox::No},
                          {Cancel, QMessageBox::Cancel}};
    for (const Pair &p : pairs) {
        if (!(message.buttons & p.button))
            continue;
        QPushButton *b = box.addButton(p.qt);
        if (p.button == message.defaultButton)
            box.setDefaultButton(b);
    }
    keepLinesWhole(box);
    const Button onEscape = escapeAnswer(message.buttons);
    for (const Pair &p : pairs)
        if (p.button == onEscape)
            box.setEscapeButton(box.button(p.qt));
    box.exec();
    const auto clicked = box.standardButton(box.clickedButton());
    for (const Pair &p : pairs)
        if (p.qt == clicked)
            return p.button;
    return escapeAnswer(message.buttons);
}

Button critical(QWidget *parent, const QString &title, const QString &text)
{
    return show(parent, {title, text, Icon::Critical, Ok, Ok});
}

Button plain(QWidget *parent, const QString &title, const QString &text)
{
    return show(parent, {title, text, Icon::None, Ok, Ok});
}

Button question(QWidget *parent, const QString &title, const QString &text, bool withCancel)
{
    return show(parent, {title, text, Icon::Question, Yes | No | (withCancel ? Cancel : 0), Yes});
}

} // namespace Messages
