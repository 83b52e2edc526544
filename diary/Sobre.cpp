#include "Sobre.h"

#include "ShellOpen.h"
#include "WindowGeometry.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

TFormSobre *FormSobre = nullptr;

const QString TFormSobre::SupportMail = QStringLiteral("suporte@dorlinda.example");

TFormSobre::TFormSobre(QWidget *parent)
    : QDialog(parent)
    , Panel1(new QFrame(this))
    , ProgramIcon(new QLabel(Panel1))
    , ProductName(new QLabel(QStringLiteral("Dorlinda"), Panel1))
    , Version(new QLabel(QStringLiteral("Versão 1.0"), Panel1))
    , Copyright(new QLabel(QStringLiteral("Fale com o suporte: ") + SupportMail, Panel1))
    , OKButton(new QPushButton(QStringLiteral("OK"), this))
{
    setObjectName("FormSobre");
    setWindowTitle(QStringLiteral("Sobre"));
    setFixedSize(298, 213);
    WindowGeometry::centreOnScreen(this);

    Panel1->setObjectName("Panel1");
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setGeometry(8, 8, 281, 161);

    ProgramIcon->setObjectName("ProgramIcon");
    ProgramIcon->setGeometry(8, 8, 32, 32);
    ProgramIcon->setPixmap(windowIcon().pixmap(32, 32));

    ProductName->setObjectName("ProductName");
    QFont f(QStringLiteral("Monotype Corsiva"));
    f.setItalic(true);
    f.setPixelSize(19);
    ProductName->setFont(f);
    ProductName->setGeometry(88, 16, 185, 24);

    Version->setObjectName("Version");
    Version->setGeometry(88, 44, 185, 16);

    Copyright->setObjectName("Copyright");
    Copyright->setTextFormat(Qt::PlainText);
    Copyright->setWordWrap(true);
    QPalette green = Copyright->palette();
    green.setColor(QPalette::WindowText, QColor(0x00, 0x80, 0x00));
    Copyright->setPalette(green);
    Copyright->setCursor(Qt::PointingHandCursor);
    Copyright->setGeometry(8, 80, 265, 40);
    Copyright->installEventFilter(this);

    OKButton->setObjectName("OKButton");
    OKButton->setGeometry(111, 178, 75, 25);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
}

void TFormSobre::CopyrightClick()
{
    ShellOpen::open(QUrl(QStringLiteral("mailto:") + SupportMail));
}

bool TFormSobre::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Copyright && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton
        && Copyright->rect().contains(static_cast<QMouseEvent *>(event)->position().toPoint())) {
        CopyrightClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
