// Reading and writing a diary entry of about 1 MB of RTF: medians of repeated runs, beside a bare
// baseline (the same text and formats put into a document by hand) measured in the same run.
#include "RichText.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QTextDocument>

#include <algorithm>
#include <cstdio>
#include <vector>

// Paragraphs of Portuguese prose with a change of format every few words, as an entry typed
// and formatted in the editor would have.
static void buildEntry(QTextDocument &doc, qsizetype targetBytes)
{
    static const char *const words[] = {"Hoje", "acordei", "cedo", "e", "fui", "à", "praia", "com",
                                        "a", "família;", "o", "mar", "estava", "calmo,", "útil",
                                        "ação", "coração", "manhã", "café", "pão", "—", "50 €"};
    QTextCursor cursor(&doc);
    QTextCharFormat plain;
    plain.setFontFamilies({QStringLiteral("Times New Roman")});
    plain.setFontPointSize(12);
    QTextCharFormat bold = plain;
    bold.setFontWeight(QFont::Bold);
    QTextCharFormat italicRed = plain;
    italicRed.setFontItalic(true);
    italicRed.setForeground(QColor(200, 0, 0));
    QTextCharFormat arial = plain;
    arial.setFontFamilies({QStringLiteral("Arial")});
    arial.setFontPointSize(14);
    const QTextCharFormat *formats[] = {&plain, &bold, &plain, &italicRed, &plain, &arial};
    unsigned n = 0;
    qsizetype written = 0;
    int paragraph = 0;
    while (written < targetBytes) {
        QTextBlockFormat block;
        block.setAlignment(paragraph % 7 == 0 ? Qt::AlignHCenter : Qt::AlignLeft);
        RichText::setIndents(block, {double(paragraph % 3) * 10, paragraph % 2 ? -10.0 : 0.0, 0});
        if (paragraph++)
            cursor.insertBlock(block);
        else
            cursor.setBlockFormat(block);
        const int length = 40 + int(n % 80);
        for (int w = 0; w < length; ++w) {
            const QString word = QString::fromUtf8(words[n++ % std::size(words)]) + u' ';
            cursor.insertText(word, *formats[(w / 6) % std::size(formats)]);
            written += word.size() + (w % 6 == 0 ? 12 : 0);
        }
    }
}

// The bare baseline: the same paragraphs and runs of text in their formats put into a document with
// QTextCursor, as any reader of the file must at least do.
struct Run {
    bool newParagraph;
    QTextBlockFormat paragraph;
    QString text;
    QTextCharFormat format;
};

static std::vector<Run> runsOf(const QTextDocument &doc)
{
    std::vector<Run> runs;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        bool first = true;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            runs.push_back({first, block.blockFormat(), it.fragment().text(), it.fragment().charFormat()});
            first = false;
        }
    }
    return runs;
}

static void insertRuns(QTextDocument &doc, const std::vector<Run> &runs)
{
    doc.clear();
    QTextCursor cursor(&doc);
    cursor.beginEditBlock();
    bool start = true;
    for (const Run &r : runs) {
        if (r.newParagraph) {
            if (start)
                cursor.setBlockFormat(r.paragraph);
            else
                cursor.insertBlock(r.paragraph);
            start = false;
        }
        cursor.insertText(r.text, r.format);
    }
    cursor.endEditBlock();
}

template <typename F>
static double medianMs(int runs, F &&f)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        f();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QTextDocument source;
    buildEntry(source, 1000 * 1000);
    const QByteArray rtf = RichText::write(source);
    std::printf("entry: %lld bytes of RTF, %d paragraphs, %d characters\n", qlonglong(rtf.size()),
                source.blockCount(), source.characterCount());

    const int runs = 15;
    QByteArray out;
    const double write = medianMs(runs, [&] { out = RichText::write(source); });
    QTextDocument target;
    const double read = medianMs(runs, [&] { RichText::read(target, rtf); });
    QTextEdit editor;
    editor.resize(800, 600);
    const double readEditor = medianMs(runs, [&] { RichText::read(*editor.document(), rtf); });
    const std::vector<Run> parts = runsOf(target);
    QTextDocument bare;
    const double inserted = medianMs(runs, [&] { insertRuns(bare, parts); });
    std::printf("write: median %.1f ms\n", write);
    std::printf("read:  median %.1f ms (into a document without a view)\n", read);
    std::printf("read:  median %.1f ms (into a text editor's document, not shown)\n", readEditor);
    std::printf("bare:  median %.1f ms (its %zu runs put into a document with QTextCursor; read is %.2fx this)\n",
                inserted, parts.size(), read / inserted);
    if (RichText::write(target) != rtf)
        std::printf("warning: the round trip changed the bytes\n");
    return 0;
}
