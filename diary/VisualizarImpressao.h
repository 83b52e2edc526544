#pragma once
// The report window: never shown itself, it holds the printed report of the entry in the editor,
// QuickRepVisualizar (A4 portrait, 10 mm margins): the date of printing at the head of each page,
// "D o r l i n d a" at the foot of the first, the entry's title, date and time with the editor's
// formatted text below them, and the page number at the foot of each page.
#include <QDialog>

#include <memory>

class BandedReport;
class QPrinter;
struct ReportBand;
struct ReportElement;

class TFormVisualizar : public QDialog {
    Q_OBJECT
public:
    explicit TFormVisualizar(QWidget *parent = nullptr);
    ~TFormVisualizar() override;

    BandedReport *QuickRepVisualizar;
    ReportBand *PageHeaderBand1, *TitleBand1, *DetailBand1, *PageFooterBand1;
    ReportElement *QRLabel2, *QRSysData1; // "Data de impressão:" and the date of printing
    ReportElement *QRLabel1;              // "D o r l i n d a"
    ReportElement *QrTitulo, *QRData, *QRHora, *Qrtexto;
    ReportElement *QRSysData2;            // the page number

    // The printer the report is previewed and printed on, set up for the report; kept while the
    // user stays logged in, so that the printer and folder chosen last are offered again.
    QPrinter &Impressora();
    // At a log-out: the next user is not offered the printer and the folder that this one chose.
    void EsquecerImpressora();
    // Where the report goes to a PDF file (no printer is installed, or a file was chosen last): the
    // entry's title with ".pdf", in the folder of the file chosen last (the data folder at first);
    // where an entry's file has that name, the first "title (n).pdf" that none has.
    void ProporArquivo(const QString &titulo);
    // Whether the file at that path is an entry's file of the data folder (or whether the database
    // cannot tell): a print must not replace it.
    static bool ArquivoDeEntrada(const QString &caminho);

private:
    std::unique_ptr<QPrinter> m_impressora;
};

extern TFormVisualizar *FormVisualizar;
