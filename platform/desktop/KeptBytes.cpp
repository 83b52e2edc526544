#include "KeptBytes.h"

namespace KeptBytes {

namespace {

constexpr char16_t kEscapeBase = 0xDC00; // a kept byte b stands as U+DC00 + b (b >= 0x80)

bool isEscape(const QString &s, qsizetype i)
{
    const char16_t c = s.at(i).unicode();
    return c >= 0xDC80 && c <= 0xDCFF && (i == 0 || !QChar::isHighSurrogate(s.at(i - 1).unicode()));
}

// The length of the valid UTF-8 sequence starting at p (at most n bytes there); 0 when none.
int sequenceLength(const unsigned char *p, qsizetype n)
{
    const unsigned char b = p[0];
    const auto tail = [&](int i) { return i < n && (p[i] & 0xC0) == 0x80; };
    if (b < 0x80)
        return 1;
    if (b >= 0xC2 && b <= 0xDF)
        return tail(1) ? 2 : 0;
    if (b >= 0xE0 && b <= 0xEF) {
        // No overlong forms, no encoded surrogates.
        const unsigned char lo = b == 0xE0 ? 0xA0 : 0x80, hi = b == 0xED ? 0x9F : 0xBF;
        return n > 1 && p[1] >= lo && p[1] <= hi && tail(2) ? 3 : 0;
    }
    if (b >= 0xF0 && b <= 0xF4) {
        const unsigned char lo = b == 0xF0 ? 0x90 : 0x80, hi = b == 0xF4 ? 0x8F : 0xBF;
        return n > 1 && p[1] >= lo && p[1] <= hi && tail(2) && tail(3) ? 4 : 0;
    }
    return 0;
}

} // namespace

QString decode(const QByteArray &bytes)
{
    // Valid UTF-8 as a rule; the decoder marks what is not with U+FFFD, which valid text may
    // hold as well: such text is read again byte by byte.
    QString text = QString::fromUtf8(bytes);
    if (!text.contains(QChar::ReplacementCharacter))
        return text;
    text.clear();
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.constData());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        const int length = sequenceLength(p + i, n - i);
        if (length == 0) {
            text += QChar(char16_t(kEscapeBase + p[i]));
            ++i;
        } else {
            text += QString::fromUtf8(bytes.constData() + i, length);
            i += length;
        }
    }
    return text;
}

QByteArray encode(const QString &text)
{
    if (text.isValidUtf16())
        return text.toUtf8();
    QByteArray bytes;
    qsizetype start = 0; // the run of ordinary text not yet encoded
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!isEscape(text, i))
            continue;
        bytes += text.mid(start, i - start).toUtf8();
        bytes += char(text.at(i).unicode() - kEscapeBase);
        start = i + 1;
    }
    bytes += text.mid(start).toUtf8();
    return bytes;
}

QString shown(const QString &text)
{
    if (text.isValidUtf16())
        return text;
    QString marked = text;
    for (qsizetype i = 0; i < marked.size(); ++i)
        if (isEscape(text, i))
            marked[i] = QChar::ReplacementCharacter;
    return marked;
}

} // namespace KeptBytes
