#pragma once
// Internal to the rich-text module: the RTF reader and writer, and the code pages of RTF's \'hh
// escapes and of 8-bit plain text.
#include <QByteArray>
#include <QString>
#include <QStringDecoder>

#include <array>
#include <memory>
#include <unordered_map>

class QTextDocument;

namespace RichText::Rtf {

// Windows-1252 for 0x80..0x9F (the rest is ISO 8859-1). Unassigned bytes map to the C1
// control of the same value, as Windows does.
extern const std::array<char16_t, 32> Cp1252High;

inline char16_t cp1252ToUnicode(unsigned char b)
{
    return (b >= 0x80 && b < 0xA0) ? Cp1252High[b - 0x80] : char16_t(b);
}

// The Windows-1252 byte of a character, or -1 when it has none (C1 controls have none).
int unicodeToCp1252(char16_t c);

QString fromCp1252(const QByteArray &data);

// The Windows code page of an RTF \fcharset, or 0 for "the document's code page".
int codePageOfCharset(int charset);

// One code page: single-byte pages decode through a table; multi-byte ones (932, 936, 949,
// 950) through QStringDecoder (ICU). A page Qt does not know falls back to Windows-1252.
class CodePage {
public:
    explicit CodePage(int number);
    bool singleByte() const { return m_single; }
    char16_t byte(unsigned char b) const { return m_table[b]; }
    QString decode(const QByteArray &bytes);

private:
    bool m_single = true;
    std::array<char16_t, 256> m_table{};
    QStringDecoder m_decoder;
};

class CodePages {
public:
    CodePage &get(int number);

private:
    std::unordered_map<int, std::unique_ptr<CodePage>> m_pages;
};

// Reads into an empty document. False when the data ends before its outermost group closes, or
// holds more than blanks after it.
bool read(QTextDocument &doc, const QByteArray &data);
QByteArray write(const QTextDocument &doc);

} // namespace RichText::Rtf
