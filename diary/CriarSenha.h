#pragma once
// The dialog that creates a user: a login and a confirmed password.
#include "SenhaBase.h"

class TFormCriarSenha : public TFormSenhaBase {
    Q_OBJECT
public:
    explicit TFormCriarSenha(QWidget *parent = nullptr);

    QLabel *Label3;
    QLineEdit *EditSenhaConfirm;
    QPushButton *BOK;

public slots:
    void LimparCriarSenha();
    // Creates the user when the password is confirmed, login and password are valid and the
    // password is free.
    void BOKClick();
};

extern TFormCriarSenha *FormCriarSenha;
