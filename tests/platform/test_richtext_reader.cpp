// Reading RTF as other word processors write it: text, code pages, Unicode escapes, groups,
// paragraph rules and skipped destinations; and files that are not RTF read as plain text.
#include "RichText.h"

#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <functional>

using Check = std::function<void(const QTextDocument &)>;
Q_DECLARE_METATYPE(Check)

namespace {

// A document with two fonts and two colours around the body.
QByteArray rtf(const QByteArray &body)
{
    return "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\fmodern Courier New;}}"
           "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}\r\n"
        + body + "}";
}

// The character format in effect at the first character of text.
QTextCharFormat at(const QTextDocument &doc, const QString &text)
{
    const QTextCursor found = doc.find(text);
    if (found.isNull()) {
        qWarning("text not found: %s", qPrintable(text));
        return {};
    }
    QTextCursor cursor(found);
    cursor.setPosition(found.selectionStart() + 1);
    return cursor.charFormat();
}

// The document's text as typed: paragraphs separated by newlines, line breaks and no-break
// spaces kept (toPlainText would turn them into newlines and blanks).
QString rawText(const QTextDocument &doc)
{
    return doc.toRawText().replace(QChar::ParagraphSeparator, u'\n');
}

QString family(const QTextCharFormat &format)
{
    return format.fontFamilies().toStringList().value(0);
}

QTextBlockFormat block(const QTextDocument &doc, int number)
{
    return doc.findBlockByNumber(number).blockFormat();
}

// WordPad on Windows 7 (rich-edit 4.1): generator group, \viewkind4\uc1, a bulleted paragraph
// with its \pntext fallback, \sl spacing the editor does not carry.
const QByteArray WordPad =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1046{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}"
    "{\\f1\\froman\\fprq2\\fcharset0 Times New Roman;}{\\f2\\fnil\\fcharset2 Symbol;}}\r\n"
    "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green77\\blue187;}\r\n"
    "{\\*\\generator Msftedit 5.41.21.2510;}\\viewkind4\\uc1\\pard\\sa200\\sl276\\slmult1\\lang22"
    "\\f0\\fs22 Querido di\\'e1rio,\\par\r\n"
    "\\pard\\sa200\\sl276\\slmult1\\qc\\b\\f1\\fs32 Um dia \\i especial\\i0\\b0\\par\r\n"
    "\\pard{\\pntext\\f2\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf2\\pnindent0{\\pntxtb\\'B7}}\\fi-360\\li720"
    "\\sa200\\sl276\\slmult1\\cf1\\f0\\fs22 Primeiro\\tab item\\par\r\n"
    "\\pard\\qr\\cf2\\ul sublinhado\\ulnone  e \\strike riscado\\strike0\\par\r\n"
    "\\pard\\sa200\\sl276\\slmult1\\cf0\\lang1046\\'c0 noite: \\u8364?50\\par\r\n"
    "}\r\n";

// Word 2007: font table with \panose groups, style sheet, information, a header, a hyperlink
// field, bookmarks, a picture, theme data and a data store.
const QByteArray Word =
    "{\\rtf1\\adeflang1025\\ansi\\ansicpg1252\\uc1\\adeff0\\deff0\\stshfdbch0\\deflang1046"
    "{\\fonttbl{\\f0\\fbidi \\froman\\fcharset0\\fprq2{\\*\\panose 02020603050405020304}Times New Roman;}"
    "{\\f1\\fbidi \\fswiss\\fcharset0\\fprq2{\\*\\panose 020b0604020202020204}Arial;}\r\n"
    "{\\f39\\fbidi \\froman\\fcharset238\\fprq2 Times New Roman CE;}}"
    "{\\colortbl;\\red0\\green0\\blue0;\\red0\\green0\\blue255;}{\\*\\defchp \\f31506\\fs22 }"
    "{\\stylesheet{\\ql \\li0\\ri0\\widctlpar\\wrapdefault\\rtlch\\fcs1 \\af0\\afs24 \\ltrch\\fcs0 "
    "\\fs24\\lang1046 \\snext0 \\sqformat \\spriority0 Normal;}}\r\n"
    "{\\info{\\title Di\\'e1rio}{\\author Ana}{\\creatim\\yr2024\\mo5\\dy1\\hr10\\min3}}"
    "{\\*\\xmlnstbl {\\xmlns1 http://schemas.microsoft.com/office/word/2003/wordml}}"
    "\\paperw11906\\paperh16838\\margl1701\\margr1701\\gutter0\\ltrsect \r\n"
    "\\widowctrl\\ftnbj\\aenddoc\\viewkind1\\viewscale100{\\*\\wgrffmtfilter 2450}\\ltrpar \\sectd "
    "{\\*\\pnseclvl1\\pnucrm\\pnstart1\\pnindent720\\pnhang {\\pntxta .}}\r\n"
    "{\\header \\ltrpar \\pard\\plain \\ltrpar\\s15\\ql Cabe\\'e7alho\\par}\r\n"
    "\\pard\\plain \\ltrpar\\ql \\li0\\ri0\\sa160\\sl259\\slmult1\\widctlpar\\rin0\\lin0\\itap0 "
    "\\rtlch\\fcs1 \\af0\\afs24 \\ltrch\\fcs0 \\f1\\fs24\\lang1046 {\\rtlch\\fcs1 \\af0 \\ltrch\\fcs0 "
    "\\b\\insrsid1 Visite }{\\field{\\*\\fldinst {\\rtlch\\fcs1 \\af0 \\ltrch\\fcs0 \\insrsid1  "
    "HYPERLINK \"https://example.org/\" }}{\\fldrslt {\\rtlch\\fcs1 \\af0 \\ltrch\\fcs0 "
    "\\cf2\\ul\\insrsid1 o s\\'edtio}}}{\\rtlch\\fcs1 \\af0 \\ltrch\\fcs0 \\insrsid1 .}"
    "{\\*\\bkmkstart x}{\\*\\bkmkend x}\r\n"
    "\\par \\pard \\ltrpar\\qj \\li0\\ri0\\sb240\\sa120 Fim {\\pict\\wmetafile8\\picw100\\pich100 "
    "0100090000035000000000002700000000000400000003010800050000000b0200000000}do dia\\par \r\n"
    "{\\*\\themedata 504b030414000600080000002100e9de0fbfff0000001c020000130000005b436f6e74}\r\n"
    "{\\*\\datastore 010500000200000018000000}}";

// TextEdit on the Mac (Cocoa): font table without inner groups, an escaped line end as the
// paragraph mark, \uc0 before \u, no \par at the end.
const QByteArray Cocoa =
    "{\\rtf1\\ansi\\ansicpg1252\\cocoartf2709\n"
    "\\cocoatextscaling0\\cocoaplatform0{\\fonttbl\\f0\\fswiss\\fcharset0 Helvetica;"
    "\\f1\\fnil\\fcharset0 HelveticaNeue-Bold;}\n"
    "{\\colortbl;\\red255\\green255\\blue255;\\red251\\green0\\blue7;}\n"
    "{\\*\\expandedcolortbl;;\\cssrgb\\c100000\\c0\\c0;}\n"
    "\\paperw11900\\paperh16840\\margl1440\\margr1440\\vieww11520\\viewh8400\\viewkind0\n"
    "\\pard\\tx566\\tx1133\\pardirnatural\\partightenfactor0\n\n"
    "\\f0\\fs24 \\cf0 Caf\\'e9 com p\\'e3o\\\n"
    "\\pard\\tx566\\pardirnatural\\qc\\partightenfactor0\n\n"
    "\\f1\\b \\cf2 T\\'edtulo\n"
    "\\f0\\b0 \\cf0 \\uc0\\u8232 segunda linha}";

// LibreOffice Writer: \loch/\hich/\dbch font selection, a Cyrillic font (\fcharset204) and a
// Japanese one (\fcharset128), page style table, \uc2 before a \u with a two-byte fallback.
const QByteArray LibreOffice =
    "{\\rtf1\\ansi\\deff4\\adeflang1025\n"
    "{\\fonttbl{\\f0\\froman\\fprq2\\fcharset0 Times New Roman;}"
    "{\\f4\\fswiss\\fprq2\\fcharset204 Liberation Sans;}{\\f5\\fnil\\fprq2\\fcharset128 MS Mincho;}}\n"
    "{\\colortbl;\\red0\\green0\\blue0;\\red128\\green128\\blue128;}\n"
    "{\\stylesheet{\\s0\\snext0\\ql\\widctlpar\\hyphpar0\\ltrpar\\cf0\\kerning1\\dbch\\af7\\langfe2052"
    "\\loch\\f3\\hich\\af3\\fs24\\lang1046 Default Paragraph Style;}}\n"
    "{\\*\\generator LibreOffice/7.4.7.2$Linux_X86_64 LibreOffice_project/40$Build-2}"
    "{\\info{\\creatim\\yr2024\\mo1\\dy2\\hr3\\min4}{\\revtim\\yr0\\mo0\\dy0\\hr0\\min0}}"
    "{\\*\\userprops}\\deftab709\n\\hyphauto1\\viewscale100\n"
    "{\\*\\pgdsctbl\n{\\pgdsc0\\pgdscuse451\\pgwsxn11906\\pghsxn16838\\pgdscnxt0 Default Page Style;}}\n"
    "\\formshade\\paperh16838\\paperw11906\\sectd\\sbknone\\pgndec\\ftnbj\\ftnstart1\\aenddoc\n"
    "{\\*\\ftnsep\\chftnsep}\\pgndec\\pard\\plain \\s0\\ql\\widctlpar\\hyphpar0\\ltrpar\\cf0\\kerning1"
    "\\dbch\\af7\\langfe2052\\loch\\f4\\hich\\af4\\fs24\\lang1046{\\loch\n"
    "\\'cf\\'f0\\'e8\\'e2\\'e5\\'f2, \\'ec\\'e8\\'f0}\n"
    "\\par \\pard\\plain \\s0\\ql\\widctlpar\\ltrpar\\cf0\\loch\\f5\\hich\\af5\\fs24\\lang1046{\\loch\n"
    "\\'93\\'fa\\'96\\'7b\\'8c\\'ea }{\\cf2\\loch\\uc2 \\u26085\\'93\\'fa}\n"
    "\\par }";

} // namespace

class TestRichTextReader : public QObject {
    Q_OBJECT
private slots:
    void otherWriters_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QString>("text");
        QTest::addColumn<Check>("check");

        QTest::newRow("WordPad")
            << WordPad
            << QStringLiteral("Querido diário,\nUm dia especial\n·\tPrimeiro\titem\nsublinhado e riscado\nÀ noite: €50")
            << Check([](const QTextDocument &doc) {
                   QCOMPARE(family(at(doc, "Querido")), QStringLiteral("Arial"));
                   QCOMPARE(at(doc, "Querido").fontPointSize(), 11.0);
                   QCOMPARE(block(doc, 0).bottomMargin(), 200 / 15.0);
                   QCOMPARE(block(doc, 1).alignment(), Qt::AlignHCenter);
                   QCOMPARE(family(at(doc, "Um dia")), QStringLiteral("Times New Roman"));
                   QCOMPARE(at(doc, "Um dia").fontPointSize(), 16.0);
                   QCOMPARE(at(doc, "Um dia").fontWeight(), int(QFont::Bold));
                   QVERIFY(!at(doc, "Um dia").fontItalic());
                   QVERIFY(at(doc, "especial").fontItalic());
                   const RichText::Indents in = RichText::indents(block(doc, 2));
                   QCOMPARE(in.firstIndent, 18.0);
                   QCOMPARE(in.leftIndent, 18.0);
                   QCOMPARE(at(doc, "Primeiro").foreground().color(), QColor(255, 0, 0));
                   QCOMPARE(at(doc, "Primeiro").fontWeight(), int(QFont::Normal));
                   QCOMPARE(block(doc, 3).alignment(), Qt::AlignRight);
                   QCOMPARE(at(doc, "sublinhado").foreground().color(), QColor(0, 77, 187));
                   QVERIFY(at(doc, "sublinhado").fontUnderline());
                   QVERIFY(!at(doc, "e riscado").fontUnderline());
                   QVERIFY(at(doc, "riscado").fontStrikeOut());
                   QCOMPARE(at(doc, "noite").foreground().style(), Qt::NoBrush);
               });
        QTest::newRow("Word")
            << Word << QStringLiteral("Visite o sítio.\nFim do dia")
            << Check([](const QTextDocument &doc) {
                   QCOMPARE(family(at(doc, "Visite")), QStringLiteral("Arial"));
                   QCOMPARE(at(doc, "Visite").fontWeight(), int(QFont::Bold));
                   QCOMPARE(at(doc, "o s").fontWeight(), int(QFont::Normal));
                   QCOMPARE(at(doc, "o s").foreground().color(), QColor(0, 0, 255));
                   QVERIFY(at(doc, "o s").fontUnderline());
                   QVERIFY(!at(doc, ".").fontUnderline());
                   QCOMPARE(block(doc, 1).alignment(), Qt::AlignJustify);
                   QCOMPARE(block(doc, 1).topMargin(), 16.0);
                   QCOMPARE(block(doc, 1).bottomMargin(), 8.0);
                   QCOMPARE(family(at(doc, "Fim")), QStringLiteral("Arial"));
               });
        QTest::newRow("TextEdit")
            << Cocoa << QStringLiteral("Café com pão\nTítulo") + QChar::LineSeparator + QStringLiteral("segunda linha")
            << Check([](const QTextDocument &doc) {
                   QCOMPARE(family(at(doc, "Caf")), QStringLiteral("Helvetica"));
                   QCOMPARE(block(doc, 1).alignment(), Qt::AlignHCenter);
                   QCOMPARE(family(at(doc, "Título")), QStringLiteral("HelveticaNeue-Bold"));
                   QCOMPARE(at(doc, "Título").foreground().color(), QColor(251, 0, 7));
                   QCOMPARE(at(doc, "Título").fontWeight(), int(QFont::Bold));
                   QCOMPARE(at(doc, "segunda").fontWeight(), int(QFont::Normal));
               });
        QTest::newRow("LibreOffice")
            << LibreOffice << QStringLiteral("Привет, мир\n日本語 日")
            << Check([](const QTextDocument &doc) {
                   QCOMPARE(family(at(doc, "Привет")), QStringLiteral("Liberation Sans"));
                   QCOMPARE(family(at(doc, "日本語")), QStringLiteral("MS Mincho"));
                   QTextCursor end(const_cast<QTextDocument *>(&doc));
                   end.movePosition(QTextCursor::End);
                   QCOMPARE(end.charFormat().foreground().color(), QColor(128, 128, 128));
                   QCOMPARE(at(doc, "日本語").foreground().style(), Qt::NoBrush);
               });
    }
    void otherWriters()
    {
        QFETCH(QByteArray, data);
        QFETCH(QString, text);
        QFETCH(Check, check);
        QTextDocument doc;
        RichText::read(doc, data);
        QCOMPARE(rawText(doc), text);
        check(doc);
        // What was read is written back as it is shown, and reads back the same.
        const QByteArray written = RichText::write(doc);
        QTextDocument again;
        RichText::read(again, written);
        QCOMPARE(rawText(again), text);
        QCOMPARE(RichText::write(again), written);
    }

    void codePages_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QString>("text");
        QTest::newRow("document code page") << QByteArray("{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0 Arial;}}\\f0 \\'cf\\'f0\\'e8\\'e2\\'e5\\'f2}") << QStringLiteral("Привет");
        QTest::newRow("Windows-1252 by default") << QByteArray("{\\rtf1 \\'80 \\'85 \\'9c \\'e7}") << QStringLiteral("€ … œ ç");
        QTest::newRow("Greek font") << QByteArray("{\\rtf1{\\fonttbl{\\f0\\fcharset161 Arial Greek;}}\\f0 \\'c1\\'e8\\'de\\'ed\\'e1}") << QStringLiteral("Αθήνα");
        QTest::newRow("Central European font") << QByteArray("{\\rtf1{\\fonttbl{\\f0\\fcharset238 Arial CE;}}\\f0 \\'a3\\'f3d\\'9f}") << QStringLiteral("Łódź");
        QTest::newRow("Shift-JIS font") << QByteArray("{\\rtf1{\\fonttbl{\\f0\\fcharset128 MS Gothic;}}\\f0 \\'82\\'b1\\'82\\'f1\\'82\\'c9\\'82\\'bf\\'82\\'cd}") << QStringLiteral("こんにちは");
        QTest::newRow("Shift-JIS trail byte 5c") << QByteArray("{\\rtf1{\\fonttbl{\\f0\\fcharset128 MS Gothic;}}\\f0 \\'95\\'5c\\'8e\\'a6}") << QStringLiteral("表示");
        QTest::newRow("Shift-JIS trail byte as text") << QByteArray("{\\rtf1{\\fonttbl{\\f0\\fcharset128 MS Gothic;}}\\f0 \\'83@\\'83A}") << QStringLiteral("ァア");
        QTest::newRow("Shift-JIS lead byte cut off") << QByteArray("{\\rtf1{\\fonttbl{\\f0\\fcharset128 MS Gothic;}}\\f0 {\\'82}x}") << QStringLiteral("\uFFFDx");
        QTest::newRow("GBK font") << QByteArray("{\\rtf1{\\fonttbl{\\f0\\fcharset134 SimSun;}}\\f0 \\'d6\\'d0\\'ce\\'c4}") << QStringLiteral("中文");
        QTest::newRow("Big5 font") << QByteArray("{\\rtf1{\\fonttbl{\\f0\\fcharset136 MingLiU;}}\\f0 \\'a4\\'a4\\'a4\\'e5}") << QStringLiteral("中文");
        QTest::newRow("Korean font") << QByteArray("{\\rtf1{\\fonttbl{\\f0\\fcharset129 Gulim;}}\\f0 \\'c7\\'d1\\'b1\\'b9}") << QStringLiteral("한국");
        QTest::newRow("Mac document") << QByteArray("{\\rtf1\\mac caf\\'8e}") << QStringLiteral("café");
        QTest::newRow("\\cpg of a font") << QByteArray("{\\rtf1{\\fonttbl{\\f0\\cpg1253 X;}}\\f0 \\'e1}") << QStringLiteral("α");
        QTest::newRow("code page follows the font")
            << QByteArray("{\\rtf1{\\fonttbl{\\f0\\fcharset0 A;}{\\f1\\fcharset204 B;}}\\f0 \\'e9\\f1 \\'e9{\\f0 \\'e9}\\'e9}") << QStringLiteral("éйéй");
        QTest::newRow("8-bit text bytes") << QByteArray("{\\rtf1 caf\xe9}") << QStringLiteral("café");
    }
    void codePages()
    {
        QFETCH(QByteArray, data);
        QFETCH(QString, text);
        QTextDocument doc;
        RichText::read(doc, data);
        QCOMPARE(rawText(doc), text);
    }

    void defaultFont()
    {
        QTextDocument doc;
        RichText::read(doc, "{\\rtf1\\deff1{\\fonttbl{\\f0 Arial;}{\\f1 Georgia;}}text\\f7 unknown}");
        QCOMPARE(family(at(doc, "text")), QStringLiteral("Georgia"));
        QCOMPARE(family(at(doc, "unknown")), QStringLiteral("Georgia"));
    }

    void fontNamesInTheirCodePage()
    {
        QTextDocument doc;
        RichText::read(doc, "{\\rtf1{\\fonttbl{\\f0\\fcharset128 \\'82\\'6c\\'82\\'72 \\'96\\'be\\'92\\'a9;}"
                            "{\\f1 Caf\\u233?;}}\\f0 x\\f1 y}");
        QCOMPARE(family(at(doc, "x")), QStringLiteral("ＭＳ 明朝"));
        QCOMPARE(family(at(doc, "y")), QStringLiteral("Café"));
    }

    void unicodeEscapes_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("text");
        QTest::newRow("\\uc0") << QByteArray("\\uc0\\u8364 x") << QStringLiteral("€x");
        QTest::newRow("\\uc1 by default") << QByteArray("\\u8364?x") << QStringLiteral("€x");
        QTest::newRow("\\uc1 with an escape") << QByteArray("\\u8364\\'80x") << QStringLiteral("€x");
        QTest::newRow("\\uc2 with two escapes") << QByteArray("\\uc2\\u8364\\'80\\'80x") << QStringLiteral("€x");
        QTest::newRow("\\uc belongs to its group") << QByteArray("{\\uc2\\u233 ab}\\u233 cd") << QStringLiteral("ééd");
        QTest::newRow("a group ends the skipping") << QByteArray("\\uc3\\u233{\\b ab}") << QStringLiteral("éab");
        QTest::newRow("signed above 32767") << QByteArray("\\u-3?\\u-1280?") << QStringLiteral("\uFFFDﬀ");
        QTest::newRow("unsigned above 32767") << QByteArray("\\u26085?\\u35352?") << QStringLiteral("日記");
        QTest::newRow("surrogate pair") << QByteArray("\\u-10179?\\u-8704?") << QStringLiteral("😀");
        QTest::newRow("lone high surrogate") << QByteArray("\\u-10179?x") << QStringLiteral("\uFFFDx");
        QTest::newRow("lone low surrogate") << QByteArray("x\\u-8704?") << QStringLiteral("x\uFFFD");
        QTest::newRow("high surrogate at a paragraph end") << QByteArray("\\u-10179?\\par y") << QStringLiteral("\uFFFD\ny");
        QTest::newRow("out of range") << QByteArray("\\u-99999?a\\u99999?b") << QStringLiteral("\uFFFDa\uFFFDb");
        QTest::newRow("control characters are not text") << QByteArray("a\\u0?\\u7?\\u13?\\u10?b") << QStringLiteral("ab");
        QTest::newRow("paragraph separator") << QByteArray("a\\u8233?b") << QStringLiteral("a\nb");
        QTest::newRow("object placeholder") << QByteArray("a\\u65532?b") << QStringLiteral("a\uFFFDb");
    }
    void unicodeEscapes()
    {
        QFETCH(QByteArray, body);
        QFETCH(QString, text);
        QTextDocument doc;
        RichText::read(doc, rtf(body));
        QCOMPARE(rawText(doc), text);
    }

    void groupsAndParagraphs_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("text");
        QTest::addColumn<Check>("check");
        const Check none = [](const QTextDocument &) {};

        QTest::newRow("\\plain restores the defaults")
            << QByteArray("\\f1\\fs40\\b\\i\\ul\\strike\\cf1 x\\plain y") << QStringLiteral("xy")
            << Check([](const QTextDocument &doc) {
                   const QTextCharFormat x = at(doc, "x");
                   QCOMPARE(family(x), QStringLiteral("Courier New"));
                   QCOMPARE(x.fontPointSize(), 20.0);
                   QVERIFY(x.fontItalic() && x.fontUnderline() && x.fontStrikeOut());
                   const QTextCharFormat y = at(doc, "y");
                   QCOMPARE(family(y), QStringLiteral("Arial"));
                   QCOMPARE(y.fontPointSize(), 12.0);
                   QCOMPARE(y.fontWeight(), int(QFont::Normal));
                   QVERIFY(!y.fontItalic() && !y.fontUnderline() && !y.fontStrikeOut());
                   QCOMPARE(y.foreground().style(), Qt::NoBrush);
               });
        QTest::newRow("a group keeps its changes to itself")
            << QByteArray("\\b a{\\i b\\b0 c}d") << QStringLiteral("abcd")
            << Check([](const QTextDocument &doc) {
                   QCOMPARE(at(doc, "b").fontWeight(), int(QFont::Bold));
                   QVERIFY(at(doc, "b").fontItalic());
                   QCOMPARE(at(doc, "c").fontWeight(), int(QFont::Normal));
                   QCOMPARE(at(doc, "d").fontWeight(), int(QFont::Bold));
                   QVERIFY(!at(doc, "d").fontItalic());
               });
        QTest::newRow("\\pard resets the paragraph, not the characters")
            << QByteArray("\\qc\\li720\\b a\\par\\pard b\\par") << QStringLiteral("a\nb")
            << Check([](const QTextDocument &doc) {
                   QCOMPARE(block(doc, 0).alignment(), Qt::AlignHCenter);
                   QCOMPARE(block(doc, 0).leftMargin(), 48.0);
                   QCOMPARE(block(doc, 1).alignment(), Qt::AlignLeft);
                   QCOMPARE(block(doc, 1).leftMargin(), 0.0);
                   QCOMPARE(at(doc, "b").fontWeight(), int(QFont::Bold));
               });
        QTest::newRow("paragraph properties hold at the \\par")
            << QByteArray("a\\qr b\\par c") << QStringLiteral("ab\nc")
            << Check([](const QTextDocument &doc) {
                   QCOMPARE(block(doc, 0).alignment(), Qt::AlignRight);
                   QCOMPARE(block(doc, 1).alignment(), Qt::AlignRight);
               });
        QTest::newRow("\\par inside a group") << QByteArray("{\\b a\\par b}c") << QStringLiteral("a\nbc")
            << Check([](const QTextDocument &doc) {
                   QCOMPARE(at(doc, "b").fontWeight(), int(QFont::Bold));
                   QCOMPARE(at(doc, "c").fontWeight(), int(QFont::Normal));
               });
        QTest::newRow("colours out of the table are automatic")
            << QByteArray("\\cf2 a\\cf9 b\\cf0 c") << QStringLiteral("abc")
            << Check([](const QTextDocument &doc) {
                   QCOMPARE(at(doc, "a").foreground().color(), QColor(0, 0, 255));
                   QCOMPARE(at(doc, "b").foreground().style(), Qt::NoBrush);
                   QCOMPARE(at(doc, "c").foreground().style(), Qt::NoBrush);
               });
        QTest::newRow("highlight and \\cb")
            << QByteArray("\\highlight1 a\\highlight0 b\\cb2 c") << QStringLiteral("abc")
            << Check([](const QTextDocument &doc) {
                   QCOMPARE(at(doc, "a").background().color(), QColor(255, 0, 0));
                   QCOMPARE(at(doc, "b").background().style(), Qt::NoBrush);
                   QCOMPARE(at(doc, "c").background().color(), QColor(0, 0, 255));
               });
        QTest::newRow("underline kinds")
            << QByteArray("\\uldb a\\ul0 b\\ulwave c\\ulnone d\\ulw e\\ul0 f") << QStringLiteral("abcdef")
            << Check([](const QTextDocument &doc) {
                   for (const char *on : {"a", "c", "e"})
                       QVERIFY2(at(doc, on).fontUnderline(), on);
                   for (const char *off : {"b", "d", "f"})
                       QVERIFY2(!at(doc, off).fontUnderline(), off);
               });
        QTest::newRow("switches with 0 and 1")
            << QByteArray("\\b1 a\\b0 b\\i1\\striked1 c\\i0\\strike0 d") << QStringLiteral("abcd")
            << Check([](const QTextDocument &doc) {
                   QCOMPARE(at(doc, "a").fontWeight(), int(QFont::Bold));
                   QCOMPARE(at(doc, "b").fontWeight(), int(QFont::Normal));
                   QVERIFY(at(doc, "c").fontItalic() && at(doc, "c").fontStrikeOut());
                   QVERIFY(!at(doc, "d").fontItalic() && !at(doc, "d").fontStrikeOut());
               });
        QTest::newRow("size without a value is the default")
            << QByteArray("\\fs0 a\\fs-4 b\\fs25 c") << QStringLiteral("abc")
            << Check([](const QTextDocument &doc) {
                   QCOMPARE(at(doc, "a").fontPointSize(), 12.0);
                   QCOMPARE(at(doc, "b").fontPointSize(), 12.0);
                   QCOMPARE(at(doc, "c").fontPointSize(), 12.5);
               });
        QTest::newRow("special characters")
            << QByteArray("\\emdash\\endash\\bullet\\lquote\\rquote\\ldblquote\\rdblquote\\~\\-\\_\\{\\}\\\\")
            << QStringLiteral("—–•‘’“”\u00A0\u00AD\u2011{}\\") << none;
        QTest::newRow("\\tab and \\line")
            << QByteArray("a\\tab b\\line c") << QStringLiteral("a\tb") + QChar::LineSeparator + QStringLiteral("c") << none;
        QTest::newRow("line ends in the file are not text") << QByteArray("a\r\nb\rc\nd") << QStringLiteral("abcd") << none;
        QTest::newRow("an escaped line end is a paragraph") << QByteArray("a\\\nb\\\r\nc") << QStringLiteral("a\nb\nc") << none;
        QTest::newRow("\\page is a paragraph") << QByteArray("a\\page b") << QStringLiteral("a\nb") << none;
        QTest::newRow("table cells in a row")
            << QByteArray("\\trowd\\cellx1000\\cellx2000\\pard\\intbl a\\cell b\\cell\\row c\\par") << QStringLiteral("a\tb\t\nc") << none;
        QTest::newRow("\\* destinations are skipped") << QByteArray("{\\*\\unknown hidden {nested}}shown") << QStringLiteral("shown") << none;
        QTest::newRow("unknown words keep their text") << QByteArray("{\\unknownword text}\\other more") << QStringLiteral("textmore") << none;
        QTest::newRow("known destinations are skipped")
            << QByteArray("{\\info{\\title T}}{\\stylesheet{\\s1 Heading 1;}}{\\header H}{\\footer F}"
                          "{\\footnote N}{\\pict 0a0b}{\\object{\\objdata 00}{\\result R}}a{\\fonttbl{\\f5 Late;}}b")
            << QStringLiteral("ab") << none;
        QTest::newRow("field result is shown, instruction is not")
            << QByteArray("{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt link}}") << QStringLiteral("link") << none;
        QTest::newRow("binary data may hold braces")
            << QByteArray("a{\\*\\blob\\bin5 }}}{}b}c") << QStringLiteral("ac") << none;
        QTest::newRow("space after, space before")
            << QByteArray("\\sb240\\sa120 a\\par\\pard\\sb-30 b") << QStringLiteral("a\nb")
            << Check([](const QTextDocument &doc) {
                   QCOMPARE(block(doc, 0).topMargin(), 16.0);
                   QCOMPARE(block(doc, 0).bottomMargin(), 8.0);
                   QCOMPARE(block(doc, 1).topMargin(), 0.0);
               });
    }
    void groupsAndParagraphs()
    {
        QFETCH(QByteArray, body);
        QFETCH(QString, text);
        QFETCH(Check, check);
        QTextDocument doc;
        RichText::read(doc, rtf(body));
        QCOMPARE(rawText(doc), text);
        check(doc);
    }

    void lastParagraphMark_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QStringList>("paragraphs");
        QTest::newRow("ended by \\par") << QByteArray("a\\par b\\par") << QStringList{"a", "b"};
        QTest::newRow("last one without \\par") << QByteArray("a\\par b") << QStringList{"a", "b"};
        QTest::newRow("an empty paragraph at the end") << QByteArray("a\\par\\par") << QStringList{"a", ""};
        QTest::newRow("two empty paragraphs at the end") << QByteArray("a\\par\\par\\par") << QStringList{"a", "", ""};
        QTest::newRow("only \\par") << QByteArray("\\par") << QStringList{""};
        QTest::newRow("nothing") << QByteArray() << QStringList{""};
        QTest::newRow("no \\par at all") << QByteArray("a") << QStringList{"a"};
        QTest::newRow("formatting after the last \\par") << QByteArray("a\\par\\pard\\qc\\b ") << QStringList{"a"};
        QTest::newRow("skipped text after the last \\par") << QByteArray("a\\par{\\*\\x y}") << QStringList{"a"};
        QTest::newRow("\\par and blanks") << QByteArray("a\\par \r\n") << QStringList{"a"};
    }
    void lastParagraphMark()
    {
        QFETCH(QByteArray, body);
        QFETCH(QStringList, paragraphs);
        QTextDocument doc;
        RichText::read(doc, rtf(body));
        QStringList read;
        for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
            read << b.text();
        QCOMPARE(read, paragraphs);
    }

    void plainText_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QStringList>("paragraphs");
        QTest::newRow("UTF-8") << QByteArray("Ação\nfim") << QStringList{"Ação", "fim"};
        QTest::newRow("Windows-1252") << QByteArray("A\xe7\xe3o \x80 \x97") << QStringList{"Ação € —"};
        QTest::newRow("Windows-1252 ending like a cut UTF-8 sequence") << QByteArray("caf\xe9") << QStringList{"café"};
        QTest::newRow("CR LF lines") << QByteArray("um\r\ndois\r\n") << QStringList{"um", "dois", ""};
        QTest::newRow("empty") << QByteArray() << QStringList{""};
        QTest::newRow("RTF not at the start") << QByteArray("x{\\rtf1 y}") << QStringList{"x{\\rtf1 y}"};
        QTest::newRow("capital letters are not RTF") << QByteArray("{\\RTF1 y}") << QStringList{"{\\RTF1 y}"};
        QTest::newRow("blanks before RTF") << QByteArray(" \r\n\t{\\rtf1 y}") << QStringList{"y"};
    }
    void plainText()
    {
        QFETCH(QByteArray, data);
        QFETCH(QStringList, paragraphs);
        QTextDocument doc;
        // What was there before goes, formats included.
        RichText::read(doc, rtf("\\b\\fs60 old\\par old"));
        RichText::read(doc, data);
        QStringList read;
        for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
            read << b.text();
        QCOMPARE(read, paragraphs);
        QVERIFY(!doc.isModified());
        if (!RichText::isRtf(data)) {
            QCOMPARE(QTextCursor(&doc).charFormat().fontWeight(), int(QFont::Normal));
            QVERIFY(!RichText::write(doc).contains("\\b"));
        }
    }
};

QTEST_MAIN(TestRichTextReader)
#include "test_richtext_reader.moc"
