#include "global.h"

std::optional<QString> SenhaAtual;
QString LoginAtual;
QString TituloNovo;
std::optional<QString> TituloAtual;
qint32 ContadorTitulo = 0;
bool TextoBloqueado = false;
bool ArquivoGravado = false;
bool TextoAlterado = false;
bool SenhaCriada = false;
bool SenhaAberta = false;
bool SenhaAlterada = false;
bool SenhaExcluida = false;
