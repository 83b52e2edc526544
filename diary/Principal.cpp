#include "Principal.h"

#include "DiaryDatabase.h"
#include "DiaryEntryFiles.h"
#include "FontColorDialog.h"
#include "HelpWindow.h"
#include "RichTextEdit.h"
#include "Senha.h"
#include "components/AdCtrls.h"
#include "components/Ruler.h"
#include "global.h"
#include "WindowGeometry.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QColorDialog>
#include <QDir>
#include <QFrame>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

TFormPrincipal *FormPrincipal = nullptr;

namespace {

const QString Titulo = QStringLiteral("Dorlinda");

QAction *item(QMenu *menu, const char *nome, const QString &texto, const QKeySequence &atalho,
              const QString &dica)
{
    auto *a = menu->addAction(texto);
    a->setObjectName(QLatin1String(nome));
    a->setShortcut(atalho);
    if (!dica.isNull())
        a->setToolTip(dica);
    return a;
}

// Boxes stand over the dialog that asks, so that no window manager puts them behind it.
QWidget *dono()
{
    QWidget *modal = QApplication::activeModalWidget();
    return modal ? modal : FormPrincipal;
}
} // namespace

void Mensagem(const QString &texto)
{
    Messages::plain(dono(), Titulo, texto);
}

Messages::Button Confirmar(const QString &texto, bool comCancelar)
{
    return Messages::question(dono(), Titulo, texto, comCancelar);
}

TFormPrincipal::TFormPrincipal(QWidget *parent)
    : QMainWindow(parent)
{
    Q_INIT_RESOURCE(diary);
    // The diary's data lie in the folder current at start, whatever the libraries loaded below do
    // to the current folder.
    DiaryEntryFiles::fixFolder(QDir::currentPath());
    setObjectName("FormPrincipal");
    setWindowTitle(Titulo);
    setWindowIcon(QIcon(QStringLiteral(":/icones/dorlinda.png")));

    FontDialog2 = QFont(QStringLiteral("Times New Roman"));
    FontDialog2.setPointSize(12);

    criarMenus();
    criarBarraDeFerramentas();
    criarPaineis();

    ColorDialogFundo = new QColorDialog(this);
    ColorDialogFundo->setObjectName("ColorDialogFundo");
    ColorDialogFundo->setOption(QColorDialog::DontUseNativeDialog);
    FontDialog1 = new FontColorDialog(this);
    FontDialog1->setObjectName("FontDialog1");
    AdSoftwareStats1 = new TAdSoftwareStats(this);
    AdSoftwareStats1->setObjectName("AdSoftwareStats1");
    AdSoftwareStats1->AdSoftware = 73;

    // 560 x 420 with its frame, centred on the screen; shown maximised.
    WindowGeometry::setOuterSize(this, 560, 420);
    WindowGeometry::centreOnScreen(this);
    setWindowState(Qt::WindowMaximized);

    // The components are made: the banner, then its companion, report to the statistics library
    // before the database opens.
    AdControlStats1->Loaded();
    AdSoftwareStats1->Loaded();

    const QString banco = DiaryEntryFiles::path(DiaryDatabase::FileName);
    const DiaryDatabase::OpenStatus status = DiaryDatabase::open(banco);
    ConexaoAberta = status.ok();
    if (!ConexaoAberta) {
        Messages::plain(nullptr, Titulo, DiaryDatabase::failureMessage(status, banco));
        return;
    }
    // Entry files that a deletion cut short by the end of a run left aside come back to their
    // entries (or go, with their entries) before anything is listed. Only the database they were
    // set aside with can tell which: a database made just now has no rows for any of them.
    if (status.result == DiaryDatabase::OpenResult::Opened)
        DiaryDatabase::recoverSetAsideFiles();
}

TFormPrincipal::~TFormPrincipal()
{
    DiaryDatabase::close();
}

void TFormPrincipal::criarMenus()
{
    MainMenu1 = menuBar();
    MainMenu1->setObjectName("MainMenu1");

    Dirio1 = MainMenu1->addMenu(QStringLiteral("&Arquivo"));
    Dirio1->setObjectName("Dirio1");
    Novo1 = item(Dirio1, "Novo1", "&Novo", Qt::CTRL | Qt::Key_N, "Novo");
    Abrir1 = item(Dirio1, "Abrir1", "&Abrir", Qt::CTRL | Qt::Key_A, "Abrir ");
    Salvar1 = item(Dirio1, "Salvar1", "&Salvar", Qt::CTRL | Qt::Key_S, "Salvar");
    Excluir1 = item(Dirio1, "Excluir1", "&Excluir", Qt::CTRL | Qt::Key_E, "Excluir");
    Dirio1->addSeparator();
    Visualizarimpresso1 = item(Dirio1, "Visualizarimpresso1", "&Visualizar impressão", {}, "Visualizar impressão");
    Imprimir1 = item(Dirio1, "Imprimir1", "&Imprimir", Qt::CTRL | Qt::Key_P, "Imprimir");
    Dirio1->addSeparator();
    Sair1 = item(Dirio1, "Sair1", "&Sair", {}, {});

    Editar1 = MainMenu1->addMenu(QStringLiteral("&Editar"));
    Editar1->setObjectName("Editar1");
    Recortar1 = item(Editar1, "Recortar1", "&Recortar", Qt::CTRL | Qt::Key_X, "Recortar");
    Copiar1 = item(Editar1, "Copiar1", "&Copiar", Qt::CTRL | Qt::Key_C, "Copiar");
    Colar1 = item(Editar1, "Colar1", "Co&lar", Qt::CTRL | Qt::Key_V, "Colar");
    Selecionartudo1 = item(Editar1, "Selecionartudo1", "Selecionar &tudo", Qt::CTRL | Qt::Key_T, {});

    Formatar1 = MainMenu1->addMenu(QStringLiteral("&Formatar"));
    Formatar1->setObjectName("Formatar1");
    Fonte1 = item(Formatar1, "Fonte1", "&Fonte", Qt::CTRL | Qt::Key_F, "Formatar fonte");
    Background1 = item(Formatar1, "Background1", "Fun&do", Qt::CTRL | Qt::Key_D, "Formatar fundo");
    Alinhamento1 = Formatar1->addMenu(QStringLiteral("&Alinhamento"));
    Alinhamento1->setObjectName("Alinhamento1");
    Esquerda1 = item(Alinhamento1, "Esquerda1", "À Es&querda", Qt::CTRL | Qt::Key_Q, "Alinhar à esquerda");
    Centralizado1 = item(Alinhamento1, "Centralizado1", "Centra&lizado", Qt::CTRL | Qt::Key_L, "Alinhar centralizado");
    Direita1 = item(Alinhamento1, "Direita1", "À Di&reita", Qt::CTRL | Qt::Key_R, "Alinhar à direita");

    Ajuda1 = MainMenu1->addMenu(QStringLiteral("&Ajuda"));
    Ajuda1->setObjectName("Ajuda1");
    AjudadoDorlinda1 = item(Ajuda1, "AjudadoDorlinda1", "&Conteúdo", Qt::Key_F1, {});
    Sobre1 = item(Ajuda1, "Sobre1", "&Sobre...", {}, {});

    const std::pair<QAction *, void (TFormPrincipal::*)()> handlers[] = {
        {Novo1, &TFormPrincipal::Novo1Click},
        {Abrir1, &TFormPrincipal::Abrir1Click},
        {Excluir1, &TFormPrincipal::Excluir1Click},
        {Visualizarimpresso1, &TFormPrincipal::Visualizarimpresso1Click},
        {Imprimir1, &TFormPrincipal::Imprimir1Click},
        {Sair1, &TFormPrincipal::Sair1Click},
        {Recortar1, &TFormPrincipal::Recortar1Click},
        {Copiar1, &TFormPrincipal::Copiar1Click},
        {Colar1, &TFormPrincipal::Colar1Click},
        {Selecionartudo1, &TFormPrincipal::Selecionartudo1Click},
        {Fonte1, &TFormPrincipal::Fonte1Click},
        {Background1, &TFormPrincipal::Background1Click},
        {Esquerda1, &TFormPrincipal::Esquerda1Click},
        {Centralizado1, &TFormPrincipal::Centralizado1Click},
        {Direita1, &TFormPrincipal::Direita1Click},
        {AjudadoDorlinda1, &TFormPrincipal::AjudadoDorlinda1Click},
        {Sobre1, &TFormPrincipal::Sobre1Click},
    };
    for (const auto &[action, handler] : handlers)
        connect(action, &QAction::triggered, this, handler);
    connect(Salvar1, &QAction::triggered, this, &TFormPrincipal::Salvar1Click);
}

void TFormPrincipal::criarBarraDeFerramentas()
{
    ToolBar1 = addToolBar(QStringLiteral("ToolBar1"));
    ToolBar1->setObjectName("ToolBar1");
    ToolBar1->setMovable(false);
    ToolBar1->setFloatable(false);
    ToolBar1->setIconSize(QSize(24, 24));
    ToolBar1->toggleViewAction()->setVisible(false);

    // Each button runs the menu item of the same caption and shows its hint.
    const std::pair<QAction *, const char *> botoes[] = {
        {Novo1, "ToolButton1"}, {Abrir1, "TBAbrir"}, {Salvar1, "ToolButton2"}, {Excluir1, "TBExcluir"},
        {Visualizarimpresso1, "ToolButton3"}, {Imprimir1, "ToolButton4"}, {nullptr, nullptr},
        {Recortar1, "ToolButton5"}, {Copiar1, "ToolButton6"}, {Colar1, "ToolButton7"}, {nullptr, nullptr},
        {Fonte1, "ToolButton8"}, {Background1, "ToolButton9"}, {nullptr, nullptr},
        {Esquerda1, "ToolButton10"}, {Centralizado1, "ToolButton11"}, {Direita1, "ToolButton12"}, {nullptr, nullptr},
    };
    for (const auto &[action, nome] : botoes) {
        if (!action) {
            ToolBar1->addSeparator();
            continue;
        }
        action->setIcon(QIcon(QStringLiteral(":/icones/%1.png").arg(QString(action->objectName()).chopped(1).toLower())));
        ToolBar1->addAction(action);
        QWidget *botao = ToolBar1->widgetForAction(action);
        botao->setObjectName(QLatin1String(nome));
        botao->setFixedSize(33, 33);
    }
    TBAbrir = ToolBar1->findChild<QToolButton *>("TBAbrir");
    TBExcluir = ToolBar1->findChild<QToolButton *>("TBExcluir");

    ToolButton16 = new QToolButton(ToolBar1);
    ToolButton16->setObjectName("ToolButton16");
    ToolButton16->setToolTip(QStringLiteral("Menu senha"));
    ToolButton16->setIcon(QIcon(QStringLiteral(":/icones/senha.png")));
    ToolButton16->setFixedSize(33, 33);
    ToolBar1->addWidget(ToolButton16);
    connect(ToolButton16, &QToolButton::clicked, this, &TFormPrincipal::ToolButton16Click);
}

void TFormPrincipal::criarPaineis()
{
    auto *cliente = new QWidget(this);
    auto *layout = new QVBoxLayout(cliente);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    setCentralWidget(cliente);

    Panel2 = new QFrame(cliente);
    Panel2->setObjectName("Panel2");
    Panel2->setFrameStyle(QFrame::NoFrame);
    Panel2->setAutoFillBackground(true);
    QPalette dica = Panel2->palette();
    dica.setColor(QPalette::Window, dica.color(QPalette::ToolTipBase));
    Panel2->setPalette(dica);
    layout->addWidget(Panel2, 1);

    Ruler1 = new TRuler(Panel2);
    Ruler1->setObjectName("Ruler1");

    Rdtexto = new RichTextEdit(Panel2);
    Rdtexto->setObjectName("Rdtexto");
    Rdtexto->setFrameStyle(QFrame::NoFrame);
    Rdtexto->setAcceptRichText(true);
    Rdtexto->setTabChangesFocus(false);
    Rdtexto->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Rdtexto->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette claro = Rdtexto->palette();
    claro.setColor(QPalette::Base, claro.color(QPalette::Light));
    Rdtexto->setPalette(claro);
    Rdtexto->document()->setDefaultFont(FontDialog2);
    Rdtexto->setCurrentFont(FontDialog2);
    Rdtexto->hide();
    Rdtexto->installEventFilter(this);
    Ruler1->RichEdit = Rdtexto;
    connect(Rdtexto, &QTextEdit::textChanged, this, &TFormPrincipal::RdtextoChange);

    StatusBar = new QStatusBar(Panel2);
    StatusBar->setObjectName("StatusBar");
    StatusBar->setSizeGripEnabled(false);
    Panel2->installEventFilter(this);

    Panel1 = new QFrame(cliente);
    Panel1->setObjectName("Panel1");
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setFixedHeight(72);
    Panel1->setAutoFillBackground(true);
    QPalette legenda = Panel1->palette();
    legenda.setColor(QPalette::Window, QColor(0xBF, 0xCD, 0xDB)); // inactive caption
    Panel1->setPalette(legenda);
    layout->addWidget(Panel1);

    AdControlStats1 = new TAdControlStats(Panel1);
    AdControlStats1->setObjectName("AdControlStats1");
    AdControlStats1->AdSoftware = 73;
    AdControlStats1->AdIndex = 1;
    AdControlStats1->Link = QStringLiteral("https://dorlinda.example/");
    AdControlStats1->SetPicture(QPixmap(QStringLiteral(":/banner.png")));
    AdControlStats1->move(0, 6);
    Panel1->installEventFilter(this);
}

// The ruler on top, the status bar at the foot, the editor between them (also while hidden).
void TFormPrincipal::posicionarPainel2()
{
    const int w = Panel2->width();
    const int h = Panel2->height();
    Ruler1->setGeometry(0, 0, w, Ruler1->height());
    StatusBar->setGeometry(0, h - 19, w, 19);
    Rdtexto->setGeometry(0, Ruler1->height(), w, qMax(0, h - Ruler1->height() - 19));
}

bool TFormPrincipal::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Rdtexto && event->type() == QEvent::ShortcutOverride) {
        // The editor must not take the menu's keys for itself (Ctrl+A is "&Abrir" here).
        const QKeySequence tecla(static_cast<QKeyEvent *>(event)->keyCombination());
        for (QAction *a : findChildren<QAction *>())
            if (!a->shortcut().isEmpty() && a->shortcut() == tecla) {
                event->ignore();
                return true;
            }
    } else if (watched == Panel2 && event->type() == QEvent::Resize) {
        posicionarPainel2();
    } else if (watched == Panel1 && event->type() == QEvent::Resize) {
        FormResize();
    }
    return QMainWindow::eventFilter(watched, event);
}

void TFormPrincipal::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (m_mostrada)
        return;
    m_mostrada = true;
    FormShow();
    // The first activation opens the options dialog; on a desktop that does not activate the
    // window, it comes once the window is up all the same.
    QTimer::singleShot(0, this, &TFormPrincipal::FormActivate);
}

void TFormPrincipal::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
}

void TFormPrincipal::closeEvent(QCloseEvent *event)
{
    if (!FormClose()) {
        event->ignore();
        return;
    }
    if (HelpWindow *ajuda = HelpWindow::of(this))
        ajuda->close();
    event->accept();
}

void TFormPrincipal::FormShow()
{
    SenhaAtual.reset();
    PrimeiraAtivacao = true;
    TextoBloqueado = true;
    FormResize();
}

void TFormPrincipal::FormActivate()
{
    if (!PrimeiraAtivacao || m_ativando || !isVisible())
        return;
    m_ativando = true;
    FormOpcaoSenha->exec();
    PrimeiraAtivacao = false;
    m_ativando = false;
    if (isVisible())
        activateWindow();
}

void TFormPrincipal::FormResize()
{
    AdControlStats1->move(Panel1->width() / 2 - AdControlStats1->width() / 2, AdControlStats1->y());
}

bool TFormPrincipal::FormClose()
{
    return PerguntarSalvar();
}

void TFormPrincipal::Sair1Click()
{
    close();
}
