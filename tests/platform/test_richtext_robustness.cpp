// Damaged and hostile RTF: truncated files, unbalanced braces, absurd numbers, deep nesting and
// garbage read as the text so far (or as plain text), never a crash or a hang; and a randomised
// mutation run with a fixed seed, in which whatever was read survives a save and an open.
#include "RichText.h"

#include <QRandomGenerator>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

Q_DECLARE_METATYPE(RichText::Reading)

namespace {

QString rawText(const QTextDocument &doc)
{
    return doc.toRawText().replace(QChar::ParagraphSeparator, u'\n');
}

QTextCharFormat formatAt(const QTextDocument &doc, const QString &text)
{
    const QTextCursor found = doc.find(text);
    if (found.isNull())
        return {};
    QTextCursor cursor(found);
    cursor.setPosition(found.selectionStart() + 1);
    return cursor.charFormat();
}

// A document with every kind of formatting the writer knows, written by the writer.
QByteArray formattedSample()
{
    QTextDocument doc;
    QTextCursor c(&doc);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    c.setBlockFormat(centred);
    QTextCharFormat title;
    title.setFontFamilies({QStringLiteral("Arial")});
    title.setFontPointSize(18);
    title.setFontWeight(QFont::Bold);
    c.insertText(QStringLiteral("Querido diário"), title);
    QTextBlockFormat indented;
    RichText::setIndents(indented, {36, -18, 12});
    QTextCharFormat body;
    body.setFontFamilies({QStringLiteral("Times New Roman")});
    body.setFontPointSize(12);
    c.insertBlock(indented, body);
    c.insertText(QStringLiteral("Ação é útil — 50 €\t日本語 😀 {x}\\y"));
    QTextCharFormat red = body;
    red.setForeground(QColor(200, 0, 0));
    red.setFontItalic(true);
    red.setFontUnderline(true);
    red.setBackground(QColor(255, 255, 0));
    c.insertText(QStringLiteral(" vermelho"), red);
    c.insertBlock(QTextBlockFormat(), body);
    c.insertBlock(QTextBlockFormat(), body);
    c.insertText(QStringLiteral("fim") + QChar::LineSeparator + QStringLiteral("mesmo"));
    return RichText::write(doc);
}

const QByteArray Foreign =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}{\\f1\\fnil\\fcharset128 "
    "MS Gothic;}{\\f2\\fcharset204{\\*\\panose 0}Times CY;}}{\\colortbl ;\\red255\\green0\\blue0;}"
    "{\\*\\generator Msftedit 5.41.21.2510;}{\\stylesheet{\\s1 Normal;}}\\viewkind4\\uc1\\pard\\sa200"
    "\\qc\\f0\\fs22 Querido di\\'e1rio,\\par\\pard\\fi-360\\li720\\cf1\\b\\f1 \\'82\\'b1\\'95\\'5c\\b0"
    "\\f2 \\'cf\\'f0\\'e8\\cf0\\par{\\pict\\bin4 }}{}\\uc2\\u26085\\'93\\'fa\\u-10179?\\u-8704?"
    "{\\field{\\*\\fldinst HYPERLINK x}{\\fldrslt link}}\\line\\tab end\\par}";

// Read, write, read, write: the second writing must give the bytes of the first, and the two
// documents the same text. Returns a reason when they differ.
QString checkStable(const QByteArray &input)
{
    QTextDocument first;
    RichText::read(first, input);
    const QString text = rawText(first);
    if (!text.isValidUtf16())
        return QStringLiteral("the text read holds a lone surrogate");
    const QByteArray written = RichText::write(first);
    QTextDocument second;
    RichText::read(second, written);
    if (const QString after = rawText(second); after != text) {
        qsizetype at = 0;
        while (at < text.size() && at < after.size() && text[at] == after[at])
            ++at;
        return QStringLiteral("the text changed at %1: ...%2 (%3) became ...%4 (%5)")
            .arg(at)
            .arg(text.mid(at, 20), QString::number(text.mid(at, 1).isEmpty() ? -1 : text[at].unicode(), 16),
                 after.mid(at, 20), QString::number(after.mid(at, 1).isEmpty() ? -1 : after[at].unicode(), 16));
    }
    if (second.blockCount() != first.blockCount())
        return QStringLiteral("%1 paragraphs became %2").arg(first.blockCount()).arg(second.blockCount());
    const QByteArray again = RichText::write(second);
    if (again != written)
        return QStringLiteral("written twice, different bytes:\n%1\n%2")
            .arg(QString::fromLatin1(written), QString::fromLatin1(again));
    return {};
}

} // namespace

class TestRichTextRobustness : public QObject {
    Q_OBJECT
private slots:
    void truncatedFilesGiveTheTextSoFar()
    {
        for (const QByteArray &full : {formattedSample(), Foreign}) {
            QTextDocument whole;
            RichText::read(whole, full);
            const QString fullText = rawText(whole);
            QTextDocument doc;
            const qsizetype end = full.lastIndexOf('}') + 1;
            for (qsizetype n = qsizetype(qstrlen("{\\rtf")); n < full.size(); ++n) {
                QCOMPARE(RichText::read(doc, full.left(n)) == RichText::Reading::Whole, n >= end);
                // A cut through an escape may change the last character; what comes before it
                // is the start of the whole text.
                QString text = rawText(doc);
                text.chop(1);
                if (text.endsWith(QChar(QChar::ReplacementCharacter)))
                    text.chop(1); // a surrogate pair cut in two
                QVERIFY2(fullText.startsWith(text),
                         qPrintable(QStringLiteral("cut at %1: \"%2\"").arg(n).arg(text)));
                QVERIFY(doc.blockCount() <= whole.blockCount());
            }
        }
    }

    void damagedFiles_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QString>("text");
        QTest::addColumn<RichText::Reading>("reading");

        QTest::newRow("a line end and NULs after the end") << QByteArray("{\\rtf1 a}\r\n\0\0", 13) << QStringLiteral("a")
                                                        << RichText::Reading::Whole;
        QTest::newRow("cut inside the header") << QByteArray("{\\rt") << QStringLiteral("{\\rt") << RichText::Reading::NotRtf;
        QTest::newRow("text after the document's end") << QByteArray("{\\rtf1 a}b}c") << QStringLiteral("a") << RichText::Reading::Damaged;
        QTest::newRow("too many closing braces") << QByteArray("{\\rtf1 a{\\b b}}}}}} c") << QStringLiteral("ab") << RichText::Reading::Damaged;
        QTest::newRow("groups never closed") << QByteArray("{\\rtf1 a{{{{ b") << QStringLiteral("a b") << RichText::Reading::Damaged;
        QTest::newRow("only closing braces") << QByteArray("{\\rtf1 }}}}") << QString() << RichText::Reading::Damaged;
        QTest::newRow("a brace before the header is not RTF") << QByteArray("}{\\rtf1 x}") << QStringLiteral("}{\\rtf1 x}") << RichText::Reading::NotRtf;
        QTest::newRow("header only") << QByteArray("{\\rtf") << QString() << RichText::Reading::Damaged;
        QTest::newRow("ends in a backslash") << QByteArray("{\\rtf1 a\\") << QStringLiteral("a") << RichText::Reading::Damaged;
        QTest::newRow("ends in a hex escape") << QByteArray("{\\rtf1 a\\'") << QStringLiteral("a") << RichText::Reading::Damaged;
        QTest::newRow("ends half way through a hex escape") << QByteArray("{\\rtf1 a\\'e") << QStringLiteral("a") << RichText::Reading::Damaged;
        QTest::newRow("ends in \\u") << QByteArray("{\\rtf1 a\\u") << QStringLiteral("a") << RichText::Reading::Damaged;
        QTest::newRow("ends in \\u-") << QByteArray("{\\rtf1 a\\u-") << QStringLiteral("a") << RichText::Reading::Damaged;
        QTest::newRow("ends inside the font table") << QByteArray("{\\rtf1{\\fonttbl{\\f0 Ari") << QString() << RichText::Reading::Damaged;
        QTest::newRow("NUL bytes") << QByteArray("{\\rtf1 a\0b\\'00c}", 16) << QStringLiteral("abc") << RichText::Reading::Whole;
        QTest::newRow("huge font size") << QByteArray("{\\rtf1\\fs999999999 x}") << QStringLiteral("x") << RichText::Reading::Whole;
        QTest::newRow("number longer than any integer") << QByteArray("{\\rtf1\\fs99999999999999999999999 x}") << QStringLiteral("x") << RichText::Reading::Whole;
        QTest::newRow("huge indents") << QByteArray("{\\rtf1\\li-2147483648\\ri999999999999\\fi2147483647\\sb99999999 x}") << QStringLiteral("x") << RichText::Reading::Whole;
        QTest::newRow("huge colour index") << QByteArray("{\\rtf1{\\colortbl;\\red999\\green-5\\blue300;}\\cf4294967296 x\\cf1 y}") << QStringLiteral("xy") << RichText::Reading::Whole;
        QTest::newRow("huge \\uc") << QByteArray("{\\rtf1\\uc999999999 \\u233 abcdefghijklmnopqrstuvwxyz}") << QStringLiteral("éqrstuvwxyz") << RichText::Reading::Whole;
        QTest::newRow("huge \\bin") << QByteArray("{\\rtf1 a\\bin99999999999 bcd}") << QStringLiteral("a") << RichText::Reading::Damaged;
        QTest::newRow("negative \\bin") << QByteArray("{\\rtf1 a\\bin-5 b}") << QStringLiteral("ab") << RichText::Reading::Whole;
        QTest::newRow("\\u far out of range") << QByteArray("{\\rtf1\\u-99999?\\u2147483647?\\u-2147483648?x}") << QStringLiteral("\uFFFD\uFFFD\uFFFDx") << RichText::Reading::Whole;
        QTest::newRow("odd code pages") << QByteArray("{\\rtf1\\ansicpg-5 \\'e9{\\ansicpg99999 \\'e9}{\\fonttbl{\\f0\\fcharset9999\\cpg-3 A;}}\\f0 \\'e9}") << QStringLiteral("ééé") << RichText::Reading::Whole;
        QTest::newRow("font numbers at the limits") << QByteArray("{\\rtf1{\\fonttbl{\\f-5 A;}{\\f2147483647 B;}}\\f-5 a\\f2147483647 b\\f99999999999 c}") << QStringLiteral("abc") << RichText::Reading::Whole;
    }
    void damagedFiles()
    {
        QFETCH(QByteArray, data);
        QFETCH(QString, text);
        QFETCH(RichText::Reading, reading);
        QTextDocument doc;
        QCOMPARE(RichText::read(doc, data), reading);
        QCOMPARE(rawText(doc), text);
        const QString unstable = checkStable(data);
        QVERIFY2(unstable.isEmpty(), qPrintable(unstable));
    }

    void absurdNumbersAreHeldToSaneValues()
    {
        QTextDocument doc;
        RichText::read(doc, "{\\rtf1{\\colortbl;\\red999\\green-5\\blue300;}\\fs999999999\\cf1 a\\fs-7 b"
                            "\\par\\pard\\li-2147483648\\ri999999999999\\fi2147483647 c}");
        QCOMPARE(formatAt(doc, "a").fontPointSize(), 1638.0);
        QCOMPARE(formatAt(doc, "a").foreground().color(), QColor(255, 0, 255));
        QCOMPARE(formatAt(doc, "b").fontPointSize(), 12.0);
        // \li and \fi held to 31680 twips: the first line at 0, the others 1584 points left of it.
        const RichText::Indents indents = RichText::indents(doc.lastBlock().blockFormat());
        QCOMPARE(indents.firstIndent, 0.0);
        QCOMPARE(indents.leftIndent, -1584.0);
        QCOMPARE(indents.rightIndent, 1584.0);
    }

    void deepNesting_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QString>("text");
        const QByteArray open(100000, '{');
        const QByteArray close(100000, '}');
        QTest::newRow("100,000 groups never closed") << QByteArray("{\\rtf1 a" + open + "b") << QStringLiteral("a");
        QTest::newRow("100,000 groups closed again") << QByteArray("{\\rtf1 a" + open + "b" + close + "c}") << QStringLiteral("ac");
        QTest::newRow("100,000 bold groups") << QByteArray("{\\rtf1 a" + QByteArray("{\\b ").repeated(100000) + "b") << QStringLiteral("a");
        QTest::newRow("deep groups closing early") << QByteArray("{\\rtf1 a" + open + close + close + "c}") << QStringLiteral("a");
        // Nesting as deep as real writers go is read in full.
        QTest::newRow("200 groups") << QByteArray("{\\rtf1 a" + QByteArray(200, '{') + "b" + QByteArray(200, '}') + "c}") << QStringLiteral("abc");
    }
    void deepNesting()
    {
        QFETCH(QByteArray, data);
        QFETCH(QString, text);
        QTextDocument doc;
        RichText::read(doc, data);
        QCOMPARE(rawText(doc), text);
    }

    void longTokens()
    {
        QTextDocument doc;
        RichText::read(doc, "{\\rtf1 a\\" + QByteArray(100000, 'x') + " b\\fs" + QByteArray(100000, '9') + " c\\'"
                                + QByteArray(100000, 'f') + "}");
        QCOMPARE(rawText(doc).left(3), QStringLiteral("abc"));
        QCOMPARE(formatAt(doc, "c").fontPointSize(), 1638.0);
        // The escape takes two hex digits; the rest is text.
        QCOMPARE(rawText(doc).size(), 3 + 1 + 100000 - 2);
    }

    void manyFontsAndColours()
    {
        QByteArray data = "{\\rtf1{\\fonttbl";
        for (int i = 0; i < 20000; ++i)
            data += "{\\f" + QByteArray::number(i) + " Font" + QByteArray::number(i) + ";}";
        data += "}{\\colortbl;";
        for (int i = 0; i < 20000; ++i)
            data += "\\red" + QByteArray::number(i % 256) + "\\green0\\blue0;";
        data += "}\\f19999\\cf20000 x}";
        QTextDocument doc;
        RichText::read(doc, data);
        QCOMPARE(formatAt(doc, "x").fontFamilies().toStringList(), QStringList{QStringLiteral("Font19999")});
        QCOMPARE(formatAt(doc, "x").foreground().color(), QColor(19999 % 256, 0, 0));
    }

    void garbage_data()
    {
        QTest::addColumn<bool>("asRtf");
        QTest::newRow("random bytes after an RTF header") << true;
        QTest::newRow("random bytes") << false;
    }
    void garbage()
    {
        QFETCH(bool, asRtf);
        QRandomGenerator random(1234);
        QByteArray data(256 * 1024, Qt::Uninitialized);
        random.fillRange(reinterpret_cast<quint32 *>(data.data()), data.size() / 4);
        if (asRtf)
            data.prepend("{\\rtf1 ");
        else
            data[0] = 'x';
        QTextDocument doc;
        RichText::read(doc, data);
        QVERIFY(rawText(doc).isValidUtf16());
        if (!asRtf) {
            // Not UTF-8: one character for each byte, as Windows-1252, control bytes aside.
            QVERIFY(doc.characterCount() > data.size() * 8 / 10);
        }
        const QString unstable = checkStable(data);
        QVERIFY2(unstable.isEmpty(), qPrintable(unstable));
    }

    // Random mutations of a few well-formed files: a fixed seed and a fixed number of rounds
    // (about a second), so every run tries the same inputs. A failure prints the input.
    void mutations()
    {
        static const char *const tokens[] = {
            "{", "}", "\\", "\\par ", "\\pard", "\\plain ", "\\b", "\\i0", "\\ul", "\\strike",
            "\\u-10179?", "\\u-8704?", "\\u233 ", "\\u8233?", "\\'82", "\\'", "\\'e9", "\\uc2 ", "\\uc0",
            "\\bin3 ", "\\*", "{\\fonttbl{\\f0\\fcharset128 X;}}", "{\\f1\\fcharset204 Y;}", "\\f0 ", "\\f1 ",
            "\\fs99999999", "\\fs0", "\\cf3", "\\cf0", "{\\colortbl;\\red1\\green2\\blue3;}", "\\highlight1",
            "\\line", "\\tab", "\\fi-500", "\\li300", "\\ri-20", "\\sb120", "\\qc", "\\qr", "\\qj", ";",
            "\\ansicpg932 ", "\\deff1", "\r\n", "\\\n", "\\~", "\\emdash", "{\\*\\x ", "{\\info ", "\\fonttbl",
            "\\colortbl", " ", "x", "\xe9", "\x82\xa0", "\t", "\\u-1", "{\\pict ", "\\f-1 "};
        const QByteArray seeds[] = {formattedSample(), Foreign,
                                    "{\\rtf1 plain text\\par second\\par}",
                                    "{\\rtf1{\\fonttbl{\\f0\\fcharset128 MS;}}\\f0 \\'82\\'a0\\'82\\'a2\\par\\u26085?}"};
        // Longer runs with other seeds: RICHTEXT_FUZZ_SEED and RICHTEXT_FUZZ_ROUNDS.
        const quint32 seed = qEnvironmentVariableIsSet("RICHTEXT_FUZZ_SEED")
            ? quint32(qEnvironmentVariableIntValue("RICHTEXT_FUZZ_SEED"))
            : 20240515u;
        const int rounds = qEnvironmentVariableIsSet("RICHTEXT_FUZZ_ROUNDS")
            ? qEnvironmentVariableIntValue("RICHTEXT_FUZZ_ROUNDS")
            : 60000;
        QRandomGenerator random(seed);
        for (int round = 0; round < rounds; ++round) {
            QByteArray data = seeds[random.bounded(int(std::size(seeds)))];
            const int edits = 1 + random.bounded(6);
            for (int e = 0; e < edits; ++e) {
                const int at = data.isEmpty() ? 0 : random.bounded(int(data.size()));
                switch (random.bounded(6)) {
                case 0:
                    if (!data.isEmpty())
                        data[at] = char(random.bounded(256));
                    break;
                case 1:
                    data.insert(at, tokens[random.bounded(int(std::size(tokens)))]);
                    break;
                case 2:
                    data.remove(at, random.bounded(1, 16));
                    break;
                case 3:
                    data.insert(at, data.mid(random.bounded(int(data.size()) + 1), random.bounded(1, 64)));
                    break;
                case 4:
                    data.truncate(at + 1);
                    break;
                default: {
                    const QByteArray &other = seeds[random.bounded(int(std::size(seeds)))];
                    data = data.left(at) + other.mid(random.bounded(int(other.size())));
                    break;
                }
                }
            }
            const QString unstable = checkStable(data);
            QVERIFY2(unstable.isEmpty(),
                     qPrintable(QStringLiteral("round %1, input (base64) %2: %3")
                                    .arg(round).arg(QString::fromLatin1(data.toBase64()), unstable)));
        }
    }
};

QTEST_MAIN(TestRichTextRobustness)
#include "test_richtext_robustness.moc"
