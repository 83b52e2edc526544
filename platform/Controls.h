#pragma once
// Controls whose change made by code runs the same handler as the user's click, synchronously
// and exactly once (Qt's toggled/stateChanged signals are not used for this: they also fire on
// changes the program does not mean as clicks).
#include <QCheckBox>
#include <QObject>
#include <QRadioButton>

// A check box with the values 0 (cleared) and 1 (ticked).
class CheckBox : public QCheckBox {
    Q_OBJECT
public:
    explicit CheckBox(const QString &text = QString(), QWidget *parent = nullptr);
    int value() const { return isChecked() ? 1 : 0; }
    // Sets the value; a change runs Click. Values other than 0 and 1 are refused (false).
    bool setValue(int value);
signals:
    void Click();
};

// An option button of a group; choosing one clears the others of its parent.
class OptionButton : public QRadioButton {
    Q_OBJECT
public:
    explicit OptionButton(const QString &text = QString(), QWidget *parent = nullptr);
    bool value() const { return isChecked(); }
    // Setting true chooses it and runs Click (also when it was chosen already); false only clears it.
    void setValue(bool value);
signals:
    void Click();
};

// A common dialog as a window holds it: one object per use (the print dialog, the font dialog),
// found by its name, through which the window shows that dialog. It shows nothing by itself.
class CommonDialog : public QObject {
    Q_OBJECT
public:
    explicit CommonDialog(const QString &name, QObject *parent = nullptr);
};
