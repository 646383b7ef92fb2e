// INI files with Windows profile semantics: the settings file and the language files.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

// Reads and writes one INI file in code page 1251. Section and key names are compared without
// case, blanks around a value are dropped, one enclosing pair of quotes is dropped and at most
// 2047 characters of a value are used. Anything unreadable reads as missing keys.
class IniFile
{
public:
    static constexpr qsizetype MaxValueLength = 2047;

    explicit IniFile(const QString &path);

    QString path() const { return m_path; }

    QString readString(const QString &section, const QString &key,
                       const QString &defaultValue = QString()) const;
    // Decimal; a leading "$", "0x" or "0X" makes it hexadecimal; anything else gives the default.
    int readInteger(const QString &section, const QString &key, int defaultValue) const;

    // Sets one value, keeping every other line of the file, and replaces the file atomically.
    // On failure the file on disk stays as it was and errorString() says why.
    bool writeString(const QString &section, const QString &key, const QString &value);
    bool writeInteger(const QString &section, const QString &key, int value);

    QString errorString() const { return m_error; }

    // The integer rule on its own, for callers that hold the text already.
    static std::optional<int> parseInteger(const QString &text);

private:
    void load();
    bool save();

    QString m_path;
    QList<QByteArray> m_lines; // without line ends
    QString m_error;
};
