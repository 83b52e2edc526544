#pragma once
// The password options dialog: the gate of the program, shown at start and after a log-out.
#include "DiaryUsers.h"

#include <QDialog>

#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

class TFormOpcaoSenha : public QDialog {
    Q_OBJECT
public:
    explicit TFormOpcaoSenha(QWidget *parent = nullptr);

    QLabel *Label1;
    QPushButton *BAbrir, *BAlterar, *BCriar, *BExcluir;

public slots:
    // Runs the dialog; its close handler runs when it has ended, after the handler that closed it.
    int exec() override;
    // Without a log-in the program ends: closes the main window.
    void FormClose();

    void BCriarClick();
    void BAbrirClick();
    void BAlterarClick();
    void BExcluirClick();

protected:
    void showEvent(QShowEvent *event) override;
};

extern TFormOpcaoSenha *FormOpcaoSenha;

// What the password dialogs have in common: their boxes, buttons, place and messages.
namespace SenhaUi {

// A labelled box of at most 8 characters in row `linha` of `linhas`; a password box shows "*".
QLineEdit *campo(QDialog *dialogo, const char *nome, const char *rotulo, const QString &texto, int linha,
                 int linhas, bool senha);
// The OK button (the default one) and the "Cancelar" button, which closes without action.
QPushButton *botaoOK(QDialog *dialogo, const char *nome);
QPushButton *botaoCancelar(QDialog *dialogo);
// Fixed client size, a dialog frame.
void janela(QDialog *dialogo, const char *nome, const QString &legenda, int largura, int altura);
// Centred on the screen.
void centrar(QWidget *janela);
// Empties the boxes and puts the focus on the first.
void limpar(std::initializer_list<QLineEdit *> campos);
// Plain message box titled "Dorlinda".
void aviso(const QString &texto);
// Yes/No box titled "Dorlinda": true for Yes.
bool confirmar(const QString &texto);
// The user of the password typed in `senha` (letter case ignored) whose login is exactly the one
// typed in `login`. Otherwise the reason has been shown ("    Senha inexistente!    ", then
// `loginErrado`, or the database's failure) and there is none.
std::optional<DiaryUsers::User> usuario(const QLineEdit *login, const QLineEdit *senha, const QString &loginErrado);

} // namespace SenhaUi
