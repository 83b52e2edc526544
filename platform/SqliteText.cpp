#include "SqliteText.h"

#include <QCollator>
#include <QLocale>
#include <QSqlDatabase>
#include <QSqlDriver>
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
    const int flags = SQLITE_UTF16 | SQLITE_DETERMINISTIC;
    return sqlite3_create_function_v2(h, "ufold", 1, flags, nullptr, ufold, nullptr, nullptr, nullptr) == SQLITE_OK
        && sqlite3_create_collation_v2(h, "ptbr", SQLITE_UTF16, nullptr, ptbr, nullptr) == SQLITE_OK;
}

} // namespace SqliteText
