#pragma once
// Internal to the RTF reader: its limits, the state a group keeps, the control words it knows and
// the reader itself. Parsing lies in RtfReader.cpp; formats, tables and the end in
// RtfReaderFormats.cpp.
#include "RtfInternal.h"

#include <QColor>
#include <QHash>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>

#include <string_view>
#include <unordered_map>
#include <vector>

namespace RichText::Rtf::Reading {

// Control words are ASCII letters whatever the process locale.
inline bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
inline bool isDigit(char c) { return c >= '0' && c <= '9'; }
inline int hexValue(char c)
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

inline size_t qHash(const CharState &c, size_t seed = 0)
{
    return qHashMulti(seed, c.font, c.halfPoints, c.bold, c.italic, c.underline, c.strike,
                      c.color, c.highlight);
}

inline size_t qHash(const ParaState &p, size_t seed = 0)
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

// The control words the reader knows.
const std::unordered_map<std::string_view, Keyword> &keywords();

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

} // namespace RichText::Rtf::Reading
