// The paragraph ruler: drags and the indents they write into the bound editor's paragraph (kept as
// computed, shown so that no text is hidden), a ruler without an editor, the base line as the
// window is resized, and the indents in a saved entry.
#include "DiarioTeste.h"

#include "Principal.h"
#include "Programa.h"
#include "RichText.h"
#include "RichTextEdit.h"
#include "Salvar.h"
#include "components/Ruler.h"
#include "global.h"

#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

using namespace DiarioTeste;

namespace {

// Each step "Marker:x,x,..." presses that marker with the pointer at the first place (ruler
// coordinates), moves through the others and lets go at the last.
void arrastar(TRuler &regua, const QStringList &passos)
{
    for (const QString &passo : passos) {
        QWidget *marca = regua.findChild<QWidget *>(passo.section(u':', 0, 0));
        const auto local = [marca](const QString &x) { return QPoint(x.toInt() - marca->x(), 4); };
        const QStringList ponteiro = passo.section(u':', 1).split(u',');
        QTest::mousePress(marca, Qt::LeftButton, {}, local(ponteiro.first()));
        for (const QString &x : ponteiro.mid(1))
            QTest::mouseMove(marca, local(x));
        QTest::mouseRelease(marca, Qt::LeftButton, {}, local(ponteiro.last()));
    }
}

QList<double> recuos(const QTextBlockFormat &formato)
{
    const RichText::Indents i = RichText::indents(formato);
    return {i.firstIndent, i.leftIndent, i.rightIndent};
}

QList<int> esquerdas(const TRuler &regua)
{
    return {regua.FirstIndentMarker->x(), regua.LeftIndentMarker->x(), regua.RightIndentMarker->x()};
}

} // namespace

class TestRegua : public QObject {
    Q_OBJECT
private slots:
    void cleanup()
    {
        Programa::DestruirJanelas();
    }

    void dragsWriteIndents_data()
    {
        QTest::addColumn<QStringList>("passos");
        QTest::addColumn<QList<int>>("lugares");
        QTest::addColumn<QList<double>>("indents");
        QTest::addColumn<QByteArray>("rtf");
        // A ruler 400 wide; the markers start at 2, 2 and 250, their centres follow the pointer.
        QTest::newRow("first line, worked example") << QStringList{"FirstIndentMarker:7,30,46"} << QList<int>{41, 2, 250}
                                                    << QList<double>{30, -30, 0} << QByteArray("\\pard\\fi600\\f");
        QTest::newRow("pressed off its centre, it jumps") << QStringList{"FirstIndentMarker:11"} << QList<int>{6, 2, 250}
                                                          << QList<double>{3, -3, 0} << QByteArray("\\pard\\fi60\\f");
        QTest::newRow("the other lines") << QStringList{"LeftIndentMarker:70"} << QList<int>{2, 65, 250}
                                         << QList<double>{0, 48, 0} << QByteArray("\\pard\\li960\\fi-960\\f");
        QTest::newRow("first line, then the others") << QStringList{"FirstIndentMarker:46", "LeftIndentMarker:70"}
                                                     << QList<int>{41, 65, 250} << QList<double>{30, 18, 0}
                                                     << QByteArray("\\pard\\li960\\fi-360\\f");
        QTest::newRow("the others keep their place") << QStringList{"LeftIndentMarker:70", "FirstIndentMarker:46"}
                                                     << QList<int>{41, 65, 250} << QList<double>{30, 18, 0}
                                                     << QByteArray("\\pard\\li960\\fi-360\\f");
        QTest::newRow("right indent") << QStringList{"RightIndentMarker:355"} << QList<int>{2, 2, 350}
                                      << QList<double>{0, 0, 27} << QByteArray("\\pard\\ri540\\f");
        QTest::newRow("first line left of 6 pixels") << QStringList{"FirstIndentMarker:0"} << QList<int>{-5, 2, 250}
                                                     << QList<double>{-4, 4, 0} << QByteArray("\\pard\\fi-80\\f");
        // Dragged past an end of the ruler, a marker stops with its centre on the ruler's last pixel.
        QTest::newRow("other lines dragged off the ruler") << QStringList{"LeftIndentMarker:7,-12"} << QList<int>{2, -5, 250}
                                                           << QList<double>{0, -4, 0} << QByteArray("\\pard\\li-80\\fi80\\f");
        QTest::newRow("right indent past the edge") << QStringList{"RightIndentMarker:255,400"} << QList<int>{2, 2, 394}
                                                    << QList<double>{0, 0, -6} << QByteArray("\\pard\\ri-120\\f");
        QTest::newRow("dragged off the ruler and taken again")
            << QStringList{"LeftIndentMarker:7,-40,-300", "LeftIndentMarker:0,70"} << QList<int>{2, 65, 250}
            << QList<double>{0, 48, 0} << QByteArray("\\pard\\li960\\fi-960\\f");
        QTest::newRow("right indent dragged far off and taken again")
            << QStringList{"RightIndentMarker:255,900", "RightIndentMarker:399,355"} << QList<int>{2, 2, 350}
            << QList<double>{0, 0, 27} << QByteArray("\\pard\\ri540\\f");
    }
    void dragsWriteIndents()
    {
        QFETCH(QStringList, passos);
        QFETCH(QList<int>, lugares);
        QFETCH(QList<double>, indents);
        QFETCH(QByteArray, rtf);
        RichTextEdit editor;
        editor.setPlainText(QStringLiteral("Querido diário, hoje choveu o dia todo."));
        TRuler regua;
        regua.RichEdit = &editor;
        regua.resize(400, 26);
        regua.show();

        arrastar(regua, passos);
        QCOMPARE(esquerdas(regua), lugares);
        // Each marker shows on the ruler under its centre, to be taken again.
        for (QWidget *marca : {regua.FirstIndentMarker, regua.LeftIndentMarker, regua.RightIndentMarker}) {
            const QPoint centro = marca->geometry().center();
            QVERIFY(regua.rect().contains(centro));
            QCOMPARE(regua.childAt(centro), marca);
        }
        const QTextBlockFormat formato = editor.textCursor().blockFormat();
        QCOMPARE(recuos(formato), indents);
        const QByteArray escrito = RichText::write(*editor.document());
        QVERIFY2(escrito.contains(rtf), escrito.constData());
        // The editor shows every line from the page's edges inward.
        QVERIFY(std::min(formato.leftMargin(), formato.leftMargin() + formato.textIndent()) >= 0);
        QVERIFY(formato.rightMargin() >= 0);

        // Without an editor the markers move all the same.
        TRuler solta;
        solta.resize(400, 26);
        arrastar(solta, passos);
        QCOMPARE(esquerdas(solta), lugares);
    }

    void theBaseLineFollowsTheWindow_data()
    {
        QTest::addColumn<int>("largura");
        QTest::newRow("700") << 700;
        QTest::newRow("1000") << 1000;
        QTest::newRow("narrower than the right marker's place") << 240;
    }
    void theBaseLineFollowsTheWindow()
    {
        QFETCH(int, largura);
        QVERIFY(abrirLogado());
        FormPrincipal->showNormal();
        FormPrincipal->resize(largura, 500);
        QTRY_COMPARE(FormPrincipal->Ruler1->width(), largura);
        QCOMPARE(FormPrincipal->Ruler1->BaseLine->geometry(), QRect(4, 12, largura - 8, 2));
        // Every marker stays within reach.
        const TRuler &regua = *FormPrincipal->Ruler1;
        for (const QWidget *marca : {regua.FirstIndentMarker, regua.LeftIndentMarker, regua.RightIndentMarker})
            QVERIFY(regua.rect().contains(marca->geometry().center()));
    }

    void theIndentsAreSavedWithTheEntryAndTheMarkersStay()
    {
        for (const char *arquivo : {"diario.mdb", "Recuos"})
            QFile::remove(QLatin1String(arquivo));
        QVERIFY(abrirLogado());
        TRuler &regua = *FormPrincipal->Ruler1;
        QTest::keyClicks(FormPrincipal->Rdtexto, "Recuos");
        arrastar(regua, {"FirstIndentMarker:0", "LeftIndentMarker:70"});
        quandoModal([](QWidget *m) {
            auto *salvar = qobject_cast<TFormSalvar *>(m);
            QVERIFY(salvar);
            salvar->EditTitulo->setText(QStringLiteral("Recuos"));
            QTest::mouseClick(salvar->BSalvar, Qt::LeftButton);
        });
        FormPrincipal->Salvar1->trigger();
        QVERIFY(ArquivoGravado);

        // As the ruler computed them, the first line 4 points left of the page.
        QFile arquivo(QStringLiteral("Recuos"));
        QVERIFY(arquivo.open(QIODevice::ReadOnly));
        QVERIFY(arquivo.readAll().contains("\\pard\\li960\\fi-1040\\f"));
        QTextDocument lido;
        QVERIFY(RichText::readFile(lido, QStringLiteral("Recuos")));
        QCOMPARE(recuos(lido.firstBlock().blockFormat()), (QList<double>{-4, 52, 0}));

        // A marker dropped where it stood changes nothing; a new indent changes the stored entry; a
        // new entry keeps the indents and the markers stay.
        arrastar(regua, {"LeftIndentMarker:70"});
        QVERIFY(!TextoAlterado);
        arrastar(regua, {"RightIndentMarker:255"});
        QVERIFY(TextoAlterado);
        Caixas caixas(Messages::No);
        FormPrincipal->Novo1->trigger();
        QCOMPARE(recuos(FormPrincipal->Rdtexto->textCursor().blockFormat()).mid(0, 2), (QList<double>{-4, 52}));
        QCOMPARE(esquerdas(regua).mid(0, 2), (QList<int>{-5, 65}));
    }
};

QTEST_MAIN(TestRegua)
#include "test_regua.moc"
