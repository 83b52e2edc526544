#include "AlterarSenha.h"

#include "DiaryUsers.h"
#include "Senha.h"
#include "SqliteText.h"
#include "global.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TFormAlterarSenha *FormAlterarSenha = nullptr;

TFormAlterarSenha::TFormAlterarSenha(QWidget *parent)
    : QDialog(parent)
{
    SenhaUi::janela(this, "FormAlterarSenha", QStringLiteral("Dorlinda [ Alterar Senha ]"), 342, 137);
    EditLogin = SenhaUi::campo(this, "EditLogin", "Label1", QStringLiteral("Login"), 0, 3, false);
    EditSenha = SenhaUi::campo(this, "EditSenha", "Label2", QStringLiteral("Senha"), 1, 3, true);
    EditSenhaConfirm = SenhaUi::campo(this, "EditSenhaConfirm", "Label3", QStringLiteral("Nova senha"), 2, 3, true);
    Label1 = findChild<QLabel *>("Label1");
    Label2 = findChild<QLabel *>("Label2");
    Label3 = findChild<QLabel *>("Label3");
    BitBtn1 = SenhaUi::botaoOK(this, "BitBtn1");
    BitBtn2 = SenhaUi::botaoCancelar(this);
    connect(BitBtn1, &QPushButton::clicked, this, &TFormAlterarSenha::BitBtn1Click);
}

void TFormAlterarSenha::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    SenhaUi::centrar(this);
    FormShow();
}

void TFormAlterarSenha::FormShow()
{
    LimparAlterarSenha();
}

void TFormAlterarSenha::LimparAlterarSenha()
{
    SenhaUi::limpar({EditLogin, EditSenha, EditSenhaConfirm});
}

void TFormAlterarSenha::BitBtn1Click()
{
    const QString senha = EditSenha->text();
    const QString nova = EditSenhaConfirm->text();
    auto recusar = [this](const QString &mensagem) {
        SenhaUi::aviso(mensagem);
        LimparAlterarSenha();
    };
    const std::optional<DiaryUsers::User> usuario
        = SenhaUi::usuario(EditLogin, EditSenha, QStringLiteral("    Login incorreto!    "));
    if (!usuario)
        return LimparAlterarSenha();
    // A user with an empty password could never log in again, and two users with one password
    // would share their entries.
    if (nova.isEmpty())
        return recusar(QStringLiteral("      Dados inválidos!      "));
    bool deOutro = false;
    QString erro;
    if (!DiaryUsers::heldByAnother(nova, usuario->id, deOutro, &erro))
        return recusar(QStringLiteral("Não foi possível consultar as senhas (%1).").arg(erro));
    if (deOutro)
        return recusar(QStringLiteral("      Senha existente!      "));
    if (!DiaryUsers::changePassword(*usuario, nova, &erro))
        return recusar(QStringLiteral("Não foi possível alterar a senha (%1). Nada foi alterado.").arg(erro));

    SenhaAlterada = true;
    if (SenhaAtual && SqliteText::equalFolded(*SenhaAtual, senha))
        SenhaAtual = nova;
    accept();
}
