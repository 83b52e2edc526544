#include "Consulta.h"

#include "DiaryDatabase.h"
#include "DiaryEntryFiles.h"
#include "Principal.h"
#include "RichText.h"
#include "global.h"

#include <QFileInfo>
#include <QKeyEvent>
#include <QPushButton>
#include <QTableView>
#include <QTextCursor>
#include <QTextEdit>

TFormAbrir *FormAbrir = nullptr;

TFormAbrir::TFormAbrir(QWidget *parent)
    : TFormLista(QStringLiteral("FormAbrir"), QStringLiteral("Dorlinda [ Abrir Diário ]"), parent)
{
    // Reached by the mouse, not by the Tab key.
    DBGrid1->setFocusPolicy(Qt::ClickFocus);
    DBGrid1->installEventFilter(this);
    DBGrid1->viewport()->installEventFilter(this);

    // Here the navigator is bound to nothing.

    Babrir = new QPushButton(QStringLiteral("&Abrir"), Panel1);
    Babrir->setObjectName("Babrir");
    Babrir->setToolTip(QStringLiteral("Abre o arquivo do diário"));
    Babrir->setDefault(true);
    Babrir->setGeometry(350, 338, 80, 25);
    connect(Babrir, &QPushButton::clicked, this, &TFormAbrir::abrirEFechar);

    BitBtn1 = new QPushButton(QStringLiteral("Cancelar"), Panel1);
    BitBtn1->setObjectName("BitBtn1");
    BitBtn1->setGeometry(440, 338, 80, 25);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::reject);
}

void TFormAbrir::done(int r)
{
    FormClose();
    QDialog::done(r);
}

void TFormAbrir::FormClose()
{
    ADOQueryConsulta->Fechar();
}

void TFormAbrir::BabrirClick()
{
    const int linha = LinhaAtual(DBGrid1);
    if (linha < 0)
        return;
    const DiaryDatabase::Entry entrada = ADOQueryConsulta->Entrada(linha);
    const QString titulo = entrada.titulo;
    const QString arquivo = entrada.fileName().isEmpty() ? QString() : DiaryEntryFiles::path(entrada.fileName());
    if (arquivo.isEmpty() || !QFileInfo(arquivo).isFile()) {
        Mensagem(QStringLiteral("Não existe arquivo associado a este título!"));
        return;
    }
    QTextEdit *editor = FormPrincipal->Rdtexto;
    QString erro;
    RichText::Reading leitura = RichText::Reading::Whole;
    // The caret is taken out while the text comes in: carried along to the text's end and brought
    // back to its start, it would have the whole text laid out at once.
    const QTextCursor antes = editor->textCursor();
    editor->setTextCursor(QTextCursor());
    if (!RichText::readFile(*editor->document(), arquivo, &erro, &leitura)) {
        editor->setTextCursor(antes);
        Mensagem(QStringLiteral("Não foi possível abrir ") + titulo + QStringLiteral(".\n\n") + erro);
        return;
    }
    editor->setTextCursor(QTextCursor(editor->document()));
    FormPrincipal->setWindowTitle(QStringLiteral("Dorlinda - ") + titulo);
    ArquivoGravado = true;
    TextoAlterado = false;
    TituloAtual = titulo;
    // The entry is unchanged, so its file stays as it is until the user saves.
    if (leitura != RichText::Reading::Whole)
        Mensagem(QStringLiteral("O arquivo de ") + titulo
                 + QStringLiteral(" está danificado e não pôde ser lido por inteiro. O editor mostra todo o texto "
                                  "que foi possível ler.\n\nO arquivo só será gravado de novo quando você salvar."));
}

// The entry is opened once, and the dialog closes, whatever started it.
void TFormAbrir::abrirEFechar()
{
    if (!isVisible())
        return;
    BabrirClick();
    accept();
}

void TFormAbrir::DBGrid1DblClick()
{
    abrirEFechar();
}

bool TFormAbrir::DBGrid1KeyDown(int Key)
{
    if (Key != Qt::Key_Return && Key != Qt::Key_Enter)
        return false;
    abrirEFechar();
    return true;
}

bool TFormAbrir::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == DBGrid1 && event->type() == QEvent::KeyPress) {
        // Taken here, so that the default button does not open the entry a second time.
        if (DBGrid1KeyDown(static_cast<QKeyEvent *>(event)->key()))
            return true;
    } else if (watched == DBGrid1->viewport() && event->type() == QEvent::MouseButtonDblClick
               && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        DBGrid1DblClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
