#include "Settings.h"

#include "KeptBytes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace Settings {

namespace {

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

namespace {
QString folded(const QString &name)
{
    return name.toCaseFolded();
}

// Replaces the value and the key's spelling of a key already there, or appends it.
void putEntry(IniDocument::Section &s, const QString &key, const QString &value)
{
    const auto [at, added] = s.positions.try_emplace(folded(key), s.entries.size());
    if (added)
        s.entries.append({key, value});
    else
        s.entries[at->second] = {key, value};
}

const QString *findEntry(const IniDocument::Section &s, const QString &key)
{
    const auto at = s.positions.find(folded(key));
    return at == s.positions.end() ? nullptr : &s.entries[at->second].value;
}
} // namespace

IniDocument::Section &IniDocument::sectionForWriting(const QString &name)
{
    const auto [at, added] = m_sectionPositions.try_emplace(folded(name), m_sections.size());
    if (added)
        m_sections.append({name, {}, {}});
    return m_sections[at->second];
}

IniDocument IniDocument::parse(const QByteArray &data)
{
    IniDocument doc;
    const QString text = KeptBytes::decode(data);
    Section *current = nullptr;
    for (QStringView line : QStringView(text).split(u'\n')) {
        const QStringView t = line.trimmed();
        if (t.isEmpty() || t.front() == u';' || t.front() == u'#')
            continue;
        if (t.front() == u'[') {
            const qsizetype close = t.indexOf(u']');
            current = &doc.sectionForWriting(t.mid(1, close < 0 ? -1 : close - 1).trimmed().toString());
            continue;
        }
        const qsizetype eq = t.indexOf(u'=');
        if (eq <= 0 || !current)
            continue;
        const QString rawValue = t.mid(eq + 1).trimmed().toString();
        // A later line wins, and the file keeps one spelling.
        putEntry(*current, t.left(eq).trimmed().toString(),
                 rawValue.startsWith(u'"') ? unquote(rawValue) : rawValue);
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
    return KeptBytes::encode(out);
}

const IniDocument::Section *IniDocument::section(const QString &name) const
{
    const auto at = m_sectionPositions.find(folded(name));
    return at == m_sectionPositions.end() ? nullptr : &m_sections[at->second];
}

const QString *IniDocument::value(const QString &sectionName, const QString &key) const
{
    const Section *s = section(sectionName);
    return s ? findEntry(*s, key) : nullptr;
}

void IniDocument::setValue(const QString &section, const QString &key, const QString &value)
{
    putEntry(sectionForWriting(section), key, value);
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

QString SectionValues::value(const QString &key, const QString &def) const
{
    const QString *v = m_document.value(m_section, key);
    return v ? *v : def;
}

SectionValues GetAllSettings(const QString &app, const QString &section)
{
    SectionValues values;
    values.m_document = load(filePath(app));
    values.m_section = section;
    return values;
}

bool SaveSetting(const QString &app, const QString &section, const QString &key, const QString &value)
{
    return SaveSettings(app, section, {{key, value}});
}

bool SaveSettings(const QString &app, const QString &section, const QList<std::pair<QString, QString>> &values,
                  QString *error)
{
    const auto failed = [error](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
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
    const QString folder = QFileInfo(path).path();
    if (!QDir().mkpath(folder))
        return failed(QStringLiteral("the folder %1 cannot be made").arg(folder));
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly))
        return failed(out.errorString());
    out.write(after);
    return out.commit() || failed(out.errorString());
}

} // namespace Settings
