// The printed report of the entry in the editor: what stands where on which page, the title, date
// and time of new and stored entries, the preview, the print dialog and the PDF it writes.
#include "DiarioTeste.h"
#include "EntradasTeste.h"
#include "PrintedPdf.h"

#include "BandedReport.h"
#include "DiaryDatabase.h"
#include "DiaryUsers.h"
#include "Principal.h"
#include "Programa.h"
#include "RichText.h"
#include "VisualizarImpressao.h"
#include "global.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QMap>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimer>

using namespace DiarioTeste;

namespace {

// Where the bands of an A4 page with 10 mm margins stand, in millimetres from the paper's top.
constexpr double CorpoTopo = 10 + 8.47;        // below the page header
constexpr double RodapeTopo = 297 - 10 - 9.26; // the page footer
constexpr double TituloTopo = RodapeTopo - 11.38;
constexpr double TextoTopo = CorpoTopo + 23.28;

QString paragrafos(int quantos)
{
    QStringList p;
    for (int i = 1; i <= quantos; ++i)
        p.append(QStringLiteral("Linha %1 do diário.").arg(i));
    return p.join('\n');
}

void escrever(const QString &texto)
{
    FormPrincipal->Rdtexto->clear();
    FormPrincipal->Rdtexto->insertPlainText(texto);
}

ReportPlan plano()
{
    return FormVisualizar->QuickRepVisualizar->plan(QDate(2024, 7, 9));
}

QString textoDe(const ReportPage &pagina, const QString &elemento)
{
    const PlacedElement *e = pagina.element(elemento);
    return e ? e->text : QStringLiteral("<nenhum>");
}

// Answers every modal window that comes up while it lives (the first as told, through its own OK
// button, the others with Cancel; a question with `resposta`), and keeps what came up, the file
// name each print dialog proposed and the questions asked.
struct Vigia {
    QStringList vistos;
    QStringList propostos;
    QStringList perguntas;
    int paginas = -1;
    bool clicando = false;
    QString digitado; // typed into the file name box before OK
    QTimer timer;
    explicit Vigia(bool aceitar, QMessageBox::StandardButton resposta = QMessageBox::No)
    {
        QObject::connect(&timer, &QTimer::timeout, [this, aceitar, resposta] {
            auto *modal = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (!modal)
                return;
            auto *pergunta = qobject_cast<QMessageBox *>(modal);
            if (clicando && !pergunta)
                return;
            if (pergunta) {
                perguntas.append(pergunta->text());
                QMetaObject::invokeMethod(pergunta->button(resposta), &QAbstractButton::click, Qt::QueuedConnection);
                return;
            }
            vistos.append(modal->objectName().isEmpty() ? modal->windowTitle() : modal->objectName());
            if (auto *previa = modal->findChild<QPrintPreviewWidget *>())
                paginas = previa->pageCount();
            // Qt's own name for the file name box of its print dialog.
            if (auto *nome = modal->findChild<QLineEdit *>(QStringLiteral("filename"))) {
                propostos.append(nome->text());
                if (!digitado.isEmpty())
                    nome->setText(digitado);
            }
            auto *botoes = modal->findChild<QDialogButtonBox *>();
            // Clicked from the event loop, not from inside this timer: what the click opens must
            // find the timer free.
            if (aceitar && vistos.size() == 1 && botoes && botoes->button(QDialogButtonBox::Ok)) {
                clicando = true;
                QAbstractButton *ok = botoes->button(QDialogButtonBox::Ok);
                QMetaObject::invokeMethod(
                    ok,
                    [this, ok] {
                        ok->click();
                        clicando = false;
                    },
                    Qt::QueuedConnection);
            }
            else if (aceitar && vistos.size() == 1)
                modal->accept();
            else
                modal->reject();
        });
        timer.start(0);
    }
};

QString pdf(const QStringList &argumentos)
{
    QProcess p;
    p.start(argumentos.first(), argumentos.mid(1));
    return p.waitForFinished(30000) ? QString::fromUtf8(p.readAllStandardOutput()) : QString();
}

} // namespace

class TestImpressao : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        for (const QString &f : QDir::current().entryList(QDir::Files))
            QFile::remove(f);
        QVERIFY(abrirLogado());
    }

    void cleanup()
    {
        Programa::DestruirJanelas();
    }

    // Every page: the date of printing at its head, its number at its foot; the title band at the
    // foot of the first page only; the text in whole lines between them, none lost or repeated.
    void pagePlan_data()
    {
        QTest::addColumn<int>("linhas");
        QTest::addColumn<int>("paginas");
        QTest::newRow("short entry") << 3 << 1;
        QTest::newRow("three-page entry") << 120 << 3;
    }
    void pagePlan()
    {
        QFETCH(int, linhas);
        QFETCH(int, paginas);
        escrever(paragrafos(linhas));
        const ReportPlan p = plano();
        QCOMPARE(p.pages.size(), paginas);
        QString texto;
        for (int n = 0; n < paginas; ++n) {
            const ReportPage &pagina = p.pages[n];
            QCOMPARE(textoDe(pagina, "QRLabel2"), QStringLiteral("Data de impressão:"));
            QCOMPARE(pagina.element("QRLabel2")->rect.topLeft(), QPointF(10 + 130.70, 10));
            QCOMPARE(textoDe(pagina, "QRSysData1"), QStringLiteral("09/07/2024"));
            QCOMPARE(pagina.element("QRSysData1")->rect.right(), 200.0);
            QCOMPARE(textoDe(pagina, "QRSysData2"), QString::number(n + 1));
            QCOMPARE(pagina.element("QRSysData2")->rect.top(), RodapeTopo + 2.12);
            QCOMPARE(bool(pagina.element("QRLabel1")), n == 0);
            QCOMPARE(bool(pagina.element("QrTitulo")), n == 0);

            const PlacedElement *parte = pagina.element("Qrtexto");
            QVERIFY(parte);
            QCOMPARE(parte->rect.left(), 10 + 8.47);
            QCOMPARE(parte->rect.top(), n == 0 ? TextoTopo : CorpoTopo);
            QVERIFY(parte->rect.bottom() <= (n == 0 ? TituloTopo : RodapeTopo));
            QVERIFY(parte->text.endsWith(u'.'));
            texto += (n ? "\n" : "") + parte->text;
        }
        QCOMPARE(texto, paragrafos(linhas));

        const ReportPage &primeira = p.pages.first();
        QCOMPARE(primeira.band("TitleBand1")->rect, QRectF(10, TituloTopo, 190, 11.38));
        QCOMPARE(primeira.element("QRLabel1")->text, QStringLiteral("D o r l i n d a"));
        QCOMPARE(primeira.element("QRLabel1")->rect.center().x(), 105.0);
        QCOMPARE(primeira.element("QrTitulo")->rect.topLeft(), QPointF(10 + 8.47, CorpoTopo + 6.35));
        QCOMPARE(primeira.element("QRData")->rect.topLeft(), QPointF(10 + 8.47, CorpoTopo + 14.82));
        QCOMPARE(primeira.element("QRHora")->rect.topLeft(), QPointF(10 + 40.22, CorpoTopo + 14.82));
    }

    // A line taller than a page fills the page it is given, and the text goes on after it.
    void aLineTallerThanAPageIsClippedAtThePage()
    {
        escrever(QStringLiteral("antes"));
        QTextCursor c = FormPrincipal->Rdtexto->textCursor();
        c.movePosition(QTextCursor::End);
        QTextCharFormat enorme;
        enorme.setFontPointSize(800);
        c.insertBlock();
        c.insertText(QStringLiteral("W"), enorme);
        c.insertBlock();
        c.insertText(QStringLiteral("depois"), QTextCharFormat());
        const ReportPlan p = plano();
        QCOMPARE(p.pages.size(), 3);
        QCOMPARE(textoDe(p.pages[0], "Qrtexto"), QStringLiteral("antes"));
        QCOMPARE(textoDe(p.pages[1], "Qrtexto"), QStringLiteral("W"));
        QCOMPARE(p.pages[1].element("Qrtexto")->rect.bottom(), RodapeTopo);
        QCOMPARE(textoDe(p.pages[2], "Qrtexto"), QStringLiteral("depois"));
    }

    // A new entry shows its proposed title with the date and time now; a stored one the date and
    // time of its last save, with the text as it is in the editor; only the owner's row counts.
    void titleDateAndTime_data()
    {
        QTest::addColumn<bool>("gravada");
        QTest::addColumn<bool>("linhaPropria");
        QTest::addColumn<QString>("titulo");
        QTest::addColumn<QString>("data");
        QTest::addColumn<QString>("hora");
        QTest::newRow("new entry") << false << false << "Título1" << "" << "";
        QTest::newRow("stored entry") << true << true << "Férias" << "05/03/2024" << "14:07";
        QTest::newRow("row of another user only") << true << false << "FÉRIAS" << "" << "";
    }
    void titleDateAndTime()
    {
        QFETCH(bool, gravada);
        QFETCH(bool, linhaPropria);
        QFETCH(QString, titulo);
        QFETCH(QString, data);
        QFETCH(QString, hora);
        QTextDocument salvo;
        salvo.setPlainText("como foi salvo");
        const QDateTime quando(QDate(2024, 3, 5), QTime(14, 7, 30));
        bool existente = false;
        QVERIFY(DiaryUsers::create("bia", "outra", existente));
        QVERIFY(DiaryDatabase::saveEntry("outra", "Férias", false, salvo, quando.addDays(1)).ok);
        if (linhaPropria)
            QVERIFY(DiaryDatabase::saveEntry("segredo", "Férias", false, salvo, quando).ok);
        if (gravada) {
            TituloAtual = QStringLiteral("FÉRIAS");
            ArquivoGravado = true;
        }
        escrever(QStringLiteral("mudado depois"));
        const QDateTime antes = QDateTime::currentDateTime();
        QVERIFY(FormPrincipal->PrepararRelatorio());
        const ReportPage pagina = plano().pages.first();
        QCOMPARE(textoDe(pagina, "QrTitulo"), titulo);
        if (gravada) {
            QCOMPARE(textoDe(pagina, "QRData"), data);
            QCOMPARE(textoDe(pagina, "QRHora"), hora);
        } else {
            QCOMPARE(textoDe(pagina, "QRData"), antes.date().toString("dd/MM/yyyy"));
            QVERIFY(qAbs(QTime::fromString(textoDe(pagina, "QRHora"), "HH:mm").secsTo(antes.time())) < 120);
        }
        QCOMPARE(textoDe(pagina, "Qrtexto"), QStringLiteral("mudado depois"));
    }

    // The preview shows every page; the print dialog, proposing the entry's title in the folder
    // chosen last, confirmed, prints them to that PDF file, cancelled, nothing; a file that is there
    // already is replaced only after a Yes to one question, else the dialog stays; while nobody is logged in,
    // the hidden editor's text is not printed.
    void commands_data()
    {
        QTest::addColumn<QString>("comando");
        QTest::addColumn<bool>("logado");
        QTest::addColumn<bool>("confirmar");
        QTest::addColumn<QByteArray>("anterior");
        QTest::addColumn<int>("resposta");
        QTest::addColumn<QString>("visto");
        const QByteArray nada;
        const int sim = Messages::Yes, nao = Messages::No;
        QTest::newRow("preview") << "Visualizarimpresso1" << true << false << nada << nao
                                 << "Dorlinda [ Visualizar impressão ]";
        QTest::newRow("print") << "Imprimir1" << true << true << nada << nao << "PrintDialogPrincipal";
        QTest::newRow("print cancelled") << "Imprimir1" << true << false << nada << nao << "PrintDialogPrincipal";
        QTest::newRow("print over an earlier print, replaced")
            << "Imprimir1" << true << true << QByteArray("impresso antes") << sim << "PrintDialogPrincipal";
        QTest::newRow("print over an earlier print, kept")
            << "Imprimir1" << true << true << QByteArray("impresso antes") << nao
            << "PrintDialogPrincipal|PrintDialogPrincipal";
        QTest::newRow("preview, logged out") << "Visualizarimpresso1" << false << false << nada << nao << "";
        QTest::newRow("print, logged out") << "Imprimir1" << false << true << nada << nao << "";
    }
    void commands()
    {
        QFETCH(QString, comando);
        QFETCH(bool, logado);
        QFETCH(bool, confirmar);
        QFETCH(QByteArray, anterior);
        QFETCH(int, resposta);
        QFETCH(QString, visto);
        escrever(paragrafos(120));
        if (!logado)
            FormPrincipal->EncerrarSessao();
        QVERIFY(QDir().mkpath("impressos"));
        const QString arquivo = QDir::current().absoluteFilePath("impressos/Título1.pdf");
        QFile::remove(arquivo);
        if (!anterior.isEmpty()) {
            QFile antes(arquivo);
            QVERIFY(antes.open(QIODevice::WriteOnly));
            antes.write(anterior);
        }
        FormVisualizar->Impressora().setOutputFileName(QDir::current().absoluteFilePath("impressos/outro.pdf"));
        Caixas caixas{Messages::Button(resposta)};
        Vigia vigia(confirmar, resposta == Messages::Yes ? QMessageBox::Yes : QMessageBox::No);
        FormPrincipal->findChild<QAction *>(comando)->trigger();
        QCOMPARE(vigia.vistos.join('|'), visto);
        if (comando == "Imprimir1" && logado)
            QCOMPARE(vigia.propostos.first(), arquivo);
        // One question before a file is replaced: the dialog's own.
        QCOMPARE(caixas.textos(), QStringList());
        QCOMPARE(vigia.perguntas.size(), anterior.isEmpty() || !confirmar ? 0 : 1);
        if (!vigia.perguntas.isEmpty())
            QVERIFY2(vigia.perguntas[0].contains(arquivo), qPrintable(vigia.perguntas[0]));
        if (comando == "Visualizarimpresso1" && logado)
            QCOMPARE(vigia.paginas, 3);
        const bool impresso = !visto.isEmpty() && confirmar && (anterior.isEmpty() || resposta == Messages::Yes);
        QFile feito(arquivo);
        QCOMPARE(feito.exists(), impresso || !anterior.isEmpty());
        if (!impresso) {
            if (feito.exists()) {
                QVERIFY(feito.open(QIODevice::ReadOnly));
                QCOMPARE(feito.readAll(), anterior);
            }
            return;
        }
        QVERIFY(pdf({"pdfinfo", arquivo}).contains(QRegularExpression("Pages: +3\n")));
        const ReportPlan p = plano();
        const QString hoje = QDate::currentDate().toString("dd/MM/yyyy");
        for (int n = 1; n <= 3; ++n) {
            QStringList linhas;
            for (const QString &l : pdf({"pdftotext", "-layout", "-f", QString::number(n), "-l", QString::number(n),
                                         arquivo, "-"}).split('\n'))
                if (!l.simplified().isEmpty())
                    linhas.append(l.simplified());
            QCOMPARE(linhas.takeFirst(), "Data de impressão: " + hoje);
            QCOMPARE(linhas.takeLast(), QString::number(n));
            if (n == 1) {
                QCOMPARE(linhas.takeLast(), QStringLiteral("Dorlinda"));
                QCOMPARE(linhas.takeFirst(), QStringLiteral("Título1"));
                QCOMPARE(linhas.takeFirst(), hoje + ' ' + FormVisualizar->QRHora->text);
            }
            QCOMPARE(linhas.join('\n'), p.pages[n - 1].element("Qrtexto")->text);
        }
    }

    // The PDF proposed in the data folder is never an entry's file (an entry titled "Título1.pdf"),
    // and one typed there is refused: the dialog comes back, and the entry keeps its text.
    void anEntrysFileIsNeverPrintedOver_data()
    {
        QTest::addColumn<QStringList>("entradas");
        QTest::addColumn<bool>("digitar");
        QTest::addColumn<QString>("proposto");
        QTest::newRow("no entry of that name") << QStringList({"Outra"}) << false << "Título1.pdf";
        QTest::newRow("an entry of that name") << QStringList({"TÍTULO1.pdf"}) << false << "Título1 (2).pdf";
        QTest::newRow("two") << QStringList({"Título1.pdf", "Título1 (2).pdf"}) << false << "Título1 (3).pdf";
        QTest::newRow("typed") << QStringList({"Título1.pdf"}) << true << "Título1 (2).pdf";
    }
    void anEntrysFileIsNeverPrintedOver()
    {
        QFETCH(QStringList, entradas);
        QFETCH(bool, digitar);
        QFETCH(QString, proposto);
        for (const QString &titulo : entradas)
            guardada(titulo, "outra", "2024-01-01", "de " + titulo);
        escrever(paragrafos(3));
        Caixas caixas(Messages::Ok);
        Vigia vigia(true, QMessageBox::Yes);
        if (digitar)
            vigia.digitado = QDir::current().absoluteFilePath(entradas[0]);
        FormPrincipal->Imprimir1->trigger();
        QCOMPARE(vigia.propostos.first(), QDir::current().absoluteFilePath(proposto));
        for (const QString &titulo : entradas)
            QCOMPARE(lerArquivo(titulo), rtf("de " + titulo));
        if (digitar) {
            QCOMPARE(vigia.vistos.join('|'), QStringLiteral("PrintDialogPrincipal|PrintDialogPrincipal"));
            QCOMPARE(caixas.textos(), QStringList({"O arquivo \"" + vigia.digitado + "\" guarda o texto de uma "
                                                   "entrada do diário: escolha outro nome."}));
        } else {
            QVERIFY(caixas.textos().isEmpty());
            QVERIFY(pdf({"pdfinfo", QDir::current().absoluteFilePath(proposto)}).contains("Pages:"));
        }
    }

    // The folder chosen for printing is offered again to the same user, never to the next one.
    void theFolderChosenStaysWithTheUser()
    {
        const QString arquivo = QDir::current().absoluteFilePath("Férias.pdf");
        FormVisualizar->Impressora().setOutputFileName(arquivo);
        QCOMPARE(FormVisualizar->Impressora().outputFileName(), arquivo);
        FormPrincipal->EncerrarSessao();
        QVERIFY(FormVisualizar->Impressora().outputFileName().isEmpty());
    }

    // The editor's paragraphs print at the sizes it gives them, measured in the PDF: indents from the
    // text's left edge (10 + 8.47 mm from the paper's) and its right one, the space between two
    // paragraphs beyond their lines' own, and the default tab stop (80 pixels, 60 points).
    void paragraphsPrintAtTheEditorsSizes_data()
    {
        QTest::addColumn<QList<double>>("recuos");  // first line, the others (from the first), right
        QTest::addColumn<QList<double>>("espacos"); // after the first paragraph, before the second
        QTest::addColumn<QString>("medida");
        QTest::addColumn<double>("minimo");
        QTest::addColumn<double>("maximo");
        QTest::newRow("first line") << QList<double>{30, -30, 0} << QList<double>{0, 0} << "primeira" << 29.0 << 31.0;
        QTest::newRow("other lines") << QList<double>{0, 36, 0} << QList<double>{0, 0} << "seguintes" << 35.0 << 37.0;
        QTest::newRow("both") << QList<double>{18, 24, 0} << QList<double>{0, 0} << "seguintes" << 41.0 << 43.0;
        QTest::newRow("right") << QList<double>{0, 0, 100} << QList<double>{0, 0} << "direita" << 99.0 << 131.0;
        QTest::newRow("space after") << QList<double>{0, 0, 0} << QList<double>{18, 0} << "entre" << 17.0 << 19.0;
        QTest::newRow("space before") << QList<double>{0, 0, 0} << QList<double>{0, 24} << "entre" << 23.0 << 25.0;
        QTest::newRow("tab stop") << QList<double>{0, 0, 0} << QList<double>{0, 0} << "tabulacao" << 59.0 << 61.0;
    }
    void paragraphsPrintAtTheEditorsSizes()
    {
        QFETCH(QList<double>, recuos);
        QFETCH(QList<double>, espacos);
        QFETCH(QString, medida);
        QFETCH(double, minimo);
        QFETCH(double, maximo);
        escrever(QStringLiteral("alfa ").repeated(80).trimmed() + QStringLiteral("\nx\ty"));
        QTextDocument *doc = FormPrincipal->Rdtexto->document();
        QTextCursor c(doc);
        QTextBlockFormat primeiro = doc->firstBlock().blockFormat();
        RichText::setIndents(primeiro, {recuos[0], recuos[1], recuos[2]});
        primeiro.setBottomMargin(espacos[0] * RichText::PixelsPerPoint);
        c.setBlockFormat(primeiro);
        c.movePosition(QTextCursor::End);
        QTextBlockFormat segundo = c.blockFormat();
        segundo.setTopMargin(espacos[1] * RichText::PixelsPerPoint);
        c.setBlockFormat(segundo);

        const QString arquivo = QDir::current().absoluteFilePath("recuos.pdf");
        QPrinter &impressora = FormVisualizar->Impressora();
        impressora.setOutputFormat(QPrinter::PdfFormat);
        impressora.setOutputFileName(arquivo);
        QVERIFY(FormPrincipal->PrepararRelatorio());
        BandedReport *relatorio = FormVisualizar->QuickRepVisualizar;
        QVERIFY(relatorio->print(relatorio->plan(QDate::currentDate()), impressora));

        // The text's lines, top to bottom, each its words left to right.
        constexpr double PontosPorMm = 72 / 25.4;
        const double esquerda = (10 + 8.47) * PontosPorMm;
        const double largura = 182.03 * PontosPorMm;
        QMap<int, QList<PrintedPdf::Word>> porLinha;
        for (const PrintedPdf::Word &w : PrintedPdf::words(arquivo))
            if (w.box.top() > TextoTopo * PontosPorMm - 2 && w.box.top() < TituloTopo * PontosPorMm)
                porLinha[qRound(w.box.top() * 10)].append(w);
        QList<QList<PrintedPdf::Word>> linhas = porLinha.values();
        QVERIFY(linhas.size() >= 4);
        const QList<PrintedPdf::Word> ultima = linhas.takeLast();
        QCOMPARE(ultima.size(), 2);
        QCOMPARE(ultima[1].text, QStringLiteral("y"));
        const auto topo = [](const QList<PrintedPdf::Word> &l) { return l.first().box.top(); };
        double medido = 0;
        if (medida == "primeira") {
            medido = linhas[0].first().box.left() - esquerda;
        } else if (medida == "seguintes") {
            medido = linhas[1].first().box.left() - esquerda;
        } else if (medida == "direita") {
            double fim = 0;
            for (const QList<PrintedPdf::Word> &l : linhas)
                fim = qMax(fim, l.last().box.right());
            medido = esquerda + largura - fim;
        } else if (medida == "entre") {
            medido = (topo(ultima) - topo(linhas.last())) - (topo(linhas[1]) - topo(linhas[0]));
        } else {
            medido = ultima[1].box.left() - esquerda;
        }
        QVERIFY2(medido >= minimo && medido <= maximo, qPrintable(QString::number(medido)));
    }

    // A stored entry whose row cannot be read is reported, and nothing is previewed.
    void anUnreadableRowIsReported()
    {
        Caixas caixas;
        TituloAtual = QStringLiteral("Férias");
        ArquivoGravado = true;
        DiaryDatabase::close();
        FormPrincipal->Visualizarimpresso1->trigger();
        QCOMPARE(caixas.vistas.size(), 1);
        QVERIFY(caixas.vistas.first().text.startsWith(QStringLiteral("Não foi possível ler a data de Férias.")));
    }
};

QTEST_MAIN(TestImpressao)
#include "test_impressao.moc"
