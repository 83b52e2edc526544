#pragma once
// Text read from bytes that are UTF-8 as a rule but need not be, such as a file name or a settings
// file holding one. Each byte of an invalid sequence is kept whole, standing as the lone surrogate
// U+DC00 + byte (U+DC80 .. U+DCFF), so that the bytes come back unchanged: encode(decode(b)) == b.
#include <QByteArray>
#include <QString>

namespace KeptBytes {

QString decode(const QByteArray &bytes);
QByteArray encode(const QString &text);
// The text as shown to the user: each kept byte shows as U+FFFD.
QString shown(const QString &text);

} // namespace KeptBytes
