#include "CriarSenha.h"

#include "DiaryUsers.h"
#include "Senha.h"
#include "global.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TFormCriarSenha *FormCriarSenha = nullptr;

TFormCriarSenha::TFormCriarSenha(QWidget *parent)
    : QDialog(parent)
{
    SenhaUi::janela(this, "FormCriarSenha", QStringLiteral("Dorlinda [Criar senha]"), 342, 137);
    EditLogin = SenhaUi::campo(this, "EditLogin", "Label1", QStringLiteral("Login"), 0, 3, false);
    EditSenha = SenhaUi::campo(this, "EditSenha", "Label2", QStringLiteral("Senha"), 1, 3, true);
    EditSenhaConfirm = SenhaUi::campo(this, "EditSenhaConfirm", "Label3", QStringLiteral("Confirme a senha"), 2, 3, true);
    Label1 = findChild<QLabel *>("Label1");
    Label2 = findChild<QLabel *>("Label2");
    Label3 = findChild<QLabel *>("Label3");
    BOK = SenhaUi::botaoOK(this, "BOK");
    BitBtn2 = SenhaUi::botaoCancelar(this);
    connect(BOK, &QPushButton::clicked, this, &TFormCriarSenha::BOKClick);
}

void TFormCriarSenha::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    SenhaUi::centrar(this);
    FormShow();
}

void TFormCriarSenha::FormShow()
{
    LimparCriarSenha();
}

void TFormCriarSenha::LimparCriarSenha()
{
    SenhaUi::limpar({EditLogin, EditSenha, EditSenhaConfirm});
}

void TFormCriarSenha::BOKClick()
{
    const QString login = EditLogin->text();
    const QString senha = EditSenha->text();
    auto recusar = [this](const QString &mensagem) {
        SenhaUi::aviso(mensagem);
        LimparCriarSenha();
    };
    if (senha != EditSenhaConfirm->text())
        return recusar(QStringLiteral("     Confirmação inválida!     "));
    if (login.isEmpty() || senha.isEmpty())
        return recusar(QStringLiteral("      Dados inválidos!      "));
    std::optional<DiaryUsers::User> existente;
    QString erro;
    if (!DiaryUsers::find(senha, existente, &erro))
        return recusar(QStringLiteral("Não foi possível consultar as senhas (%1).").arg(erro));
    if (existente)
        return recusar(QStringLiteral("      Senha existente!      "));
    bool criadaPorOutro = false;
    if (!DiaryUsers::create(login, senha, criadaPorOutro, &erro))
        return recusar(criadaPorOutro ? QStringLiteral("      Senha existente!      ")
                                      : QStringLiteral("Não foi possível criar a senha (%1).").arg(erro));
    SenhaCriada = true;
    accept();
}
