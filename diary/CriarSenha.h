#pragma once
// The dialog that creates a user: a login and a confirmed password.
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

class TFormCriarSenha : public QDialog {
    Q_OBJECT
public:
    explicit TFormCriarSenha(QWidget *parent = nullptr);

    QLabel *Label1, *Label2, *Label3;
    QLineEdit *EditLogin, *EditSenha, *EditSenhaConfirm;
    QPushButton *BOK, *BitBtn2;

public slots:
    void FormShow();
    void LimparCriarSenha();
    // Creates the user when the password is confirmed, nothing is empty and the password is free.
    void BOKClick();

protected:
    void showEvent(QShowEvent *event) override;
};

extern TFormCriarSenha *FormCriarSenha;
