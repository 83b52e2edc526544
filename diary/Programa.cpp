#include "Programa.h"

#include "AbrirSenha.h"
#include "AlterarSenha.h"
#include "Consulta.h"
#include "CriarSenha.h"
#include "Excluir.h"
#include "Fonts.h"
#include "ExcluirSenha.h"
#include "Principal.h"
#include "Salvar.h"
#include "Senha.h"
#include "Sobre.h"
#include "VisualizarImpressao.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace Programa {

bool CriarJanelas()
{
    Fonts::install();
    FormPrincipal = new TFormPrincipal;
    if (!FormPrincipal->ConexaoAberta) {
        DestruirJanelas();
        return false;
    }
    FormAbrir = new TFormAbrir(FormPrincipal);
    FormCriarSenha = new TFormCriarSenha(FormPrincipal);
    FormOpcaoSenha = new TFormOpcaoSenha(FormPrincipal);
    FormAbrirSenha = new TFormAbrirSenha(FormPrincipal);
    FormAlterarSenha = new TFormAlterarSenha(FormPrincipal);
    FormExcluirSenha = new TFormExcluirSenha(FormPrincipal);
    FormVisualizar = new TFormVisualizar(FormPrincipal);
    FormExcluir = new TFormExcluir(FormPrincipal);
    FormSalvar = new TFormSalvar(FormPrincipal);
    FormSobre = new TFormSobre(FormPrincipal);
    return true;
}

void DestruirJanelas()
{
    delete FormPrincipal;
    FormPrincipal = nullptr;
    FormAbrir = nullptr;
    FormCriarSenha = nullptr;
    FormOpcaoSenha = nullptr;
    FormAbrirSenha = nullptr;
    FormAlterarSenha = nullptr;
    FormExcluirSenha = nullptr;
    FormVisualizar = nullptr;
    FormExcluir = nullptr;
    FormSalvar = nullptr;
    FormSobre = nullptr;
}

int Executar(QApplication &app)
{
    app.setApplicationName(QStringLiteral("Dorlinda"));

    // The stock dialogs (colour, font, question boxes) speak Portuguese, when the translations are there.
    auto *traducao = new QTranslator(&app);
    if (traducao->load(QStringLiteral("qtbase_pt_BR"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(traducao);

    if (!CriarJanelas())
        return 1;
    FormPrincipal->showMaximized();
    // Where showing the window runs the options dialog at once, closing it without a log-in has
    // already ended the run.
    const int resultado = FormPrincipal->isVisible() ? app.exec() : 0;
    DestruirJanelas();
    return resultado;
}

} // namespace Programa
