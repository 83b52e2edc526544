#include "VisualizarImpressao.h"

TFormVisualizar *FormVisualizar = nullptr;

TFormVisualizar::TFormVisualizar(QWidget *parent)
    : QDialog(parent)
{
    setObjectName("FormVisualizar");
    setWindowTitle(QStringLiteral("Dorlinda [ Visualizar impressão ]"));
    resize(600, 420);
}
