#pragma once
// The dialog that creates a user: a login and a confirmed password.
#include <QDialog>

class TFormCriarSenha : public QDialog {
    Q_OBJECT
public:
    explicit TFormCriarSenha(QWidget *parent = nullptr);
};

extern TFormCriarSenha *FormCriarSenha;
