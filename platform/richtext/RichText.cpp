#include "RichText.h"
#include "RtfInternal.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>

#include <algorithm>

namespace RichText {

namespace Rtf {

const std::array<char16_t, 32> Cp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

int unicodeToCp1252(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    if (c < 0xA0)
        return -1;
    for (int i = 0; i < 32; ++i) {
        if (Cp1252High[i] == c)
            return 0x80 + i;
    }
    return -1;
}

QString fromCp1252(const QByteArray &data)
{
    QString text(data.size(), Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(text.data());
    for (const char c : data)
        *out++ = cp1252ToUnicode(uchar(c));
    return text;
}

int codePageOfCharset(int charset)
{
    switch (charset) {
    case 77: return 10000;  // Mac Roman
    case 128: return 932;   // Shift-JIS
    case 129: return 949;   // Hangul
    case 134: return 936;   // GB2312 / GBK
    case 136: return 950;   // Big5
    case 161: return 1253;  // Greek
    case 162: return 1254;  // Turkish
    case 163: return 1258;  // Vietnamese
    case 177: return 1255;  // Hebrew
    case 178: return 1256;  // Arabic
    case 186: return 1257;  // Baltic
    case 204: return 1251;  // Cyrillic
    case 222: return 874;   // Thai
    case 238: return 1250;  // Central European
    case 254: return 437;   // PC 437
    case 255: return 850;   // OEM
    default: return 0;      // ANSI, default, symbol and the unknown: the document's code page
    }
}

static const char *codecName(int number)
{
    switch (number) {
    case 437: return "IBM437";
    case 850: return "IBM850";
    case 874: return "windows-874";
    case 932: return "windows-932";
    case 936: return "windows-936";
    case 949: return "windows-949";
    case 950: return "windows-950";
    case 1250: return "windows-1250";
    case 1251: return "windows-1251";
    case 1253: return "windows-1253";
    case 1254: return "windows-1254";
    case 1255: return "windows-1255";
    case 1256: return "windows-1256";
    case 1257: return "windows-1257";
    case 1258: return "windows-1258";
    case 10000: return "macintosh";
    default: return nullptr;
    }
}

CodePage::CodePage(int number)
{
    for (int b = 0; b < 256; ++b)
        m_table[b] = cp1252ToUnicode(uchar(b));
    const char *name = codecName(number);
    if (!name)
        return;
    QStringDecoder decoder(name, QStringConverter::Flag::Stateless);
    if (!decoder.isValid())
        return; // no ICU: Windows-1252 stands in
    if (number == 932 || number == 936 || number == 949 || number == 950) {
        m_single = false;
        m_decoder = std::move(decoder);
        return;
    }
    QByteArray high(128, Qt::Uninitialized);
    for (int b = 0; b < 128; ++b)
        high[b] = char(0x80 + b);
    const QString decoded = decoder.decode(high);
    if (decoded.size() != 128)
        return;
    for (int b = 0; b < 128; ++b)
        m_table[0x80 + b] = decoded.at(b).unicode();
}

QString CodePage::decode(const QByteArray &bytes)
{
    if (m_single) {
        QString text(bytes.size(), Qt::Uninitialized);
        char16_t *out = reinterpret_cast<char16_t *>(text.data());
        for (const char c : bytes)
            *out++ = m_table[uchar(c)];
        return text;
    }
    // A lead byte cut off at the end would vanish silently: a control byte after the run makes
    // the decoder report it (as U+FFFD, or as SUB in some pages); the control byte is then dropped.
    QByteArray terminated = bytes;
    terminated.append('\x01');
    QString text = m_decoder.decode(terminated);
    if (text.endsWith(QChar(1)))
        text.chop(1);
    text.replace(QChar(0x1A), QChar(QChar::ReplacementCharacter));
    return text;
}

CodePage &CodePages::get(int number)
{
    auto &page = m_pages[number];
    if (!page)
        page = std::make_unique<CodePage>(number);
    return *page;
}

} // namespace Rtf

bool isRtf(const QByteArray &data)
{
    qsizetype i = 0;
    while (i < data.size() && (data[i] == ' ' || data[i] == '\t' || data[i] == '\r' || data[i] == '\n'))
        ++i;
    return QByteArrayView(data).sliced(i).startsWith("{\\rtf");
}

QString decodedText(const QByteArray &data)
{
    // Stateless: a sequence cut off at the end is an error too (a Windows-1252 text ending in
    // "\xe9" would otherwise lose its last character).
    QStringDecoder utf8(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
    const QString text = utf8(data);
    return utf8.hasError() ? Rtf::fromCp1252(data) : text;
}

QString plainText(const QByteArray &data)
{
    QString text = decodedText(data);
    // Control characters are not text (and RTF could not carry them).
    qsizetype kept = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        char16_t c = text.at(i).unicode();
        if ((c < 0x20 && c != u'\t' && c != u'\n' && c != u'\r') || c == 0x7F)
            continue;
        if (c == QChar::ObjectReplacementCharacter || c == 0xFDD0 || c == 0xFDD1 || c == 0xFFFE || c == 0xFFFF)
            c = QChar::ReplacementCharacter;
        text[kept++] = QChar(c);
    }
    text.truncate(kept);
    return text;
}

Reading read(QTextDocument &doc, const QByteArray &data)
{
    // Loading is not an edit: no undo history, and the document is unmodified afterwards.
    // Clearing the document makes a new root frame; the editor's own frame format (its
    // background and margins) is given back to it at once, before the text comes in. Clearing,
    // the frame and the text are one change of the whole document, so that a view lays the text
    // out once, the way it lays out a new text (in steps, beginning with what it shows).
    const bool undo = doc.isUndoRedoEnabled();
    doc.setUndoRedoEnabled(false);
    const QTextFrameFormat frame = doc.rootFrame()->frameFormat();
    QTextCursor whole(&doc);
    whole.beginEditBlock();
    doc.clear();
    doc.rootFrame()->setFrameFormat(frame);
    Reading reading = Reading::NotRtf;
    if (isRtf(data))
        reading = Rtf::read(doc, data) ? Reading::Whole : Reading::Damaged;
    else
        QTextCursor(&doc).insertText(plainText(data));
    whole.endEditBlock();
    doc.setUndoRedoEnabled(undo);
    doc.setModified(false);
    return reading;
}

QByteArray write(const QTextDocument &doc)
{
    return Rtf::write(doc);
}

// Entries are small; anything this large is not a document the editor could hold.
static constexpr qint64 MaxFileSize = 256 * 1024 * 1024;

bool readFile(QTextDocument &doc, const QString &path, QString *error, Reading *reading)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    if (file.size() > MaxFileSize) {
        if (error)
            *error = QStringLiteral("The file is too large.");
        return false;
    }
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        if (error)
            *error = file.errorString();
        return false;
    }
    const Reading how = read(doc, data);
    if (reading)
        *reading = how;
    return true;
}

bool writeFile(const QTextDocument &doc, const QString &path, QString *error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    const QByteArray data = write(doc);
    if (file.write(data) != data.size() || !file.commit()) {
        if (error)
            *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    return true;
}

namespace {

// Indents that would put text left of the page or past its right edge are laid out at the edge;
// the paragraph keeps them as given, for its file.
enum KeptIndent { KeptFirst = QTextFormat::UserProperty + 0x5200, KeptLeft, KeptRight };

Indents fromMargins(const QTextBlockFormat &format)
{
    const double first = format.leftMargin() + format.textIndent();
    return {first / PixelsPerPoint, -format.textIndent() / PixelsPerPoint,
            format.rightMargin() / PixelsPerPoint};
}

struct Margins {
    double left, textIndent, right;
    bool operator==(const Margins &) const = default;
};

Margins exactMargins(const Indents &indents)
{
    return {(indents.firstIndent + indents.leftIndent) * PixelsPerPoint, -indents.leftIndent * PixelsPerPoint,
            indents.rightIndent * PixelsPerPoint};
}

Margins shownMargins(const Indents &indents)
{
    Margins shown = exactMargins(indents);
    const double first = shown.left + shown.textIndent;
    if (shown.left < 0 || first < 0) {
        const double others = std::max(shown.left, 0.0);
        shown.textIndent = std::max(first, 0.0) - others;
        shown.left = others;
    }
    shown.right = std::max(shown.right, 0.0);
    return shown;
}

} // namespace

Indents indents(const QTextBlockFormat &format)
{
    if (format.hasProperty(KeptFirst)) {
        const Indents kept{format.doubleProperty(KeptFirst), format.doubleProperty(KeptLeft),
                           format.doubleProperty(KeptRight)};
        // Margins set by other means than setIndents speak for themselves.
        if (shownMargins(kept) == Margins{format.leftMargin(), format.textIndent(), format.rightMargin()})
            return kept;
    }
    return fromMargins(format);
}

void setIndents(QTextBlockFormat &format, const Indents &indents)
{
    const Margins shown = shownMargins(indents);
    format.setLeftMargin(shown.left);
    format.setTextIndent(shown.textIndent);
    format.setRightMargin(shown.right);
    if (shown == exactMargins(indents)) {
        for (int p : {KeptFirst, KeptLeft, KeptRight})
            format.clearProperty(p);
    } else {
        format.setProperty(KeptFirst, indents.firstIndent);
        format.setProperty(KeptLeft, indents.leftIndent);
        format.setProperty(KeptRight, indents.rightIndent);
    }
}

} // namespace RichText
