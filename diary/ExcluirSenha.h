#pragma once
// The dialog that deletes a user with all of the user's entries.
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

class TFormExcluirSenha : public QDialog {
    Q_OBJECT
public:
    explicit TFormExcluirSenha(QWidget *parent = nullptr);

    QLabel *Label1, *Label2;
    QLineEdit *EditLogin, *EditSenha;
    QPushButton *BOK, *BitBtn2;

public slots:
    void FormShow();
    void LimparExcluirSenha();
    // Deletes the user, after a confirmation, with the user's entries and entry files.
    void BOKClick();

protected:
    void showEvent(QShowEvent *event) override;
};

extern TFormExcluirSenha *FormExcluirSenha;
