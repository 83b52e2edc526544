#include "Controls.h"

#include "Printer.h"

#include <QWidget>

CheckBox::CheckBox(const QString &text, QWidget *parent)
    : QCheckBox(text, parent)
{
    connect(this, &QAbstractButton::clicked, this, &CheckBox::Click);
}

bool CheckBox::setValue(int v)
{
    if (v != 0 && v != 1)
        return false;
    if (v == value())
        return true;
    setChecked(v == 1);
    emit Click();
    return true;
}

OptionButton::OptionButton(const QString &text, QWidget *parent)
    : QRadioButton(text, parent)
{
    connect(this, &QAbstractButton::clicked, this, [this](bool checked) {
        if (checked)
            emit Click();
    });
}

void OptionButton::setValue(bool v)
{
    if (!v) {
        setAutoExclusive(false);
        setChecked(false);
        setAutoExclusive(true);
        return;
    }
    setChecked(true);
    emit Click();
}

CommandButton::CommandButton(const QString &text, QWidget *parent)
    : QPushButton(text, parent)
{
}

CommonDialog::CommonDialog(const QString &name, QObject *parent)
    : QObject(parent)
{
    setObjectName(name);
}

bool CommonDialog::ShowPrinter()
{
    QWidget *owner = qobject_cast<QWidget *>(parent());
    const bool confirmed = Printer::showPrintDialog(Printer::printer(), owner ? owner->window() : nullptr);
    return confirmed || !CancelError;
}
