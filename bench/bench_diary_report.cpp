// The printed report of a 10-page entry with mixed formatting: the preview opened (the command to
// every page drawn in the preview window), the report laid out, and the PDF written (the report
// laid out, painted and the file written, as after the print dialog is confirmed).
// Usage: bench_diary_report [runs=15]   (prints medians in milliseconds)
#include "BandedReport.h"
#include "BenchDiary.h"
#include "BenchSupport.h"
#include "Messages.h"
#include "Principal.h"
#include "Programa.h"
#include "VisualizarImpressao.h"
#include "global.h"

#include <QApplication>
#include <QDialog>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextEdit>
#include <QTextStream>

using namespace Bench;

namespace {

// Paragraphs of plain, bold, italic and larger words, until the report has `pages` pages.
void escrever(int pages)
{
    QTextEdit *editor = FormPrincipal->Rdtexto;
    editor->clear();
    QTextCursor c(editor->document());
    static const QStringList palavras = {"Querido", "diário,", "hoje", "fomos", "à", "praia", "e", "o", "mar",
                                         "estava", "calmo;", "depois", "almoçamos", "na", "casa", "da", "avó."};
    int n = 0;
    while (FormVisualizar->QuickRepVisualizar->plan(QDate::currentDate()).pages.size() < pages) {
        for (int p = 0; p < 10; ++p) {
            for (int i = 0; i < 90; ++i, ++n) {
                QTextCharFormat f;
                f.setFontWeight(n % 7 == 0 ? QFont::Bold : QFont::Normal);
                f.setFontItalic(n % 11 == 0);
                f.setFontPointSize(n % 29 == 0 ? 16 : 12);
                c.insertText(palavras[n % palavras.size()] + ' ', f);
            }
            c.insertBlock();
        }
    }
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 15;
    QTextStream out(stdout);

    QTemporaryDir dir(QDir::tempPath() + "/diary-report-bench-XXXXXX");
    QDir::setCurrent(dir.path());
    Messages::setAnswerer([](const Messages::Message &) { return Messages::No; });
    if (!Programa::CriarJanelas())
        return 1;
    logIn(QStringLiteral("bench"));

    const int pages = 10;
    escrever(pages);
    BandedReport *relatorio = FormVisualizar->QuickRepVisualizar;
    out << "entry of " << FormPrincipal->Rdtexto->document()->characterCount() << " characters, "
        << relatorio->plan(QDate::currentDate()).pages.size() << " pages\n";

    QList<double> previa, plano, pdf;
    QElapsedTimer relogio;
    for (int i = 0; i < runs; ++i) {
        double mostrada = 0;
        relogio.restart();
        noModal([&](QWidget *m) {
            m->repaint();
            mostrada = ms(relogio);
            m->close();
        });
        FormPrincipal->Visualizarimpresso1Click();
        previa << mostrada;

        QPrinter impressora(QPrinter::HighResolution);
        relatorio->setUp(impressora);
        impressora.setOutputFormat(QPrinter::PdfFormat);
        impressora.setOutputFileName(dir.filePath(QStringLiteral("entrada%1.pdf").arg(i)));
        relogio.restart();
        FormPrincipal->PrepararRelatorio();
        const ReportPlan p = relatorio->plan(QDate::currentDate());
        plano << ms(relogio);
        if (!relatorio->print(p, impressora))
            out << "PDF not written\n";
        pdf << ms(relogio);
    }
    out << "preview opened, every page drawn: " << median(previa) << " ms\n";
    out << "report laid out:                  " << median(plano) << " ms\n";
    out << "PDF written (laid out, painted):  " << median(pdf) << " ms\n";
    out << "(medians of " << runs << " runs)\n";
    out.flush();
    Programa::DestruirJanelas();
    return 0;
}
