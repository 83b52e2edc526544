#include "FormInfo.h"

#include "AllForms.h"
#include "FileLists.h"
#include "Fonts.h"
#include "FormFiles.h"
#include "FormMain.h"
#include "LocalFiles.h"
#include "WindowGeometry.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QTextLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTextOption>

#include <cmath>

namespace PictureInfo {

namespace {
// Whole numbers and one-decimal figures as their shortest decimal text ("3", "20.5").
QString number(double value)
{
    return QString::number(value, 'g', 7);
}

// Halves up, as the figures are rounded.
double roundHalfUp(double value)
{
    return std::floor(value + 0.5);
}

QString typeKey(const QString &name)
{
    return name.right(3).toUpper();
}

QString printSize(int pixels)
{
    const double inches = roundHalfUp(pixels / 200.0 * 10) / 10;
    const double millimetres = roundHalfUp(pixels / 200.0 * 25.4);
    return number(inches) + QStringLiteral(" inches (") + number(millimetres) + QStringLiteral("mm)");
}

QString ratioLine(float ratio)
{
    if (ratio > 0)
        return QStringLiteral("Compression ratio:   ") + number(ratio) + QStringLiteral(" : 1");
    if (ratio == -100)
        return QStringLiteral("24 bit color");
    if (ratio == -200)
        return QStringLiteral("Indexed color");
    return QStringLiteral("Compression ratio: not applicable");
}
} // namespace

qint64 fileSize(const QString &path)
{
    QFile file;
    if (!LocalFiles::openForReading(file, path))
        return -1;
    return file.size();
}

Figures figures(const QString &path, qint64 fileSize, QSize pixels)
{
    Figures f;
    if (fileSize == -1) {
        f.iFileDisp = QStringLiteral("Not available");
    } else if (fileSize < 1024) {
        f.iFileDisp = QString::number(fileSize);
        f.KbByte = QStringLiteral(" Bytes");
    } else {
        f.iFileDisp = QString::number(qint64(roundHalfUp(double(fileSize) / 1024)));
        f.KbByte = QStringLiteral(" KB");
    }
    const QString key = typeKey(path);
    // The bytes of the picture at 24 bits a pixel.
    const double raw = double(pixels.height()) * pixels.width() * 3;
    // An empty JPEG file has no ratio.
    if (key == QLatin1String("JPG") && fileSize > 0)
        f.CompRatio = float(roundHalfUp(raw / double(fileSize) * 10) / 10);
    if (key == QLatin1String("BMP") && raw == double(fileSize - 54))
        f.CompRatio = -100;
    if (key == QLatin1String("BMP") && raw > 9000 && float(fileSize) * 2.5f < raw)
        f.CompRatio = -200;
    if (fileSize == -1 || key == QLatin1String("GIF"))
        f.CompRatio = 0;
    return f;
}

QString lines(const QString &fileName, const QString &folder, const Figures &figures, QSize pixels)
{
    const QString key = typeKey(fileName);
    QString type;
    if (key == QLatin1String("BMP"))
        type = QStringLiteral("Windows bitmap");
    else if (key == QLatin1String("GIF"))
        type = QStringLiteral("CompuServe GIF");
    else if (key == QLatin1String("JPG"))
        type = QStringLiteral("JPEG");
    const QStringList text = {
        QStringLiteral("                      IMAGE DATA"),
        QString(),
        QStringLiteral("File name:  ") + fileName,
        QString(),
        QStringLiteral("Size:  ") + figures.iFileDisp + figures.KbByte,
        QString(),
        QStringLiteral("Type:  ") + type,
        QString(),
        ratioLine(figures.CompRatio),
        QString(),
        QStringLiteral("Location:  ") + folder,
        QString(),
        QStringLiteral("Image size (pixels):"),
        QStringLiteral("    width - ") + QString::number(pixels.width()),
        QStringLiteral("    height - ") + QString::number(pixels.height()),
        QString(),
        QStringLiteral("Print size at 200dpi:"),
        QStringLiteral("    width - ") + printSize(pixels.width()),
        QStringLiteral("    height - ") + printSize(pixels.height()),
    };
    return text.join(QStringLiteral("\r\n"));
}

} // namespace PictureInfo

namespace {

constexpr int kWidth = 400; // pixels
constexpr int kHeight = 470;

// The label's text wraps at word boundaries, and inside a word (a long folder path) where a word
// is wider than the label. A text too long for the label has its longest line, the folder,
// shortened in the middle until the whole fits.
class InfoLabel : public QLabel {
    Q_OBJECT
    // The text as drawn.
    Q_PROPERTY(QString shownText READ shownText)
public:
    explicit InfoLabel(QWidget *parent)
        : QLabel(parent)
    {
        setWordWrap(true);
    }

    QString shownText() const
    {
        QStringList lines = text().split(QLatin1String("\r\n"));
        qsizetype longest = -1;
        for (qsizetype i = 0; i < lines.size(); ++i)
            if (longest < 0 || lines[i].size() > lines[longest].size())
                longest = i;
        const QFontMetricsF metrics(font());
        const QString whole = longest >= 0 ? lines[longest] : QString();
        for (int widths = 4; widths > 0 && wrappedHeight(lines) > height(); --widths)
            lines[longest] = metrics.elidedText(whole, Qt::ElideMiddle, widths * width() - metrics.averageCharWidth());
        return lines.join(QLatin1Char('\n'));
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setPen(palette().color(QPalette::WindowText));
        p.setFont(font());
        p.drawText(QRectF(rect()), shownText(), wrapping());
    }

private:
    static QTextOption wrapping()
    {
        QTextOption option(Qt::AlignLeft | Qt::AlignTop);
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        return option;
    }

    qreal wrappedHeight(const QStringList &lines) const
    {
        const qreal leading = QFontMetricsF(font()).leading();
        qreal total = 0;
        for (const QString &line : lines) {
            QTextLayout layout(line, font());
            layout.setTextOption(wrapping());
            layout.beginLayout();
            for (QTextLine row = layout.createLine(); row.isValid(); row = layout.createLine()) {
                row.setLineWidth(width());
                total += row.height() + leading;
            }
            layout.endLayout();
        }
        return total;
    }
};

// The window's background picture: deep blue, a thin light frame and a row of small frames at the
// foot, leaving the text's column dark.
const QImage &background()
{
    static const QImage image = [] {
        QImage img(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::transparent);
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        QLinearGradient shade(0, 0, 0, kHeight);
        shade.setColorAt(0, QColor(0, 0, 64));
        shade.setColorAt(0.7, QColor(6, 18, 92));
        shade.setColorAt(1, QColor(14, 36, 120));
        p.fillRect(img.rect(), shade);
        p.setPen(QPen(QColor(120, 150, 220, 160), 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(6.5, 6.5, kWidth - 13, kHeight - 13), 10, 10);
        p.setPen(QPen(QColor(70, 100, 180, 120), 1));
        p.drawLine(QPointF(40, 438), QPointF(kWidth - 40, 438));
        // Three small picture frames, as on the title picture.
        for (int i = 0; i < 3; ++i) {
            const QRectF frame(158 + i * 30, 446 - i * 2, 26, 18);
            p.setPen(QPen(QColor(170, 190, 235, 170), 1));
            p.setBrush(QColor(20, 40, 110));
            p.drawRect(frame);
            p.fillRect(frame.adjusted(3, 3, -3, -3), QColor(60 + 40 * i, 110, 190 - 30 * i, 200));
        }
        return img;
    }();
    return image;
}

} // namespace

FormInfo::FormInfo() : LoadableForm(nullptr, Qt::Window | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("FormInfo"));
    setWindowTitle(QStringLiteral("Form1"));
    Lblinfo = new InfoLabel(this);
    Lblinfo->setObjectName(QStringLiteral("Lblinfo"));
    QPalette pal = Lblinfo->palette();
    pal.setColor(QPalette::WindowText, Qt::white);
    Lblinfo->setPalette(pal);
    Lblinfo->setAttribute(Qt::WA_TranslucentBackground);
    Lblinfo->setFont(Fonts::sansSerif());
    // Over the whole window, above the label: it takes the clicks.
    ImageClick = new ImageBox(this);
    ImageClick->setObjectName(QStringLiteral("ImageClick"));
    ImageClick->setStretch(true);
    ImageClick->Move(0, 0, kWidth, kHeight);
    connect(ImageClick, &ImageBox::Click, this, &FormInfo::ImageClick_Click);
}

// Measures the picture last shown and works out its figures; FormMain::DoInfo shows them.
void FormInfo::Form_Load()
{
    FormMain *main = Forms::FormMain;
    const int ps = main && main->PixelScale > 0 ? main->PixelScale : 15;
    WindowGeometry::setFixedOuterSize(this, WindowGeometry::toPixels(ps * kWidth, ps),
                                      WindowGeometry::toPixels(ps * kHeight, ps));
    Lblinfo->setGeometry(50, 4, 300, 430);
    QFont font = Lblinfo->font();
    font.setPointSize(ps == 15 ? 12 : 10);
    Lblinfo->setFont(font);
    ImageClick->Move(0, 0, width(), height());
    CompRatio = 0;
    if (!main)
        return;
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
    // The picture shown, from its own file: also when the list has no selection (the last picture
    // of a list with the thumbnails filled for it) or lists another folder by now.
    lpFileName = main->PictureScale->picture().path();
    iFile = PictureInfo::fileSize(lpFileName);
    const PictureInfo::Figures f = PictureInfo::figures(
        lpFileName, iFile, QSize(int(main->PictureScale->Width()), int(main->PictureScale->Height())));
    iFileDisp = f.iFileDisp;
    KbByte = f.KbByte;
    CompRatio = f.CompRatio;
    main->DoInfo();
}

void FormInfo::Form_Click()
{
    unloadForm();
}

void FormInfo::ImageClick_Click()
{
    unloadForm();
}

void FormInfo::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), QColor(0, 0, 64));
    p.drawImage(0, 0, background());
}

void FormInfo::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Form_Click();
    LoadableForm::mouseReleaseEvent(event);
}

// Shows the information window and writes its text from the figures its load handler worked out.
void FormMain::DoInfo()
{
    FormInfo *info = Forms::FormInfo.get();
    info->show();
    const PictureInfo::Figures figures{info->iFileDisp, info->KbByte, info->CompRatio};
    // Named from its own path; the browser's selection stays where it is.
    const QString path = info->lpFileName;
    const QString folder = path.isEmpty() ? QString() : QFileInfo(path).path();
    const QSize pixels(int(PictureScale->Width()), int(PictureScale->Height()));
    info->Lblinfo->setText(PictureInfo::lines(LocalFiles::displayName(QFileInfo(path).fileName()),
                                              LocalFiles::displayName(folder), figures, pixels));
}

#include "FormInfo.moc"
