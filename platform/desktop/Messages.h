#pragma once
// Message boxes: plain text only (a text such as "<b>x" is shown as typed), one place for both
// programs, and a hook through which tests answer them without a modal loop.
#include <QString>
#include <functional>

class QWidget;

namespace Messages {

enum class Icon { None, Critical, Question, Information, Warning };

enum Button { Ok = 0x1, Yes = 0x2, No = 0x4, Cancel = 0x8 };

struct Message {
    QString title;
    QString text;
    Icon icon = Icon::None;
    int buttons = Ok;
    Button defaultButton = Ok;
};

// Shows the box modally and returns the button pressed. Closing the box with Esc or its close
// box answers Cancel when offered, else No when offered, else Ok.
Button show(QWidget *parent, const Message &message);

Button critical(QWidget *parent, const QString &title, const QString &text);
Button plain(QWidget *parent, const QString &title, const QString &text);
// Yes/No, or Yes/No/Cancel with withCancel; Yes is the default button.
Button question(QWidget *parent, const QString &title, const QString &text, bool withCancel = false);

// For tests: while set, no box is shown; the answerer gets each message and returns the button.
using Answerer = std::function<Button(const Message &)>;
void setAnswerer(Answerer answerer);

} // namespace Messages
