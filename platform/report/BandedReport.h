#pragma once
// A banded report over QPrinter, QPainter and QTextDocument. The report is a sheet of paper with
// margins (millimetres) and a list of bands, each a height and elements placed from the band's
// top-left corner, all as data:
//   - the page header stands at the top of every page, the page footer at the foot of every page;
//   - the title band is printed once, on the first page: below the page header, or, aligned to the
//     bottom, at the foot of the page just above the page footer;
//   - the detail band is printed once (the report has no rows to repeat it for). Its rich-text
//     element prints a document with its own formatting and grows with it: the text flows from the
//     element's place on the first page over as many pages as it needs, continuing below the page
//     header. It is broken between lines, never through one; a line taller than a whole page is
//     clipped at the page, and the text goes on after it on the next page. Other elements of the
//     band stand above the rich text.
// plan() says what stands where on which page, without a printer; print() and preview() paint
// that plan on a printer, a PDF file or Qt's preview window.
#include <QColor>
#include <QDate>
#include <QFont>
#include <QList>
#include <QMarginsF>
#include <QObject>
#include <QPageLayout>
#include <QRectF>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

class QPageRanges;
class QPagedPaintDevice;
class QPainter;
class QPrinter;
class QTextDocument;
class QWidget;

struct ReportElement {
    enum Kind {
        Label,      // `text`, on one line
        PrintDate,  // the date of printing, in the report's date format
        PageNumber, // the page's number, from 1
        RichText    // `document`, with its own formatting, `width` wide, growing with its text
    };
    QString name = {};
    Kind kind = Label;
    QString text = {};
    const QTextDocument *document = nullptr;
    // Millimetres from the band's top-left corner. Labels size themselves to their text; with a
    // horizontal alignment of AlignHCenter or AlignRight they stand centred on, or flush with the
    // right of, the band, and `left` is not used.
    double left = 0;
    double top = 0;
    double width = 0;  // rich text
    double height = 0; // rich text: its least height
    Qt::Alignment alignment = Qt::AlignLeft;
    std::optional<QFont> font = {}; // else the band's, else the report's
    QColor color = Qt::black;
};

struct ReportBand {
    enum Kind { PageHeader, Title, Detail, PageFooter };
    QString name = {};
    Kind kind = Detail;
    double height = 0; // millimetres; the detail band grows with its rich text
    QColor color = Qt::white;
    std::optional<QFont> font = {};
    QColor bottomLine = {}; // a line along the bottom edge, when valid
    bool alignToBottom = false; // title band: at the foot of the first page
    std::vector<std::unique_ptr<ReportElement>> elements = {};

    ReportElement *add(ReportElement element);
};

// What stands on one page, in millimetres from the paper's top-left corner.
struct PlacedBand {
    QString name;
    ReportBand::Kind kind;
    QRectF rect;
    QColor color;
    QColor bottomLine;
};

struct PlacedElement {
    QString band;
    QString name;
    ReportElement::Kind kind;
    QRectF rect;
    // What it shows: the label's text, the date, the page number; for rich text, the plain text of
    // the lines on this page.
    QString text;
    QFont font;
    QColor color;
    Qt::Alignment alignment;
    // Rich text: the lines shown here, as character positions [first, end) in the document and as
    // millimetres [from, to) from the top of the text as laid out.
    int firstChar = 0;
    int endChar = 0;
    double from = 0;
    double to = 0;
};

struct ReportPage {
    QList<PlacedBand> bands;
    QList<PlacedElement> elements;
    const PlacedElement *element(const QString &name) const;
    const PlacedBand *band(const QString &name) const;
};

struct ReportPlan {
    QSizeF paper; // millimetres
    QList<ReportPage> pages;
    // The rich text laid out for the plan (a copy: the plan does not follow later edits).
    std::shared_ptr<QTextDocument> text;
};

class BandedReport : public QObject {
    Q_OBJECT
public:
    explicit BandedReport(QObject *parent = nullptr);
    ~BandedReport() override;

    QPageLayout page{QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                     QPageLayout::Millimeter};
    QFont font; // elements' font where neither they nor their band have one
    QString dateFormat = QStringLiteral("dd/MM/yyyy");
    QString title; // the preview window's caption and the print job's name

    ReportBand *addBand(ReportBand band);

    // Lays the report out as printed on `printed`.
    ReportPlan plan(const QDate &printed) const;

    // Paper, orientation and margins of the report, every page painted to the paper's edge.
    void setUp(QPrinter &printer) const;
    // Paints the plan's pages within the printer's page range. A PDF file is written whole or not at
    // all. False when the printer or the file could not be used, with the file's error.
    bool print(const ReportPlan &plan, QPrinter &printer, QString *error = nullptr) const;
    // Qt's modal preview window of the report as planned now, over `printer`; returns when it closes.
    void preview(QPrinter &printer, QWidget *parent);

private:
    // Paints the plan's pages on a paged device, one after another: those in `ranges`, or all.
    void paint(const ReportPlan &plan, QPainter &painter, QPagedPaintDevice &device,
               const QPageRanges &ranges) const;
    void paintPage(const ReportPlan &plan, int index, QPainter &painter) const;

    std::vector<std::unique_ptr<ReportBand>> m_bands;
};
