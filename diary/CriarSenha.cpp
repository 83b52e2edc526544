#include "CriarSenha.h"

#include "DiaryUsers.h"
#include "global.h"

#include <QLineEdit>
#include <QPushButton>

TFormCriarSenha *FormCriarSenha = nullptr;

TFormCriarSenha::TFormCriarSenha(QWidget *parent)
    : TFormSenhaBase("FormCriarSenha", QStringLiteral("Dorlinda [Criar senha]"), QStringLiteral("Confirme a senha"),
                     "BOK", parent)
    , Label3(RotuloTerceiro)
    , EditSenhaConfirm(Terceiro)
    , BOK(BotaoOK)
{
    connect(BOK, &QPushButton::clicked, this, &TFormCriarSenha::BOKClick);
}

void TFormCriarSenha::LimparCriarSenha()
{
    limpar();
}

void TFormCriarSenha::BOKClick()
{
    const QString login = EditLogin->text();
    const QString senha = EditSenha->text();
    if (senha != EditSenhaConfirm->text())
        return recusar(QStringLiteral("     Confirmação inválida!     "));
    if (!SenhaUi::dadoValido(login) || !SenhaUi::dadoValido(senha))
        return recusar(QStringLiteral("      Dados inválidos!      "));
    bool existente = false;
    QString erro;
    if (!DiaryUsers::create(login, senha, existente, &erro))
        return recusar(existente ? QStringLiteral("      Senha existente!      ")
                                 : QStringLiteral("Não foi possível criar a senha (%1).").arg(erro));
    SenhaCriada = true;
    accept();
}
