#pragma once
// Controls whose change made by code runs the same handler as the user's click, synchronously
// and exactly once (Qt's toggled/stateChanged signals are not used for this: they also fire on
// changes the program does not mean as clicks). Each offers the properties other windows read
// and set by name (ControlPlace.h).
#include "ControlPlace.h"

#include <QCheckBox>
#include <QObject>
#include <QPushButton>
#include <QRadioButton>

// A check box with the values 0 (cleared) and 1 (ticked).
class CheckBox : public QCheckBox, public ControlPlace<CheckBox> {
    Q_OBJECT
    Q_PROPERTY(int Value READ value WRITE setValue)
    Q_PROPERTY(QString Caption READ text WRITE setText)
    CONTROL_PLACE_PROPERTIES
public:
    explicit CheckBox(const QString &text = QString(), QWidget *parent = nullptr);
    int value() const { return isChecked() ? 1 : 0; }
    // Sets the value; a change runs Click. Values other than 0 and 1 are refused (false).
    bool setValue(int value);
signals:
    void Click();
};

// An option button of a group; choosing one clears the others of its parent.
class OptionButton : public QRadioButton, public ControlPlace<OptionButton> {
    Q_OBJECT
    Q_PROPERTY(bool Value READ value WRITE setValue)
    Q_PROPERTY(QString Caption READ text WRITE setText)
    CONTROL_PLACE_PROPERTIES
public:
    explicit OptionButton(const QString &text = QString(), QWidget *parent = nullptr);
    bool value() const { return isChecked(); }
    // Setting true chooses it and runs Click (also when it was chosen already); false only clears it.
    void setValue(bool value);
signals:
    void Click();
};

// A command button (its click is QPushButton's clicked signal).
class CommandButton : public QPushButton, public ControlPlace<CommandButton> {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ text WRITE setText)
    CONTROL_PLACE_PROPERTIES
public:
    explicit CommandButton(const QString &text = QString(), QWidget *parent = nullptr);
};

// A common dialog as a window holds it: one object per use (the print dialog, the font dialog),
// found by its name, through which the window shows that dialog.
class CommonDialog : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool CancelError MEMBER CancelError)
public:
    explicit CommonDialog(const QString &name, QObject *parent = nullptr);

    // Cancel in the dialog is an error for the caller to end on (see ShowPrinter).
    bool CancelError = false;

public slots:
    // The print dialog over the program's printer (Printer.h), in front of the window that holds
    // this object. False only when the dialog was cancelled and CancelError is set; with
    // CancelError clear a cancelled dialog leaves the printer as it was and returns true.
    bool ShowPrinter();
};
