#include "RichText.h"

#include <QStringDecoder>
#include <QTextBlockFormat>
#include <QTextDocument>

// Provisional: plain text only, until the RTF reader and writer land.
namespace RichText {

bool isRtf(const QByteArray &data)
{
    return data.trimmed().startsWith("{\\rtf");
}

void read(QTextDocument &doc, const QByteArray &data)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(data);
    if (utf8.hasError())
        text = QString::fromLatin1(data);
    doc.setPlainText(text);
}

QByteArray write(const QTextDocument &doc)
{
    QByteArray out = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0 Arial;}}\n";
    for (const QChar c : doc.toPlainText()) {
        if (c == u'\n')
            out += "\\par\n";
        else if (c == u'\\' || c == u'{' || c == u'}')
            out += '\\' + QByteArray(1, char(c.unicode()));
        else if (c.unicode() < 128)
            out += char(c.unicode());
        else
            out += "\\u" + QByteArray::number(qint16(c.unicode())) + '?';
    }
    return out + "\\par\n}";
}

Indents indents(const QTextBlockFormat &format)
{
    return {format.textIndent() + format.leftMargin(), -format.textIndent(), format.rightMargin()};
}

void setIndents(QTextBlockFormat &format, const Indents &indents)
{
    format.setLeftMargin(indents.firstIndent + indents.leftIndent);
    format.setTextIndent(-indents.leftIndent);
    format.setRightMargin(indents.rightIndent);
}

} // namespace RichText
