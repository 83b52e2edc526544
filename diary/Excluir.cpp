#include "Excluir.h"

#include "DiaryDatabase.h"
#include "ListaEntradas.h"
#include "Principal.h"
#include "global.h"

#include <QAction>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTableView>

TFormExcluir *FormExcluir = nullptr;

TFormExcluir::TFormExcluir(QWidget *parent)
    : QDialog(parent)
    , ADOQueryExcluir(new TListaEntradas(this))
{
    setObjectName("FormExcluir");
    setWindowTitle(QStringLiteral("Dorlinda [ Excluir ]"));
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
    connect(PorTitulo1, &QAction::triggered, this, &TFormExcluir::PorTitulo1Click);
    connect(PorData1, &QAction::triggered, this, &TFormExcluir::PorData1Click);
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
    PrepararGrade(DBGrid1, ADOQueryExcluir);
    DBGrid1->move(20, 28);

    DBNavigator1 = new TDBNavigator(Panel1);
    DBNavigator1->setObjectName("DBNavigator1");
    DBNavigator1->DataSource = DBGrid1;
    DBNavigator1->move(20, 338);

    Bexcluir = new QPushButton(QStringLiteral("&Excluir"), Panel1);
    Bexcluir->setObjectName("Bexcluir");
    Bexcluir->setToolTip(QStringLiteral("Exclui o arquivo do diário"));
    Bexcluir->setDefault(true);
    Bexcluir->setGeometry(260, 338, 80, 25);
    connect(Bexcluir, &QPushButton::clicked, this, &TFormExcluir::BexcluirClick);

    BitBtn1 = new QPushButton(QStringLiteral("OK"), Panel1);
    BitBtn1->setObjectName("BitBtn1");
    BitBtn1->setGeometry(350, 338, 80, 25);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);

    BitBtn2 = new QPushButton(QStringLiteral("Cancelar"), Panel1);
    BitBtn2->setObjectName("BitBtn2");
    BitBtn2->setGeometry(440, 338, 80, 25);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

bool TFormExcluir::ListaVazia() const
{
    return ADOQueryExcluir->rowCount() == 0;
}

void TFormExcluir::showEvent(QShowEvent *event)
{
    if (QScreen *s = QGuiApplication::primaryScreen())
        move(s->availableGeometry().center() - rect().center());
    QDialog::showEvent(event);
    FormShow();
}

void TFormExcluir::habilitar(bool sim)
{
    DBGrid1->setEnabled(sim);
    Bexcluir->setEnabled(sim);
    Ordenar1->setEnabled(sim);
    Ordenar1->menuAction()->setEnabled(sim);
}

void TFormExcluir::FormShow()
{
    habilitar(true);
    PorData1Click();
}

void TFormExcluir::ordenar(bool porTitulo)
{
    PorTitulo1->setChecked(porTitulo);
    PorData1->setChecked(!porTitulo);
    ADOQueryExcluir->Abrir(porTitulo ? DiaryDatabase::Order::ByTitle : DiaryDatabase::Order::ByDate);
    PosicionarGrade(DBGrid1, 0);
}

void TFormExcluir::PorTitulo1Click()
{
    ordenar(true);
}

void TFormExcluir::PorData1Click()
{
    ordenar(false);
}

void TFormExcluir::BexcluirClick()
{
    const int linha = LinhaAtual(DBGrid1);
    if (linha < 0)
        return;
    const DiaryDatabase::Entry entrada = ADOQueryExcluir->Entrada(linha);
    if (Confirmar(QStringLiteral("Excluir ") + entrada.titulo + QStringLiteral("?"), true) != Messages::Yes)
        return;

    QString erro;
    const bool excluida = DiaryDatabase::deleteEntry(entrada.codigo, &erro);
    if (!excluida)
        Mensagem(QStringLiteral("Não foi possível excluir ") + entrada.titulo + QStringLiteral(".\n\n") + erro
                 + QStringLiteral("\n\nNada foi excluído."));

    // The list is read again in its order; the row that took the deleted one's place is current.
    ADOQueryExcluir->Abrir(ADOQueryExcluir->Ordem());
    PosicionarGrade(DBGrid1, linha);
    if (ListaVazia())
        habilitar(false);

    if (excluida && TituloAtual && *TituloAtual == entrada.titulo)
        FormPrincipal->NovoArquivo();
}
