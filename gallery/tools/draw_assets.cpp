// Draws the gallery's own support pictures: "splash.fig" (the start-up and help title picture,
// 620 x 490, with the link drawn where the link area lies: 162,390 318 x 40) and "bluck2zn.big"
// (the folder browser's placeholder). Run: draw_assets <assets folder>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

static void hills(QPainter &p, int w, int h)
{
    QPainterPath back;
    back.moveTo(0, h * 0.62);
    back.cubicTo(w * 0.25, h * 0.48, w * 0.45, h * 0.70, w * 0.70, h * 0.55);
    back.cubicTo(w * 0.85, h * 0.47, w * 0.95, h * 0.56, w, h * 0.52);
    back.lineTo(w, h);
    back.lineTo(0, h);
    back.closeSubpath();
    p.fillPath(back, QColor(70, 120, 90));
    QPainterPath front;
    front.moveTo(0, h * 0.78);
    front.cubicTo(w * 0.3, h * 0.66, w * 0.6, h * 0.86, w, h * 0.72);
    front.lineTo(w, h);
    front.lineTo(0, h);
    front.closeSubpath();
    p.fillPath(front, QColor(40, 85, 60));
}

static QImage splash()
{
    QImage img(620, 490, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 490);
    sky.setColorAt(0, QColor(24, 40, 90));
    sky.setColorAt(0.55, QColor(230, 140, 90));
    sky.setColorAt(1, QColor(250, 210, 150));
    p.fillRect(img.rect(), sky);
    QRadialGradient sun(QPointF(430, 250), 70);
    sun.setColorAt(0, QColor(255, 240, 180));
    sun.setColorAt(1, QColor(255, 200, 120, 0));
    p.setBrush(sun);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(430, 250), 70, 70);
    hills(p, 620, 490);

    // A stack of three frames.
    for (int i = 0; i < 3; ++i) {
        const QRectF frame(150 + i * 26, 70 + i * 18, 200, 140);
        p.setPen(QPen(QColor(40, 40, 40), 2));
        p.setBrush(QColor(250, 248, 240));
        p.drawRect(frame);
        p.fillRect(frame.adjusted(10, 10, -10, -10), QColor(90 + 50 * i, 140, 200 - 40 * i));
    }

    QFont title(QStringLiteral("DejaVu Serif"));
    title.setPixelSize(56);
    title.setBold(true);
    p.setFont(title);
    p.setPen(QColor(0, 0, 0, 120));
    p.drawText(QRect(3, 253, 620, 70), Qt::AlignHCenter | Qt::AlignVCenter, QStringLiteral("Vistello"));
    p.setPen(QColor(255, 250, 235));
    p.drawText(QRect(0, 250, 620, 70), Qt::AlignHCenter | Qt::AlignVCenter, QStringLiteral("Vistello"));
    QFont sub(QStringLiteral("DejaVu Sans"));
    sub.setPixelSize(17);
    p.setFont(sub);
    p.drawText(QRect(0, 318, 620, 30), Qt::AlignHCenter, QStringLiteral("pictures and slide shows"));

    // The link, where the link area lies.
    const QRect link(162, 390, 318, 40);
    p.setPen(QPen(QColor(255, 255, 255), 2));
    p.setBrush(QColor(20, 50, 110, 200));
    p.drawRoundedRect(link.adjusted(1, 1, -1, -1), 8, 8);
    QFont linkFont(QStringLiteral("DejaVu Sans"));
    linkFont.setPixelSize(18);
    linkFont.setUnderline(true);
    p.setFont(linkFont);
    p.setPen(QColor(190, 220, 255));
    p.drawText(link, Qt::AlignCenter, QStringLiteral("Visit the Vistello page"));
    return img;
}

static QImage placeholder()
{
    QImage img(240, 240, QImage::Format_RGB32);
    img.fill(QColor(235, 235, 230));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(150, 150, 150), 6));
    p.setBrush(Qt::NoBrush);
    p.drawRect(30, 40, 180, 140);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(180, 180, 175));
    QPainterPath m;
    m.moveTo(40, 170);
    m.lineTo(95, 100);
    m.lineTo(130, 140);
    m.lineTo(155, 115);
    m.lineTo(200, 170);
    m.closeSubpath();
    p.drawPath(m);
    p.drawEllipse(QPointF(165, 75), 14, 14);
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(18);
    p.setFont(f);
    p.setPen(QColor(110, 110, 110));
    p.drawText(QRect(0, 190, 240, 40), Qt::AlignCenter, QStringLiteral("no picture chosen"));
    return img;
}

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    // Saved by content type, whatever the name says.
    const bool ok = splash().save(dir + "/splash.fig", "JPG", 90) && placeholder().save(dir + "/bluck2zn.big", "PNG");
    return ok ? 0 : 1;
}
