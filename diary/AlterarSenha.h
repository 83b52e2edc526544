#pragma once
// The dialog that changes a user's password.
#include <QDialog>

class TFormAlterarSenha : public QDialog {
    Q_OBJECT
public:
    explicit TFormAlterarSenha(QWidget *parent = nullptr);
};

extern TFormAlterarSenha *FormAlterarSenha;
