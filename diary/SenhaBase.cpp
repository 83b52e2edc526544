#include "SenhaBase.h"

#include "Principal.h"
#include "WindowGeometry.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

namespace SenhaUi {

void janela(QDialog *dialogo, const char *nome, const QString &legenda, int largura, int altura)
{
    dialogo->setObjectName(QLatin1String(nome));
    dialogo->setWindowTitle(legenda);
    dialogo->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                            | Qt::WindowCloseButtonHint);
    dialogo->setFixedSize(largura, altura);
}

void centrar(QWidget *janela)
{
    WindowGeometry::centreOnScreen(janela);
}

bool dadoValido(const QString &texto)
{
    return !texto.isEmpty() && !texto.front().isSpace() && !texto.back().isSpace();
}

} // namespace SenhaUi

namespace {
constexpr int CampoX = 130, CampoLargura = 100, Altura = 21, BotaoX = 248, BotaoLargura = 80, BotaoAltura = 27;
constexpr int TamanhoMaximo = 8;
} // namespace

TFormSenhaBase::TFormSenhaBase(const char *nome, const QString &legenda, const QString &terceiro,
                               const char *nomeOK, QWidget *parent)
    : QDialog(parent)
{
    SenhaUi::janela(this, nome, legenda, 342, 137);
    const int linhas = terceiro.isNull() ? 2 : 3;
    EditLogin = campo("EditLogin", "Label1", QStringLiteral("Login"), 0, linhas, false);
    EditSenha = campo("EditSenha", "Label2", QStringLiteral("Senha"), 1, linhas, true);
    if (!terceiro.isNull())
        Terceiro = campo("EditSenhaConfirm", "Label3", terceiro, 2, linhas, true);
    Label1 = findChild<QLabel *>(QStringLiteral("Label1"));
    Label2 = findChild<QLabel *>(QStringLiteral("Label2"));
    RotuloTerceiro = findChild<QLabel *>(QStringLiteral("Label3"));

    BotaoOK = new QPushButton(QStringLiteral("OK"), this);
    BotaoOK->setObjectName(QLatin1String(nomeOK));
    BotaoOK->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    BotaoOK->setGeometry(BotaoX, height() / 2 - BotaoAltura - 6, BotaoLargura, BotaoAltura);
    BotaoOK->setDefault(true);

    BitBtn2 = new QPushButton(QStringLiteral("Cancelar"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
    BitBtn2->setGeometry(BotaoX, height() / 2 + 6, BotaoLargura, BotaoAltura);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

QLineEdit *TFormSenhaBase::campo(const char *nome, const char *rotulo, const QString &texto, int linha, int linhas,
                                 bool senha)
{
    // The rows share the height of the dialog's box area evenly.
    const int passo = 32;
    const int topo = (height() - passo * (linhas - 1) - Altura) / 2 + passo * linha;
    auto *label = new QLabel(texto, this);
    label->setObjectName(QLatin1String(rotulo));
    label->setGeometry(16, topo, CampoX - 24, Altura);
    auto *edit = new QLineEdit(this);
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

void TFormSenhaBase::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    SenhaUi::centrar(this);
    FormShow();
}

void TFormSenhaBase::FormShow()
{
    limpar();
}

void TFormSenhaBase::limpar()
{
    for (QLineEdit *c : findChildren<QLineEdit *>())
        c->clear();
    EditLogin->setFocus();
}

void TFormSenhaBase::recusar(const QString &mensagem)
{
    Mensagem(mensagem);
    limpar();
}

std::optional<DiaryUsers::User> TFormSenhaBase::usuario(const QString &loginErrado)
{
    std::optional<DiaryUsers::User> u;
    QString erro;
    if (!DiaryUsers::find(EditSenha->text(), u, &erro))
        recusar(QStringLiteral("Não foi possível consultar as senhas (%1).").arg(erro));
    else if (!u)
        recusar(QStringLiteral("    Senha inexistente!    "));
    else if (u->login != EditLogin->text())
        recusar(loginErrado);
    else
        return u;
    return std::nullopt;
}
