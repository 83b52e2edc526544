#pragma once
// The log-in dialog: a login and its password.
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

class TFormAbrirSenha : public QDialog {
    Q_OBJECT
public:
    explicit TFormAbrirSenha(QWidget *parent = nullptr);

    QLabel *Label1, *Label2;
    QLineEdit *EditLogin, *EditSenha;
    QPushButton *BitBtn1, *BitBtn2;

public slots:
    void FormShow();
    void LimparAbrirSenha();
    // Logs the user in: the password finds the user (letter case ignored), the login must match.
    void BitBtn1Click();

protected:
    void showEvent(QShowEvent *event) override;
};

extern TFormAbrirSenha *FormAbrirSenha;
