#include "Consulta.h"

#include "DiaryDatabase.h"
#include "global.h"

#include <QSqlQueryModel>

TFormAbrir *FormAbrir = nullptr;

namespace {
void listar(QSqlQueryModel *model, DiaryDatabase::Order order)
{
    if (SenhaAtual)
        model->setQuery(DiaryDatabase::listEntries(*SenhaAtual, order));
    else
        model->clear();
}
} // namespace

TFormAbrir::TFormAbrir(QWidget *parent)
    : QDialog(parent)
    , ADOQueryConsulta(new QSqlQueryModel(this))
{
    setObjectName("FormAbrir");
    setWindowTitle(QStringLiteral("Dorlinda [ Abrir Diário ]"));
    setFixedSize(560, 420);
}

bool TFormAbrir::ListaVazia() const
{
    return ADOQueryConsulta->rowCount() == 0;
}

void TFormAbrir::PorTitulo1Click()
{
    listar(ADOQueryConsulta, DiaryDatabase::Order::ByTitle);
}

void TFormAbrir::PorData1Click()
{
    listar(ADOQueryConsulta, DiaryDatabase::Order::ByDate);
}
