// The main window's other commands: printing, the clipboard, formatting, help and the about box.
#include "Principal.h"

#include "BandedReport.h"
#include "DiaryDatabase.h"
#include "DiaryEntryFiles.h"
#include "FontColorDialog.h"
#include "HelpWindow.h"
#include "Sobre.h"
#include "VisualizarImpressao.h"
#include "global.h"

#include <QColorDialog>
#include <QDateTime>
#include <QDir>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextCharFormat>
#include <QTextEdit>

namespace {
const QString ArquivoDeAjuda = QStringLiteral("Dorlinda/Tamirel.hlp");
} // namespace

bool TFormPrincipal::PrepararRelatorio()
{
    QString titulo, dia, hora;
    if (ArquivoGravado) {
        // The stored entry's row, never another user's of the same title; without one the title
        // goes out with an empty date and time.
        titulo = TituloAtual.value_or(QString());
        QString erro;
        const std::optional<DiaryDatabase::Entry> linha
            = DiaryDatabase::findEntry(SenhaAtual.value_or(QString()), titulo, &erro);
        if (!erro.isEmpty()) {
            Mensagem(QStringLiteral("Não foi possível ler a data de ") + titulo + QStringLiteral(".\n\n") + erro);
            return false;
        }
        if (linha) {
            titulo = linha->titulo;
            dia = DiaryDatabase::shownDate(linha->data);
            hora = linha->hora;
        }
    } else {
        const QDateTime agora = QDateTime::currentDateTime();
        titulo = TituloNovo;
        dia = DiaryDatabase::shownDate(agora.date());
        hora = DiaryDatabase::timeText(agora.time());
    }
    FormVisualizar->QrTitulo->text = titulo;
    FormVisualizar->QRData->text = dia;
    FormVisualizar->QRHora->text = hora;
    return true;
}

// Nothing is printed while nobody is logged in: the hidden editor still holds the last user's text.
void TFormPrincipal::Visualizarimpresso1Click()
{
    if (TextoBloqueado || !PrepararRelatorio())
        return;
    FormVisualizar->ProporArquivo(FormVisualizar->QrTitulo->text);
    FormVisualizar->QuickRepVisualizar->preview(FormVisualizar->Impressora(), this);
}

void TFormPrincipal::Imprimir1Click()
{
    if (TextoBloqueado || !PrepararRelatorio())
        return;
    BandedReport *relatorio = FormVisualizar->QuickRepVisualizar;
    FormVisualizar->ProporArquivo(FormVisualizar->QrTitulo->text);
    QPrinter &impressora = FormVisualizar->Impressora();
    const ReportPlan plano = relatorio->plan(QDate::currentDate());
    // The system's printers, or a PDF file where none is installed. The dialog itself asks before
    // its OK replaces a file that is there already, and stays open for another choice on a No; an
    // entry's file is never replaced: the dialog comes back.
    QPrintDialog PrintDialogPrincipal(&impressora, this);
    PrintDialogPrincipal.setObjectName("PrintDialogPrincipal");
    PrintDialogPrincipal.setMinMax(1, int(plano.pages.size()));
    for (;;) {
        if (PrintDialogPrincipal.exec() != QDialog::Accepted)
            return;
        const QString arquivo = impressora.outputFormat() == QPrinter::PdfFormat ? impressora.outputFileName() : QString();
        if (arquivo.isEmpty() || !TFormVisualizar::ArquivoDeEntrada(arquivo))
            break;
        Mensagem(QStringLiteral("O arquivo \"%1\" guarda o texto de uma entrada do diário: escolha outro nome.")
                     .arg(QDir::toNativeSeparators(arquivo)));
    }
    QString erro;
    if (!relatorio->print(plano, impressora, &erro))
        Mensagem(QStringLiteral("Não foi possível imprimir %1 (%2).")
                     .arg(FormVisualizar->QrTitulo->text,
                          erro.isEmpty() ? QStringLiteral("impressora ") + impressora.printerName() : erro));
}

void TFormPrincipal::Recortar1Click()
{
    Rdtexto->cut();
}

void TFormPrincipal::Copiar1Click()
{
    Rdtexto->copy();
}

void TFormPrincipal::Colar1Click()
{
    Rdtexto->paste();
}

void TFormPrincipal::Selecionartudo1Click()
{
    Rdtexto->selectAll();
}

void TFormPrincipal::Fonte1Click()
{
    const QTextCharFormat atual = Rdtexto->currentCharFormat();
    FontDialog1->setCurrentFont(atual.font());
    FontDialog1->setCurrentColor(atual.foreground().style() == Qt::NoBrush
                                     ? Rdtexto->palette().color(QPalette::Text)
                                     : atual.foreground().color());
    if (FontDialog1->exec() != QDialog::Accepted)
        return;
    QTextCharFormat escolha;
    escolha.setFont(FontDialog1->currentFont());
    escolha.setForeground(FontDialog1->currentColor());
    Rdtexto->mergeCurrentCharFormat(escolha);
}

// The colour belongs to the window: it is not part of the entry's text.
void TFormPrincipal::Background1Click()
{
    ColorDialogFundo->setCurrentColor(Rdtexto->palette().color(QPalette::Base));
    if (ColorDialogFundo->exec() != QDialog::Accepted)
        return;
    QPalette fundo = Rdtexto->palette();
    fundo.setColor(QPalette::Base, ColorDialogFundo->selectedColor());
    Rdtexto->setPalette(fundo);
}

void TFormPrincipal::Esquerda1Click()
{
    Rdtexto->setAlignment(Qt::AlignLeft);
}

void TFormPrincipal::Centralizado1Click()
{
    Rdtexto->setAlignment(Qt::AlignHCenter);
}

void TFormPrincipal::Direita1Click()
{
    Rdtexto->setAlignment(Qt::AlignRight);
}

void TFormPrincipal::AjudadoDorlinda1Click()
{
    if (!HelpWindow::showContents(this, DiaryEntryFiles::path(ArquivoDeAjuda), QStringLiteral("Dorlinda - Ajuda")))
        Mensagem(QStringLiteral("Não foi possível abrir a ajuda: o arquivo \"%1\" não foi encontrado na pasta atual.")
                     .arg(ArquivoDeAjuda));
}

void TFormPrincipal::Sobre1Click()
{
    FormSobre->exec();
}
