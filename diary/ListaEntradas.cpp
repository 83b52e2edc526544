#include "ListaEntradas.h"

#include "Principal.h"
#include "global.h"
#include "WindowGeometry.h"

#include <QAction>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QFontMetrics>
#include <QHeaderView>
#include <QStyle>
#include <QTableView>
#include <QToolButton>

TListaEntradas::TListaEntradas(QObject *parent)
    : QAbstractTableModel(parent)
{
}

bool TListaEntradas::Abrir(DiaryDatabase::Order ordem)
{
    beginResetModel();
    m_ordem = ordem;
    QString erro;
    const bool lida = !SenhaAtual || DiaryDatabase::readEntries(*SenhaAtual, ordem, m_entradas, &erro);
    if (!SenhaAtual || !lida)
        m_entradas.clear();
    m_lida = lida;
    endResetModel();
    if (!lida)
        Mensagem(QStringLiteral("Não foi possível ler a lista do diário.\n\n") + erro);
    return lida;
}

void TListaEntradas::Fechar()
{
    beginResetModel();
    m_entradas.clear();
    m_entradas.squeeze();
    endResetModel();
}

int TListaEntradas::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_entradas.size());
}

int TListaEntradas::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 3;
}

QVariant TListaEntradas::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_entradas.size())
        return {};
    const DiaryDatabase::Entry &e = m_entradas.at(index.row());
    if (role == Qt::DisplayRole) {
        switch (index.column()) {
        case Titulo: return e.titulo;
        case Data: return DiaryDatabase::shownDate(e.data);
        case Hora: return e.hora;
        }
    } else if (role == Qt::TextAlignmentRole) {
        return int(index.column() == Titulo ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
    }
    return {};
}

QVariant TListaEntradas::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return {};
    if (role == Qt::DisplayRole) {
        switch (section) {
        case Titulo: return QStringLiteral("Título");
        case Data: return QStringLiteral("Data");
        case Hora: return QStringLiteral("Hora");
        }
    } else if (role == Qt::TextAlignmentRole) {
        return int(section == Titulo ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
    }
    return {};
}

void PrepararGrade(QTableView *grade, TListaEntradas *lista)
{
    grade->setModel(lista);
    grade->resize(500, 300);
    grade->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grade->setSelectionMode(QAbstractItemView::SingleSelection);
    grade->setSelectionBehavior(QAbstractItemView::SelectRows);
    grade->setTabKeyNavigation(false);
    grade->setWordWrap(false);
    // The dates must fit their 70 pixels, which the design sizes for the small dialog font: a
    // smaller size of the same font where the desktop's is larger.
    QFont letra = grade->font();
    while (letra.pointSizeF() > 6
           && QFontMetrics(letra).horizontalAdvance(QStringLiteral("00/00/0000")) + 2 * grade->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 8 > 70)
        letra.setPointSizeF(letra.pointSizeF() - 0.5);
    grade->setFont(letra);
    grade->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grade->verticalHeader()->setDefaultSectionSize(grade->fontMetrics().height() + 4);
    grade->verticalHeader()->setFixedWidth(12);
    grade->verticalHeader()->setSectionsClickable(false);
    grade->horizontalHeader()->setSectionsClickable(false);
    grade->horizontalHeader()->setHighlightSections(false);
    grade->horizontalHeader()->setMinimumSectionSize(10);
    grade->setColumnWidth(TListaEntradas::Titulo, 325);
    grade->setColumnWidth(TListaEntradas::Data, 70);
    grade->setColumnWidth(TListaEntradas::Hora, 70);
}

void PosicionarGrade(QTableView *grade, int linha)
{
    QAbstractItemModel *lista = grade->model();
    const int linhas = lista->rowCount();
    if (linhas == 0) {
        grade->setCurrentIndex({});
        return;
    }
    const QModelIndex i = lista->index(qBound(0, linha, linhas - 1), TListaEntradas::Titulo);
    grade->setCurrentIndex(i);
    grade->scrollTo(i);
}

int LinhaAtual(const QTableView *grade)
{
    const QModelIndex i = grade->currentIndex();
    return i.isValid() && i.row() < grade->model()->rowCount() ? i.row() : -1;
}

TDBNavigator::TDBNavigator(QWidget *parent)
    : QWidget(parent)
{
    auto *linha = new QHBoxLayout(this);
    linha->setContentsMargins(0, 0, 0, 0);
    linha->setSpacing(0);
    const auto botao = [&](const char *nome, const QString &texto, const QString &dica, auto para) {
        auto *b = new QToolButton(this);
        b->setObjectName(QLatin1String(nome));
        b->setText(texto);
        b->setToolTip(dica);
        b->setFixedSize(30, 25);
        b->setFocusPolicy(Qt::NoFocus);
        connect(b, &QToolButton::clicked, this, [this, para] {
            if (DataSource)
                mover(para(LinhaAtual(DataSource), DataSource->model()->rowCount()));
        });
        linha->addWidget(b);
        return b;
    };
    First = botao("First", QStringLiteral("|◀"), QStringLiteral("Primeiro título"), [](int, int) { return 0; });
    Prior = botao("Prior", QStringLiteral("◀"), QStringLiteral("Título anterior"),
                  [](int atual, int) { return qMax(0, atual - 1); });
    Next = botao("Next", QStringLiteral("▶"), QStringLiteral("Próximo título"),
                 [](int atual, int) { return atual + 1; });
    Last = botao("Last", QStringLiteral("▶|"), QStringLiteral("Último título"),
                 [](int, int linhas) { return linhas - 1; });
    setFixedSize(120, 25);
}

void TDBNavigator::mover(int para)
{
    if (DataSource->isEnabled())
        PosicionarGrade(DataSource, para);
}

TFormLista::TFormLista(const QString &nome, const QString &titulo, QWidget *parent)
    : QDialog(parent)
    , Lista(new TListaEntradas(this))
{
    setObjectName(nome);
    setWindowTitle(titulo);
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
    connect(PorTitulo1, &QAction::triggered, this, &TFormLista::PorTitulo1Click);
    connect(PorData1, &QAction::triggered, this, &TFormLista::PorData1Click);
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
    PrepararGrade(DBGrid1, Lista);
    DBGrid1->move(20, 28);

    DBNavigator1 = new TDBNavigator(Panel1);
    DBNavigator1->setObjectName("DBNavigator1");
    DBNavigator1->move(20, 338);
}

bool TFormLista::ListaVazia() const
{
    return Lista->rowCount() == 0;
}

bool TFormLista::ListaLida() const
{
    return Lista->Lida();
}

void TFormLista::showEvent(QShowEvent *event)
{
    WindowGeometry::centreOnScreen(this);
    QDialog::showEvent(event);
    FormShow();
}

void TFormLista::FormShow()
{
    const bool atual = m_lidaParaMostrar && Lista->Lida() && Lista->Ordem() == DiaryDatabase::Order::ByDate
        && m_mudancas >= 0 && m_mudancas == DiaryDatabase::changes();
    m_lidaParaMostrar = false;
    if (!atual) {
        PorData1Click();
        return;
    }
    PorTitulo1->setChecked(false);
    PorData1->setChecked(true);
    PosicionarGrade(DBGrid1, 0);
}

void TFormLista::ordenar(bool porTitulo)
{
    PorTitulo1->setChecked(porTitulo);
    PorData1->setChecked(!porTitulo);
    Lista->Abrir(porTitulo ? DiaryDatabase::Order::ByTitle : DiaryDatabase::Order::ByDate);
    m_lidaParaMostrar = !isVisible();
    m_mudancas = DiaryDatabase::changes();
    PosicionarGrade(DBGrid1, 0);
}

void TFormLista::PorTitulo1Click()
{
    ordenar(true);
}

void TFormLista::PorData1Click()
{
    ordenar(false);
}
