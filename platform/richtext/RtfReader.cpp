// The RTF reader: one pass over the bytes, no recursion; groups keep their formatting on an
// explicit stack of bounded depth, so damaged or hostile files cost at most their own size.
#include "RtfReading.h"

#include "RichText.h"

#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>
#include <climits>

namespace RichText::Rtf {

namespace Reading {

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

} // namespace Reading

bool read(QTextDocument &doc, const QByteArray &data)
{
    return Reading::Reader(doc, data).run();
}

} // namespace RichText::Rtf
