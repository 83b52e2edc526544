#pragma once
// The log-in dialog: a login and its password.
#include <QDialog>

class TFormAbrirSenha : public QDialog {
    Q_OBJECT
public:
    explicit TFormAbrirSenha(QWidget *parent = nullptr);
};

extern TFormAbrirSenha *FormAbrirSenha;
