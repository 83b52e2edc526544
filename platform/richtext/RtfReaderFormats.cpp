// The RTF reader's control words, what each does to the state, the formats made from the state,
// the font and colour tables, and the end of the document.
#include "RtfReading.h"

#include "RichText.h"

#include <QBrush>
#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>
#include <climits>

namespace RichText::Rtf::Reading {

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

// The code page of the current font, else the document's: how its plain bytes read.
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

} // namespace RichText::Rtf::Reading
