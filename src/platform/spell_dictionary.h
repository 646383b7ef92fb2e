// Spelling through Hunspell: a word counts as right when any of the loaded dictionaries or the
// user's personal word list accepts it.
#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class Hunspell;

class SpellDictionary
{
public:
    // Loads `languages` (as "ru_RU") from `folder`; the personal list is a UTF-8 file with one
    // word a line. A language whose files are missing is left out (see missingLanguages()).
    SpellDictionary(const QStringList &languages, const QString &personalFile,
                    const QString &folder = defaultFolder());
    ~SpellDictionary();
    SpellDictionary(const SpellDictionary &) = delete;
    SpellDictionary &operator=(const SpellDictionary &) = delete;

    static QString defaultFolder();       // /usr/share/hunspell
    static QString personalFileDefault(); // words.txt in the user's data folder

    QStringList missingLanguages() const { return m_missing; }
    bool isUsable() const { return !m_dictionaries.empty(); }

    bool isCorrect(const QString &word) const;
    // Up to `limit` suggestions, those of the first dictionary first, without repeats.
    QStringList suggestions(const QString &word, int limit = 5) const;
    // Adds the word to the personal list and its file; false when the file cannot be written.
    bool addToPersonal(const QString &word, QString *error = nullptr);

private:
    std::vector<std::unique_ptr<Hunspell>> m_dictionaries;
    QStringList m_missing;
    QString m_personalFile;
    QSet<QString> m_personal;
};
