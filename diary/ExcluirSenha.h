#pragma once
// The dialog that deletes a user with all of the user's entries.
#include <QDialog>

class TFormExcluirSenha : public QDialog {
    Q_OBJECT
public:
    explicit TFormExcluirSenha(QWidget *parent = nullptr);
};

extern TFormExcluirSenha *FormExcluirSenha;
