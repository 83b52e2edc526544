#include "ExcluirSenha.h"

#include "DiaryUsers.h"
#include "Principal.h"
#include "SqliteText.h"
#include "global.h"

#include <QLineEdit>
#include <QPushButton>

TFormExcluirSenha *FormExcluirSenha = nullptr;

TFormExcluirSenha::TFormExcluirSenha(QWidget *parent)
    : TFormSenhaBase("FormExcluirSenha", QStringLiteral("Dorlinda [ Excluir Senha ]"), {}, "BOK", parent)
    , BOK(BotaoOK)
{
    connect(BOK, &QPushButton::clicked, this, &TFormExcluirSenha::BOKClick);
}

void TFormExcluirSenha::LimparExcluirSenha()
{
    limpar();
}

void TFormExcluirSenha::BOKClick()
{
    const QString senha = EditSenha->text();
    const std::optional<DiaryUsers::User> usuario = TFormSenhaBase::usuario(QStringLiteral("    Login incorreto!    "));
    if (!usuario)
        return;
    if (Confirmar(QStringLiteral("Atenção: Todos os arquivos referentes a esta senha serão excluídos. Deseja excluir ")
                      + EditLogin->text() + QStringLiteral(" ?"),
                  false)
        != Messages::Yes)
        return;

    QStringList naoExcluidos;
    QString erro;
    QList<DiaryEntryFiles::SetAside> foraDoLugar;
    if (!DiaryUsers::remove(*usuario, &naoExcluidos, &erro, &foraDoLugar)) {
        // Files that could not go back are named with the hidden names they lie under; the next
        // start puts them back where their names are free.
        QString nada = QStringLiteral("Nada foi excluído");
        if (foraDoLugar.isEmpty())
            nada += QLatin1Char('.');
        else
            nada += QStringLiteral(", mas estes arquivos não puderam voltar ao seu lugar na pasta atual e ficaram "
                                   "guardados com outro nome:");
        for (const auto &[nome, guardado] : std::as_const(foraDoLugar))
            nada += QStringLiteral("\n\"%1\" como \"%2\"").arg(nome, guardado);
        return recusar(QStringLiteral("Não foi possível excluir a senha (%1). ").arg(erro) + nada);
    }

    SenhaExcluida = true;
    if (SenhaAtual && SqliteText::equalFolded(*SenhaAtual, senha))
        FormPrincipal->EncerrarSessao();
    if (!naoExcluidos.isEmpty())
        Mensagem(QStringLiteral("A senha foi excluída, mas estes arquivos não puderam ser apagados da pasta atual:\n")
                       + naoExcluidos.join(QLatin1Char('\n')));
    accept();
}
