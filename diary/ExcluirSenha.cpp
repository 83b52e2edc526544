#include "ExcluirSenha.h"

#include "DiaryUsers.h"
#include "Principal.h"
#include "Senha.h"
#include "SqliteText.h"
#include "global.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TFormExcluirSenha *FormExcluirSenha = nullptr;

TFormExcluirSenha::TFormExcluirSenha(QWidget *parent)
    : QDialog(parent)
{
    SenhaUi::janela(this, "FormExcluirSenha", QStringLiteral("Dorlinda [ Excluir Senha ]"), 342, 137);
    EditLogin = SenhaUi::campo(this, "EditLogin", "Label1", QStringLiteral("Login"), 0, 2, false);
    EditSenha = SenhaUi::campo(this, "EditSenha", "Label2", QStringLiteral("Senha"), 1, 2, true);
    Label1 = findChild<QLabel *>("Label1");
    Label2 = findChild<QLabel *>("Label2");
    BOK = SenhaUi::botaoOK(this, "BOK");
    BitBtn2 = SenhaUi::botaoCancelar(this);
    connect(BOK, &QPushButton::clicked, this, &TFormExcluirSenha::BOKClick);
}

void TFormExcluirSenha::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    SenhaUi::centrar(this);
    FormShow();
}

void TFormExcluirSenha::FormShow()
{
    LimparExcluirSenha();
}

void TFormExcluirSenha::LimparExcluirSenha()
{
    SenhaUi::limpar({EditLogin, EditSenha});
}

void TFormExcluirSenha::BOKClick()
{
    const QString senha = EditSenha->text();
    auto recusar = [this](const QString &mensagem) {
        SenhaUi::aviso(mensagem);
        LimparExcluirSenha();
    };
    const std::optional<DiaryUsers::User> usuario
        = SenhaUi::usuario(EditLogin, EditSenha, QStringLiteral("    Login incorreto!    "));
    if (!usuario)
        return LimparExcluirSenha();
    if (!SenhaUi::confirmar(
            QStringLiteral("Atenção: Todos os arquivos referentes a esta senha serão excluídos. Deseja excluir ")
            + EditLogin->text() + QStringLiteral(" ?")))
        return;

    QStringList naoExcluidos;
    QString erro;
    if (!DiaryUsers::remove(*usuario, &naoExcluidos, &erro))
        return recusar(QStringLiteral("Não foi possível excluir a senha (%1). Nada foi excluído.").arg(erro));

    SenhaExcluida = true;
    if (SenhaAtual && SqliteText::equalFolded(*SenhaAtual, senha))
        FormPrincipal->EncerrarSessao();
    if (!naoExcluidos.isEmpty())
        SenhaUi::aviso(QStringLiteral("A senha foi excluída, mas estes arquivos não puderam ser apagados da pasta atual:\n")
                       + naoExcluidos.join(QLatin1Char('\n')));
    accept();
}
