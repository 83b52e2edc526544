#include "Senha.h"

#include "AbrirSenha.h"
#include "AlterarSenha.h"
#include "CriarSenha.h"
#include "ExcluirSenha.h"
#include "Principal.h"
#include "global.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

TFormOpcaoSenha *FormOpcaoSenha = nullptr;

namespace SenhaUi {

namespace {
constexpr int CampoX = 130, CampoLargura = 100, Altura = 21, BotaoX = 248, BotaoLargura = 80, BotaoAltura = 27;
constexpr int TamanhoMaximo = 8;
} // namespace

void janela(QDialog *dialogo, const char *nome, const QString &legenda, int largura, int altura)
{
    dialogo->setObjectName(QLatin1String(nome));
    dialogo->setWindowTitle(legenda);
    dialogo->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                            | Qt::WindowCloseButtonHint);
    dialogo->setFixedSize(largura, altura);
}

QLineEdit *campo(QDialog *dialogo, const char *nome, const char *rotulo, const QString &texto, int linha,
                 int linhas, bool senha)
{
    // The rows share the height of the dialog's box area evenly.
    const int passo = 32;
    const int topo = (dialogo->height() - passo * (linhas - 1) - Altura) / 2 + passo * linha;
    auto *label = new QLabel(texto, dialogo);
    label->setObjectName(QLatin1String(rotulo));
    label->setGeometry(16, topo, CampoX - 24, Altura);
    auto *edit = new QLineEdit(dialogo);
    edit->setObjectName(QLatin1String(nome));
    edit->setGeometry(CampoX, topo, CampoLargura, Altura);
    edit->setMaxLength(TamanhoMaximo);
    if (senha) {
        edit->setEchoMode(QLineEdit::Password);
        edit->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));
    }
    label->setBuddy(edit);
    return edit;
}

QPushButton *botaoOK(QDialog *dialogo, const char *nome)
{
    auto *b = new QPushButton(QStringLiteral("OK"), dialogo);
    b->setObjectName(QLatin1String(nome));
    b->setIcon(dialogo->style()->standardIcon(QStyle::SP_DialogOkButton));
    b->setGeometry(BotaoX, dialogo->height() / 2 - BotaoAltura - 6, BotaoLargura, BotaoAltura);
    b->setDefault(true);
    return b;
}

QPushButton *botaoCancelar(QDialog *dialogo)
{
    auto *b = new QPushButton(QStringLiteral("Cancelar"), dialogo);
    b->setObjectName(QStringLiteral("BitBtn2"));
    b->setIcon(dialogo->style()->standardIcon(QStyle::SP_DialogCancelButton));
    b->setGeometry(BotaoX, dialogo->height() / 2 + 6, BotaoLargura, BotaoAltura);
    QObject::connect(b, &QPushButton::clicked, dialogo, &QDialog::reject);
    return b;
}

void centrar(QWidget *janela)
{
    const QScreen *tela = janela->screen() ? janela->screen() : QGuiApplication::primaryScreen();
    if (!tela)
        return;
    QRect moldura = janela->frameGeometry();
    moldura.moveCenter(tela->geometry().center());
    janela->move(moldura.topLeft());
}

void limpar(std::initializer_list<QLineEdit *> campos)
{
    for (QLineEdit *c : campos)
        c->clear();
    if (campos.size())
        (*campos.begin())->setFocus();
}

namespace {
// Boxes stand over the dialog that asks, so that no window manager puts them behind it.
QWidget *dono()
{
    QWidget *modal = QApplication::activeModalWidget();
    return modal ? modal : FormPrincipal;
}
} // namespace

void aviso(const QString &texto)
{
    Messages::plain(dono(), QStringLiteral("Dorlinda"), texto);
}

bool confirmar(const QString &texto)
{
    return Messages::question(dono(), QStringLiteral("Dorlinda"), texto) == Messages::Yes;
}

std::optional<DiaryUsers::User> usuario(const QLineEdit *login, const QLineEdit *senha, const QString &loginErrado)
{
    std::optional<DiaryUsers::User> u;
    QString erro;
    if (!DiaryUsers::find(senha->text(), u, &erro)) {
        aviso(QStringLiteral("Não foi possível consultar as senhas (%1).").arg(erro));
        return std::nullopt;
    }
    if (!u) {
        aviso(QStringLiteral("    Senha inexistente!    "));
        return std::nullopt;
    }
    if (u->login != login->text()) {
        aviso(loginErrado);
        return std::nullopt;
    }
    return u;
}

} // namespace SenhaUi

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
        SenhaUi::aviso(QStringLiteral("  Senha criada com sucesso!  "));
        SenhaUi::aviso(QStringLiteral(" Clique em Abrir Senha para iniciar o programa! "));
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
        SenhaUi::aviso(QStringLiteral("  Senha alterada com sucesso!  "));
}

void TFormOpcaoSenha::BExcluirClick()
{
    SenhaExcluida = false;
    FormExcluirSenha->exec();
    if (SenhaExcluida)
        SenhaUi::aviso(QStringLiteral("  Senha excluída com sucesso!  "));
}
