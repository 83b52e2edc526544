// The main window's log-in state and entries: the save prompt, new entries, locking and unlocking of
// the editor, the entry commands of the "&Arquivo" menu and the password button.
#include "Principal.h"

#include "Consulta.h"
#include "Excluir.h"
#include "RichText.h"
#include "Salvar.h"
#include "Senha.h"
#include "VisualizarImpressao.h"
#include "global.h"

#include <QStatusBar>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextEdit>

bool TFormPrincipal::PerguntarSalvar()
{
    if (!SenhaAtual || TextoBloqueado)
        return true;
    // Yes goes on only once the entry is stored; No goes on without saving; Cancel stops.
    const auto perguntar = [this](const QString &pergunta) {
        switch (Confirmar(pergunta, true)) {
        case Messages::Yes: return Salvar1Click();
        case Messages::No: return true;
        default: return false;
        }
    };
    if (!ArquivoGravado && !perguntar(QStringLiteral("Deseja salvar ") + TituloNovo + QStringLiteral("?")))
        return false;
    if (TextoAlterado
        && !perguntar(QStringLiteral("Deseja salvar as alterações em ") + TituloAtual.value_or(QString())
                      + QStringLiteral("?")))
        return false;
    return true;
}

void TFormPrincipal::NovoArquivo()
{
    TituloAtual.reset();
    ArquivoGravado = false;
    TextoAlterado = false;
    TituloNovo = QStringLiteral("Título") + QString::number(ContadorTitulo);
    setWindowTitle(QStringLiteral("Dorlinda - ") + TituloNovo);
    ContadorTitulo = ContadorTitulo + 1;

    // The paragraph indents stay; the text, its attributes and the alignment start afresh.
    QTextBlockFormat paragrafo;
    RichText::setIndents(paragrafo, RichText::indents(Rdtexto->textCursor().blockFormat()));
    paragrafo.setAlignment(Qt::AlignLeft);
    Rdtexto->clear();
    Rdtexto->document()->setDefaultFont(FontDialog2);
    QTextCharFormat letra;
    letra.setFont(FontDialog2);
    Rdtexto->setCurrentCharFormat(letra);
    QTextCursor cursor = Rdtexto->textCursor();
    cursor.setBlockFormat(paragrafo);
    Rdtexto->setTextCursor(cursor);
    Rdtexto->setFocus();
}

void TFormPrincipal::MostrarTexto()
{
    TextoBloqueado = false;
    Rdtexto->show();
}

void TFormPrincipal::EncerrarSessao()
{
    TextoBloqueado = true;
    Rdtexto->hide();
    setWindowTitle(QStringLiteral("Dorlinda"));
    StatusBar->clearMessage();
    if (FormVisualizar)
        FormVisualizar->EsquecerImpressora();
}

void TFormPrincipal::RdtextoChange()
{
    if (ArquivoGravado)
        TextoAlterado = true;
}

void TFormPrincipal::Novo1Click()
{
    if (PerguntarSalvar())
        NovoArquivo();
}

void TFormPrincipal::Abrir1Click()
{
    FormAbrir->PorData1Click();
    // A list that could not be read has been reported; it is not an empty diary.
    if (!FormAbrir->ListaLida())
        return;
    if (FormAbrir->ListaVazia()) {
        Mensagem(QStringLiteral("Não existe nenhum arquivo a ser aberto!"));
        return;
    }
    if (PerguntarSalvar())
        FormAbrir->exec();
}

bool TFormPrincipal::Salvar1Click()
{
    if (!ArquivoGravado)
        FormSalvar->exec();
    if (ArquivoGravado && TextoAlterado)
        FormSalvar->BSalvarClick();
    return ArquivoGravado && !TextoAlterado;
}

void TFormPrincipal::Excluir1Click()
{
    FormExcluir->PorData1Click();
    if (!FormExcluir->ListaLida())
        return;
    if (FormExcluir->ListaVazia())
        Mensagem(QStringLiteral("Não existe nenhum arquivo a ser excluído!"));
    else
        FormExcluir->exec();
}

void TFormPrincipal::ToolButton16Click()
{
    if (!TextoBloqueado) {
        if (!PerguntarSalvar())
            return;
        EncerrarSessao();
    }
    FormOpcaoSenha->exec();
    if (isVisible())
        activateWindow();
}
