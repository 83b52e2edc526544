#include "Excluir.h"

#include "DiaryDatabase.h"
#include "global.h"

#include <QSqlQueryModel>

TFormExcluir *FormExcluir = nullptr;

namespace {
void listar(QSqlQueryModel *model, DiaryDatabase::Order order)
{
    if (SenhaAtual)
        model->setQuery(DiaryDatabase::listEntries(*SenhaAtual, order));
    else
        model->clear();
}
} // namespace

TFormExcluir::TFormExcluir(QWidget *parent)
    : QDialog(parent)
    , ADOQueryExcluir(new QSqlQueryModel(this))
{
    setObjectName("FormExcluir");
    setWindowTitle(QStringLiteral("Dorlinda [ Excluir ]"));
    setFixedSize(560, 420);
}

bool TFormExcluir::ListaVazia() const
{
    return ADOQueryExcluir->rowCount() == 0;
}

void TFormExcluir::PorTitulo1Click()
{
    listar(ADOQueryExcluir, DiaryDatabase::Order::ByTitle);
}

void TFormExcluir::PorData1Click()
{
    listar(ADOQueryExcluir, DiaryDatabase::Order::ByDate);
}
