// Rich text written as RTF and read back: text, character formats, paragraphs and indents come
// back as they were, and writing again gives the same bytes.
#include "RichText.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextFrame>

#include <functional>

using Build = std::function<void(QTextCursor &)>;
Q_DECLARE_METATYPE(Build)

namespace {

QTextCharFormat font(const QString &family, double points)
{
    QTextCharFormat format;
    format.setFontFamilies({family});
    format.setFontPointSize(points);
    return format;
}

QTextCharFormat bold()
{
    QTextCharFormat format;
    format.setFontWeight(QFont::Bold);
    return format;
}

QTextCharFormat italic()
{
    QTextCharFormat format;
    format.setFontItalic(true);
    return format;
}

QTextCharFormat underlined()
{
    QTextCharFormat format;
    format.setFontUnderline(true);
    return format;
}

QTextCharFormat struck()
{
    QTextCharFormat format;
    format.setFontStrikeOut(true);
    return format;
}

QTextCharFormat colored(const QColor &color)
{
    QTextCharFormat format;
    format.setForeground(color);
    return format;
}

QTextBlockFormat aligned(Qt::Alignment alignment)
{
    QTextBlockFormat format;
    format.setAlignment(alignment);
    return format;
}

QTextBlockFormat indented(double first, double left, double right)
{
    QTextBlockFormat format;
    RichText::setIndents(format, {first, left, right});
    return format;
}

// What a reader of the document sees: per paragraph its alignment, indents and spacing, then
// each run with its effective font, size, style and colours.
QString describeRun(const QTextCharFormat &format, const QFont &defaultFont)
{
    const QFont f = format.font().resolve(defaultFont);
    QString run = QStringLiteral("%1 %2pt").arg(f.family()).arg(f.pointSizeF());
    if (f.weight() >= QFont::DemiBold)
        run += QStringLiteral(" bold");
    if (f.italic())
        run += QStringLiteral(" italic");
    if (f.underline())
        run += QStringLiteral(" underline");
    if (f.strikeOut())
        run += QStringLiteral(" strike");
    if (format.foreground().style() != Qt::NoBrush)
        run += QStringLiteral(" color ") + format.foreground().color().name();
    if (format.background().style() != Qt::NoBrush)
        run += QStringLiteral(" highlight ") + format.background().color().name();
    return run;
}

QStringList describe(const QTextDocument &doc)
{
    QStringList lines;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        const QTextBlockFormat bf = block.blockFormat();
        const RichText::Indents in = RichText::indents(bf);
        QString line = QStringLiteral("align %1 first %2 left %3 right %4 before %5 after %6 |")
                           .arg(int(bf.alignment() & Qt::AlignHorizontal_Mask))
                           .arg(in.firstIndent).arg(in.leftIndent).arg(in.rightIndent)
                           .arg(bf.topMargin()).arg(bf.bottomMargin());
        if (block.text().isEmpty())
            line += QStringLiteral(" empty [%1]").arg(describeRun(block.charFormat(), doc.defaultFont()));
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            line += QStringLiteral(" [%1] \"%2\"")
                        .arg(describeRun(fragment.charFormat(), doc.defaultFont()), fragment.text());
        }
        lines << line;
    }
    return lines;
}

QTextCharFormat charFormatAt(const QTextDocument &doc, const QString &text)
{
    const QTextCursor found = doc.find(text);
    if (found.isNull())
        return {};
    QTextCursor cursor(found);
    cursor.setPosition(found.selectionStart() + 1);
    return cursor.charFormat();
}

QTextBlockFormat blockFormatOf(const QTextDocument &doc, int blockNumber)
{
    return doc.findBlockByNumber(blockNumber).blockFormat();
}

} // namespace

class TestRichText : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        // The editor's default font; the writer resolves unformatted text against it.
        QApplication::setFont(QFont(QStringLiteral("Times New Roman"), 12));
    }

    void roundTrip_data()
    {
        QTest::addColumn<Build>("build");
        QTest::addColumn<QByteArray>("written");
        QTest::addColumn<int>("paragraphs");

        QTest::newRow("Portuguese text in cp1252")
            << Build([](QTextCursor &c) { c.insertText(QStringLiteral("Ação é útil — 50 €")); })
            << QByteArray("A\\'e7\\'e3o \\'e9 \\'fatil \\'97 50 \\'80\\par") << 1;
        QTest::newRow("CJK as signed \\u")
            << Build([](QTextCursor &c) { c.insertText(QStringLiteral("日記、한국어 中文")); })
            << QByteArray("\\u26085?\\u-30184?\\u12289?\\u-10916?\\u-21139?\\u-14924? \\u20013?\\u25991?") << 1;
        QTest::newRow("emoji as surrogate pairs")
            << Build([](QTextCursor &c) { c.insertText(QStringLiteral("Bom dia 😀👍🏽!")); })
            << QByteArray("dia \\u-10179?\\u-8704?\\u-10179?\\u-9139?\\u-10180?\\u-8195?!") << 1;
        QTest::newRow("braces and backslashes escaped")
            << Build([](QTextCursor &c) { c.insertText(QStringLiteral("a\\b {c} \\par")); })
            << QByteArray("a\\\\b \\{c\\} \\\\par\\par") << 1;
        QTest::newRow("bold italic underline strike runs")
            << Build([](QTextCursor &c) {
                   c.insertText(QStringLiteral("plain "), QTextCharFormat());
                   c.insertText(QStringLiteral("bold "), bold());
                   c.insertText(QStringLiteral("italic "), italic());
                   c.insertText(QStringLiteral("under "), underlined());
                   c.insertText(QStringLiteral("struck "), struck());
                   QTextCharFormat all = bold();
                   all.merge(italic());
                   all.merge(underlined());
                   all.merge(struck());
                   c.insertText(QStringLiteral("all"), all);
               })
            << QByteArray("plain \\b bold \\b0\\i italic \\i0\\ul under \\ulnone\\strike struck "
                          "\\b\\i\\ul all\\par")
            << 1;
        QTest::newRow("two fonts and sizes")
            << Build([](QTextCursor &c) {
                   c.insertText(QStringLiteral("Serif 12 "), font(QStringLiteral("Times New Roman"), 12));
                   c.insertText(QStringLiteral("Sans 20 "), font(QStringLiteral("Arial"), 20));
                   c.insertText(QStringLiteral("half 10.5"), font(QStringLiteral("Arial"), 10.5));
               })
            << QByteArray("{\\fonttbl{\\f0\\fnil\\fcharset0 Times New Roman;}{\\f1\\fnil\\fcharset0 "
                          "Arial;}}\r\n{\\colortbl ;}\r\n\\uc1\\pard\\f0\\fs24 Serif 12 \\f1\\fs40 "
                          "Sans 20 \\fs21 half 10.5\\par")
            << 1;
        QTest::newRow("colours, each listed once")
            << Build([](QTextCursor &c) {
                   c.insertText(QStringLiteral("red "), colored(Qt::red));
                   c.insertText(QStringLiteral("blue "), colored(QColor(0, 0, 255)));
                   c.insertText(QStringLiteral("auto "), QTextCharFormat());
                   c.insertText(QStringLiteral("red again"), colored(QColor(255, 0, 0)));
               })
            << QByteArray("{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}\r\n"
                          "\\uc1\\pard\\f0\\fs24\\cf1 red \\cf2 blue \\cf0 auto \\cf1 red again\\par")
            << 1;
        QTest::newRow("highlight")
            << Build([](QTextCursor &c) {
                   QTextCharFormat marked;
                   marked.setBackground(QColor(255, 255, 0));
                   c.insertText(QStringLiteral("marked"), marked);
                   c.insertText(QStringLiteral(" not"), QTextCharFormat());
               })
            << QByteArray("\\highlight1 marked\\highlight0  not") << 1;
        QTest::newRow("left")
            << Build([](QTextCursor &c) { c.setBlockFormat(aligned(Qt::AlignLeft)); c.insertText("x"); })
            << QByteArray("\\pard\\f0\\fs24 x\\par") << 1;
        QTest::newRow("centre")
            << Build([](QTextCursor &c) { c.setBlockFormat(aligned(Qt::AlignHCenter)); c.insertText("x"); })
            << QByteArray("\\pard\\qc\\f0") << 1;
        QTest::newRow("right")
            << Build([](QTextCursor &c) { c.setBlockFormat(aligned(Qt::AlignRight)); c.insertText("x"); })
            << QByteArray("\\pard\\qr\\f0") << 1;
        QTest::newRow("justified")
            << Build([](QTextCursor &c) { c.setBlockFormat(aligned(Qt::AlignJustify)); c.insertText("x"); })
            << QByteArray("\\pard\\qj\\f0") << 1;
        QTest::newRow("positive indents")
            << Build([](QTextCursor &c) { c.setBlockFormat(indented(30, 15, 10)); c.insertText("x"); })
            << QByteArray("\\pard\\li900\\ri200\\fi-300\\f0") << 1;
        QTest::newRow("hanging indent")
            << Build([](QTextCursor &c) { c.setBlockFormat(indented(0, 20, 0)); c.insertText("x"); })
            << QByteArray("\\pard\\li400\\fi-400\\f0") << 1;
        QTest::newRow("negative indents")
            << Build([](QTextCursor &c) { c.setBlockFormat(indented(-10, -5, -20)); c.insertText("x"); })
            << QByteArray("\\pard\\li-300\\ri-400\\fi100\\f0") << 1;
        QTest::newRow("space before and after")
            << Build([](QTextCursor &c) {
                   QTextBlockFormat f;
                   f.setTopMargin(8);
                   f.setBottomMargin(16);
                   c.setBlockFormat(f);
                   c.insertText("x");
               })
            << QByteArray("\\pard\\sb120\\sa240\\f0") << 1;
        QTest::newRow("tabs")
            << Build([](QTextCursor &c) { c.insertText(QStringLiteral("\tData\tHora\t")); })
            << QByteArray("\\fs24\\tab Data\\tab Hora\\tab\\par") << 1;
        QTest::newRow("line break inside a paragraph")
            << Build([](QTextCursor &c) { c.insertText(QStringLiteral("um") + QChar::LineSeparator + QStringLiteral("dois")); })
            << QByteArray("um\\line dois\\par") << 1;
        QTest::newRow("empty document")
            << Build([](QTextCursor &) {}) << QByteArray("\\uc1\\pard\\f0\\fs24\\par\r\n}\r\n") << 1;
        QTest::newRow("empty paragraphs between and after")
            << Build([](QTextCursor &c) {
                   c.insertBlock();
                   c.insertText(QStringLiteral("meio"));
                   c.insertBlock();
                   c.insertBlock();
               })
            << QByteArray("\\pard\\f0\\fs24\\par\r\n\\pard meio\\par\r\n\\pard\\par\r\n\\pard\\par\r\n}") << 4;
        QTest::newRow("trailing empty paragraph")
            << Build([](QTextCursor &c) { c.insertText(QStringLiteral("fim")); c.insertBlock(); })
            << QByteArray("fim\\par\r\n\\pard\\par\r\n}") << 2;
        QTest::newRow("empty paragraph keeps its size")
            << Build([](QTextCursor &c) {
                   c.insertText(QStringLiteral("a"));
                   c.insertBlock(QTextBlockFormat(), font(QStringLiteral("Arial"), 28));
                   c.insertBlock(QTextBlockFormat(), QTextCharFormat());
                   c.insertText(QStringLiteral("b"));
               })
            << QByteArray("a\\par\r\n\\pard\\f1\\fs56\\par\r\n\\pard\\f0\\fs24 b\\par") << 3;
        QTest::newRow("a formatted diary page")
            << Build([](QTextCursor &c) {
                   c.setBlockFormat(aligned(Qt::AlignHCenter));
                   c.insertText(QStringLiteral("Querido diário"), font(QStringLiteral("Arial"), 18));
                   c.insertBlock(indented(36, -18, 0), font(QStringLiteral("Times New Roman"), 12));
                   c.insertText(QStringLiteral("Hoje fui à praia com a "));
                   c.insertText(QStringLiteral("família"), bold());
                   c.insertText(QStringLiteral(" e "));
                   c.insertText(QStringLiteral("comi pão"), colored(QColor(0, 128, 0)));
                   c.insertText(QStringLiteral(".\tFim."));
                   c.insertBlock(aligned(Qt::AlignRight));
                   c.insertText(QStringLiteral("— Ana, 12 € gastos"), italic());
               })
            << QByteArray("\\pard\\li360\\fi360") << 3;
    }

    void roundTrip()
    {
        QFETCH(Build, build);
        QFETCH(QByteArray, written);
        QFETCH(int, paragraphs);

        QTextDocument original;
        QTextCursor cursor(&original);
        build(cursor);
        const QByteArray rtf = RichText::write(original);
        QVERIFY(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0"));
        QVERIFY2(rtf.contains(written), rtf.constData());
        for (const char c : rtf)
            QVERIFY2(uchar(c) < 0x80, "RTF is 7-bit text");

        QTextDocument reread;
        RichText::read(reread, rtf);
        QCOMPARE(reread.blockCount(), paragraphs);
        QCOMPARE(reread.toPlainText(), original.toPlainText());
        QCOMPARE(describe(reread), describe(original));
        QCOMPARE(RichText::write(reread), rtf);
    }

    void editorBackgroundIsNeverWritten()
    {
        QTextEdit editor;
        QPalette palette = editor.palette();
        palette.setColor(QPalette::Base, QColor(1, 2, 3));
        editor.setPalette(palette);
        editor.setPlainText(QStringLiteral("texto"));
        QTextFrameFormat frame = editor.document()->rootFrame()->frameFormat();
        frame.setBackground(QColor(4, 5, 6));
        editor.document()->rootFrame()->setFrameFormat(frame);
        const QByteArray rtf = RichText::write(*editor.document());
        QVERIFY(rtf.contains("{\\colortbl ;}"));
        QVERIFY(!rtf.contains("\\red1\\green2\\blue3"));
        QVERIFY(!rtf.contains("\\red4\\green5\\blue6"));
        QVERIFY(!rtf.contains("viewbk"));

        // Opening an entry leaves the editor's background as it was.
        RichText::read(*editor.document(), "{\\rtf1{\\colortbl;\\red9\\green9\\blue9;}\\cb1 outro}");
        QCOMPARE(editor.document()->rootFrame()->frameFormat().background().color(), QColor(4, 5, 6));
        RichText::read(*editor.document(), "texto simples");
        QCOMPARE(editor.document()->rootFrame()->frameFormat().background().color(), QColor(4, 5, 6));
        QCOMPARE(editor.palette().color(QPalette::Base), QColor(1, 2, 3));
    }

    void indentsAsTheRulerSetsThem_data()
    {
        QTest::addColumn<double>("first");
        QTest::addColumn<double>("left");
        QTest::addColumn<double>("right");
        QTest::addColumn<QByteArray>("written");
        // Where the editor lays out the first line, the other lines and the right edge, in points.
        QTest::addColumn<QList<double>>("shown");
        // The ruler's worked example: the first-line marker dropped at 30 points.
        QTest::newRow("first line at 30 points") << 30.0 << -30.0 << 0.0 << QByteArray("\\pard\\fi600\\f0")
                                                 << QList<double>{30, 0, 0};
        QTest::newRow("first line and the rest at 30") << 30.0 << 0.0 << 0.0 << QByteArray("\\pard\\li600\\f0")
                                                       << QList<double>{30, 30, 0};
        QTest::newRow("left marker right of the first") << 10.0 << 20.0 << 15.0
                                                        << QByteArray("\\pard\\li600\\ri300\\fi-400\\f0")
                                                        << QList<double>{10, 30, 15};
        // Written as given, shown at the page's edges so that no text is hidden.
        QTest::newRow("marker dropped left of the ruler") << -3.0 << -1.0 << -12.0
                                                          << QByteArray("\\pard\\li-80\\ri-240\\fi20\\f0")
                                                          << QList<double>{0, 0, 0};
        QTest::newRow("hanging lines left of the page") << 6.0 << -10.0 << 0.0
                                                        << QByteArray("\\pard\\li-80\\fi200\\f0")
                                                        << QList<double>{6, 0, 0};
    }
    void indentsAsTheRulerSetsThem()
    {
        QFETCH(double, first);
        QFETCH(double, left);
        QFETCH(double, right);
        QFETCH(QByteArray, written);
        QFETCH(QList<double>, shown);

        QTextBlockFormat format;
        RichText::setIndents(format, {first, left, right});
        QCOMPARE(format.leftMargin() + format.textIndent(), shown[0] * 96 / 72);
        QCOMPARE(format.leftMargin(), shown[1] * 96 / 72);
        QCOMPARE(format.rightMargin(), shown[2] * 96 / 72);

        QTextDocument doc;
        QTextCursor(&doc).setBlockFormat(format);
        QTextCursor(&doc).insertText(QStringLiteral("x"));
        const QByteArray rtf = RichText::write(doc);
        QVERIFY2(rtf.contains(written), rtf.constData());

        QTextDocument reread;
        RichText::read(reread, rtf);
        const RichText::Indents back = RichText::indents(blockFormatOf(reread, 0));
        QCOMPARE(blockFormatOf(reread, 0).leftMargin(), format.leftMargin());
        QCOMPARE(back.firstIndent, first);
        QCOMPARE(back.leftIndent, left);
        QCOMPARE(back.rightIndent, right);
    }

    void changingTheFirstIndentKeepsTheOtherLines()
    {
        // The ruler writes the first indent, then the left indent relative to it.
        QTextBlockFormat format;
        RichText::setIndents(format, {10, 20, 0});
        RichText::Indents in = RichText::indents(format);
        in.firstIndent = 40;
        in.leftIndent = 30 - in.firstIndent;
        RichText::setIndents(format, in);
        QCOMPARE(format.leftMargin(), 30 * 96.0 / 72);
        QCOMPARE(format.leftMargin() + format.textIndent(), 40 * 96.0 / 72);
    }

    void filesAreWrittenAndReadWhole()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Título1"));
        QTextDocument doc;
        QTextCursor cursor(&doc);
        cursor.insertText(QStringLiteral("Ação"), bold());
        cursor.insertBlock(aligned(Qt::AlignRight));
        cursor.insertText(QStringLiteral("fim"));
        QString error;
        QVERIFY(RichText::writeFile(doc, path, &error));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), RichText::write(doc));

        QTextDocument reread;
        QVERIFY(RichText::readFile(reread, path, &error));
        QCOMPARE(describe(reread), describe(doc));
    }

    void fileErrorsLeaveTheDocumentAlone()
    {
        QTemporaryDir dir;
        QTextDocument doc;
        doc.setPlainText(QStringLiteral("mantido"));
        QString error;
        QVERIFY(!RichText::readFile(doc, dir.filePath(QStringLiteral("não existe")), &error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(doc.toPlainText(), QStringLiteral("mantido"));

        error.clear();
        QVERIFY(!RichText::writeFile(doc, dir.filePath(QStringLiteral("sem pasta/entrada")), &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("sem pasta"))));
    }

    void replacingAFileKeepsTheOldOneUntilTheNewIsWhole()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("entrada"));
        QTextDocument first;
        first.setPlainText(QStringLiteral("primeira versão"));
        QVERIFY(RichText::writeFile(first, path));
        QTextDocument second;
        second.setPlainText(QStringLiteral("segunda"));
        QVERIFY(RichText::writeFile(second, path));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("entrada")});
        QTextDocument reread;
        QVERIFY(RichText::readFile(reread, path));
        QCOMPARE(reread.toPlainText(), QStringLiteral("segunda"));
    }

    void theEditorShowsWhatWasRead()
    {
        QTextEdit editor;
        editor.resize(400, 300);
        editor.setFont(QFont(QStringLiteral("Times New Roman"), 12));
        editor.show();
        editor.setPlainText(QStringLiteral("antes"));
        editor.insertPlainText(QStringLiteral(" editado"));
        QVERIFY(editor.document()->isModified());
        const QByteArray rtf =
            "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\froman Times New Roman;}{\\f1\\fswiss Arial;}}"
            "\\pard\\qc\\f1\\fs32\\b T\\'edtulo\\par\\pard\\b0\\fs40\\par\\pard\\f0\\fs24 texto\\par}";
        RichText::read(*editor.document(), rtf);
        QCOMPARE(editor.toPlainText(), QStringLiteral("Título\n\ntexto"));
        // Typing in the empty paragraph uses the size it was saved with.
        QTextCursor cursor(editor.document()->findBlockByNumber(1));
        editor.setTextCursor(cursor);
        QCOMPARE(editor.fontPointSize(), 20.0);
        QCOMPARE(editor.fontFamily(), QStringLiteral("Arial"));
        cursor.setPosition(1);
        editor.setTextCursor(cursor);
        QCOMPARE(editor.alignment(), Qt::AlignHCenter);
        QCOMPARE(editor.fontWeight(), int(QFont::Bold));
        // Undo does not bring back what was there before the file; the file is as loaded.
        QVERIFY(!editor.document()->isUndoAvailable());
        QVERIFY(!editor.document()->isModified());
        QCOMPARE(editor.document()->defaultFont().family(), QStringLiteral("Times New Roman"));
    }

    void windowsFontNamesShowInMetricCompatibleFonts()
    {
        QTextDocument doc;
        RichText::read(doc, "{\\rtf1{\\fonttbl{\\f0 Times New Roman;}{\\f1 Arial;}}\\f0 serif \\f1 sans}");
        const QFontInfo serif(charFormatAt(doc, QStringLiteral("serif")).font());
        const QFontInfo sans(charFormatAt(doc, QStringLiteral("sans")).font());
        if (!serif.family().startsWith(QStringLiteral("Liberation")))
            QSKIP("fonts-liberation is not installed");
        QCOMPARE(serif.family(), QStringLiteral("Liberation Serif"));
        QCOMPARE(sans.family(), QStringLiteral("Liberation Sans"));
        // The name written back is the one the file gave, not the stand-in.
        QVERIFY(RichText::write(doc).contains("{\\f0\\fnil\\fcharset0 Times New Roman;}{\\f1\\fnil\\fcharset0 Arial;}"));
    }
};

QTEST_MAIN(TestRichText)
#include "test_richtext.moc"
