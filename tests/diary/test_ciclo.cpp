// An entry saved through the save dialog and opened again through the open dialog, with real
// entry files: the editor shows it as it was (text, paragraphs, fonts, sizes, styles, colours,
// alignment, indents), it is not "changed", the window's background colour is not in the file, and
// a second save writes the same bytes.
#include "DiarioTeste.h"

#include "Consulta.h"
#include "FontColorDialog.h"
#include "Principal.h"
#include "Programa.h"
#include "RichText.h"
#include "Salvar.h"
#include "global.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>

#include <functional>
#include <memory>

using namespace DiarioTeste;

using Receita = std::function<void(QTextEdit *)>;
Q_DECLARE_METATYPE(Receita)

namespace {

const QColor Fundo(0x12, 0x34, 0x56);

// The editor's text as drawn, on a page of a fixed width.
QImage desenho(const QTextDocument &doc)
{
    std::unique_ptr<QTextDocument> copia(doc.clone());
    copia->setTextWidth(500);
    QImage img(500, int(copia->size().height()) + 1, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    copia->drawContents(&p);
    return img;
}

// The font dialog on the selection: `letra` chosen in it, or confirmed as it came when null.
void fonte(const std::optional<QFont> &letra, const QColor &cor = {})
{
    quandoModal([=](QWidget *m) {
        auto *d = qobject_cast<FontColorDialog *>(m);
        QVERIFY(d);
        if (letra)
            d->setCurrentFont(*letra);
        if (cor.isValid())
            d->setCurrentColor(cor);
        d->accept();
    });
    FormPrincipal->Fonte1->trigger();
}

void salvarComo(const QString &titulo)
{
    quandoModal([=](QWidget *m) {
        auto *s = qobject_cast<TFormSalvar *>(m);
        QVERIFY(s);
        s->EditTitulo->setText(titulo);
        QTest::mouseClick(s->BSalvar, Qt::LeftButton);
    });
    FormPrincipal->Salvar1->trigger();
}

void abrir(const QString &titulo)
{
    quandoModal([=](QWidget *m) {
        auto *a = qobject_cast<TFormAbrir *>(m);
        QVERIFY(a);
        const QAbstractItemModel *lista = a->DBGrid1->model();
        for (int i = 0; i < lista->rowCount(); ++i)
            if (lista->index(i, 0).data().toString() == titulo)
                a->DBGrid1->setCurrentIndex(lista->index(i, 0));
        QTest::mouseClick(a->Babrir, Qt::LeftButton);
    });
    FormPrincipal->Abrir1->trigger();
}

QByteArray arquivo(const QString &nome)
{
    QFile f(nome);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestCiclo : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        for (const QString &f : QDir::current().entryList(QDir::Files))
            QFile::remove(f);
        QVERIFY(abrirLogado("segredo", "ana"));
        quandoModal([](QWidget *m) {
            auto *d = qobject_cast<QColorDialog *>(m);
            QVERIFY(d);
            d->setCurrentColor(Fundo);
            d->accept();
        });
        FormPrincipal->Background1->trigger();
    }

    void cleanup()
    {
        Programa::DestruirJanelas();
    }

    void savedAndOpenedAgain_data()
    {
        QTest::addColumn<QString>("titulo");
        QTest::addColumn<Receita>("receita");
        QTest::addColumn<int>("paragrafos");
        QTest::addColumn<QByteArrayList>("noArquivo");

        QTest::newRow("Portuguese, CJK and emoji")
            << QStringLiteral("Ação d'água")
            << Receita([](QTextEdit *e) { e->insertPlainText(QStringLiteral("Ação é útil — 50 €\n中文 😀")); }) << 2
            << QByteArrayList{"A\\'e7\\'e3o \\'e9 \\'fatil \\'97 50 \\'80\\par", "\\u20013?\\u25991? \\u-10179?\\u-8704?\\par"};
        QTest::newRow("font, size, styles and colour from the font dialog")
            << QStringLiteral("Fonte")
            << Receita([](QTextEdit *e) {
                   e->insertPlainText(QStringLiteral("simples enfeitado"));
                   QTextCursor c = e->textCursor();
                   c.setPosition(8);
                   c.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
                   e->setTextCursor(c);
                   QFont f(QStringLiteral("DejaVu Sans"));
                   f.setPointSize(16);
                   f.setBold(true);
                   f.setItalic(true);
                   f.setUnderline(true);
                   f.setStrikeOut(true);
                   fonte(f, Qt::red);
               })
            << 1 << QByteArrayList{"\\f0\\fs24 simples \\f1\\fs32\\b\\i\\ul\\strike\\cf1 enfeitado\\par", "DejaVu Sans;"};
        QTest::newRow("the font dialog confirmed as it came")
            << QStringLiteral("Mesma fonte")
            << Receita([](QTextEdit *e) {
                   e->insertPlainText(QStringLiteral("Olá"));
                   FormPrincipal->Selecionartudo1->trigger();
                   fonte(std::nullopt);
               })
            << 1 << QByteArrayList{"{\\fonttbl{\\f0\\fnil\\fcharset0 Times New Roman;}}", "\\f0\\fs24\\cf1 Ol\\'e1\\par"};
        QTest::newRow("alignment of each paragraph")
            << QStringLiteral("Alinhamentos")
            << Receita([](QTextEdit *e) {
                   e->insertPlainText(QStringLiteral("centro"));
                   FormPrincipal->Centralizado1->trigger();
                   e->insertPlainText(QStringLiteral("\ndireita"));
                   FormPrincipal->Direita1->trigger();
                   e->insertPlainText(QStringLiteral("\nesquerda"));
                   FormPrincipal->Esquerda1->trigger();
               })
            << 3 << QByteArrayList{"\\pard\\qc\\f0\\fs24 centro\\par", "\\pard\\qr direita\\par", "\\pard esquerda\\par"};
        QTest::newRow("indents, which a new entry keeps")
            << QStringLiteral("Recuos")
            << Receita([](QTextEdit *e) {
                   QTextCursor c = e->textCursor();
                   QTextBlockFormat f = c.blockFormat();
                   RichText::setIndents(f, {10, 20, 15});
                   c.setBlockFormat(f);
                   FormPrincipal->Novo1->trigger();
                   e->insertPlainText(QStringLiteral("recuado"));
               })
            << 1 << QByteArrayList{"\\pard\\li600\\ri300\\fi-400\\f0\\fs24 recuado\\par"};
        QTest::newRow("an empty entry")
            << QStringLiteral("Vazia") << Receita([](QTextEdit *) {}) << 1 << QByteArrayList{"\\uc1\\pard\\f0\\fs24\\par\r\n}"};
        QTest::newRow("empty paragraphs at the end")
            << QStringLiteral("Fim vazio")
            << Receita([](QTextEdit *e) { e->insertPlainText(QStringLiteral("linha\n\n\n")); }) << 4
            << QByteArrayList{"linha\\par\r\n\\pard\\par\r\n\\pard\\par\r\n\\pard\\par\r\n}"};
        QTest::newRow("a web page pasted")
            << QStringLiteral("Colado")
            << Receita([](QTextEdit *) {
                   auto *dados = new QMimeData;
                   dados->setHtml(QStringLiteral(
                       "<p style='background:yellow'>Um <a href='https://x.example'>elo</a> e<sup>2</sup></p>"
                       "<ul><li>item</li></ul><table border=1><tr><td>a</td><td>b</td></tr></table>"
                       "<p style='line-height:300%'>fim <img src='data:image/png;base64,iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAYAAAAfFcSJAAAADUlEQVR42mNk+M9QDwADhgGAWjR9awAAAABJRU5ErkJggg==' width=40 height=40></p>"));
                   QApplication::clipboard()->setMimeData(dados);
                   FormPrincipal->Colar1->trigger();
               })
            << 6 << QByteArrayList{"\\ul\\cf2\\highlight0 elo\\ulnone\\cf0  e2\\par"};
    }
    void savedAndOpenedAgain()
    {
        QFETCH(QString, titulo);
        QFETCH(Receita, receita);
        QFETCH(int, paragrafos);
        QFETCH(QByteArrayList, noArquivo);
        QTextEdit *editor = FormPrincipal->Rdtexto;
        Caixas caixas(Messages::No);

        receita(editor);
        const QImage antes = desenho(*editor->document());
        const QString texto = editor->toPlainText();
        QCOMPARE(editor->document()->blockCount(), paragrafos);
        salvarComo(titulo);
        QCOMPARE(TituloAtual, std::optional<QString>(titulo));
        const QByteArray gravado = arquivo(titulo);
        for (const QByteArray &trecho : noArquivo)
            QVERIFY2(gravado.contains(trecho), gravado.constData());
        QVERIFY(!gravado.contains("\\red18\\green52\\blue86"));

        FormPrincipal->Novo1->trigger();
        QVERIFY(editor->toPlainText().isEmpty());
        abrir(titulo);
        QCOMPARE(FormPrincipal->windowTitle(), QStringLiteral("Dorlinda - ") + titulo);
        QVERIFY(ArquivoGravado);
        QVERIFY(!TextoAlterado);
        QCOMPARE(editor->toPlainText(), texto);
        QCOMPARE(editor->document()->blockCount(), paragrafos);
        QVERIFY(desenho(*editor->document()) == antes);
        QCOMPARE(editor->palette().color(QPalette::Base), Fundo);

        // Changed and changed back, then saved again: the same bytes.
        editor->moveCursor(QTextCursor::End);
        editor->insertPlainText(QStringLiteral("x"));
        editor->textCursor().deletePreviousChar();
        QVERIFY(TextoAlterado);
        FormPrincipal->Salvar1->trigger();
        QVERIFY(!TextoAlterado);
        QCOMPARE(arquivo(titulo), gravado);
    }
};

QTEST_MAIN(TestCiclo)
#include "test_ciclo.moc"
