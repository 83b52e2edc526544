#include "Settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace Settings {

namespace {

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// A value is written bare unless a reader could misread it; then it is quoted with escapes.
bool needsQuotes(const QString &v)
{
    if (v.isEmpty())
        return false;
    if (v.front().isSpace() || v.back().isSpace() || v.front() == u'"')
        return true;
    for (QChar c : v)
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            return true;
    return false;
}

QString quote(const QString &v)
{
    QString out = QStringLiteral("\"");
    for (QChar c : v) {
        switch (c.unicode()) {
        case '"': out += QLatin1String("\\\""); break;
        case '\\': out += QLatin1String("\\\\"); break;
        case '\n': out += QLatin1String("\\n"); break;
        case '\r': out += QLatin1String("\\r"); break;
        case '\t': out += QLatin1String("\\t"); break;
        default:
            if (c.unicode() < 0x20 || c.unicode() == 0x7f)
                out += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
            else
                out += c;
        }
    }
    out += u'"';
    return out;
}

QString unquote(const QString &raw)
{
    // raw starts with '"'; an unterminated quote takes the rest of the line.
    QString out;
    for (qsizetype i = 1; i < raw.size(); ++i) {
        const QChar c = raw.at(i);
        if (c == u'"')
            break;
        if (c != u'\\' || i + 1 >= raw.size()) {
            out += c;
            continue;
        }
        const QChar e = raw.at(++i);
        switch (e.unicode()) {
        case 'n': out += u'\n'; break;
        case 'r': out += u'\r'; break;
        case 't': out += u'\t'; break;
        case 'x': {
            bool ok = false;
            const uint code = raw.mid(i + 1, 2).toUInt(&ok, 16);
            if (ok) {
                out += QChar(char16_t(code));
                i += 2;
            } else {
                out += e;
            }
            break;
        }
        default: out += e;
        }
    }
    return out;
}

} // namespace

IniDocument IniDocument::parse(const QByteArray &data)
{
    IniDocument doc;
    const QString text = QString::fromUtf8(data);
    Section *current = nullptr;
    for (QStringView line : QStringView(text).split(u'\n')) {
        const QStringView t = line.trimmed();
        if (t.isEmpty() || t.front() == u';' || t.front() == u'#')
            continue;
        if (t.front() == u'[') {
            const qsizetype close = t.indexOf(u']');
            const QString name = t.mid(1, close < 0 ? -1 : close - 1).trimmed().toString();
            current = nullptr;
            for (Section &s : doc.m_sections)
                if (sameName(s.name, name))
                    current = &s;
            if (!current) {
                doc.m_sections.append({name, {}});
                current = &doc.m_sections.last();
            }
            continue;
        }
        const qsizetype eq = t.indexOf(u'=');
        if (eq <= 0 || !current)
            continue;
        const QString key = t.left(eq).trimmed().toString();
        const QString rawValue = t.mid(eq + 1).trimmed().toString();
        const QString value = rawValue.startsWith(u'"') ? unquote(rawValue) : rawValue;
        bool replaced = false;
        for (Entry &e : current->entries)
            if (sameName(e.key, key)) {
                e = {key, value}; // a later line wins, and the file keeps one spelling
                replaced = true;
            }
        if (!replaced)
            current->entries.append({key, value});
    }
    return doc;
}

QByteArray IniDocument::serialize() const
{
    QString out;
    bool first = true;
    for (const Section &s : m_sections) {
        if (!first)
            out += u'\n';
        first = false;
        out += u'[' + s.name + QLatin1String("]\n");
        for (const Entry &e : s.entries)
            out += e.key + u'=' + (needsQuotes(e.value) ? quote(e.value) : e.value) + u'\n';
    }
    return out.toUtf8();
}

const QString *IniDocument::value(const QString &section, const QString &key) const
{
    for (const Section &s : m_sections) {
        if (!sameName(s.name, section))
            continue;
        for (const Entry &e : s.entries)
            if (sameName(e.key, key))
                return &e.value;
    }
    return nullptr;
}

void IniDocument::setValue(const QString &section, const QString &key, const QString &value)
{
    Section *target = nullptr;
    for (Section &s : m_sections)
        if (sameName(s.name, section))
            target = &s;
    if (!target) {
        m_sections.append({section, {}});
        target = &m_sections.last();
    }
    for (Entry &e : target->entries)
        if (sameName(e.key, key)) {
            e = {key, value};
            return;
        }
    target->entries.append({key, value});
}

QString filePath(const QString &app)
{
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return base + u'/' + app + u'/' + app + QLatin1String(".ini");
}

namespace {
IniDocument load(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return IniDocument::parse(f.readAll());
}
} // namespace

QString GetSetting(const QString &app, const QString &section, const QString &key, const QString &def)
{
    const IniDocument doc = load(filePath(app));
    const QString *v = doc.value(section, key);
    return v ? *v : def;
}

bool SaveSetting(const QString &app, const QString &section, const QString &key, const QString &value)
{
    return SaveSettings(app, section, {{key, value}});
}

bool SaveSettings(const QString &app, const QString &section, const QList<std::pair<QString, QString>> &values)
{
    const QString path = filePath(app);
    QByteArray before;
    {
        QFile f(path);
        if (f.open(QIODevice::ReadOnly))
            before = f.readAll();
    }
    IniDocument doc = IniDocument::parse(before);
    for (const auto &[key, value] : values)
        doc.setValue(section, key, value);
    const QByteArray after = doc.serialize();
    if (after == before)
        return true;
    if (!QDir().mkpath(QFileInfo(path).path()))
        return false;
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    out.write(after);
    return out.commit();
}

} // namespace Settings
