// Dorlinda: a diary editor for the users of one machine.
#include "Programa.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    return Programa::Executar(app);
}
