#pragma once
// The per-user settings store: text values per application and section, kept in an INI file
// $XDG_CONFIG_HOME/<app>/<app>.ini. Key and section names are compared without regard to letter
// case ("Dir1Value" and "Dir1value" reach one value) and the file never holds two spellings of a key.
// The file is UTF-8; a value holding a folder whose name is not keeps that name's own bytes.
#include <QList>
#include <QString>
#include <unordered_map>
#include <utility>

namespace Settings {

// The stored text, or def when the application, the section or the key is absent.
QString GetSetting(const QString &app, const QString &section, const QString &key,
                   const QString &def = QString());

// Creates or replaces the value; the file is replaced atomically. False when it cannot be written.
bool SaveSetting(const QString &app, const QString &section, const QString &key, const QString &value);

// Several values at once, in the order given, with one replacement of the file: a program that
// stops half-way through leaves the file as it was before, never half written. False, with the
// reason in *error, when the file cannot be written.
bool SaveSettings(const QString &app, const QString &section, const QList<std::pair<QString, QString>> &values,
                  QString *error = nullptr);

// Where the application's file lives.
QString filePath(const QString &app);

// The INI text model used by the store, kept apart so it can be checked on its own.
class IniDocument {
public:
    struct Entry {
        QString key;
        QString value;
    };
    struct Section {
        QString name;
        QList<Entry> entries;
        std::unordered_map<QString, qsizetype> positions; // case-folded key -> index in entries
    };

    static IniDocument parse(const QByteArray &data);
    QByteArray serialize() const;

    // nullptr when absent; names compared without regard to case.
    const Section *section(const QString &name) const;
    const QString *value(const QString &section, const QString &key) const;
    // Replaces the value (and the key's spelling) or appends it.
    void setValue(const QString &section, const QString &key, const QString &value);

private:
    Section &sectionForWriting(const QString &name);
    // Parsing, reading and writing stay linear in the size of the file, however many lines it holds.
    QList<Section> m_sections;
    std::unordered_map<QString, qsizetype> m_sectionPositions; // case-folded name -> index in m_sections
};

// Every value of one section, read from the file once; lookups by key without regard to letter
// case. A program that reads all its settings at start reads and parses the file one time.
class SectionValues {
public:
    // The stored text, or def when the key is absent.
    QString value(const QString &key, const QString &def = QString()) const;

private:
    friend SectionValues GetAllSettings(const QString &, const QString &);
    IniDocument m_document;
    QString m_section;
};
SectionValues GetAllSettings(const QString &app, const QString &section);

} // namespace Settings
