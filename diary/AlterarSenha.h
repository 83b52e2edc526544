#pragma once
// The dialog that changes a user's password.
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

class TFormAlterarSenha : public QDialog {
    Q_OBJECT
public:
    explicit TFormAlterarSenha(QWidget *parent = nullptr);

    QLabel *Label1, *Label2, *Label3;
    QLineEdit *EditLogin, *EditSenha, *EditSenhaConfirm;
    QPushButton *BitBtn1, *BitBtn2;

public slots:
    void FormShow();
    void LimparAlterarSenha();
    // Gives the user the new password ("Nova senha") and carries the user's entries over to it.
    void BitBtn1Click();

protected:
    void showEvent(QShowEvent *event) override;
};

extern TFormAlterarSenha *FormAlterarSenha;
