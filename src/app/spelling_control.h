// The Установки menu's spell-checking switch and the checkers of both text areas; the switch
// is kept in the additions' own settings file, never in Settings.ini.
#pragma once

#include <QObject>

#include <memory>

class QAction;
class SpellChecker;
class SpellDictionary;
class TForm1;

class SpellingControl : public QObject
{
    Q_OBJECT
public:
    // The dictionaries load when checking is first switched on.
    explicit SpellingControl(TForm1 *window);

    QAction *action() const { return m_action; }
    SpellChecker *pageChecker() const { return m_page; }
    void setEnabled(bool on);

    // Where the dictionaries are looked for; tests point it elsewhere before switching on.
    static QString &dictionaryFolder();

signals:
    // A language's dictionary is missing: checking in that language is off. The text says so.
    void dictionaryMissing(const QString &message);

private:
    bool ensureDictionary();

    TForm1 *m_window;
    QAction *m_action = nullptr;
    std::shared_ptr<SpellDictionary> m_dictionary;
    SpellChecker *m_page = nullptr;
    SpellChecker *m_message = nullptr;
};
