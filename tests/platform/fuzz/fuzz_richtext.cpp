// libFuzzer entry: any input reads without a crash, and what was read survives a save and an
// open: writing, reading and writing again gives the same bytes and the same text.
#include "RichText.h"

#include <QGuiApplication>
#include <QTextDocument>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_richtext";
    static char *argv[] = {name, nullptr};
    static QGuiApplication *app = new QGuiApplication(argc, argv);
    Q_UNUSED(app);

    QTextDocument first;
    RichText::read(first, QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    const QByteArray written = RichText::write(first);
    QTextDocument second;
    RichText::read(second, written);
    if (second.toRawText() != first.toRawText() || !first.toRawText().isValidUtf16())
        std::abort();
    if (RichText::write(second) != written)
        std::abort();
    return 0;
}
