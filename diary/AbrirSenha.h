#pragma once
// The log-in dialog: a login and its password.
#include "SenhaBase.h"

class TFormAbrirSenha : public TFormSenhaBase {
    Q_OBJECT
public:
    explicit TFormAbrirSenha(QWidget *parent = nullptr);

    QPushButton *BitBtn1;

public slots:
    void LimparAbrirSenha();
    // Logs the user in: the password finds the user (letter case ignored), the login must match.
    void BitBtn1Click();
};

extern TFormAbrirSenha *FormAbrirSenha;
