#include "Salvar.h"

#include "DiaryDatabase.h"
#include "DiaryEntryFiles.h"
#include "Principal.h"
#include "global.h"
#include "WindowGeometry.h"

#include <QDateTime>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>

TFormSalvar *FormSalvar = nullptr;

TFormSalvar::TFormSalvar(QWidget *parent)
    : QDialog(parent)
{
    setObjectName("FormSalvar");
    setWindowTitle(QStringLiteral("Dorlinda ( Salvar )"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(392, 126);

    Label1 = new QLabel(QStringLiteral("Digite o título do arquivo a ser salvo:"), this);
    Label1->setObjectName("Label1");
    Label1->move(16, 16);

    EditTitulo = new QLineEdit(this);
    EditTitulo->setObjectName("EditTitulo");
    EditTitulo->setMaxLength(50);
    EditTitulo->setGeometry(16, 38, 360, 24);

    BSalvar = new QPushButton(QStringLiteral("Salvar"), this);
    BSalvar->setObjectName("BSalvar");
    BSalvar->setDefault(true);
    BSalvar->setGeometry(206, 84, 80, 25);
    connect(BSalvar, &QPushButton::clicked, this, &TFormSalvar::BSalvarClick);

    BitBtn1 = new QPushButton(QStringLiteral("Cancelar"), this);
    BitBtn1->setObjectName("BitBtn1");
    BitBtn1->setGeometry(296, 84, 80, 25);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::reject);
}

void TFormSalvar::showEvent(QShowEvent *event)
{
    WindowGeometry::centreOnScreen(this);
    QDialog::showEvent(event);
    FormShow();
}

void TFormSalvar::FormShow()
{
    // The new entry in the editor took the number before the counter went on.
    TituloNovo = QStringLiteral("Título") + QString::number(ContadorTitulo - 1);
    EditTitulo->setText(TituloNovo);
    EditTitulo->selectAll();
    EditTitulo->setFocus();
}

// The title is not taken: the box is emptied for another, and the dialog stays.
void TFormSalvar::recusar(const QString &mensagem)
{
    Mensagem(mensagem);
    EditTitulo->clear();
    EditTitulo->setFocus();
}

void TFormSalvar::BSalvarClick()
{
    if (!SenhaAtual)
        return;
    const bool novo = !ArquivoGravado;
    QString titulo;
    if (novo) {
        titulo = EditTitulo->text();
        if (!DiaryEntryFiles::isUsableTitle(titulo)) {
            recusar(QStringLiteral("Título inválido, tente outro!"));
            return;
        }
    } else {
        titulo = TituloAtual.value_or(QString());
    }

    const DiaryDatabase::SaveResult salvo = DiaryDatabase::saveEntry(
        *SenhaAtual, titulo, !novo, *FormPrincipal->Rdtexto->document(), QDateTime::currentDateTime());
    if (salvo.duplicate) {
        recusar(QStringLiteral("Título existente, tente outro!"));
        return;
    }
    if (!salvo.ok) {
        // Nothing was stored: the entry stays as it was in the editor, unsaved.
        const QString nada = salvo.notPutBack.isEmpty()
                                 ? QStringLiteral("Nada foi gravado; o texto continua no editor.")
                                 : QStringLiteral("Nada foi gravado no banco de dados, mas o arquivo \"%1\" da pasta "
                                                  "atual não pôde voltar ao que era; o texto continua no editor.")
                                       .arg(salvo.notPutBack);
        Mensagem(QStringLiteral("Não foi possível salvar ") + titulo + QStringLiteral(".\n\n") + salvo.error
                 + QStringLiteral("\n\n") + nada);
        return;
    }

    TituloAtual = salvo.entry.titulo;
    FormPrincipal->setWindowTitle(QStringLiteral("Dorlinda - ") + *TituloAtual);
    ArquivoGravado = true;
    TextoAlterado = false;
    if (isVisible())
        accept();
}
