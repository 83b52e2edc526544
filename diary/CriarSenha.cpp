#include "CriarSenha.h"

TFormCriarSenha *FormCriarSenha = nullptr;

TFormCriarSenha::TFormCriarSenha(QWidget *parent)
    : QDialog(parent)
{
    setObjectName("FormCriarSenha");
    setWindowTitle(QStringLiteral("Dorlinda [Criar senha]"));
    setFixedSize(342, 137);
}
