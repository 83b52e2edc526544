#include "Senha.h"

#include "AbrirSenha.h"
#include "AlterarSenha.h"
#include "CriarSenha.h"
#include "ExcluirSenha.h"
#include "Principal.h"
#include "SenhaBase.h"
#include "global.h"

#include <QLabel>
#include <QPushButton>

TFormOpcaoSenha *FormOpcaoSenha = nullptr;

TFormOpcaoSenha::TFormOpcaoSenha(QWidget *parent)
    : QDialog(parent)
{
    SenhaUi::janela(this, "FormOpcaoSenha", QStringLiteral("Dorlinda [ Opções ]"), 327, 132);

    Label1 = new QLabel(QStringLiteral("Escolha uma opção:"), this);
    Label1->setObjectName("Label1");
    Label1->setGeometry(16, 12, 295, 17);

    // Two rows of two: open and change, then create and delete.
    const struct {
        QPushButton *&botao;
        const char *nome;
        const char *texto;
        int x, y;
        void (TFormOpcaoSenha::*handler)();
    } botoes[] = {
        {BAbrir, "BAbrir", "&Abrir Senha", 16, 40, &TFormOpcaoSenha::BAbrirClick},
        {BAlterar, "BAlterar", "Al&terar Senha", 171, 40, &TFormOpcaoSenha::BAlterarClick},
        {BCriar, "BCriar", "&Criar Senha", 16, 84, &TFormOpcaoSenha::BCriarClick},
        {BExcluir, "BExcluir", "&Excluir Senha", 171, 84, &TFormOpcaoSenha::BExcluirClick},
    };
    for (const auto &b : botoes) {
        b.botao = new QPushButton(QString::fromUtf8(b.texto), this);
        b.botao->setObjectName(QLatin1String(b.nome));
        b.botao->setGeometry(b.x, b.y, 140, 30);
        connect(b.botao, &QPushButton::clicked, this, b.handler);
    }
    BAbrir->setToolTip(QStringLiteral("Abre o programa"));
    BAbrir->setDefault(true);
}

void TFormOpcaoSenha::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    SenhaUi::centrar(this);
    BAbrir->setFocus();
}

int TFormOpcaoSenha::exec()
{
    const int result = QDialog::exec();
    FormClose();
    return result;
}

void TFormOpcaoSenha::FormClose()
{
    if (!SenhaAtual || TextoBloqueado)
        FormPrincipal->close();
}

void TFormOpcaoSenha::BCriarClick()
{
    SenhaCriada = false;
    FormCriarSenha->exec();
    if (SenhaCriada) {
        Mensagem(QStringLiteral("  Senha criada com sucesso!  "));
        Mensagem(QStringLiteral(" Clique em Abrir Senha para iniciar o programa! "));
    }
}

void TFormOpcaoSenha::BAbrirClick()
{
    SenhaAberta = false;
    FormAbrirSenha->exec();
    if (!SenhaAberta)
        return;
    // The dialog's run ends once this handler is done; its close test then sees the log-in.
    accept();
    if (TextoBloqueado)
        FormPrincipal->MostrarTexto();
    ContadorTitulo = 1;
    FormPrincipal->NovoArquivo();
}

void TFormOpcaoSenha::BAlterarClick()
{
    SenhaAlterada = false;
    FormAlterarSenha->exec();
    if (SenhaAlterada)
        Mensagem(QStringLiteral("  Senha alterada com sucesso!  "));
}

void TFormOpcaoSenha::BExcluirClick()
{
    SenhaExcluida = false;
    FormExcluirSenha->exec();
    if (SenhaExcluida)
        Mensagem(QStringLiteral("  Senha excluída com sucesso!  "));
}
