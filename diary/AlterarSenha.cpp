#include "AlterarSenha.h"

TFormAlterarSenha *FormAlterarSenha = nullptr;

TFormAlterarSenha::TFormAlterarSenha(QWidget *parent)
    : QDialog(parent)
{
    setObjectName("FormAlterarSenha");
    setWindowTitle(QStringLiteral("Dorlinda [ Alterar Senha ]"));
    setFixedSize(342, 137);
}
