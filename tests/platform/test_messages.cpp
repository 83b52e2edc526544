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
};

QTEST_MAIN(TestMessages)
#include "test_messages.moc"
