#include "platform/spell_dictionary.h"

#include "platform/line_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <hunspell.hxx>

namespace {

// Hunspell reads the affix file's SET line; every dictionary Debian ships for the two
// languages is UTF-8, and any other is left out rather than fed mangled words.
bool isUtf8(Hunspell &dictionary)
{
    const std::string encoding = dictionary.get_dict_encoding();
    return encoding == "UTF-8" || encoding == "utf-8";
}

// The words of a personal list file: one a line, UTF-8; none when it cannot be read.
QSet<QString> readWords(const QString &path)
{
    QSet<QString> words;
    for (const QString &line : linefile::read(path)) {
        if (!line.trimmed().isEmpty())
            words.insert(line.trimmed());
    }
    return words;
}

} // namespace

QString SpellDictionary::defaultFolder()
{
    return QStringLiteral("/usr/share/hunspell");
}

QString SpellDictionary::personalFileDefault()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/words.txt");
}

SpellDictionary::SpellDictionary(const QStringList &languages, const QString &personalFile,
                                 const QString &folder)
    : m_personalFile(personalFile)
{
    for (const QString &language : languages) {
        const QString aff = folder + QLatin1Char('/') + language + QStringLiteral(".aff");
        const QString dic = folder + QLatin1Char('/') + language + QStringLiteral(".dic");
        if (!QFileInfo(aff).isFile() || !QFileInfo(dic).isFile()) {
            m_missing << language;
            continue;
        }
        auto dictionary = std::make_unique<Hunspell>(QFile::encodeName(aff).constData(),
                                                     QFile::encodeName(dic).constData());
        if (!isUtf8(*dictionary)) {
            m_missing << language;
            continue;
        }
        m_dictionaries.push_back(std::move(dictionary));
    }
    m_personal = readWords(m_personalFile);
}

SpellDictionary::~SpellDictionary() = default;

bool SpellDictionary::isCorrect(const QString &word) const
{
    if (m_personal.contains(word))
        return true;
    const std::string bytes = word.toStdString();
    for (const auto &dictionary : m_dictionaries) {
        if (dictionary->spell(bytes))
            return true;
    }
    return false;
}

QStringList SpellDictionary::suggestions(const QString &word, int limit) const
{
    QStringList list;
    const std::string bytes = word.toStdString();
    for (const auto &dictionary : m_dictionaries) {
        for (const std::string &suggestion : dictionary->suggest(bytes)) {
            const QString text = QString::fromStdString(suggestion);
            if (!list.contains(text))
                list << text;
            if (list.size() >= limit)
                return list;
        }
    }
    return list;
}

bool SpellDictionary::addToPersonal(const QString &word, QString *error)
{
    if (word.trimmed().isEmpty() || m_personal.contains(word))
        return true;
    if (m_personalFile.isEmpty()) { // no list file: the word counts for this run only
        m_personal.insert(word);
        return true;
    }
    // Read again first: another instance may have added words since this one started.
    const QSet<QString> stored = readWords(m_personalFile) + m_personal;
    QStringList words(stored.cbegin(), stored.cend());
    words << word;
    words.sort();
    QDir().mkpath(QFileInfo(m_personalFile).absolutePath());
    if (!linefile::write(m_personalFile, words, error))
        return false;
    m_personal = stored;
    m_personal.insert(word);
    return true;
}
