#include "Salvar.h"

TFormSalvar *FormSalvar = nullptr;

TFormSalvar::TFormSalvar(QWidget *parent)
    : QDialog(parent)
{
    setObjectName("FormSalvar");
    setWindowTitle(QStringLiteral("Dorlinda ( Salvar )"));
    setFixedSize(392, 126);
}

void TFormSalvar::BSalvarClick()
{
    // Nothing is stored yet.
}
