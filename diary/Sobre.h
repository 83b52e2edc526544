#pragma once
// The about box.
#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

class TFormSobre : public QDialog {
    Q_OBJECT
public:
    explicit TFormSobre(QWidget *parent = nullptr);

    static const QString SupportMail;

    QFrame *Panel1;
    QLabel *ProgramIcon;
    QLabel *ProductName;
    QLabel *Version;
    QLabel *Copyright;
    QPushButton *OKButton;

public slots:
    // Writes to the support address with the desktop's mail program.
    void CopyrightClick();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

extern TFormSobre *FormSobre;
