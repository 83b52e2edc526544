// Large notes in the note window, with lines ending in CR LF, in LF alone (as Unix editors write
// them) and in CR alone: from "&Note" to the note shown and painted, the whole note laid out, a
// letter typed in its middle (and painted), and "&Close" writing it back.
//   build/bench/bench_gallery_notes [megabytes=1,5] [runs=3] [letters=9]   (medians in milliseconds)
#include "AllForms.h"
#include "BenchSupport.h"
#include "FormMain.h"
#include "FormNote.h"
#include "GalleryBench.h"
#include "RichTextEdit.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QKeyEvent>
#include <QTextCursor>

using namespace Bench;

namespace {

// A note of about `bytes` bytes, lines of 60 letters and blanks each closed by `ending`.
QByteArray note(qsizetype bytes, const QByteArray &ending)
{
    QByteArray line;
    for (int i = 0; i < 60; ++i)
        line += i % 7 == 6 ? ' ' : char('a' + i % 26);
    line += ending;
    QByteArray data;
    data.reserve(bytes + line.size());
    while (data.size() < bytes)
        data += line;
    return data;
}

void key(QWidget *editor, Qt::Key key, const QString &text)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(editor, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(editor, &release);
}

} // namespace

int main(int argc, char **argv)
{
    QTemporaryDir home;
    prepareGallery(home);
    QApplication app(argc, argv);
    QList<int> sizes;
    for (const QString &mb : QString(argc > 1 ? argv[1] : "1,5").split(','))
        sizes << std::max(1, mb.toInt());
    const int runs = argc > 2 ? std::max(1, atoi(argv[2])) : 3;
    const int letters = argc > 3 ? std::max(1, atoi(argv[3])) : 9;
    QTextStream out(stdout);

    QTemporaryDir dir;
    QImage picture(64, 48, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    picture.save(dir.filePath("pic01.jpg"));
    const QString notePath = dir.filePath("pic01.txt");
    FormMain *main = startGallery(dir.path(), false);
    if (!main)
        return 1;

    const std::pair<const char *, QByteArray> endings[] = {{"CR LF", "\r\n"}, {"LF", "\n"}, {"CR", "\r"}};
    out << "size  ending   open+paint  laid out  letter typed  close" << Qt::endl;
    for (const int mb : sizes) {
        for (const auto &[name, ending] : endings) {
            const QByteArray data = note(qsizetype(mb) * 1024 * 1024, ending);
            QList<double> open, laidOut, typed, close;
            for (int run = 0; run < runs; ++run) {
                QFile file(notePath);
                if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size())
                    return 1;
                file.close();
                QElapsedTimer t;
                t.start();
                main->CmdNoteShow->click();
                FormNote *form = Forms::FormNote.loaded();
                if (!form)
                    return 1;
                form->TextNote->viewport()->repaint();
                open << ms(t);
                t.restart();
                form->TextNote->document()->documentLayout()->documentSize();
                laidOut << ms(t);
                QCoreApplication::processEvents();
                QTextCursor middle(form->TextNote->document());
                middle.setPosition(form->TextNote->document()->characterCount() / 2);
                form->TextNote->setTextCursor(middle);
                form->TextNote->ensureCursorVisible();
                form->TextNote->viewport()->repaint();
                QList<double> letter;
                for (int i = 0; i < letters; ++i) {
                    t.restart();
                    key(form->TextNote, Qt::Key_X, QStringLiteral("x"));
                    form->TextNote->viewport()->repaint();
                    letter << ms(t);
                }
                typed << median(letter);
                t.restart();
                form->CmdNoteSave->click();
                close << ms(t);
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            }
            out << QString::asprintf("%4d MB %-6s %11.1f %9.1f %13.2f %6.1f", mb, name, median(open),
                                     median(laidOut), median(typed), median(close))
                << Qt::endl;
        }
    }
    return 0;
}
