// The RTF reader: one pass over the bytes, no recursion; groups keep their formatting on an
// explicit stack of bounded depth, so damaged or hostile files cost at most their own size.
#include "RichText.h"
#include "RtfInternal.h"

#include <QBrush>
#include <QColor>
#include <QHash>
#include <QTextBlock>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <climits>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace RichText::Rtf {
namespace {

// Control words are ASCII letters whatever the process locale.
bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
int hexValue(char c)
{
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Deeper groups are read but their content is dropped: no writer nests anywhere near this.
constexpr std::size_t MaxDepth = 512;
constexpr int MaxTwips = 31680;      // 22 inches, the largest page RTF knows
constexpr int MaxHalfPoints = 3276;  // 1638 points
constexpr int MaxSkip = 16;          // \ucN: fallback characters after \uN

enum class Dest : quint8 { Text, Skip, FontTable, ColorTable };

struct CharState {
    int font = -1; // font table number; -1 is the default font (\deff)
    int halfPoints = 24;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    int color = 0;     // colour table index; 0 is automatic
    int highlight = 0; // colour table index; 0 is none
    bool operator==(const CharState &) const = default;
};

struct ParaState {
    int align = 0; // 0 left, 1 centre, 2 right, 3 justified
    int li = 0, ri = 0, fi = 0, sb = 0, sa = 0;
    bool operator==(const ParaState &) const = default;
};

size_t qHash(const CharState &c, size_t seed = 0)
{
    return qHashMulti(seed, c.font, c.halfPoints, c.bold, c.italic, c.underline, c.strike,
                      c.color, c.highlight);
}

size_t qHash(const ParaState &p, size_t seed = 0)
{
    return qHashMulti(seed, p.align, p.li, p.ri, p.fi, p.sb, p.sa);
}

struct State {
    CharState chr;
    ParaState para;
    int uc = 1;
    Dest dest = Dest::Text;
};

struct Font {
    QString name;
    int codePage = 0; // 0: the document's
};

enum class Kw : quint8 {
    Ansi, Mac, Pc, Pca, AnsiCpg, Deff, Uc, U,
    FontTable, ColorTable, SkipDest,
    F, FCharset, Cpg, Red, Green, Blue,
    Fs, B, I, Ul, UlNone, Strike, Cf, Highlight, Plain,
    Pard, Ql, Qc, Qr, Qj, Li, Ri, Fi, Sb, Sa,
    Par, Line, Tab, Bin, Char
};

struct Keyword {
    Kw kw;
    char16_t ch = 0; // for Kw::Char
};

const std::unordered_map<std::string_view, Keyword> &keywords()
{
    static const std::unordered_map<std::string_view, Keyword> map = [] {
        std::unordered_map<std::string_view, Keyword> m = {
            {"ansi", {Kw::Ansi}}, {"mac", {Kw::Mac}}, {"pc", {Kw::Pc}}, {"pca", {Kw::Pca}},
            {"ansicpg", {Kw::AnsiCpg}}, {"deff", {Kw::Deff}}, {"uc", {Kw::Uc}}, {"u", {Kw::U}},
            {"fonttbl", {Kw::FontTable}}, {"colortbl", {Kw::ColorTable}},
            {"f", {Kw::F}}, {"fcharset", {Kw::FCharset}}, {"cpg", {Kw::Cpg}},
            {"red", {Kw::Red}}, {"green", {Kw::Green}}, {"blue", {Kw::Blue}},
            {"fs", {Kw::Fs}}, {"b", {Kw::B}}, {"i", {Kw::I}},
            {"ulnone", {Kw::UlNone}}, {"strike", {Kw::Strike}}, {"striked", {Kw::Strike}},
            {"cf", {Kw::Cf}}, {"highlight", {Kw::Highlight}}, {"cb", {Kw::Highlight}},
            {"plain", {Kw::Plain}}, {"pard", {Kw::Pard}},
            {"ql", {Kw::Ql}}, {"qc", {Kw::Qc}}, {"qr", {Kw::Qr}}, {"qj", {Kw::Qj}}, {"qd", {Kw::Qj}},
            {"li", {Kw::Li}}, {"lin", {Kw::Li}}, {"ri", {Kw::Ri}}, {"rin", {Kw::Ri}},
            {"fi", {Kw::Fi}}, {"sb", {Kw::Sb}}, {"sa", {Kw::Sa}},
            {"par", {Kw::Par}}, {"page", {Kw::Par}}, {"row", {Kw::Par}},
            {"line", {Kw::Line}}, {"tab", {Kw::Tab}}, {"cell", {Kw::Tab}}, {"bin", {Kw::Bin}},
            {"emdash", {Kw::Char, 0x2014}}, {"endash", {Kw::Char, 0x2013}},
            {"emspace", {Kw::Char, 0x2003}}, {"enspace", {Kw::Char, 0x2002}},
            {"qmspace", {Kw::Char, 0x2005}}, {"bullet", {Kw::Char, 0x2022}},
            {"lquote", {Kw::Char, 0x2018}}, {"rquote", {Kw::Char, 0x2019}},
            {"ldblquote", {Kw::Char, 0x201C}}, {"rdblquote", {Kw::Char, 0x201D}},
            {"zwj", {Kw::Char, 0x200D}}, {"zwnj", {Kw::Char, 0x200C}},
            {"ltrmark", {Kw::Char, 0x200E}}, {"rtlmark", {Kw::Char, 0x200F}},
        };
        // Every kind of underline reads as underline.
        for (const char *ul : {"ul", "uld", "uldash", "uldashd", "uldashdd", "uldb", "ulhwave",
                               "ulldash", "ulth", "ulthd", "ulthdash", "ulthdashd", "ulthdashdd",
                               "ulthldash", "ululdbwave", "ulw", "ulwave"})
            m.emplace(ul, Keyword{Kw::Ul});
        // Destinations whose content is not text of the document.
        for (const char *d : {"info", "stylesheet", "pict", "object", "header", "headerl",
                              "headerr", "headerf", "footer", "footerl", "footerr", "footerf",
                              "footnote", "annotation", "atnid", "atnauthor", "fldinst", "xe",
                              "tc", "txe", "rxe", "listtable", "listoverridetable", "revtbl",
                              "rsidtbl", "themedata", "colorschememapping", "latentstyles",
                              "datastore", "xmlnstbl", "filetbl", "pnseclvl", "pn", "author",
                              "operator", "title", "subject", "keywords", "comment", "doccomm",
                              "company", "category", "manager", "hlinkbase", "buptim",
                              "creatim", "printim", "revtim", "nonshppict", "shp", "shpinst",
                              "bkmkstart", "bkmkend", "template", "private", "generator",
                              "userprops", "docvar", "background", "objdata", "result",
                              "mmathPr", "wgrffmtfilter", "pgdsctbl"})
            m.emplace(d, Keyword{Kw::SkipDest});
        return m;
    }();
    return map;
}

class Reader {
public:
    Reader(QTextDocument &doc, const QByteArray &data)
        : m_cursor(&doc),
          m_p(data.constData()), m_end(data.constData() + data.size())
    {
    }

    // False when the data was not read whole (see Rtf::read).
    bool run();

private:
    // Parsing
    void controlWord();
    void controlSymbol();
    void applyKeyword(const Keyword &k, bool hasParam, int param);
    void textBytes();
    void groupOpen();
    bool groupClose();

    // Text
    CodePage &codePage();
    void appendByte(uchar b);
    void appendUnit(char16_t u);
    void appendUnicode(int value);
    void flushPending();
    void startRun();
    void flushRun();
    void paragraphEnd();
    void ensureBlock();
    void finish();
    const QTextCharFormat &charFormat(const CharState &c);
    const QTextBlockFormat &blockFormat(const ParaState &p);
    void charChanged() { m_charDirty = true; }

    // Tables
    void fontTableText(const char *from, const char *to);
    void fontNameByte(char b);
    void fontNameDecode();
    void fontTableEnd();
    void colorTableEntry();

    QTextCursor m_cursor;
    const char *m_p;
    const char *m_end;
    bool m_done = false;

    State m_st;
    std::vector<State> m_stack;
    std::size_t m_overflow = 0; // groups opened beyond MaxDepth
    int m_skip = 0;             // fallback characters of \uN still to skip

    int m_docCodePage = 1252;
    int m_deff = 0;
    CodePages m_pages;
    CodePage *m_page = nullptr; // code page of m_st's font, when known
    std::unordered_map<int, Font> m_fonts;
    std::vector<QColor> m_colors; // index 0 is automatic (invalid colour)
    // Formats already made: QTextDocument finds a shared format faster than a new equal one.
    QHash<CharState, QTextCharFormat> m_charFormats;
    QHash<ParaState, QTextBlockFormat> m_blockFormats;

    // The font table entry being read.
    int m_fontNumber = -1;
    int m_fontCodePage = 0;
    QByteArray m_fontBytes; // in the entry's code page, not yet decoded
    QString m_fontName;
    // The colour table entry being read.
    int m_red = 0, m_green = 0, m_blue = 0;
    bool m_colorSet = false;

    // Text waiting to go into the document.
    QByteArray m_pending;  // bytes of a multi-byte code page
    char16_t m_high = 0;   // a high surrogate waiting for its low half
    QString m_run;         // text in the format of m_runChar
    CharState m_runChar;
    bool m_charDirty = true;
    bool m_needBlock = false;   // a \par ended the current block; the next content starts one
    bool m_blockHasText = false;
};

bool Reader::run()
{
    // Leading blanks before "{\rtf" (isRtf allows them).
    while (m_p < m_end && *m_p != '{')
        ++m_p;
    m_cursor.beginEditBlock();
    while (m_p < m_end && !m_done) {
        const char c = *m_p;
        if (c == '{') {
            ++m_p;
            groupOpen();
        } else if (c == '}') {
            ++m_p;
            m_done = !groupClose();
        } else if (c == '\\') {
            ++m_p;
            if (m_p == m_end)
                break;
            if (isLetter(*m_p))
                controlWord();
            else
                controlSymbol();
        } else {
            textBytes();
        }
    }
    finish();
    m_cursor.endEditBlock();
    // A writer may end the file with line ends or NULs; anything else after the end is text lost.
    const bool restBlank = std::all_of(m_p, m_end, [](char c) {
        return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\0';
    });
    return m_done && restBlank;
}

void Reader::groupOpen()
{
    m_skip = 0;
    if (m_overflow || m_stack.size() >= MaxDepth) {
        ++m_overflow;
        return;
    }
    flushPending();
    m_stack.push_back(m_st);
}

// False when the outermost group has closed: the document ends there.
bool Reader::groupClose()
{
    m_skip = 0;
    if (m_overflow) {
        --m_overflow;
        return true;
    }
    flushPending();
    if (m_st.dest == Dest::FontTable)
        fontTableEnd();
    // The outermost group ends the document; its state stays for the last paragraph.
    if (m_stack.size() <= 1)
        return false;
    m_st = m_stack.back();
    m_stack.pop_back();
    m_page = nullptr;
    charChanged();
    return true;
}

void Reader::controlWord()
{
    const char *start = m_p;
    while (m_p < m_end && isLetter(*m_p))
        ++m_p;
    const std::string_view name(start, std::size_t(m_p - start));
    bool hasParam = false;
    bool negative = false;
    qint64 value = 0;
    if (m_p < m_end && *m_p == '-' && m_p + 1 < m_end && isDigit(m_p[1])) {
        negative = true;
        ++m_p;
    }
    while (m_p < m_end && isDigit(*m_p)) {
        hasParam = true;
        if (value < 100000000000LL)
            value = value * 10 + (*m_p - '0');
        ++m_p;
    }
    if (m_p < m_end && *m_p == ' ')
        ++m_p;
    if (negative)
        value = -value;
    const int param = int(std::clamp<qint64>(value, INT_MIN, INT_MAX));

    const auto &map = keywords();
    const auto it = name.size() <= 32 ? map.find(name) : map.end();

    if (it != map.end() && it->second.kw == Kw::Bin) {
        // Binary data: skipped wherever it is (it is never text of the document).
        const qint64 n = std::clamp<qint64>(param, 0, m_end - m_p);
        m_p += n;
        return;
    }
    if (m_overflow || m_st.dest == Dest::Skip)
        return;
    if (m_skip > 0) {
        --m_skip;
        return;
    }
    if (it == map.end())
        return; // unknown words are ignored, their group's text is kept
    applyKeyword(it->second, hasParam, param);
}

void Reader::controlSymbol()
{
    const char c = *m_p++;
    if (c == '\'') {
        int value = 0;
        int digits = 0;
        while (digits < 2 && m_p < m_end && hexValue(*m_p) >= 0) {
            value = value * 16 + hexValue(*m_p++);
            ++digits;
        }
        if (m_overflow || m_st.dest == Dest::Skip || digits == 0)
            return;
        if (m_skip > 0) {
            --m_skip;
            return;
        }
        if (m_st.dest == Dest::FontTable)
            fontNameByte(char(value));
        else if (m_st.dest == Dest::Text)
            appendByte(uchar(value));
        return;
    }
    if (m_overflow || m_st.dest == Dest::Skip)
        return;
    if (c == '*') {
        // An optional destination: this reader knows none worth reading.
        m_st.dest = Dest::Skip;
        return;
    }
    if (m_skip > 0) {
        --m_skip;
        return;
    }
    if (m_st.dest == Dest::FontTable) {
        if (c == '\\' || c == '{' || c == '}')
            fontNameByte(c);
        return;
    }
    if (m_st.dest != Dest::Text)
        return;
    switch (c) {
    case '\\':
    case '{':
    case '}':
        appendByte(uchar(c));
        break;
    case '~': appendUnit(0x00A0); break;
    case '-': appendUnit(0x00AD); break;
    case '_': appendUnit(0x2011); break;
    case '\r':
    case '\n': paragraphEnd(); break; // an escaped line end is an old spelling of \par
    default: break;                     // \: \| and the unknown
    }
}

void Reader::applyKeyword(const Keyword &k, bool hasParam, int param)
{
    const bool on = !hasParam || param != 0;
    const auto twips = [&] { return std::clamp(param, -MaxTwips, MaxTwips); };

    // Table destinations read their own few words.
    if (m_st.dest == Dest::FontTable) {
        switch (k.kw) {
        case Kw::F:
            fontTableEnd();
            m_fontNumber = param;
            m_fontCodePage = 0;
            break;
        case Kw::FCharset:
            if (!m_fontCodePage)
                m_fontCodePage = codePageOfCharset(param);
            break;
        case Kw::Cpg:
            if (param > 0)
                m_fontCodePage = param;
            break;
        case Kw::SkipDest: m_st.dest = Dest::Skip; break;
        case Kw::U:
            if (m_fontNumber >= 0 && m_fontName.size() < 256) {
                fontNameDecode();
                if (param >= -32768 && param <= 65535)
                    m_fontName.append(QChar(char16_t(param < 0 ? param + 65536 : param)));
            }
            m_skip = m_st.uc;
            break;
        default: break;
        }
        return;
    }
    if (m_st.dest == Dest::ColorTable) {
        switch (k.kw) {
        case Kw::Red: m_red = std::clamp(param, 0, 255); m_colorSet = true; break;
        case Kw::Green: m_green = std::clamp(param, 0, 255); m_colorSet = true; break;
        case Kw::Blue: m_blue = std::clamp(param, 0, 255); m_colorSet = true; break;
        default: break;
        }
        return;
    }

    switch (k.kw) {
    case Kw::Ansi: m_docCodePage = 1252; m_page = nullptr; break;
    case Kw::Mac: m_docCodePage = 10000; m_page = nullptr; break;
    case Kw::Pc: m_docCodePage = 437; m_page = nullptr; break;
    case Kw::Pca: m_docCodePage = 850; m_page = nullptr; break;
    case Kw::AnsiCpg:
        if (param > 0) {
            flushPending();
            m_docCodePage = param;
            m_page = nullptr;
        }
        break;
    case Kw::Deff:
        m_deff = param;
        m_page = nullptr;
        m_charFormats.clear();
        charChanged();
        break;
    case Kw::Uc: m_st.uc = std::clamp(param, 0, MaxSkip); break;
    case Kw::U:
        appendUnicode(param);
        m_skip = m_st.uc;
        break;
    case Kw::FontTable:
        m_st.dest = Dest::FontTable;
        m_fontNumber = -1;
        m_fontName.clear();
        m_fontBytes.clear();
        break;
    case Kw::ColorTable:
        m_st.dest = Dest::ColorTable;
        m_colors.clear();
        m_charFormats.clear();
        m_colorSet = false;
        m_red = m_green = m_blue = 0;
        break;
    case Kw::SkipDest: m_st.dest = Dest::Skip; break;
    case Kw::F:
        flushPending();
        m_st.chr.font = param;
        m_page = nullptr;
        charChanged();
        break;
    case Kw::Fs:
        m_st.chr.halfPoints = param > 0 ? std::min(param, MaxHalfPoints) : 24;
        charChanged();
        break;
    case Kw::B: m_st.chr.bold = on; charChanged(); break;
    case Kw::I: m_st.chr.italic = on; charChanged(); break;
    case Kw::Ul: m_st.chr.underline = on; charChanged(); break;
    case Kw::UlNone: m_st.chr.underline = false; charChanged(); break;
    case Kw::Strike: m_st.chr.strike = on; charChanged(); break;
    case Kw::Cf: m_st.chr.color = std::max(param, 0); charChanged(); break;
    case Kw::Highlight: m_st.chr.highlight = std::max(param, 0); charChanged(); break;
    case Kw::Plain:
        flushPending();
        m_st.chr = CharState();
        m_page = nullptr;
        charChanged();
        break;
    case Kw::Pard: m_st.para = ParaState(); break;
    case Kw::Ql: m_st.para.align = 0; break;
    case Kw::Qc: m_st.para.align = 1; break;
    case Kw::Qr: m_st.para.align = 2; break;
    case Kw::Qj: m_st.para.align = 3; break;
    case Kw::Li: m_st.para.li = twips(); break;
    case Kw::Ri: m_st.para.ri = twips(); break;
    case Kw::Fi: m_st.para.fi = twips(); break;
    case Kw::Sb: m_st.para.sb = std::max(twips(), 0); break;
    case Kw::Sa: m_st.para.sa = std::max(twips(), 0); break;
    case Kw::Par: paragraphEnd(); break;
    case Kw::Line: appendUnit(QChar::LineSeparator); break;
    case Kw::Tab: appendUnit(u'\t'); break;
    case Kw::Char: appendUnit(k.ch); break;
    default: break;
    }
}

// Plain bytes: text in the current destination (line ends are not text in RTF).
void Reader::textBytes()
{
    if (m_overflow || m_st.dest == Dest::Skip) {
        while (m_p < m_end && *m_p != '{' && *m_p != '}' && *m_p != '\\')
            ++m_p;
        return;
    }
    if (m_st.dest == Dest::FontTable || m_st.dest == Dest::ColorTable) {
        const char *start = m_p;
        while (m_p < m_end && *m_p != '{' && *m_p != '}' && *m_p != '\\')
            ++m_p;
        if (m_st.dest == Dest::FontTable)
            fontTableText(start, m_p);
        else
            for (const char *q = start; q < m_p; ++q)
                if (*q == ';')
                    colorTableEntry();
        return;
    }
    // A stretch of printable ASCII goes in at once when nothing stands in its way.
    const auto printable = [](char c) { return uchar(c) >= 0x20 && uchar(c) < 0x7F; };
    if (m_skip == 0 && m_pending.isEmpty() && m_high == 0 && printable(*m_p)) {
        const char *start = m_p;
        while (m_p < m_end && printable(*m_p) && *m_p != '{' && *m_p != '}' && *m_p != '\\')
            ++m_p;
        startRun();
        m_run.append(QLatin1StringView(start, m_p - start));
        return;
    }
    const uchar b = uchar(*m_p++);
    if (b == '\r' || b == '\n')
        return;
    if (m_skip > 0) {
        --m_skip;
        return;
    }
    appendByte(b);
}

CodePage &Reader::codePage()
{
    if (!m_page) {
        int number = m_docCodePage;
        const auto it = m_fonts.find(m_st.chr.font < 0 ? m_deff : m_st.chr.font);
        if (it != m_fonts.end() && it->second.codePage)
            number = it->second.codePage;
        m_page = &m_pages.get(number);
    }
    return *m_page;
}

void Reader::appendByte(uchar b)
{
    if (b < 0x20) {
        if (b == '\t')
            appendUnit(u'\t');
        return; // other control bytes are not text
    }
    CodePage &page = codePage();
    if (page.singleByte()) {
        appendUnit(page.byte(b));
        return;
    }
    if (b < 0x80 && m_pending.isEmpty()) {
        appendUnit(b);
        return;
    }
    m_pending.append(char(b));
}

void Reader::flushPending()
{
    if (m_pending.isEmpty())
        return;
    const QString text = codePage().decode(m_pending);
    m_pending.clear();
    for (const QChar c : text)
        appendUnit(c.unicode());
}

void Reader::appendUnicode(int value)
{
    if (value < -32768 || value > 65535) {
        appendUnit(QChar::ReplacementCharacter);
        return;
    }
    appendUnit(char16_t(value < 0 ? value + 65536 : value));
}

// Every character goes through here: surrogates are paired, and characters that QTextDocument
// takes as structure (paragraph and frame marks, object placeholders) or that are not text are
// kept out.
void Reader::appendUnit(char16_t u)
{
    if (!m_pending.isEmpty())
        flushPending();
    if (QChar::isLowSurrogate(u)) {
        if (m_high) {
            startRun();
            m_run.append(QChar(m_high));
            m_run.append(QChar(u));
            m_high = 0;
            return;
        }
        u = QChar::ReplacementCharacter;
    }
    if (m_high) {
        m_high = 0;
        startRun();
        m_run.append(QChar(QChar::ReplacementCharacter));
    }
    if (QChar::isHighSurrogate(u)) {
        m_high = u;
        return;
    }
    if (u == QChar::ParagraphSeparator) {
        paragraphEnd();
        return;
    }
    if ((u < 0x20 && u != u'\t') || u == 0x7F)
        return;
    if (u == QChar::ObjectReplacementCharacter || u == 0xFDD0 || u == 0xFDD1 || u == 0xFFFE || u == 0xFFFF)
        u = QChar::ReplacementCharacter;
    startRun();
    m_run.append(QChar(u));
}

// Text about to join the run: a change of character format since the last text ends the run.
void Reader::startRun()
{
    if (!m_charDirty)
        return;
    m_charDirty = false;
    if (m_st.chr == m_runChar)
        return;
    flushRun();
    m_runChar = m_st.chr;
}

void Reader::ensureBlock()
{
    if (!m_needBlock)
        return;
    m_needBlock = false;
    m_cursor.insertBlock(blockFormat(ParaState()), charFormat(m_st.chr));
    m_blockHasText = false;
}

void Reader::flushRun()
{
    if (m_run.isEmpty())
        return;
    ensureBlock();
    m_cursor.insertText(m_run, charFormat(m_runChar));
    m_run.resize(0); // keeps its memory for the next run
    m_blockHasText = true;
}

void Reader::paragraphEnd()
{
    if (m_st.dest != Dest::Text)
        return;
    if (m_high) {
        m_high = 0;
        startRun();
        m_run.append(QChar(QChar::ReplacementCharacter));
    }
    flushPending();
    flushRun();
    ensureBlock();
    m_cursor.setBlockFormat(blockFormat(m_st.para));
    if (!m_blockHasText)
        m_cursor.setBlockCharFormat(charFormat(m_st.chr));
    m_needBlock = true;
}

// End of data or of the outermost group: text after the last \par is a paragraph of its own;
// the last \par itself does not start an empty one.
void Reader::finish()
{
    if (m_high) {
        m_high = 0;
        m_charDirty = true;
        startRun();
        m_run.append(QChar(QChar::ReplacementCharacter));
    }
    flushPending();
    flushRun();
    if (!m_needBlock) {
        m_cursor.setBlockFormat(blockFormat(m_st.para));
        if (!m_blockHasText)
            m_cursor.setBlockCharFormat(charFormat(m_st.chr));
    }
}

const QTextCharFormat &Reader::charFormat(const CharState &c)
{
    const auto known = m_charFormats.constFind(c);
    if (known != m_charFormats.constEnd())
        return *known;
    QTextCharFormat format;
    auto font = m_fonts.find(c.font < 0 ? m_deff : c.font);
    if (font == m_fonts.end())
        font = m_fonts.find(m_deff);
    if (font != m_fonts.end() && !font->second.name.isEmpty())
        format.setFontFamilies({font->second.name});
    format.setFontPointSize(c.halfPoints / 2.0);
    format.setFontWeight(c.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(c.italic);
    format.setFontUnderline(c.underline);
    format.setFontStrikeOut(c.strike);
    if (c.color > 0 && std::size_t(c.color) < m_colors.size() && m_colors[c.color].isValid())
        format.setForeground(m_colors[c.color]);
    if (c.highlight > 0 && std::size_t(c.highlight) < m_colors.size() && m_colors[c.highlight].isValid())
        format.setBackground(m_colors[c.highlight]);
    return *m_charFormats.insert(c, format);
}

const QTextBlockFormat &Reader::blockFormat(const ParaState &p)
{
    const auto known = m_blockFormats.constFind(p);
    if (known != m_blockFormats.constEnd())
        return *known;
    static constexpr Qt::Alignment aligns[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight,
                                               Qt::AlignJustify};
    QTextBlockFormat format;
    format.setAlignment(aligns[p.align]);
    setIndents(format, {(p.li + p.fi) / 20.0, -p.fi / 20.0, p.ri / 20.0});
    format.setTopMargin(p.sb / TwipsPerPixel);
    format.setBottomMargin(p.sa / TwipsPerPixel);
    return *m_blockFormats.insert(p, format);
}

// Font table text: names end at ';'.
void Reader::fontTableText(const char *from, const char *to)
{
    for (const char *q = from; q < to; ++q) {
        if (*q == '\r' || *q == '\n')
            continue;
        if (m_skip > 0)
            --m_skip;
        else if (*q == ';')
            fontTableEnd();
        else
            fontNameByte(*q);
    }
}

void Reader::fontNameByte(char b)
{
    if (m_fontNumber >= 0 && uchar(b) >= 0x20 && b != 0x7F && m_fontBytes.size() + m_fontName.size() < 256)
        m_fontBytes.append(b);
}

void Reader::fontNameDecode()
{
    if (m_fontBytes.isEmpty())
        return;
    m_fontName += m_pages.get(m_fontCodePage ? m_fontCodePage : m_docCodePage).decode(m_fontBytes);
    m_fontBytes.clear();
}

void Reader::fontTableEnd()
{
    if (m_fontNumber >= 0) {
        fontNameDecode();
        Font &font = m_fonts[m_fontNumber];
        font.codePage = m_fontCodePage;
        // Only characters a name can hold; the writer could not give the others back.
        m_fontName.removeIf([](QChar c) {
            const char16_t u = c.unicode();
            return u < 0x20 || u == 0x7F || c.isSurrogate() || u == QChar::ObjectReplacementCharacter
                || u == QChar::ParagraphSeparator || u == 0xFDD0 || u == 0xFDD1 || u == 0xFFFE || u == 0xFFFF;
        });
        font.name = m_fontName.trimmed();
        m_page = nullptr;
        m_charFormats.clear();
    }
    m_fontName.clear();
    m_fontBytes.clear();
    m_fontNumber = -1;
}

void Reader::colorTableEntry()
{
    m_colors.push_back(m_colorSet ? QColor(m_red, m_green, m_blue) : QColor());
    m_charFormats.clear();
    m_red = m_green = m_blue = 0;
    m_colorSet = false;
}

} // namespace

bool read(QTextDocument &doc, const QByteArray &data)
{
    return Reader(doc, data).run();
}

} // namespace RichText::Rtf
