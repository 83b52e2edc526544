#include "ExcluirSenha.h"

TFormExcluirSenha *FormExcluirSenha = nullptr;

TFormExcluirSenha::TFormExcluirSenha(QWidget *parent)
    : QDialog(parent)
{
    setObjectName("FormExcluirSenha");
    setWindowTitle(QStringLiteral("Dorlinda [ Excluir Senha ]"));
    setFixedSize(342, 137);
}
