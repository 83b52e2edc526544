#pragma once
// The dialog that changes a user's password.
#include "SenhaBase.h"

class TFormAlterarSenha : public TFormSenhaBase {
    Q_OBJECT
public:
    explicit TFormAlterarSenha(QWidget *parent = nullptr);

    QLabel *Label3;
    QLineEdit *EditSenhaConfirm;
    QPushButton *BitBtn1;

public slots:
    void LimparAlterarSenha();
    // Gives the user the new password ("Nova senha") and carries the user's entries over to it.
    void BitBtn1Click();
};

extern TFormAlterarSenha *FormAlterarSenha;
