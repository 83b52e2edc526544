#include "AlterarSenha.h"

#include "DiaryUsers.h"
#include "SqliteText.h"
#include "global.h"

#include <QLineEdit>
#include <QPushButton>

TFormAlterarSenha *FormAlterarSenha = nullptr;

TFormAlterarSenha::TFormAlterarSenha(QWidget *parent)
    : TFormSenhaBase("FormAlterarSenha", QStringLiteral("Dorlinda [ Alterar Senha ]"), QStringLiteral("Nova senha"),
                     "BitBtn1", parent)
    , Label3(RotuloTerceiro)
    , EditSenhaConfirm(Terceiro)
    , BitBtn1(BotaoOK)
{
    connect(BitBtn1, &QPushButton::clicked, this, &TFormAlterarSenha::BitBtn1Click);
}

void TFormAlterarSenha::LimparAlterarSenha()
{
    limpar();
}

void TFormAlterarSenha::BitBtn1Click()
{
    const QString senha = EditSenha->text();
    const QString nova = EditSenhaConfirm->text();
    const std::optional<DiaryUsers::User> usuario = TFormSenhaBase::usuario(QStringLiteral("    Login incorreto!    "));
    if (!usuario)
        return;
    // A user with an empty password could never log in again, and two users with one password
    // would share their entries.
    if (!SenhaUi::dadoValido(nova))
        return recusar(QStringLiteral("      Dados inválidos!      "));
    bool deOutro = false;
    QString erro;
    if (!DiaryUsers::changePassword(*usuario, nova, deOutro, &erro))
        return recusar(deOutro ? QStringLiteral("      Senha existente!      ")
                               : QStringLiteral("Não foi possível alterar a senha (%1). Nada foi alterado.").arg(erro));

    SenhaAlterada = true;
    if (SenhaAtual && SqliteText::equalFolded(*SenhaAtual, senha))
        SenhaAtual = nova;
    accept();
}
