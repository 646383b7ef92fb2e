#include "app/spelling_control.h"

#include "app/main_window.h"
#include "browser/message_tab.h"
#include "editor/highlighting_memo.h"
#include "editor/spell_checker.h"
#include "platform/app_paths.h"
#include "platform/interface_texts.h"
#include "platform/spell_dictionary.h"

#include <QAction>
#include <QMenu>
#include <QSettings>
#include <QStatusBar>

namespace {

const QStringList Languages = {QStringLiteral("ru_RU"), QStringLiteral("en_US")};

QSettings additions()
{
    return QSettings(apppaths::additionsFile(), QSettings::IniFormat);
}

const QString OnKey = QStringLiteral("Spelling/On");

} // namespace

QString &SpellingControl::dictionaryFolder()
{
    static QString folder = SpellDictionary::defaultFolder();
    return folder;
}

SpellingControl::SpellingControl(TForm1 *window) : QObject(window), m_window(window)
{
    // After the standard items of the Установки menu.
    auto *settings = window->findChild<QMenu *>(QStringLiteral("settings1"));
    settings->addSeparator();
    m_action = settings->addAction(QStringLiteral("Проверка орфографии"));
    m_action->setObjectName(QStringLiteral("Spelling1"));
    m_action->setCheckable(true);
    connect(m_action, &QAction::triggered, this, [this](bool on) {
        setEnabled(on);
        additions().setValue(OnKey, m_action->isChecked());
    });
    connect(this, &SpellingControl::dictionaryMissing, window, [window](const QString &message) {
        window->statusBar1()->showMessage(message, 15000);
    });

    m_action->setChecked(additions().value(OnKey, true).toBool());
}

bool SpellingControl::ensureDictionary()
{
    if (m_dictionary)
        return m_dictionary->isUsable();
    m_dictionary = std::make_shared<SpellDictionary>(
        Languages, SpellDictionary::personalFileDefault(), dictionaryFolder());
    for (const QString &language : m_dictionary->missingLanguages())
        emit dictionaryMissing(
            interfacetexts::text(interfacetexts::DictionaryMissing).arg(language));
    m_page = new SpellChecker(m_window->memoGen(), m_dictionary, this);
    m_message = new SpellChecker(m_window->memo2(), m_dictionary, this);
    for (const char *menu : {"PopupMenuSel", "PopupMenuUnSel"})
        m_page->attachMenu(m_window->findChild<QMenu *>(QLatin1String(menu)));
    m_message->attachMenu(m_window->messageTab()->contextMenu());
    return m_dictionary->isUsable();
}

void SpellingControl::setEnabled(bool on)
{
    // No dictionary at all: the switch cannot stay on.
    if (on && !ensureDictionary())
        on = false;
    m_action->setChecked(on);
    if (m_page) {
        m_page->setEnabled(on);
        m_message->setEnabled(on);
    }
}
