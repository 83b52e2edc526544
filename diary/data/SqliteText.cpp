#include "SqliteText.h"

#include <QCollator>
#include <QLocale>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QStringDecoder>
#include <QVarLengthArray>
#include <QVariant>

#include <sqlite3.h>

namespace SqliteText {

namespace {

const QCollator &collator()
{
    // ICU collation for pt_BR: the order is the same under any LANG / LC_ALL.
    static const QCollator c(QLocale(QLocale::Portuguese, QLocale::Brazil));
    return c;
}

QString fromUtf16(const void *data, int bytes)
{
    return QString(reinterpret_cast<const QChar *>(data), bytes / int(sizeof(QChar)));
}

void ufold(sqlite3_context *context, int argc, sqlite3_value **argv)
{
    if (argc != 1 || sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const QString folded = fold(fromUtf16(sqlite3_value_text16(argv[0]), sqlite3_value_bytes16(argv[0])));
    sqlite3_result_text16(context, folded.utf16(), int(folded.size() * sizeof(QChar)), SQLITE_TRANSIENT);
}

int ptbr(void *, int bytesA, const void *a, int bytesB, const void *b)
{
    // Views, not copies: sorting a long list calls this many times.
    const QStringView va(reinterpret_cast<const QChar *>(a), bytesA / qsizetype(sizeof(QChar)));
    const QStringView vb(reinterpret_cast<const QChar *>(b), bytesB / qsizetype(sizeof(QChar)));
    const int c = collator().compare(va, vb);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

// The same functions for text as a database in UTF-8 (the usual) keeps it: SQLite would otherwise
// turn every value into UTF-16 in memory of its own, for every call and every comparison.
using Buffer = QVarLengthArray<QChar, 128>;

QStringView fromUtf8(const void *data, int bytes, Buffer &buffer)
{
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    buffer.resize(decoder.requiredSpace(bytes));
    const QChar *end = decoder.appendToBuffer(buffer.data(), QByteArrayView(static_cast<const char *>(data), bytes));
    return QStringView(buffer.data(), end - buffer.data());
}

void ufold8(sqlite3_context *context, int argc, sqlite3_value **argv)
{
    if (argc != 1 || sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const auto *text = reinterpret_cast<const char *>(sqlite3_value_text(argv[0]));
    const int bytes = sqlite3_value_bytes(argv[0]);
    // ASCII folds to lower case, without a detour through UTF-16.
    QVarLengthArray<char, 128> lower(bytes);
    int i = 0;
    for (; i < bytes && uchar(text[i]) < 0x80; ++i)
        lower[i] = text[i] >= 'A' && text[i] <= 'Z' ? char(text[i] + ('a' - 'A')) : text[i];
    if (i == bytes) {
        sqlite3_result_text(context, lower.constData(), bytes, SQLITE_TRANSIENT);
        return;
    }
    const QByteArray folded = fold(QString::fromUtf8(text, bytes)).toUtf8();
    sqlite3_result_text(context, folded.constData(), int(folded.size()), SQLITE_TRANSIENT);
}

int ptbr8(void *, int bytesA, const void *a, int bytesB, const void *b)
{
    Buffer ba, bb;
    const int c = collator().compare(fromUtf8(a, bytesA, ba), fromUtf8(b, bytesB, bb));
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

} // namespace

QString fold(const QString &text)
{
    return text.toCaseFolded();
}

bool equalFolded(const QString &a, const QString &b)
{
    return fold(a) == fold(b);
}

int compare(const QString &a, const QString &b)
{
    const int c = collator().compare(a, b);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

bool install(const QSqlDatabase &db)
{
    if (!db.isOpen() || !db.driver())
        return false;
    const QVariant handle = db.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return false;
    sqlite3 *h = *static_cast<sqlite3 *const *>(handle.constData());
    if (!h)
        return false;
    // SQLite calls the one that matches the database's own encoding.
    const int flags = SQLITE_DETERMINISTIC;
    return sqlite3_create_function_v2(h, "ufold", 1, SQLITE_UTF16 | flags, nullptr, ufold, nullptr, nullptr, nullptr)
            == SQLITE_OK
        && sqlite3_create_function_v2(h, "ufold", 1, SQLITE_UTF8 | flags, nullptr, ufold8, nullptr, nullptr, nullptr)
            == SQLITE_OK
        && sqlite3_create_collation_v2(h, "ptbr", SQLITE_UTF16, nullptr, ptbr, nullptr) == SQLITE_OK
        && sqlite3_create_collation_v2(h, "ptbr", SQLITE_UTF8, nullptr, ptbr8, nullptr) == SQLITE_OK;
}

} // namespace SqliteText
