#include "Excluir.h"

#include "DiaryDatabase.h"
#include "Principal.h"
#include "global.h"

#include <QMenu>
#include <QPushButton>
#include <QTableView>

TFormExcluir *FormExcluir = nullptr;

TFormExcluir::TFormExcluir(QWidget *parent)
    : TFormLista(QStringLiteral("FormExcluir"), QStringLiteral("Dorlinda [ Excluir ]"), parent)
{
    DBNavigator1->DataSource = DBGrid1;

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
    TFormLista::FormShow();
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
    QList<DiaryEntryFiles::SetAside> foraDoLugar;
    const bool excluida = DiaryDatabase::deleteEntry(entrada.codigo, &erro, &foraDoLugar);
    if (!excluida) {
        // A file that could not go back is named with the hidden name it lies under; the next start
        // puts it back where its name is free.
        const QString nada =
            foraDoLugar.isEmpty()
                ? QStringLiteral("Nada foi excluído.")
                : QStringLiteral("Nada foi excluído, mas o arquivo \"%1\" não pôde voltar ao seu lugar na pasta "
                                 "atual: ficou guardado como \"%2\".")
                      .arg(foraDoLugar[0].first, foraDoLugar[0].second);
        Mensagem(QStringLiteral("Não foi possível excluir ") + entrada.titulo + QStringLiteral(".\n\n") + erro
                 + QStringLiteral("\n\n") + nada);
    }

    // The list is read again in its order; the row that took the deleted one's place is current.
    ADOQueryExcluir->Abrir(ADOQueryExcluir->Ordem());
    PosicionarGrade(DBGrid1, linha);
    if (ListaVazia())
        habilitar(false);

    if (excluida && TituloAtual && *TituloAtual == entrada.titulo)
        FormPrincipal->NovoArquivo();
}
