// The diary on a real desktop: the main window maximised in the windows' font with the ruler's
// ticks where that font puts them, and every dialog at its client size, centred with its frame,
// with no text cut by its box.
#include "AbrirSenha.h"
#include "AlterarSenha.h"
#include "Consulta.h"
#include "CriarSenha.h"
#include "Desktop.h"
#include "DiarioTeste.h"
#include "Excluir.h"
#include "ExcluirSenha.h"
#include "Principal.h"
#include "Programa.h"
#include "Salvar.h"
#include "Senha.h"
#include "Sobre.h"
#include "components/Ruler.h"

#include <QDialog>
#include <QFontInfo>
#include <QImage>
#include <QScreen>

namespace {

struct Row {
    const char *name;
    std::function<QDialog *()> dialog; // none: the main window
    QSize client;
};

const QList<Row> &rows()
{
    static const QList<Row> table = {
        {"main window", {}, {}},
        {"options", [] { return static_cast<QDialog *>(FormOpcaoSenha); }, {327, 132}},
        {"log in", [] { return static_cast<QDialog *>(FormAbrirSenha); }, {342, 137}},
        {"create", [] { return static_cast<QDialog *>(FormCriarSenha); }, {342, 137}},
        {"change", [] { return static_cast<QDialog *>(FormAlterarSenha); }, {342, 137}},
        {"delete user", [] { return static_cast<QDialog *>(FormExcluirSenha); }, {342, 137}},
        {"save", [] { return static_cast<QDialog *>(FormSalvar); }, {392, 126}},
        {"open", [] { return static_cast<QDialog *>(FormAbrir); }, {560, 420}},
        {"delete entry", [] { return static_cast<QDialog *>(FormExcluir); }, {560, 420}},
        {"about", [] { return static_cast<QDialog *>(FormSobre); }, {298, 213}},
    };
    return table;
}

// The distance between the ruler's first tick marks, read off the ruler as drawn: columns of ink
// below its base line, away from the markers.
int tickSpacing(QWidget *ruler)
{
    const QImage image = ruler->grab().toImage();
    QList<int> ticks;
    for (int x = 16; x < image.width() - 16; ++x) {
        const bool ink = qGray(image.pixel(x, 16)) < 96;
        const bool before = qGray(image.pixel(x - 1, 16)) < 96;
        if (ink && !before)
            ticks << x;
    }
    return ticks.size() > 2 ? ticks[2] - ticks[1] : 0;
}

QString outsideCentre(const QRect &outer)
{
    const QPoint off = outer.center() - QGuiApplication::primaryScreen()->geometry().center();
    return qAbs(off.x()) <= 1 && qAbs(off.y()) <= 1 ? QString()
                                                    : QStringLiteral("%1 px off the centre").arg(off.manhattanLength());
}

} // namespace

class TestDiaryDesktop : public QObject {
    Q_OBJECT
private slots:
    void init() { QVERIFY(DiarioTeste::abrirLogado()); }
    void cleanup()
    {
        Desktop::closeModals();
        Programa::DestruirJanelas();
    }

    void window_data() { Desktop::addRows(rows()); }

    void window()
    {
        QFETCH(int, row);
        const Row &r = rows()[row];
        if (!r.dialog) {
            // Maximised, in the windows' own font; the ruler's ticks stand eight average characters
            // of its Arial apart: 40 pixels at that size.
            QCOMPARE(Desktop::framedOuter(FormPrincipal), QGuiApplication::primaryScreen()->availableGeometry());
            const QFontInfo font(FormPrincipal->font());
            QCOMPARE(font.family(), QStringLiteral("Liberation Sans"));
            QCOMPARE(FormPrincipal->font().pointSizeF(), 8.25);
            QCOMPARE(tickSpacing(FormPrincipal->Ruler1), 40);
            const QStringList cut = Desktop::textsCut(FormPrincipal);
            QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QStringLiteral("; "))));
            return;
        }
        QDialog *dialog = r.dialog();
        QString fault = QStringLiteral("never shown");
        Desktop::whenModal([&](QWidget *shown) {
            const QRect outer = Desktop::framedOuter(shown);
            const QStringList cut = Desktop::textsCut(shown);
            if (shown != dialog)
                fault = QStringLiteral("another window: %1").arg(shown->objectName());
            else if (shown->size() != r.client)
                fault = QStringLiteral("client %1 x %2").arg(shown->width()).arg(shown->height());
            else if (!outer.contains(shown->geometry()) || outer == shown->geometry())
                fault = QStringLiteral("no frame");
            else if (!outsideCentre(outer).isEmpty())
                fault = outsideCentre(outer);
            else
                fault = cut.join(QStringLiteral("; "));
            static_cast<QDialog *>(shown)->reject();
        });
        dialog->exec();
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
    }
};

DESKTOP_TEST_MAIN(TestDiaryDesktop)
#include "test_diary_desktop.moc"
