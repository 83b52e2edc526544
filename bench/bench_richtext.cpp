// Reading and writing a diary entry of about 1 MB of RTF: medians of repeated runs.
#include "RichText.h"

#include <QApplication>
#include <QElapsedTimer>
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
    std::printf("write: median %.1f ms\n", write);
    std::printf("read:  median %.1f ms (into a document without a view)\n", read);
    std::printf("read:  median %.1f ms (into a text editor's document, not shown)\n", readEditor);
    if (RichText::write(target) != rtf)
        std::printf("warning: the round trip changed the bytes\n");
    return 0;
}
