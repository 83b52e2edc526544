// Message boxes show their text as typed and answer with the button pressed.
#include "Messages.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

class TestMessages : public QObject {
    Q_OBJECT
private slots:
    void answererSeesTheMessage()
    {
        Messages::Message seen;
        Messages::setAnswerer([&](const Messages::Message &m) { seen = m; return Messages::No; });
        QCOMPARE(Messages::question(nullptr, "Dorlinda", "Deseja salvar x?", true), Messages::No);
        QCOMPARE(seen.title, QStringLiteral("Dorlinda"));
        QCOMPARE(seen.text, QStringLiteral("Deseja salvar x?"));
        QCOMPARE(seen.buttons, Messages::Yes | Messages::No | Messages::Cancel);
        QCOMPARE(seen.icon, Messages::Icon::Question);
        Messages::setAnswerer({});
    }

    void realBoxShowsPlainTextAndReturnsTheClickedButton_data()
    {
        QTest::addColumn<bool>("withCancel");
        QTest::addColumn<int>("press");
        QTest::addColumn<int>("expected");
        QTest::newRow("yes") << false << int(QMessageBox::Yes) << int(Messages::Yes);
        QTest::newRow("no") << false << int(QMessageBox::No) << int(Messages::No);
        QTest::newRow("cancel") << true << int(QMessageBox::Cancel) << int(Messages::Cancel);
        QTest::newRow("escape with cancel") << true << -1 << int(Messages::Cancel);
        QTest::newRow("escape without cancel") << false << -1 << int(Messages::No);
    }
    void realBoxShowsPlainTextAndReturnsTheClickedButton()
    {
        QFETCH(bool, withCancel);
        QFETCH(int, press);
        QFETCH(int, expected);
        QString shownText;
        QTimer::singleShot(0, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            shownText = box->text();
            QCOMPARE(box->textFormat(), Qt::PlainText);
            if (press < 0)
                QTest::keyClick(box, Qt::Key_Escape);
            else
                box->button(QMessageBox::StandardButton(press))->click();
        });
        QCOMPARE(int(Messages::question(nullptr, "T", "<b>x</b>", withCancel)), expected);
        QCOMPARE(shownText, QStringLiteral("<b>x</b>"));
    }

    // Each line of the text stays whole, and the box stays on the screen.
    void linesWholeOnTheScreen_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("lines"); // as shown; 0: more than the text has
        QTest::newRow("wider than half the screen")
            << QStringLiteral("Your current screen resolution is lower than the one this program was made for.\n"
                              "Pictures will show smaller than they should.")
            << 2;
        QTest::newRow("wider than the screen")
            << QStringLiteral("The note file:\n") + QStringLiteral("holiday pictures of the family ").repeated(12) << 0;
    }
    void linesWholeOnTheScreen()
    {
        QFETCH(QString, text);
        QFETCH(int, lines);
        QRect box, screen;
        int shownLines = 0;
        QTimer::singleShot(0, [&] {
            auto *shown = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(shown);
            box = shown->frameGeometry();
            screen = shown->screen()->availableGeometry();
            const auto *label = shown->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
            shownLines = label->height() / label->fontMetrics().lineSpacing();
            shown->button(QMessageBox::Ok)->click();
        });
        Messages::critical(nullptr, QStringLiteral("T"), text);
        QVERIFY2(screen.contains(box), qPrintable(QStringLiteral("%1 wide on a screen of %2").arg(box.width()).arg(screen.width())));
        if (lines > 0)
            QCOMPARE(shownLines, lines);
        else
            QVERIFY(shownLines > text.count(QLatin1Char('\n')) + 1);
    }
};

QTEST_MAIN(TestMessages)
#include "test_messages.moc"
