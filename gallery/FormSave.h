#pragma once
// The save-location dialog: stores the browser's folder in one of six slots under a name of the
// user's choice. Modeless; the store buttons of the folder browser show it.
#include "Forms.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

class FormSave : public LoadableForm {
    Q_OBJECT
public:
    FormSave();

    QLineEdit *TextSave;
    QPushButton *cmdOK, *CmdCancel;
    QLabel *Label1;

    // The caption a slot's retrieve button gets for the name typed: the name, a blank, "&" and
    // the slot's digit; the default caption for an empty name or one of one or two blanks.
    static QString retrieveCaption(const QString &name, int slot);
    static QString defaultCaption(int slot);

    // Shown without waiting, in front, with the focus in the name box.
    void showForSlot();

    void Form_Load() override;

public slots:
    void cmdOK_Click();
    void CmdCancel_Click();

private:
    int m_twips;
};
