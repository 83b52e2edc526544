#include "BandedReport.h"

#include "Printer.h"
#include "RichText.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QImage>
#include <QPageRanges>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextLayout>

namespace {

// The text is laid out once, at this resolution, whatever it is painted on: the plan (and so the
// page breaks) is the same for the preview, the printer and the PDF file.
constexpr double LayoutDpi = 1200;
constexpr double MmPerInch = 25.4;
// The title band's line: one pixel of the screen the report was designed on.
constexpr double LineWidthMm = MmPerInch / 96;
constexpr double Tolerance = 1e-6;

double toLayout(double mm)
{
    return mm * LayoutDpi / MmPerInch;
}

double toMm(double layout)
{
    return layout * MmPerInch / LayoutDpi;
}

QPaintDevice *layoutDevice()
{
    static QImage device = [] {
        QImage image(1, 1, QImage::Format_RGB32);
        const int dotsPerMeter = qRound(LayoutDpi / MmPerInch * 1000);
        image.setDotsPerMeterX(dotsPerMeter);
        image.setDotsPerMeterY(dotsPerMeter);
        return image;
    }();
    return &device;
}

// The paragraphs' indents (first line, left, right) are pixels of the editor's layout, 96 per inch.
// Laid out at LayoutDpi, where fonts given in points scale by themselves, and so do the space
// before and after a paragraph and the tab stops (Qt scales them to the device), they are
// multiplied to keep their size on paper.
void scaleIndents(QTextDocument &doc)
{
    const double k = LayoutDpi / 72 / RichText::PixelsPerPoint;
    QTextCursor cursor(&doc);
    cursor.beginEditBlock();
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        QTextBlockFormat f = block.blockFormat();
        f.setLeftMargin(f.leftMargin() * k);
        f.setRightMargin(f.rightMargin() * k);
        f.setTextIndent(f.textIndent() * k);
        cursor.setPosition(block.position());
        cursor.setBlockFormat(f);
    }
    cursor.endEditBlock();
}

struct Line {
    double top;    // millimetres from the top of the text
    double bottom;
    int first;     // character positions
    int end;
};

QList<Line> linesOf(const QTextDocument &doc)
{
    QList<Line> lines;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        const QTextLayout *layout = block.layout();
        if (!layout || !block.isVisible())
            continue;
        const QPointF at = layout->position();
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            const double top = at.y() + line.y();
            const int first = block.position() + line.textStart();
            lines.append({toMm(top), toMm(top + line.height()), first, first + line.textLength()});
        }
    }
    return lines;
}

// Where the text's lines go: page by page, the lines [first, last] shown from `from` to `to`.
struct Segment {
    int page;
    int first;
    int last; // below first: no line on this page
    double from;
    double to;
};

// The pages' room for text: `firstRoom` on the first page, `room` on each later one.
QList<Segment> paginate(const QList<Line> &lines, double firstRoom, double room)
{
    QList<Segment> segments;
    int page = 0;
    int start = 0;
    int i = 0;
    while (i < lines.size()) {
        const double space = page == 0 ? firstRoom : room;
        if (lines[i].bottom - lines[start].top <= space + Tolerance) {
            ++i;
            continue;
        }
        if (i > start) {
            segments.append({page, start, i - 1, lines[start].top, lines[i - 1].bottom});
        } else if (space + Tolerance < room) {
            // The next page has more room for this line.
            segments.append({page, i, i - 1, lines[i].top, lines[i].top});
        } else {
            // Taller than a whole page: what the page holds of it, and the text goes on after it.
            segments.append({page, i, i, lines[i].top, lines[i].top + space});
            ++i;
        }
        ++page;
        start = i;
    }
    if (start < lines.size())
        segments.append({page, start, int(lines.size()) - 1, lines[start].top, lines.last().bottom});
    return segments;
}

QString textBetween(const QTextDocument &doc, int first, int end)
{
    QTextCursor cursor(const_cast<QTextDocument *>(&doc));
    cursor.setPosition(first);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    return cursor.selection().toPlainText();
}

QRectF onDevice(const QRectF &mm, double sx, double sy)
{
    return QRectF(mm.x() * sx, mm.y() * sy, mm.width() * sx, mm.height() * sy);
}

} // namespace

ReportElement *ReportBand::add(ReportElement element)
{
    elements.push_back(std::make_unique<ReportElement>(std::move(element)));
    return elements.back().get();
}

const PlacedElement *ReportPage::element(const QString &name) const
{
    for (const PlacedElement &e : elements)
        if (e.name == name)
            return &e;
    return nullptr;
}

const PlacedBand *ReportPage::band(const QString &name) const
{
    for (const PlacedBand &b : bands)
        if (b.name == name)
            return &b;
    return nullptr;
}

BandedReport::BandedReport(QObject *parent)
    : QObject(parent)
{
}

BandedReport::~BandedReport() = default;

ReportBand *BandedReport::addBand(ReportBand band)
{
    m_bands.push_back(std::make_unique<ReportBand>(std::move(band)));
    return m_bands.back().get();
}

ReportPlan BandedReport::plan(const QDate &printed) const
{
    ReportPlan plan;
    const QRectF paper = page.fullRect(QPageLayout::Millimeter);
    const QMarginsF margins = page.margins(QPageLayout::Millimeter);
    plan.paper = paper.size();
    const double left = margins.left();
    const double width = paper.width() - margins.left() - margins.right();

    const ReportBand *header = nullptr, *titleBand = nullptr, *detail = nullptr, *footer = nullptr;
    for (const auto &b : m_bands) {
        const ReportBand **slot = b->kind == ReportBand::PageHeader ? &header
                                  : b->kind == ReportBand::Title    ? &titleBand
                                  : b->kind == ReportBand::Detail   ? &detail
                                                                     : &footer;
        if (!*slot)
            *slot = b.get();
    }
    const double bodyTop = margins.top() + (header ? header->height : 0);
    const double footerTop = paper.height() - margins.bottom() - (footer ? footer->height : 0);
    const bool titleAtFoot = titleBand && titleBand->alignToBottom;
    const double titleTop = titleAtFoot ? footerTop - titleBand->height : bodyTop;
    const double detailTop = titleBand && !titleAtFoot ? bodyTop + titleBand->height : bodyTop;
    const double firstBottom = titleAtFoot ? titleTop : footerTop;

    // The rich text, laid out at its width; its lines spread over the pages.
    const ReportElement *rich = nullptr;
    if (detail)
        for (const auto &e : detail->elements)
            if (e->kind == ReportElement::RichText && e->document) {
                rich = e.get();
                break;
            }
    QList<Line> lines;
    QList<Segment> segments;
    double richTop = detailTop;
    if (rich) {
        plan.text.reset(rich->document->clone());
        plan.text->setUndoRedoEnabled(false);
        scaleIndents(*plan.text);
        plan.text->setUseDesignMetrics(true);
        plan.text->setDocumentMargin(0);
        plan.text->documentLayout()->setPaintDevice(layoutDevice());
        plan.text->setTextWidth(toLayout(rich->width));
        plan.text->size(); // lays the whole text out
        richTop = detailTop + rich->top;
        lines = linesOf(*plan.text);
        segments = paginate(lines, firstBottom - richTop, footerTop - bodyTop);
    }
    int pageCount = 1;
    for (const Segment &s : segments)
        pageCount = qMax(pageCount, s.page + 1);

    const auto fontOf = [this](const ReportElement &e, const ReportBand &b) {
        return e.font ? *e.font : b.font ? *b.font : font;
    };
    // A band and, unless it goes on from an earlier page, its elements other than rich text.
    const auto placeBand = [&](ReportPage &p, const ReportBand &b, double top, double height, bool elements) {
        p.bands.append({b.name, b.kind, QRectF(left, top, width, height), b.color, b.bottomLine});
        for (const auto &e : b.elements) {
            if (!elements || e->kind == ReportElement::RichText)
                continue;
            PlacedElement placed{b.name, e->name, e->kind, {}, {}, fontOf(*e, b), e->color, e->alignment};
            placed.text = e->kind == ReportElement::PrintDate    ? printed.toString(dateFormat)
                          : e->kind == ReportElement::PageNumber ? QString::number(plan.pages.size() + 1)
                                                                 : e->text;
            const QFontMetricsF metrics(placed.font, layoutDevice());
            const double w = toMm(metrics.horizontalAdvance(placed.text));
            const double x = e->alignment & Qt::AlignRight     ? left + width - w
                             : e->alignment & Qt::AlignHCenter ? left + (width - w) / 2
                                                               : left + e->left;
            placed.rect = QRectF(x, top + e->top, w, toMm(metrics.height()));
            p.elements.append(placed);
        }
    };

    for (int n = 0; n < pageCount; ++n) {
        ReportPage p;
        if (header)
            placeBand(p, *header, margins.top(), header->height, true);
        if (titleBand && n == 0)
            placeBand(p, *titleBand, titleTop, titleBand->height, true);
        if (detail) {
            const double top = n == 0 ? detailTop : bodyTop;
            const double bottom = n == 0 ? firstBottom : footerTop;
            std::optional<PlacedElement> text;
            for (const Segment &s : segments) {
                if (s.page != n || s.last < s.first)
                    continue;
                text = PlacedElement{detail->name, rich->name, ReportElement::RichText, {}, {}, {}, rich->color,
                                     rich->alignment};
                const double at = n == 0 ? richTop : bodyTop;
                text->rect = QRectF(left + rich->left, at, rich->width, qMax(s.to - s.from, n == 0 ? rich->height : 0));
                text->firstChar = lines[s.first].first;
                text->endChar = lines[s.last].end;
                text->text = textBetween(*plan.text, text->firstChar, text->endChar);
                text->from = s.from;
                text->to = s.to;
            }
            // The band grows with its rich text, down to the page's end while the text goes on.
            double end = n == 0 ? top + detail->height : top;
            if (n < pageCount - 1)
                end = bottom;
            else if (text)
                end = qMax(end, text->rect.bottom() + qMax(0.0, detail->height - rich->top - rich->height));
            if (end > top)
                placeBand(p, *detail, top, qMin(end, bottom) - top, n == 0);
            if (text)
                p.elements.append(*text);
        }
        if (footer)
            placeBand(p, *footer, footerTop, footer->height, true);
        plan.pages.append(p);
    }
    return plan;
}

void BandedReport::setUp(QPrinter &printer) const
{
    printer.setPageLayout(page);
    printer.setFullPage(true);
    printer.setPrintRange(QPrinter::AllPages);
    printer.setCopyCount(1);
    if (!title.isEmpty())
        printer.setDocName(title);
}

void BandedReport::paintPage(const ReportPlan &plan, int index, QPainter &painter) const
{
    const ReportPage &p = plan.pages.at(index);
    const double sx = painter.device()->logicalDpiX() / MmPerInch;
    const double sy = painter.device()->logicalDpiY() / MmPerInch;
    painter.save();
    for (const PlacedBand &b : p.bands) {
        const QRectF r = onDevice(b.rect, sx, sy);
        if (b.color.isValid())
            painter.fillRect(r, b.color);
        if (b.bottomLine.isValid()) {
            painter.setPen(QPen(b.bottomLine, LineWidthMm * sy, Qt::SolidLine, Qt::FlatCap));
            const double y = r.bottom() - LineWidthMm * sy / 2;
            painter.drawLine(QPointF(r.left(), y), QPointF(r.right(), y));
        }
    }
    for (const PlacedElement &e : p.elements) {
        if (e.kind != ReportElement::RichText) {
            painter.setFont(e.font);
            painter.setPen(e.color);
            painter.drawText(onDevice(e.rect, sx, sy), int(e.alignment) | Qt::AlignTop | Qt::TextSingleLine
                                                           | Qt::TextDontClip,
                             e.text);
            continue;
        }
        if (!plan.text)
            continue;
        // The lines [from, to) of the text laid out at LayoutDpi, scaled to the device; nothing of
        // the lines before or after shows.
        painter.save();
        painter.translate(e.rect.x() * sx, e.rect.y() * sy);
        painter.scale(sx * MmPerInch / LayoutDpi, sy * MmPerInch / LayoutDpi);
        painter.translate(0, -toLayout(e.from));
        const QRectF shown(-toLayout(e.rect.x()), toLayout(e.from), toLayout(plan.paper.width()),
                           toLayout(e.to - e.from));
        painter.setClipRect(shown);
        QAbstractTextDocumentLayout::PaintContext context;
        // Lines that only touch the edges are not drawn at all, so that a PDF holds no hidden text.
        context.clip = shown.adjusted(0, 1, 0, -1);
        context.palette.setColor(QPalette::Text, e.color);
        plan.text->documentLayout()->draw(&painter, context);
        painter.restore();
    }
    painter.restore();
}

void BandedReport::paint(const ReportPlan &plan, QPainter &painter, QPagedPaintDevice &device,
                         const QPageRanges &ranges) const
{
    bool first = true;
    for (int i = 0; i < plan.pages.size(); ++i) {
        if (!ranges.isEmpty() && !ranges.contains(i + 1))
            continue;
        if (!first)
            device.newPage();
        first = false;
        paintPage(plan, i, painter);
    }
}

bool BandedReport::print(const ReportPlan &plan, QPrinter &printer, QString *error) const
{
    const QPageRanges ranges = printer.printRange() == QPrinter::PageRange ? printer.pageRanges() : QPageRanges();
    const auto failed = [error](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    // A PDF file is written beside its place and put there once whole.
    PrintDocument document(printer);
    if (!document.begin())
        return failed(document.errorString());
    paint(plan, document.painter(), document.device(), ranges);
    if (!document.end())
        return failed(document.errorString());
    return true;
}

void BandedReport::preview(QPrinter &printer, QWidget *parent)
{
    const ReportPlan planned = plan(QDate::currentDate());
    QPrintPreviewDialog dialog(&printer, parent);
    if (!title.isEmpty())
        dialog.setWindowTitle(title);
    // The preview paints the report on its pages, and again on the printer when printed from there.
    connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&](QPrinter *target) {
        QPainter painter(target);
        paint(planned, painter, *target,
              target->printRange() == QPrinter::PageRange ? target->pageRanges() : QPageRanges());
    });
    dialog.exec();
}
