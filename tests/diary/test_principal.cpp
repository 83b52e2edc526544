// The main window: menus and tool bar, the save prompt, proposed titles across entries and log-ins,
// closing, log-out, formatting, clipboard keys, help, the about box and the banner's place.
#include "DiarioTeste.h"

#include "FontColorDialog.h"
#include "HelpWindow.h"
#include "Principal.h"
#include "Programa.h"
#include "RichText.h"
#include "ShellOpen.h"
#include "Sobre.h"
#include "components/AdCtrls.h"
#include "components/Ruler.h"
#include "global.h"

#include <QAction>
#include <QApplication>
#include <QColorDialog>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QStatusBar>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextEdit>
#include <QPushButton>
#include <QToolBar>
#include <QToolButton>

using namespace DiarioTeste;

namespace {

QString legenda()
{
    return FormPrincipal->windowTitle();
}

// Makes the editor hold a stored entry, as an open or a save leaves it.
void entradaGravada(const QString &titulo)
{
    TituloAtual = titulo;
    ArquivoGravado = true;
    TextoAlterado = false;
    FormPrincipal->setWindowTitle(QStringLiteral("Dorlinda - ") + titulo);
}

void ativar()
{
    // The offscreen platform leaves the hidden options dialog "active": make the main window so.
    QApplication::setActiveWindow(FormPrincipal);
    QVERIFY(QTest::qWaitForWindowActive(FormPrincipal));
    FormPrincipal->Rdtexto->setFocus();
}

} // namespace

class TestPrincipal : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        for (const QString &f : QDir::current().entryList(QDir::Files))
            QFile::remove(f);
        QDir("Dorlinda").removeRecursively();
        QVERIFY(abrirLogado());
    }

    void cleanup()
    {
        Programa::DestruirJanelas();
        ShellOpen::setHook({});
    }

    void menuItems_data()
    {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QKeySequence>("atalho");
        QTest::addColumn<QString>("dica");
        QTest::newRow("Novo1") << "Novo1" << "&Novo" << QKeySequence("Ctrl+N") << "Novo";
        QTest::newRow("Abrir1") << "Abrir1" << "&Abrir" << QKeySequence("Ctrl+A") << "Abrir ";
        QTest::newRow("Salvar1") << "Salvar1" << "&Salvar" << QKeySequence("Ctrl+S") << "Salvar";
        QTest::newRow("Excluir1") << "Excluir1" << "&Excluir" << QKeySequence("Ctrl+E") << "Excluir";
        QTest::newRow("Visualizarimpresso1") << "Visualizarimpresso1" << "&Visualizar impressão" << QKeySequence()
                                             << "Visualizar impressão";
        QTest::newRow("Imprimir1") << "Imprimir1" << "&Imprimir" << QKeySequence("Ctrl+P") << "Imprimir";
        QTest::newRow("Sair1") << "Sair1" << "&Sair" << QKeySequence() << "Sair";
        QTest::newRow("Recortar1") << "Recortar1" << "&Recortar" << QKeySequence("Ctrl+X") << "Recortar";
        QTest::newRow("Copiar1") << "Copiar1" << "&Copiar" << QKeySequence("Ctrl+C") << "Copiar";
        QTest::newRow("Colar1") << "Colar1" << "Co&lar" << QKeySequence("Ctrl+V") << "Colar";
        QTest::newRow("Selecionartudo1") << "Selecionartudo1" << "Selecionar &tudo" << QKeySequence("Ctrl+T")
                                         << "Selecionar tudo";
        QTest::newRow("Fonte1") << "Fonte1" << "&Fonte" << QKeySequence("Ctrl+F") << "Formatar fonte";
        QTest::newRow("Background1") << "Background1" << "Fun&do" << QKeySequence("Ctrl+D") << "Formatar fundo";
        QTest::newRow("Esquerda1") << "Esquerda1" << "À Es&querda" << QKeySequence("Ctrl+Q") << "Alinhar à esquerda";
        QTest::newRow("Centralizado1") << "Centralizado1" << "Centra&lizado" << QKeySequence("Ctrl+L")
                                       << "Alinhar centralizado";
        QTest::newRow("Direita1") << "Direita1" << "À Di&reita" << QKeySequence("Ctrl+R") << "Alinhar à direita";
        QTest::newRow("AjudadoDorlinda1") << "AjudadoDorlinda1" << "&Conteúdo" << QKeySequence("F1") << "Conteúdo";
        QTest::newRow("Sobre1") << "Sobre1" << "&Sobre..." << QKeySequence() << "Sobre";
    }
    void menuItems()
    {
        QFETCH(QString, nome);
        QFETCH(QString, texto);
        QFETCH(QKeySequence, atalho);
        QFETCH(QString, dica);
        auto *item = FormPrincipal->findChild<QAction *>(nome);
        QVERIFY(item);
        QCOMPARE(item->text(), texto);
        QCOMPARE(item->shortcut(), atalho);
        QCOMPARE(item->toolTip(), dica);
        QVERIFY(item->isEnabled());
        QVERIFY(!item->isCheckable());
    }

    void toolButtonsShowHintsAndRunTheirMenuItems_data()
    {
        QTest::addColumn<QString>("botao");
        QTest::addColumn<QString>("dica");
        QTest::addColumn<QString>("mensagem");
        QTest::newRow("open") << "TBAbrir" << "Abrir " << "Não existe nenhum arquivo a ser aberto!";
        QTest::newRow("delete") << "TBExcluir" << "Excluir" << "Não existe nenhum arquivo a ser excluído!";
        QTest::newRow("new") << "ToolButton1" << "Novo" << "Deseja salvar Título1?";
    }
    void toolButtonsShowHintsAndRunTheirMenuItems()
    {
        QFETCH(QString, botao);
        QFETCH(QString, dica);
        QFETCH(QString, mensagem);
        auto *b = FormPrincipal->ToolBar1->findChild<QToolButton *>(botao);
        QVERIFY(b);
        QCOMPARE(b->toolTip(), dica);
        QCOMPARE(b->size(), QSize(33, 33));
        Caixas caixas;
        QTest::mouseClick(b, Qt::LeftButton);
        QCOMPARE(caixas.textos(), QStringList({mensagem}));
        QCOMPARE(FormPrincipal->ToolButton16->toolTip(), QStringLiteral("Menu senha"));
    }

    void aLogInShowsTheEditorWithTheFirstProposedTitle()
    {
        QVERIFY(FormPrincipal->Rdtexto->isVisible());
        QCOMPARE(legenda(), QStringLiteral("Dorlinda - Título1"));
        QCOMPARE(FormPrincipal->StatusBar->currentMessage(), QStringLiteral("Login: ana"));
        QVERIFY(FormPrincipal->Rdtexto->toPlainText().isEmpty());
        QVERIFY(FormPrincipal->Rdtexto->hasFocus() || !QApplication::focusWidget());
    }

    void savePrompt_data()
    {
        QTest::addColumn<QString>("estado");
        QTest::addColumn<QStringList>("perguntas");
        QTest::newRow("new, empty") << "new" << QStringList({"Deseja salvar Título1?"});
        QTest::newRow("new, typed in") << "new typed" << QStringList({"Deseja salvar Título1?"});
        QTest::newRow("stored, unchanged") << "stored" << QStringList();
        QTest::newRow("stored, changed") << "stored changed"
                                         << QStringList({"Deseja salvar as alterações em Férias d'Ana?"});
        QTest::newRow("logged out") << "locked" << QStringList();
        QTest::newRow("nobody logged in yet") << "nobody" << QStringList();
    }
    void savePrompt()
    {
        QFETCH(QString, estado);
        QFETCH(QStringList, perguntas);
        if (estado == "new typed")
            QTest::keyClicks(FormPrincipal->Rdtexto, "Querido diario");
        if (estado.startsWith("stored"))
            entradaGravada("Férias d'Ana");
        if (estado == "stored changed")
            QTest::keyClicks(FormPrincipal->Rdtexto, "mais");
        if (estado == "locked")
            FormPrincipal->EncerrarSessao();
        if (estado == "nobody")
            SenhaAtual.reset();

        Caixas caixas(Messages::No);
        FormPrincipal->Novo1->trigger();
        QCOMPARE(caixas.textos(), perguntas);
        for (const Messages::Message &m : caixas.vistas) {
            QCOMPARE(m.title, QStringLiteral("Dorlinda"));
            QCOMPARE(m.buttons, Messages::Yes | Messages::No | Messages::Cancel);
        }
        // The prompt never stops the new entry.
        QCOMPARE(legenda(), QStringLiteral("Dorlinda - Título2"));
        QVERIFY(!ArquivoGravado);
        QVERIFY(!TextoAlterado);
        QVERIFY(FormPrincipal->Rdtexto->toPlainText().isEmpty());
    }

    void yesOnANewEntryOpensTheSaveDialog()
    {
        Caixas caixas(Messages::Yes);
        QString dialogo;
        quandoModal([&](QWidget *m) {
            dialogo = m->objectName();
            static_cast<QDialog *>(m)->reject();
        });
        FormPrincipal->Novo1->trigger();
        QCOMPARE(dialogo, QStringLiteral("FormSalvar"));
        // Cancelled: nothing stored, no second question.
        QCOMPARE(caixas.textos(), QStringList({"Deseja salvar Título1?"}));
    }

    void aUserWhosePasswordIsMinusOneIsLikeAnyOther()
    {
        Programa::DestruirJanelas();
        QVERIFY(abrirLogado("-1", "um"));
        QVERIFY(FormPrincipal->isVisible());
        QVERIFY(FormPrincipal->Rdtexto->isVisible());
        Caixas caixas(Messages::No);
        QVERIFY(FormPrincipal->close());
        QCOMPARE(caixas.textos(), QStringList({"Deseja salvar Título1?"}));
    }

    void proposedTitlesRunOnAndStartAgainAtEachLogIn()
    {
        Caixas caixas(Messages::No);
        QCOMPARE(legenda(), QStringLiteral("Dorlinda - Título1"));
        FormPrincipal->Novo1->trigger();
        QCOMPARE(legenda(), QStringLiteral("Dorlinda - Título2"));
        FormPrincipal->Novo1->trigger();
        QCOMPARE(legenda(), QStringLiteral("Dorlinda - Título3"));
        QCOMPARE(TituloNovo, QStringLiteral("Título3"));
        QCOMPARE(ContadorTitulo, 4);

        // The password button logs out after the prompt and shows the options dialog.
        QString legendaFora, status, opcoes;
        bool editorFora = true;
        quandoModal([&](QWidget *m) {
            opcoes = m->objectName();
            legendaFora = legenda();
            status = FormPrincipal->StatusBar->currentMessage();
            editorFora = FormPrincipal->Rdtexto->isVisible();
            entrar("outra", "bia");
            static_cast<QDialog *>(m)->accept();
        });
        QTest::mouseClick(FormPrincipal->ToolButton16, Qt::LeftButton);
        QCOMPARE(opcoes, QStringLiteral("FormOpcaoSenha"));
        QCOMPARE(legendaFora, QStringLiteral("Dorlinda"));
        QVERIFY(status.isEmpty());
        QVERIFY(!editorFora);
        QCOMPARE(caixas.textos().last(), QStringLiteral("Deseja salvar Título3?"));

        QVERIFY(FormPrincipal->isVisible());
        QCOMPARE(legenda(), QStringLiteral("Dorlinda - Título1"));
        QCOMPARE(FormPrincipal->StatusBar->currentMessage(), QStringLiteral("Login: bia"));
        FormPrincipal->Novo1->trigger();
        QCOMPARE(legenda(), QStringLiteral("Dorlinda - Título2"));
    }

    void closingAfterALogOutAsksNothing()
    {
        Caixas caixas(Messages::No);
        quandoModal([](QWidget *m) { m->close(); });
        QTest::mouseClick(FormPrincipal->ToolButton16, Qt::LeftButton);
        // Only the log-out asked; the options dialog closed without a log-in ends the program.
        QCOMPARE(caixas.textos(), QStringList({"Deseja salvar Título1?"}));
        QVERIFY(!FormPrincipal->isVisible());
        QVERIFY(TextoBloqueado);
        QCOMPARE(SenhaAtual, std::optional<QString>("segredo"));
    }

    void newEntriesNeverStartChanged()
    {
        entradaGravada("Hoje");
        QTest::keyClicks(FormPrincipal->Rdtexto, "x");
        QVERIFY(TextoAlterado);
        Caixas caixas(Messages::No);
        FormPrincipal->NovoArquivo();
        QVERIFY(!TextoAlterado);
        QVERIFY(!ArquivoGravado);
        QVERIFY(!TituloAtual);
        // A new entry that is typed in stays "new", never "changed".
        QTest::keyClicks(FormPrincipal->Rdtexto, "y");
        QVERIFY(!TextoAlterado);
    }

    void theBackgroundColourBelongsToTheWindow()
    {
        const QColor escolhida(0x12, 0x34, 0x56);
        QColor oferecida;
        quandoModal([&](QWidget *m) {
            auto *dialogo = qobject_cast<QColorDialog *>(m);
            QVERIFY(dialogo);
            oferecida = dialogo->currentColor();
            dialogo->setCurrentColor(escolhida);
            dialogo->accept();
        });
        FormPrincipal->Background1->trigger();
        QCOMPARE(oferecida, FormPrincipal->palette().color(QPalette::Light));
        QCOMPARE(FormPrincipal->Rdtexto->palette().color(QPalette::Base), escolhida);

        QTest::keyClicks(FormPrincipal->Rdtexto, "Texto com fundo");
        const QByteArray rtf = RichText::write(*FormPrincipal->Rdtexto->document());
        QVERIFY(!rtf.contains("\\red18\\green52\\blue86"));
        QVERIFY(!FormPrincipal->Rdtexto->document()->rootFrame()->frameFormat().hasProperty(QTextFormat::BackgroundBrush));

        // A new entry keeps the colour.
        Caixas caixas(Messages::No);
        FormPrincipal->Novo1->trigger();
        QCOMPARE(FormPrincipal->Rdtexto->palette().color(QPalette::Base), escolhida);
    }

    void theFontDialogSetsFontStyleAndColourOfTheSelection()
    {
        FormPrincipal->Rdtexto->insertPlainText("Olá");
        FormPrincipal->Rdtexto->selectAll();
        int tamanhoOferecido = 0;
        quandoModal([&](QWidget *m) {
            auto *dialogo = qobject_cast<FontColorDialog *>(m);
            QVERIFY(dialogo);
            tamanhoOferecido = dialogo->currentFont().pointSize();
            QFont f(QStringLiteral("DejaVu Sans"));
            f.setPointSize(20);
            f.setBold(true);
            dialogo->setCurrentFont(f);
            dialogo->colorBox()->setCurrentText(QStringLiteral("Vermelho"));
            dialogo->accept();
        });
        FormPrincipal->Fonte1->trigger();
        QCOMPARE(tamanhoOferecido, 12);
        QTextCursor c(FormPrincipal->Rdtexto->document());
        c.setPosition(2);
        const QTextCharFormat f = c.charFormat();
        QCOMPARE(f.fontFamilies().toStringList().value(0), QStringLiteral("DejaVu Sans"));
        QCOMPARE(f.fontPointSize(), 20.0);
        QCOMPARE(f.fontWeight(), int(QFont::Bold));
        QCOMPARE(f.foreground().color(), QColor(Qt::red));
    }

    void cancellingTheFontDialogChangesNothing()
    {
        FormPrincipal->Rdtexto->insertPlainText("Olá");
        FormPrincipal->Rdtexto->selectAll();
        quandoModal([](QWidget *m) { static_cast<QDialog *>(m)->reject(); });
        FormPrincipal->Fonte1->trigger();
        QTextCursor c(FormPrincipal->Rdtexto->document());
        c.setPosition(2);
        QCOMPARE(c.charFormat().fontPointSize(), 12.0);
    }

    void keysOfTheMenusReachTheMenus_data()
    {
        QTest::addColumn<int>("tecla");
        QTest::addColumn<int>("alinhamento");
        QTest::newRow("Ctrl+L centre") << int(Qt::Key_L) << int(Qt::AlignHCenter);
        QTest::newRow("Ctrl+R right") << int(Qt::Key_R) << int(Qt::AlignRight);
        QTest::newRow("Ctrl+Q left") << int(Qt::Key_Q) << int(Qt::AlignLeft);
    }
    void keysOfTheMenusReachTheMenus()
    {
        QFETCH(int, tecla);
        QFETCH(int, alinhamento);
        ativar();
        FormPrincipal->Direita1->trigger();
        if (alinhamento == Qt::AlignRight)
            FormPrincipal->Esquerda1->trigger();
        QTest::keyClicks(FormPrincipal->Rdtexto, "Linha");
        QTest::keyClick(FormPrincipal->Rdtexto, Qt::Key(tecla), Qt::ControlModifier);
        QCOMPARE(int(FormPrincipal->Rdtexto->alignment() & Qt::AlignHorizontal_Mask), alinhamento);
        QCOMPARE(FormPrincipal->Rdtexto->toPlainText(), QStringLiteral("Linha"));
    }

    void ctrlAOpensAndCtrlTSelectsAll()
    {
        ativar();
        QTest::keyClicks(FormPrincipal->Rdtexto, "texto");
        Caixas caixas;
        QTest::keyClick(FormPrincipal->Rdtexto, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(caixas.textos(), QStringList({"Não existe nenhum arquivo a ser aberto!"}));
        QVERIFY(!FormPrincipal->Rdtexto->textCursor().hasSelection());

        QTest::keyClick(FormPrincipal->Rdtexto, Qt::Key_T, Qt::ControlModifier);
        QCOMPARE(FormPrincipal->Rdtexto->textCursor().selectedText(), QStringLiteral("texto"));

        QTest::keyClick(FormPrincipal->Rdtexto, Qt::Key_X, Qt::ControlModifier);
        QVERIFY(FormPrincipal->Rdtexto->toPlainText().isEmpty());
        QTest::keyClick(FormPrincipal->Rdtexto, Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(FormPrincipal->Rdtexto, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(FormPrincipal->Rdtexto->toPlainText(), QStringLiteral("textotexto"));
    }

    void tabIsTypedIntoTheText()
    {
        ativar();
        QTest::keyClicks(FormPrincipal->Rdtexto, "a");
        QTest::keyClick(FormPrincipal->Rdtexto, Qt::Key_Tab);
        QTest::keyClicks(FormPrincipal->Rdtexto, "b");
        QCOMPARE(FormPrincipal->Rdtexto->toPlainText(), QStringLiteral("a\tb"));
        QVERIFY(FormPrincipal->Rdtexto->hasFocus());
    }

    void helpWithoutItsFileSaysSo()
    {
        Caixas caixas;
        FormPrincipal->AjudadoDorlinda1->trigger();
        QCOMPARE(caixas.textos(),
                 QStringList({"Não foi possível abrir a ajuda: o arquivo \"Dorlinda/Tamirel.hlp\" não foi encontrado "
                              "na pasta atual."}));
        QVERIFY(!HelpWindow::of(FormPrincipal));
    }

    void helpShowsTheShippedFileInAModelessWindow()
    {
        // The help folder lies beside the program in the build tree.
        const QString instalada = QCoreApplication::applicationDirPath() + "/../bin/Dorlinda/Tamirel.hlp";
        QVERIFY2(QFile::exists(instalada), qPrintable(instalada));
        QVERIFY(QDir().mkdir("Dorlinda"));
        QVERIFY(QFile::copy(instalada, "Dorlinda/Tamirel.hlp"));

        Caixas caixas;
        ativar();
        QTest::keyClick(FormPrincipal->Rdtexto, Qt::Key_F1);
        QVERIFY(caixas.vistas.isEmpty());
        HelpWindow *ajuda = HelpWindow::of(FormPrincipal);
        QVERIFY(ajuda);
        QVERIFY(ajuda->isVisible());
        QVERIFY(!ajuda->isModal());
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(ajuda->windowTitle(), QStringLiteral("Dorlinda - Ajuda"));
        const QString texto = ajuda->browser()->toPlainText();
        QVERIFY(texto.contains("Criar Senha"));
        QVERIFY(texto.contains("diario.mdb"));
        QVERIFY(!texto.contains("<h1>"));

        // The editor goes on working beside it; closing the program closes it too.
        QTest::keyClicks(FormPrincipal->Rdtexto, "x");
        Caixas fechar(Messages::No);
        FormPrincipal->close();
        QVERIFY(!ajuda->isVisible());
    }

    void theAboutBox()
    {
        QUrl aberta;
        ShellOpen::setHook([&](const QUrl &u) { aberta = u; return true; });
        QString titulo, produto, versao;
        QSize tamanho;
        quandoModal([&](QWidget *m) {
            auto *sobre = qobject_cast<TFormSobre *>(m);
            QVERIFY(sobre);
            titulo = sobre->windowTitle();
            tamanho = sobre->size();
            produto = sobre->ProductName->text();
            versao = sobre->Version->text();
            QTest::mouseClick(sobre->Copyright, Qt::LeftButton);
            QTest::mouseClick(sobre->OKButton, Qt::LeftButton);
        });
        FormPrincipal->Sobre1->trigger();
        QCOMPARE(titulo, QStringLiteral("Sobre"));
        QCOMPARE(tamanho, QSize(298, 213));
        QCOMPARE(produto, QStringLiteral("Dorlinda"));
        QCOMPARE(versao, QStringLiteral("Versão 1.0"));
        QCOMPARE(aberta.scheme(), QStringLiteral("mailto"));
        QCOMPARE(aberta.path(), TFormSobre::SupportMail);
        QVERIFY(!QApplication::activeModalWidget());
    }

    void layoutOfTheWindow()
    {
        auto *p2 = FormPrincipal->Panel2;
        QCOMPARE(FormPrincipal->Ruler1->geometry(), QRect(0, 0, p2->width(), 26));
        QCOMPARE(FormPrincipal->StatusBar->geometry(), QRect(0, p2->height() - 19, p2->width(), 19));
        QCOMPARE(FormPrincipal->Rdtexto->geometry(), QRect(0, 26, p2->width(), p2->height() - 45));
        QCOMPARE(FormPrincipal->Panel1->height(), 72);
        QCOMPARE(FormPrincipal->AdControlStats1->size(), QSize(468, 60));
        QCOMPARE(FormPrincipal->AdControlStats1->y(), 6);
        QCOMPARE(FormPrincipal->Rdtexto->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(FormPrincipal->Rdtexto->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QVERIFY(FormPrincipal->Ruler1->RichEdit == FormPrincipal->Rdtexto);
    }

    void theBannerStaysCentred_data()
    {
        QTest::addColumn<int>("largura");
        QTest::newRow("700") << 700;
        QTest::newRow("801") << 801;
        QTest::newRow("1000") << 1000;
    }
    void theBannerStaysCentred()
    {
        QFETCH(int, largura);
        FormPrincipal->showNormal();
        FormPrincipal->resize(largura, 500);
        QTRY_COMPARE(FormPrincipal->width(), largura);
        QTRY_COMPARE(FormPrincipal->AdControlStats1->x(), FormPrincipal->Panel1->width() / 2 - 234);
        QCOMPARE(FormPrincipal->Panel1->width(), largura);
    }
};

QTEST_MAIN(TestPrincipal)
#include "test_principal.moc"
