#pragma once
// The dialog that deletes a user with all of the user's entries.
#include "SenhaBase.h"

class TFormExcluirSenha : public TFormSenhaBase {
    Q_OBJECT
public:
    explicit TFormExcluirSenha(QWidget *parent = nullptr);

    QPushButton *BOK;

public slots:
    void LimparExcluirSenha();
    // Deletes the user, after a confirmation, with the user's entries and entry files.
    void BOKClick();
};

extern TFormExcluirSenha *FormExcluirSenha;
