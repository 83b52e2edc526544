#include "Consulta.h"

#include "DiaryDatabase.h"
#include "ListaEntradas.h"
#include "Principal.h"
#include "global.h"

#include <QAction>
#include <QFileInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QTextCursor>
#include <QTextEdit>

TFormAbrir *FormAbrir = nullptr;

TFormAbrir::TFormAbrir(QWidget *parent)
    : QDialog(parent)
    , ADOQueryConsulta(new TListaEntradas(this))
{
    setObjectName("FormAbrir");
    setWindowTitle(QStringLiteral("Dorlinda [ Abrir Diário ]"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(560, 420);

    MainMenu1 = new QMenuBar(this);
    MainMenu1->setObjectName("MainMenu1");
    Ordenar1 = MainMenu1->addMenu(QStringLiteral("&Ordenar"));
    Ordenar1->setObjectName("Ordenar1");
    PorTitulo1 = Ordenar1->addAction(QStringLiteral("Por &Título"));
    PorTitulo1->setObjectName("PorTitulo1");
    PorTitulo1->setCheckable(true);
    PorData1 = Ordenar1->addAction(QStringLiteral("Por &Data"));
    PorData1->setObjectName("PorData1");
    PorData1->setCheckable(true);
    connect(PorTitulo1, &QAction::triggered, this, &TFormAbrir::PorTitulo1Click);
    connect(PorData1, &QAction::triggered, this, &TFormAbrir::PorData1Click);
    const int menu = MainMenu1->sizeHint().height();
    MainMenu1->setGeometry(0, 0, width(), menu);

    Panel1 = new QFrame(this);
    Panel1->setObjectName("Panel1");
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setGeometry(8, menu + 6, width() - 16, height() - menu - 14);

    Label1 = new QLabel(QStringLiteral("Faça a sua escolha:"), Panel1);
    Label1->setObjectName("Label1");
    Label1->move(20, 8);

    DBGrid1 = new QTableView(Panel1);
    DBGrid1->setObjectName("DBGrid1");
    PrepararGrade(DBGrid1, ADOQueryConsulta);
    DBGrid1->move(20, 28);
    // Reached by the mouse, not by the Tab key.
    DBGrid1->setFocusPolicy(Qt::ClickFocus);
    DBGrid1->installEventFilter(this);
    DBGrid1->viewport()->installEventFilter(this);

    // Here the navigator is bound to nothing.
    DBNavigator1 = new TDBNavigator(Panel1);
    DBNavigator1->setObjectName("DBNavigator1");
    DBNavigator1->move(20, 338);

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

bool TFormAbrir::ListaVazia() const
{
    return ADOQueryConsulta->rowCount() == 0;
}

void TFormAbrir::showEvent(QShowEvent *event)
{
    if (QScreen *s = QGuiApplication::primaryScreen())
        move(s->availableGeometry().center() - rect().center());
    QDialog::showEvent(event);
    FormShow();
}

void TFormAbrir::FormShow()
{
    PorData1Click();
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

void TFormAbrir::ordenar(bool porTitulo)
{
    PorTitulo1->setChecked(porTitulo);
    PorData1->setChecked(!porTitulo);
    ADOQueryConsulta->Abrir(porTitulo ? DiaryDatabase::Order::ByTitle : DiaryDatabase::Order::ByDate);
    PosicionarGrade(DBGrid1, 0);
}

void TFormAbrir::PorTitulo1Click()
{
    ordenar(true);
}

void TFormAbrir::PorData1Click()
{
    ordenar(false);
}

void TFormAbrir::BabrirClick()
{
    const int linha = LinhaAtual(DBGrid1);
    if (linha < 0)
        return;
    const DiaryDatabase::Entry entrada = ADOQueryConsulta->Entrada(linha);
    const QString titulo = entrada.titulo;
    const QString arquivo = entrada.fileName();
    if (arquivo.isEmpty() || !QFileInfo(arquivo).isFile()) {
        Mensagem(QStringLiteral("Não existe arquivo associado a este título!"));
        return;
    }
    QTextEdit *editor = FormPrincipal->Rdtexto;
    QString erro;
    if (!DiaryDatabase::readEntryFile(arquivo, *editor->document(), &erro)) {
        Mensagem(QStringLiteral("Não foi possível abrir ") + titulo + QStringLiteral(".\n\n") + erro);
        return;
    }
    editor->moveCursor(QTextCursor::Start);
    FormPrincipal->setWindowTitle(QStringLiteral("Dorlinda - ") + titulo);
    ArquivoGravado = true;
    TextoAlterado = false;
    TituloAtual = titulo;
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
