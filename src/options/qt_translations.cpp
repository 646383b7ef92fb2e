#include "options/qt_translations.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>

namespace qttranslations {

QLocale::Language languageOfFile(const QString &languageFile)
{
    const QString name = QFileInfo(languageFile).completeBaseName();
    if (name.isEmpty())
        return QLocale::AnyLanguage;
    for (int value = QLocale::C + 1; value <= QLocale::LastLanguage; ++value) {
        const auto language = QLocale::Language(value);
        if (QLocale::languageToString(language).compare(name, Qt::CaseInsensitive) == 0)
            return language;
    }
    return QLocale::AnyLanguage;
}

bool follow(const QString &languageFile)
{
    // One translator for the whole run, replaced rather than stacked on each change.
    static QTranslator *current = nullptr;
    if (current) {
        QCoreApplication::removeTranslator(current);
        delete current;
        current = nullptr;
    }
    const QLocale::Language language = languageOfFile(languageFile);
    if (language == QLocale::AnyLanguage || language == QLocale::English)
        return false;
    auto *translator = new QTranslator;
    if (!translator->load(QLocale(language), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    current = translator;
    return true;
}

} // namespace qttranslations
