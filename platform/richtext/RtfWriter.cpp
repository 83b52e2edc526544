// The RTF writer: the font and colour tables list what the text uses, in order of first use;
// the body gives each paragraph its own \pard and states character formatting only where it
// changes, so the same document always gives the same bytes.
#include "RichText.h"
#include "RtfInternal.h"

#include <QBrush>
#include <QColor>
#include <QHash>
#include <QTextBlock>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextDocument>
#include <QTextFragment>

#include <algorithm>

namespace RichText::Rtf {
namespace {

constexpr int MaxTwips = 31680;
constexpr int MaxHalfPoints = 3276;

struct Run {
    int font = 0;
    int halfPoints = 24;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    int color = 0;     // colour table index, 0 automatic
    int highlight = 0; // colour table index, 0 none
};

int toTwips(double pixels)
{
    return std::clamp(qRound(pixels * TwipsPerPixel), -MaxTwips, MaxTwips);
}

// Characters that are not text to a reader (control characters, QTextDocument's object and
// frame marks, non-characters) are left out.
bool dropped(char16_t c)
{
    return (c < 0x20 && c != u'\t') || c == 0x7F || c == QChar::ObjectReplacementCharacter
        || c == QChar::ParagraphSeparator || c == 0xFDD0 || c == 0xFDD1 || c == 0xFFFE
        || c == 0xFFFF;
}

class Writer {
public:
    explicit Writer(const QTextDocument &doc) : m_doc(doc), m_default(doc.defaultFont()) {}
    QByteArray run();

private:
    void paragraph(const QTextBlock &block);
    const Run &runOf(int formatIndex, const QTextCharFormat &format);
    Run makeRun(const QTextCharFormat &format);
    int fontIndex(const QString &family);
    int colorIndex(const QColor &color);
    void switchTo(const Run &run);
    void word(const char *word);
    void word(const char *word, int param);
    void text(const QString &text, QByteArray &out, bool &needSpace);

    const QTextDocument &m_doc;
    const QFont m_default;
    QByteArray m_body;
    bool m_needSpace = false; // the last output was a control word: text needs a blank first
    QStringList m_fonts;
    QHash<QString, int> m_fontIndex;
    QList<QRgb> m_colors;
    QHash<QRgb, int> m_colorIndex;
    QHash<int, Run> m_runs; // by the document's char format index
    Run m_current{-1, -1};   // what the reader has been told; font and size not yet
};

QByteArray Writer::run()
{
    m_body.reserve(m_doc.characterCount() + 1024);
    for (QTextBlock block = m_doc.begin(); block.isValid(); block = block.next())
        paragraph(block);

    QByteArray out = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl";
    for (qsizetype i = 0; i < m_fonts.size(); ++i) {
        out += "{\\f" + QByteArray::number(i) + "\\fnil\\fcharset0";
        bool needSpace = true;
        text(m_fonts[i], out, needSpace);
        out += ";}";
    }
    out += "}\r\n{\\colortbl ;";
    for (const QRgb rgb : std::as_const(m_colors)) {
        out += "\\red" + QByteArray::number(qRed(rgb)) + "\\green" + QByteArray::number(qGreen(rgb))
            + "\\blue" + QByteArray::number(qBlue(rgb)) + ';';
    }
    out += "}\r\n\\uc1";
    out.reserve(out.size() + m_body.size() + 4);
    out += m_body;
    out += "}\r\n";
    return out;
}

void Writer::paragraph(const QTextBlock &block)
{
    const QTextBlockFormat format = block.blockFormat();
    m_body += "\\pard";
    m_needSpace = true;
    const Qt::Alignment align = format.alignment() & Qt::AlignHorizontal_Mask;
    if (align & Qt::AlignHCenter)
        word("\\qc");
    else if (align & Qt::AlignRight)
        word("\\qr");
    else if (align & Qt::AlignJustify)
        word("\\qj");
    // The indents as given, also those the editor shows at the page's edge.
    const Indents indents = RichText::indents(format);
    const int li = toTwips((indents.firstIndent + indents.leftIndent) * PixelsPerPoint);
    const int ri = toTwips(indents.rightIndent * PixelsPerPoint);
    const int fi = toTwips(-indents.leftIndent * PixelsPerPoint);
    const int sb = std::max(toTwips(format.topMargin()), 0);
    const int sa = std::max(toTwips(format.bottomMargin()), 0);
    if (li)
        word("\\li", li);
    if (ri)
        word("\\ri", ri);
    if (fi)
        word("\\fi", fi);
    if (sb)
        word("\\sb", sb);
    if (sa)
        word("\\sa", sa);

    bool empty = true;
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        if (!fragment.isValid())
            continue;
        const QString chars = fragment.text();
        if (std::all_of(chars.begin(), chars.end(), [](QChar c) { return dropped(c.unicode()); }))
            continue;
        switchTo(runOf(fragment.charFormatIndex(), fragment.charFormat()));
        text(chars, m_body, m_needSpace);
        empty = false;
    }
    // An empty paragraph keeps its character format: it sets the line's height and what is
    // typed there.
    if (empty)
        switchTo(makeRun(block.charFormat()));
    m_body += "\\par\r\n";
    m_needSpace = false;
}

const Run &Writer::runOf(int formatIndex, const QTextCharFormat &format)
{
    auto it = m_runs.find(formatIndex);
    if (it == m_runs.end())
        it = m_runs.insert(formatIndex, makeRun(format));
    return *it;
}

Run Writer::makeRun(const QTextCharFormat &format)
{
    const QFont font = format.font().resolve(m_default);
    Run run;
    run.font = fontIndex(font.family());
    double points = font.pointSizeF();
    if (points <= 0 && font.pixelSize() > 0)
        points = font.pixelSize() / PixelsPerPoint;
    if (points <= 0)
        points = 12;
    run.halfPoints = std::clamp(qRound(points * 2), 1, MaxHalfPoints);
    run.bold = font.weight() >= QFont::DemiBold;
    run.italic = font.italic();
    run.underline = font.underline();
    run.strike = font.strikeOut();
    if (format.hasProperty(QTextFormat::ForegroundBrush) && format.foreground().style() != Qt::NoBrush)
        run.color = colorIndex(format.foreground().color());
    if (format.hasProperty(QTextFormat::BackgroundBrush) && format.background().style() != Qt::NoBrush)
        run.highlight = colorIndex(format.background().color());
    return run;
}

int Writer::fontIndex(const QString &family)
{
    QString name = family;
    name.remove(u';');
    auto it = m_fontIndex.constFind(name);
    if (it != m_fontIndex.constEnd())
        return *it;
    m_fonts.append(name);
    return *m_fontIndex.insert(name, int(m_fonts.size() - 1));
}

int Writer::colorIndex(const QColor &color)
{
    const QRgb rgb = color.rgb() | 0xFF000000u;
    auto it = m_colorIndex.constFind(rgb);
    if (it != m_colorIndex.constEnd())
        return *it;
    m_colors.append(rgb);
    return *m_colorIndex.insert(rgb, int(m_colors.size()));
}

void Writer::switchTo(const Run &run)
{
    Run &cur = m_current;
    if (run.font != cur.font)
        word("\\f", run.font);
    if (run.halfPoints != cur.halfPoints)
        word("\\fs", run.halfPoints);
    if (run.bold != cur.bold)
        word(run.bold ? "\\b" : "\\b0");
    if (run.italic != cur.italic)
        word(run.italic ? "\\i" : "\\i0");
    if (run.underline != cur.underline)
        word(run.underline ? "\\ul" : "\\ulnone");
    if (run.strike != cur.strike)
        word(run.strike ? "\\strike" : "\\strike0");
    if (run.color != cur.color)
        word("\\cf", run.color);
    if (run.highlight != cur.highlight)
        word("\\highlight", run.highlight);
    cur = run;
}

void Writer::word(const char *word)
{
    m_body += word;
    m_needSpace = true;
}

void Writer::word(const char *word, int param)
{
    m_body += word;
    m_body += QByteArray::number(param);
    m_needSpace = true;
}

void Writer::text(const QString &text, QByteArray &out, bool &needSpace)
{
    static constexpr char hex[] = "0123456789abcdef";
    const auto unicode = [&](char16_t unit) {
        out += "\\u";
        out += QByteArray::number(qint16(unit));
        out += '?';
        needSpace = false;
    };
    const qsizetype n = text.size();
    const char16_t *s = reinterpret_cast<const char16_t *>(text.constData());
    for (qsizetype k = 0; k < n; ++k) {
        const char16_t c = s[k];
        if (c >= 0x20 && c < 0x7F && c != u'\\' && c != u'{' && c != u'}') {
            if (needSpace) {
                out += ' ';
                needSpace = false;
            }
            out += char(c);
        } else if (c == u'\\' || c == u'{' || c == u'}') {
            out += '\\';
            out += char(c);
            needSpace = false;
        } else if (c == u'\t') {
            out += "\\tab";
            needSpace = true;
        } else if (c == QChar::LineSeparator) {
            out += "\\line";
            needSpace = true;
        } else if (QChar::isHighSurrogate(c) && k + 1 < n && QChar::isLowSurrogate(s[k + 1])) {
            unicode(c);
            unicode(s[++k]);
        } else if (QChar::isSurrogate(c)) {
            unicode(QChar::ReplacementCharacter);
        } else if (dropped(c)) {
            continue;
        } else if (const int b = unicodeToCp1252(c); b >= 0x80) {
            out += "\\'";
            out += hex[b >> 4];
            out += hex[b & 15];
            needSpace = false;
        } else {
            unicode(c);
        }
    }
}

} // namespace

QByteArray write(const QTextDocument &doc)
{
    return Writer(doc).run();
}

} // namespace RichText::Rtf
