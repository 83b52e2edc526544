#include "Senha.h"

#include "Principal.h"
#include "global.h"

TFormOpcaoSenha *FormOpcaoSenha = nullptr;

TFormOpcaoSenha::TFormOpcaoSenha(QWidget *parent)
    : QDialog(parent)
{
    setObjectName("FormOpcaoSenha");
    setWindowTitle(QStringLiteral("Dorlinda [ Opções ]"));
    setFixedSize(327, 132);
}

int TFormOpcaoSenha::exec()
{
    const int result = QDialog::exec();
    FormClose();
    return result;
}

void TFormOpcaoSenha::FormClose()
{
    if (!SenhaAtual || TextoBloqueado)
        FormPrincipal->close();
}
