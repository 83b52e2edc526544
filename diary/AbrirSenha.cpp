#include "AbrirSenha.h"

#include "Principal.h"
#include "Senha.h"
#include "global.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>

TFormAbrirSenha *FormAbrirSenha = nullptr;

TFormAbrirSenha::TFormAbrirSenha(QWidget *parent)
    : QDialog(parent)
{
    SenhaUi::janela(this, "FormAbrirSenha", QStringLiteral("Dorlinda [ Abrir Senha ]"), 342, 137);
    EditLogin = SenhaUi::campo(this, "EditLogin", "Label1", QStringLiteral("Login"), 0, 2, false);
    EditSenha = SenhaUi::campo(this, "EditSenha", "Label2", QStringLiteral("Senha"), 1, 2, true);
    Label1 = findChild<QLabel *>("Label1");
    Label2 = findChild<QLabel *>("Label2");
    BitBtn1 = SenhaUi::botaoOK(this, "BitBtn1");
    BitBtn2 = SenhaUi::botaoCancelar(this);
    connect(BitBtn1, &QPushButton::clicked, this, &TFormAbrirSenha::BitBtn1Click);
}

void TFormAbrirSenha::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    SenhaUi::centrar(this);
    FormShow();
}

void TFormAbrirSenha::FormShow()
{
    LimparAbrirSenha();
}

void TFormAbrirSenha::LimparAbrirSenha()
{
    SenhaUi::limpar({EditLogin, EditSenha});
}

void TFormAbrirSenha::BitBtn1Click()
{
    if (!SenhaUi::usuario(EditLogin, EditSenha, QStringLiteral("    Login inexistente!    "))) {
        LimparAbrirSenha();
        return;
    }
    SenhaAberta = true;
    LoginAtual = EditLogin->text();
    // As typed: the user's new entries carry this form.
    SenhaAtual = EditSenha->text();
    accept();
    FormPrincipal->StatusBar->showMessage(QStringLiteral("Login: ") + LoginAtual);
}
