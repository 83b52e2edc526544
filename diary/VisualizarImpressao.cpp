#include "VisualizarImpressao.h"

#include "BandedReport.h"
#include "DiaryDatabase.h"
#include "DiaryEntryFiles.h"
#include "Principal.h"
#include "WindowGeometry.h"

#include <QDir>
#include <QFileInfo>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTextEdit>

TFormVisualizar *FormVisualizar = nullptr;

namespace {

QFont fonte(const QString &familia, double pontos, QFont::StyleHint tipo, bool negrito = false)
{
    QFont f(familia);
    f.setStyleHint(tipo);
    f.setPointSizeF(pontos);
    f.setBold(negrito);
    return f;
}

// The colour of active window captions.
const QColor LegendaAtiva(0x99, 0xB4, 0xD1);

} // namespace

TFormVisualizar::TFormVisualizar(QWidget *parent)
    : QDialog(parent)
{
    setObjectName("FormVisualizar");
    setWindowTitle(QStringLiteral("Dorlinda [ Visualizar impressão ]"));
    WindowGeometry::setOuterSize(this, 600, 420);
    WindowGeometry::centreOnScreen(this);

    QuickRepVisualizar = new BandedReport(this);
    QuickRepVisualizar->setObjectName("QuickRepVisualizar");
    QuickRepVisualizar->title = windowTitle();
    // Arial 17 pixels high on the screen it was designed on (96 per inch).
    QuickRepVisualizar->font = fonte(QStringLiteral("Arial"), 17 * 72.0 / 96, QFont::SansSerif);
    const QFont arial10 = fonte(QStringLiteral("Arial"), 10, QFont::SansSerif);

    PageHeaderBand1 = QuickRepVisualizar->addBand({.name = QStringLiteral("PageHeaderBand1"), .kind = ReportBand::PageHeader, .height = 8.47});
    QRLabel2 = PageHeaderBand1->add({.name = QStringLiteral("QRLabel2"), .kind = ReportElement::Label,
                                     .text = QStringLiteral("Data de impressão:"), .left = 130.70});
    QRLabel2->font = arial10;
    QRSysData1 = PageHeaderBand1->add({.name = QStringLiteral("QRSysData1"), .kind = ReportElement::PrintDate});
    QRSysData1->alignment = Qt::AlignRight;
    QRSysData1->font = arial10;

    TitleBand1 = QuickRepVisualizar->addBand({.name = QStringLiteral("TitleBand1"), .kind = ReportBand::Title, .height = 11.38});
    TitleBand1->bottomLine = LegendaAtiva;
    TitleBand1->alignToBottom = true;
    QRLabel1 = TitleBand1->add({.name = QStringLiteral("QRLabel1"), .kind = ReportElement::Label,
                                .text = QStringLiteral("D o r l i n d a"), .top = 2.65});
    QRLabel1->alignment = Qt::AlignHCenter;
    QRLabel1->font = fonte(QStringLiteral("Garamond"), 14, QFont::Serif, true);

    DetailBand1 = QuickRepVisualizar->addBand({.name = QStringLiteral("DetailBand1"), .kind = ReportBand::Detail, .height = 38.10});
    DetailBand1->font = fonte(QStringLiteral("Times New Roman"), 12, QFont::Serif);
    QrTitulo = DetailBand1->add({.name = QStringLiteral("QrTitulo"), .kind = ReportElement::Label,
                                 .text = QStringLiteral("Título"), .left = 8.47, .top = 6.35});
    QRData = DetailBand1->add({.name = QStringLiteral("QRData"), .kind = ReportElement::Label,
                               .text = QStringLiteral("Data"), .left = 8.47, .top = 14.82});
    QRHora = DetailBand1->add({.name = QStringLiteral("QRHora"), .kind = ReportElement::Label,
                               .text = QStringLiteral("Hora"), .left = 40.22, .top = 14.82});
    // Bound to the main window's editor: it prints that editor's content with its formatting.
    Qrtexto = DetailBand1->add({.name = QStringLiteral("Qrtexto"),
                                .kind = ReportElement::RichText,
                                .document = FormPrincipal ? FormPrincipal->Rdtexto->document() : nullptr,
                                .left = 8.47,
                                .top = 23.28,
                                .width = 182.03,
                                .height = 8.47});

    PageFooterBand1 = QuickRepVisualizar->addBand({.name = QStringLiteral("PageFooterBand1"), .kind = ReportBand::PageFooter, .height = 9.26});
    QRSysData2 = PageFooterBand1->add({.name = QStringLiteral("QRSysData2"), .kind = ReportElement::PageNumber, .top = 2.12});
    QRSysData2->alignment = Qt::AlignHCenter;
    QRSysData2->font = arial10;
}

TFormVisualizar::~TFormVisualizar() = default;

QPrinter &TFormVisualizar::Impressora()
{
    if (!m_impressora)
        m_impressora = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QuickRepVisualizar->setUp(*m_impressora);
    return *m_impressora;
}

void TFormVisualizar::EsquecerImpressora()
{
    m_impressora.reset();
}

void TFormVisualizar::ProporArquivo(const QString &titulo)
{
    QPrinter &impressora = Impressora();
    // A file name makes the printer print to a file: a printer chosen last stays chosen.
    if (impressora.outputFormat() != QPrinter::PdfFormat && !QPrinterInfo::availablePrinterNames().isEmpty())
        return;
    const QString ultimo = impressora.outputFileName();
    const QString pasta = ultimo.isEmpty() ? DiaryEntryFiles::folder() : QFileInfo(ultimo).absolutePath();
    const QString nome = DiaryEntryFiles::isFileName(titulo) ? titulo : QStringLiteral("Dorlinda");
    QString proposto;
    for (int n = 1; n < 1000; ++n) {
        proposto = QDir(pasta).filePath(DiaryEntryFiles::candidate(nome, n) + QStringLiteral(".pdf"));
        if (!ArquivoDeEntrada(proposto))
            break;
    }
    impressora.setOutputFileName(proposto);
}

bool TFormVisualizar::ArquivoDeEntrada(const QString &caminho)
{
    const QFileInfo arquivo(caminho);
    if (QFileInfo(arquivo.absolutePath()).canonicalFilePath() != QFileInfo(DiaryEntryFiles::folder()).canonicalFilePath())
        return false;
    return DiaryDatabase::isEntryFile(arquivo.fileName()).value_or(true);
}
