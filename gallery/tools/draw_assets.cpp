// Draws the gallery's own support pictures: "splash.fig" (the start-up and help title picture,
// 620 x 490, shown at Left 7, Top 3 of the window, with the link drawn where the link area lies:
// 162,390 318 x 40 in the window), "bluck2zn.big" (the folder browser's placeholder), the three
// help pages (at most 620 x 490, shown at their own size at Left 7, Top 3) and the four help
// buttons (100 x 100). Run: draw_assets <assets folder>
#include "Artwork.h"

#include <QAbstractTextDocumentLayout>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTextDocument>

// The link area's place in the window, and the viewing area's corner.
static const QRect kLinkInWindow(162, 390, 318, 40);
static const QPoint kViewCorner(7, 3);

// The link area at the given window Top, in the coordinates of a picture shown at the viewing
// area's corner.
static QRect linkAt(int windowTop)
{
    return QRect(kLinkInWindow.left(), windowTop, kLinkInWindow.width(), kLinkInWindow.height())
        .translated(-kViewCorner);
}

static void drawLink(QPainter &p, const QRect &link, const QString &text)
{
    p.setPen(QPen(QColor(255, 255, 255), 2));
    p.setBrush(QColor(20, 50, 110, 200));
    p.drawRoundedRect(QRectF(link).adjusted(1, 1, -1, -1), 8, 8);
    QFont linkFont(QStringLiteral("DejaVu Sans"));
    linkFont.setPixelSize(18);
    linkFont.setUnderline(true);
    p.setFont(linkFont);
    p.setPen(QColor(190, 220, 255));
    p.drawText(link, Qt::AlignCenter, text);
}

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
    drawLink(p, linkAt(390), QStringLiteral("Visit the Vistello page"));
    return img;
}

// Drawn at the size the folder browser's preview box shows it (1200 twips square: 80 pixels at
// 96 dpi), so that its words keep the windows' own text size.
static QImage placeholder()
{
    QImage img(80, 80, QImage::Format_RGB32);
    img.fill(QColor(235, 235, 230));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(150, 150, 150), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(15, 8, 50, 37));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(180, 180, 175));
    QPainterPath m;
    m.moveTo(18, 42);
    m.lineTo(33, 24);
    m.lineTo(43, 34);
    m.lineTo(50, 27);
    m.lineTo(62, 42);
    m.closeSubpath();
    p.drawPath(m);
    p.drawEllipse(QPointF(53, 18), 4, 4);
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(11);
    p.setFont(f);
    p.setPen(QColor(90, 90, 90));
    p.drawText(QRect(0, 49, 80, 29), Qt::AlignCenter, QStringLiteral("no picture\nchosen"));
    return img;
}


// ---- Help pages and help buttons ----

static const QColor kInk(28, 34, 52);
static const QColor kBand(24, 40, 90);
static const QColor kPaper(250, 247, 238);

// A help page: paper, a band with the page's number and title, and a thin frame.
static QImage page(int number, const QString &title)
{
    QImage img(620, 490, QImage::Format_RGB32);
    img.fill(kPaper);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient band(0, 0, 620, 0);
    band.setColorAt(0, kBand);
    band.setColorAt(1, QColor(60, 80, 150));
    p.fillRect(QRect(0, 0, 620, 46), band);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 210, 150));
    p.drawEllipse(QPointF(30, 23), 15, 15);
    QFont digit(QStringLiteral("DejaVu Sans"));
    digit.setPixelSize(20);
    digit.setBold(true);
    p.setFont(digit);
    p.setPen(kBand);
    p.drawText(QRectF(15, 8, 30, 30), Qt::AlignCenter, QString::number(number));
    QFont head(QStringLiteral("DejaVu Sans"));
    head.setPixelSize(22);
    head.setBold(true);
    p.setFont(head);
    p.setPen(QColor(255, 250, 235));
    p.drawText(QRect(58, 0, 540, 46), Qt::AlignVCenter | Qt::AlignLeft, title);
    QFont small(QStringLiteral("DejaVu Sans"));
    small.setPixelSize(12);
    p.setFont(small);
    p.setPen(QColor(200, 210, 240));
    p.drawText(QRect(0, 0, 606, 46), Qt::AlignVCenter | Qt::AlignRight, QStringLiteral("Vistello Help"));
    p.setPen(QPen(QColor(150, 160, 190), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, 619, 489));
    return img;
}

// Rich text laid out in the rectangle (HTML of the text document; sizes in pixels).
static void text(QPainter &p, const QRectF &rect, const QString &html, int pixelSize = 14)
{
    QTextDocument doc;
    doc.setDocumentMargin(0);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    doc.setDefaultFont(font);
    doc.setDefaultStyleSheet(
        QStringLiteral("b { color: #182a5a; } td { padding: 1px 4px; } li { margin-bottom: 5px; }"));
    doc.setTextWidth(rect.width());
    doc.setHtml(html);
    p.save();
    p.translate(rect.topLeft());
    QAbstractTextDocumentLayout::PaintContext context;
    context.palette.setColor(QPalette::Text, kInk);
    context.clip = QRectF(0, 0, rect.width(), rect.height());
    p.setClipRect(context.clip);
    doc.documentLayout()->draw(&p, context);
    p.restore();
}

static QImage introPage()
{
    QImage img = page(1, QStringLiteral("Getting started"));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    text(p, QRectF(24, 60, 572, 380), QStringLiteral(
        "<p>Vistello shows the pictures of one folder at a time: Windows bitmaps (<b>.bmp</b>), "
        "GIF pictures (<b>.gif</b>) and JPEG photos (<b>.jpg</b>).</p>"
        "<p><b>Find Files</b> opens the folder browser. Choose a drive, a folder and a picture type, "
        "then press <b>Close</b> to see the folder's pictures. The six <b>Store &gt;</b> buttons keep "
        "folder locations; the button beside each one takes you back there.</p>"
        "<p>Each picture is fitted into the viewing area, and the window caption gives its zoom. "
        "<b>Actual Size</b> shows a small picture at its own size; <b>Restore</b> fits it again.</p>"
        "<p>The column on the right shows the current picture and the three after it: click one to "
        "view it. Clear <b>Thumbnails</b> for greater speed.</p>"
        "<p><b>Click the picture</b> to see it on the whole screen. <b>Right-click it</b> for its file "
        "size, type, size in pixels and print size; a click closes that window.</p>"
        "<p><b>Note</b> keeps a few lines of text beside each picture; <b>Print</b> and <b>Copy</b> "
        "send the picture to the printer or the clipboard. Vistello remembers its folder, "
        "thumbnails, slide-show period, stored locations and note font for next time.</p>"
        "<p>The buttons on the right of this help lead to the <b>controls</b> (2), the "
        "<b>limitations</b> (3) and back to your pictures (4).</p>"));
    drawLink(p, linkAt(450), QStringLiteral("Read more about Vistello"));
    return img;
}

static void buttonFace(QPainter &p, const QRectF &r)
{
    p.setPen(QPen(QColor(140, 145, 160), 1));
    p.setBrush(QColor(232, 232, 236));
    p.drawRoundedRect(r, 3, 3);
}

static QImage controlsPage()
{
    QImage img = page(2, QStringLiteral("Controls"));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    text(p, QRectF(18, 56, 290, 190), QStringLiteral(
        "<p style='margin-bottom:3px'><b>Buttons</b></p>"
        "<table cellspacing='0'>"
        "<tr><td><b>Find Files</b></td><td>choose a folder</td></tr>"
        "<tr><td><b>Actual Size</b></td><td>a small picture at 100%</td></tr>"
        "<tr><td><b>Copy</b></td><td>the picture to the clipboard</td></tr>"
        "<tr><td><b>Print</b></td><td>the picture at its screen size</td></tr>"
        "<tr><td><b>Help</b></td><td>these pages</td></tr>"
        "<tr><td><b>Note</b></td><td>a note beside the picture</td></tr>"
        "<tr><td><b>Close</b></td><td>ends Vistello</td></tr>"
        "</table>"), 13);
    // The six navigation buttons as the window shows them, backward on the left.
    const struct {
        Artwork::Arrow arrow;
        const char *what;
    } nav[] = {{Artwork::Arrow::Home, "first pictures"},  {Artwork::Arrow::BackFour, "previous four"},
               {Artwork::Arrow::BackOne, "previous"},     {Artwork::Arrow::End, "last pictures"},
               {Artwork::Arrow::FwdFour, "next four"},    {Artwork::Arrow::FwdOne, "next"}};
    QFont small(QStringLiteral("DejaVu Sans"));
    small.setPixelSize(13);
    p.setFont(small);
    for (int i = 0; i < 6; ++i) {
        const int col = i / 3, row = i % 3;
        const QRectF face(22 + col * 145, 232 + row * 25, 28, 20);
        buttonFace(p, face);
        const QPixmap arrow = Artwork::arrowIcon(nav[i].arrow).pixmap(22, 16);
        p.drawPixmap(face.topLeft() + QPointF((face.width() - 22) / 2, (face.height() - 16) / 2), arrow);
        p.setPen(kInk);
        p.drawText(QRectF(face.right() + 6, face.top(), 108, 20), Qt::AlignVCenter | Qt::AlignLeft,
                   QString::fromLatin1(nav[i].what));
    }
    text(p, QRectF(18, 318, 290, 164), QStringLiteral(
        "<p style='margin-bottom:3px'><b>Mouse</b></p>"
        "<p style='margin:0'>Click the picture to see it on the whole screen. There a right click "
        "opens the remote control: previous, next, and a slide show of 1 to 120 seconds a picture. "
        "A left click closes the view; so do Esc and numeric-pad minus.</p>"
        "<p style='margin-top:4px'>Right-click the picture for its information.</p>"), 13);
    p.setPen(QPen(QColor(190, 180, 160), 1));
    p.drawLine(QPointF(314, 62), QPointF(314, 474));
    text(p, QRectF(324, 56, 286, 424), QStringLiteral(
        "<p style='margin-bottom:3px'><b>Keys</b></p>"
        "<table cellspacing='0'>"
        "<tr><td><b>Ctrl+Right</b></td><td>next picture</td></tr>"
        "<tr><td><b>Ctrl+Left</b></td><td>previous picture</td></tr>"
        "<tr><td><b>Page Up</b></td><td>four pictures on</td></tr>"
        "<tr><td><b>Page Down</b></td><td>four pictures back</td></tr>"
        "<tr><td><b>Home</b></td><td>first pictures</td></tr>"
        "<tr><td><b>End</b></td><td>last pictures</td></tr>"
        "<tr><td><b>1 to 4</b></td><td>thumbnail 1 to 4</td></tr>"
        "<tr><td><b>numeric +</b></td><td>the whole screen</td></tr>"
        "<tr><td><b>Ctrl+P</b></td><td>print</td></tr>"
        "</table>"
        "<p style='margin-top:10px; margin-bottom:3px'><b>In help</b></p>"
        "<table cellspacing='0'>"
        "<tr><td><b>1, 2, 3</b></td><td>these pages</td></tr>"
        "<tr><td><b>4 or Esc</b></td><td>back to your pictures</td></tr>"
        "</table>"
        "<p style='margin-top:10px; margin-bottom:3px'><b>Notes</b></p>"
        "<p style='margin:0'>A note is a text file beside its picture. <b>Add Date</b> stamps it, "
        "<b>Font</b> chooses its letters, <b>Note Help</b> explains it, <b>Close</b> saves it.</p>"
        "<p style='margin-top:10px; margin-bottom:3px'><b>Thumbnails</b></p>"
        "<p style='margin:0'>Click a thumbnail to see its picture. Clear <b>Thumbnails</b> to hide "
        "them and browse faster.</p>"),
         13);
    return img;
}

static QImage limitationsPage()
{
    QImage img = page(3, QStringLiteral("Limitations"));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QString list = QStringLiteral(
        "<ul style='margin-left:-20px'>"
        "<li>Only files whose names end in <b>.bmp</b>, <b>.gif</b> or <b>.jpg</b> are listed "
        "(not .jpeg, .png and others).</li>"
        "<li>One folder at a time: pictures in its subfolders are not shown.</li>"
        "<li>Pictures come in the order of their names (img2 before img10), not by date.</li>"
        "<li>Vistello shows pictures; it does not edit, turn or save them.</li>"
        "<li>The screen must be at least 800 x 600 pixels.</li>"
        "<li>Thumbnails read three more pictures at every change: clear <b>Thumbnails</b> in "
        "folders of large photos.</li>"
        "<li>A picture prints at its size on the screen, one to a page.</li>"
        "<li>One copy of Vistello runs at a time: a second one closes at once.</li>"
        "</ul>");
    text(p, QRectF(24, 58, 572, 276), list, 14);
    drawLink(p, linkAt(340), QStringLiteral("Read more about Vistello"));
    text(p, QRectF(24, 386, 572, 98), QStringLiteral(
        "<ul style='margin-left:-20px'>"
        "<li>The slide show runs only while the picture fills the screen.</li>"
        "<li>Notes are written into the picture's folder, so it must be writable.</li>"
        "<li>Drives are the roots of the file system: <b>/</b> and mounted volumes.</li>"
        "</ul>"), 14);
    return img;
}

// A help button: a digit (its key), a small emblem and its name.
static QImage helpButton(int number, const QString &name, const QColor &colour)
{
    QImage img(100, 100, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient face(0, 0, 0, 100);
    face.setColorAt(0, colour.lighter(135));
    face.setColorAt(1, colour);
    p.fillRect(img.rect(), face);
    p.setPen(QPen(QColor(255, 255, 255, 200), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(3, 3, 94, 94), 10, 10);
    QFont digit(QStringLiteral("DejaVu Sans"));
    digit.setPixelSize(44);
    digit.setBold(true);
    p.setFont(digit);
    p.setPen(QColor(0, 0, 0, 90));
    p.drawText(QRect(2, 10, 100, 56), Qt::AlignCenter, QString::number(number));
    p.setPen(Qt::white);
    p.drawText(QRect(0, 8, 100, 56), Qt::AlignCenter, QString::number(number));
    QFont label(QStringLiteral("DejaVu Sans"));
    label.setPixelSize(12);
    label.setBold(true);
    p.setFont(label);
    p.drawText(QRect(0, 62, 100, 28), Qt::AlignCenter, name);
    return img;
}

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    // Saved by content type, whatever the name says: the photographic splash as JPEG, the pages
    // and buttons (mostly text) as PNG.
    const struct {
        const char *name;
        QImage image;
        const char *format;
    } files[] = {
        {"splash.fig", splash(), "JPG"},
        {"bluck2zn.big", placeholder(), "PNG"},
        {"intro.fig", introPage(), "PNG"},
        {"controls.fig", controlsPage(), "PNG"},
        {"limitations.fig", limitationsPage(), "PNG"},
        {"introclick.fig", helpButton(1, QStringLiteral("Introduction"), QColor(40, 80, 150)), "PNG"},
        {"controlsclick.fig", helpButton(2, QStringLiteral("Controls"), QColor(30, 110, 100)), "PNG"},
        {"limitclick.fig", helpButton(3, QStringLiteral("Limitations"), QColor(140, 80, 40)), "PNG"},
        {"exitHelp.fig", helpButton(4, QStringLiteral("Exit Help"), QColor(120, 30, 50)), "PNG"},
    };
    bool ok = true;
    for (const auto &f : files)
        ok = f.image.save(dir + "/" + QLatin1String(f.name), f.format, f.format[0] == 'J' ? 90 : -1) && ok;
    return ok ? 0 : 1;
}
