#include "AbrirSenha.h"

#include "Principal.h"
#include "global.h"

#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>

TFormAbrirSenha *FormAbrirSenha = nullptr;

TFormAbrirSenha::TFormAbrirSenha(QWidget *parent)
    : TFormSenhaBase("FormAbrirSenha", QStringLiteral("Dorlinda [ Abrir Senha ]"), {}, "BitBtn1", parent)
    , BitBtn1(BotaoOK)
{
    connect(BitBtn1, &QPushButton::clicked, this, &TFormAbrirSenha::BitBtn1Click);
}

void TFormAbrirSenha::LimparAbrirSenha()
{
    limpar();
}

void TFormAbrirSenha::BitBtn1Click()
{
    if (!usuario(QStringLiteral("    Login inexistente!    ")))
        return;
    SenhaAberta = true;
    LoginAtual = EditLogin->text();
    // As typed: the user's new entries carry this form.
    SenhaAtual = EditSenha->text();
    accept();
    FormPrincipal->StatusBar->showMessage(QStringLiteral("Login: ") + LoginAtual);
}
