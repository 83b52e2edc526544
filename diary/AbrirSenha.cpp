#include "AbrirSenha.h"

TFormAbrirSenha *FormAbrirSenha = nullptr;

TFormAbrirSenha::TFormAbrirSenha(QWidget *parent)
    : QDialog(parent)
{
    setObjectName("FormAbrirSenha");
    setWindowTitle(QStringLiteral("Dorlinda [ Abrir Senha ]"));
    setFixedSize(342, 137);
}
