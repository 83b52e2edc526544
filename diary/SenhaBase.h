#pragma once
// What the password dialogs have in common: the options dialog's frame and place, and the
// base of the log-in, create, change and delete dialogs (their boxes, buttons, show handler and
// clearing, and the lookup of the typed user).
#include "DiaryUsers.h"

#include <QDialog>

#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace SenhaUi {

// Fixed client size, a dialog frame.
void janela(QDialog *dialogo, const char *nome, const QString &legenda, int largura, int altura);
// Centred on the screen.
void centrar(QWidget *janela);
// A login or password as typed may be stored: not empty, and neither beginning nor ending with a
// blank (" ana " beside "ana" would be a user no one can tell apart).
bool dadoValido(const QString &texto);

} // namespace SenhaUi

// A password dialog: 342 x 137, centred on the screen each time it is shown, the boxes "Login"
// (EditLogin) and "Senha" (EditSenha) and, in three-row dialogs, a third password box
// (EditSenhaConfirm, its label Label3), each of at most 8 characters; OK (the default button) and
// "Cancelar" (BitBtn2), which closes without action. Each show empties every box and puts the focus
// on the login.
class TFormSenhaBase : public QDialog {
    Q_OBJECT
public:
    QLabel *Label1, *Label2;
    QLineEdit *EditLogin, *EditSenha;
    QPushButton *BitBtn2;

public slots:
    void FormShow();

protected:
    // `terceiro`: the label of the third box; none when null. `nomeOK`: the OK button's name.
    TFormSenhaBase(const char *nome, const QString &legenda, const QString &terceiro, const char *nomeOK,
                   QWidget *parent);
    void showEvent(QShowEvent *event) override;

    QLineEdit *Terceiro = nullptr;
    QLabel *RotuloTerceiro = nullptr;
    QPushButton *BotaoOK;

    // Empties every box and puts the focus on the login.
    void limpar();
    // Shows the message and empties the boxes.
    void recusar(const QString &mensagem);
    // The user of the typed password (letter case ignored) whose login is exactly the typed one.
    // Otherwise the reason has been shown ("    Senha inexistente!    ", then `loginErrado`, or
    // the database's failure), the boxes are emptied and there is none.
    std::optional<DiaryUsers::User> usuario(const QString &loginErrado);

private:
    // The box of row `linha` of `linhas` with its label; a password box shows "*".
    QLineEdit *campo(const char *nome, const char *rotulo, const QString &texto, int linha, int linhas, bool senha);
};
