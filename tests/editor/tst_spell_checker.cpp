// Spelling: which words are checked, which are marked in either language, what the context
// menu offers, and a missing dictionary.
#include "editor/highlighting_memo.h"
#include "editor/spell_checker.h"
#include "editor/underline_layer.h"
#include "platform/spell_dictionary.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMenu>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using Word = SpellChecker::Word;
Q_DECLARE_METATYPE(QList<SpellChecker::Word>)

class TstSpellChecker : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    std::shared_ptr<SpellDictionary> m_dictionary;

    QStringList marked(TMemo *memo, SpellChecker *checker)
    {
        checker->checkPendingNow();
        QStringList words;
        for (const UnderlineLayer::Mark &mark : checker->layer()->marks(UnderlineLayer::Spelling))
            words << memo->text().mid(mark.start, mark.length);
        return words;
    }

private slots:
    void initTestCase()
    {
        m_dictionary = std::make_shared<SpellDictionary>(
            QStringList{"ru_RU", "en_US"}, m_dir.filePath(QStringLiteral("words.txt")));
        if (!m_dictionary->missingLanguages().isEmpty())
            QSKIP("the Russian and English Hunspell dictionaries are not installed");
    }

    void checkedWordsLeaveOutTagsAddressesAndNumbers_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("words");
        QTest::newRow("plain") << "Привет, world!" << QStringList{"Привет", "world"};
        QTest::newRow("tags and their insides")
            << "^bolder^слово^n^ ^url^http://mv.example^текст ссылки^ конец"
            << QStringList{"слово", "конец"};
        QTest::newRow("addresses and numbers")
            << "www.mv.example mail@mv.example 2024 a1b 3-й слово" << QStringList{"слово"};
        QTest::newRow("picture captions of every image word")
            << "^jpg12^подпись^ ^gif3^подпись^ ^pngo7:80^подпись^ ^jpeg5^подпись^ слово"
            << QStringList{"слово"};
        QTest::newRow("apostrophe and hyphen inside")
            << "don't кто-то -x" << QStringList{"don't", "кто-то", "x"};
    }

    void checkedWordsLeaveOutTagsAddressesAndNumbers()
    {
        QFETCH(QString, line);
        QFETCH(QStringList, words);
        QStringList found;
        for (const Word &word : SpellChecker::checkableWords(line))
            found << line.mid(word.start, word.length);
        QCOMPARE(found, words);
    }

    void wrongWordsAreMarkedInEitherLanguage_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("wrong");
        QTest::newRow("right in both") << "Привет, мир! Hello world." << QStringList{};
        QTest::newRow("wrong Russian") << "Превет мир" << QStringList{"Превет"};
        QTest::newRow("wrong English") << "Hello wrold" << QStringList{"wrold"};
        QTest::newRow("inside tags never")
            << "^bolder^ ^url^http://x.example^ссылкаа^ ^jpg5^подписсь^ ошибкаа"
            << QStringList{"ошибкаа"};
    }

    void wrongWordsAreMarkedInEitherLanguage()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, wrong);
        TMemo memo;
        SpellChecker checker(&memo, m_dictionary);
        memo.setPlainText(text);
        checker.setEnabled(true);
        QCOMPARE(marked(&memo, &checker), wrong);
        // An edit is checked after the pause, on its own block.
        memo.moveCursor(QTextCursor::End);
        memo.insertPlainText(QStringLiteral(" ашибка"));
        QVERIFY(checker.hasPending());
        QTRY_VERIFY(!checker.hasPending());
        QCOMPARE(marked(&memo, &checker), wrong + QStringList{"ашибка"});
        // A word typed, then a line added above it before the pause ends: still checked.
        memo.insertPlainText(QStringLiteral("\nстрока ашибко"));
        memo.moveCursor(QTextCursor::Start);
        memo.insertPlainText(QStringLiteral("\n\n"));
        QCOMPARE(marked(&memo, &checker), wrong + QStringList({"ашибка", "ашибко"}));
        checker.setEnabled(false);
        QCOMPARE(checker.layer()->count(UnderlineLayer::Spelling), 0);
    }

    void menuOffersSuggestionsAndAddsToThePersonalList()
    {
        TMemo memo;
        SpellChecker checker(&memo, m_dictionary);
        memo.setPlainText(QStringLiteral("a wrold here"));
        checker.setEnabled(true);
        checker.checkPendingNow();
        QMenu menu;
        QAction *specified = menu.addAction(QStringLiteral("Вставить"));
        checker.attachMenu(&menu);
        checker.setMenuPosition(4);
        emit menu.aboutToShow();
        const QList<QAction *> items = menu.actions();
        QVERIFY(items.size() >= 3);
        QVERIFY(items.size() <= 5 + 3);
        QCOMPARE(items.first()->text(), QStringLiteral("world"));
        QCOMPARE(items.last(), specified); // the specified items stay below
        QAction *add = menu.findChild<QAction *>(QStringLiteral("SpellAddWord"));
        QVERIFY(add);

        items.first()->trigger(); // a suggestion replaces the word
        QCOMPARE(memo.toPlainText(), QStringLiteral("a world here"));
        // Opened again without a new click (another way in): no stale suggestions.
        memo.setPlainText(QStringLiteral("a wrold here"));
        checker.checkPendingNow();
        emit menu.aboutToShow();
        QCOMPARE(menu.actions(), QList<QAction *>({specified}));
        memo.setPlainText(QStringLiteral("zqxw zqxw"));
        checker.checkPendingNow();
        QCOMPARE(checker.layer()->count(UnderlineLayer::Spelling), 2);
        checker.setMenuPosition(1);
        emit menu.aboutToShow();
        menu.findChild<QAction *>(QStringLiteral("SpellAddWord"))->trigger();
        checker.checkPendingNow();
        QCOMPARE(checker.layer()->count(UnderlineLayer::Spelling), 0);
        QFile words(m_dir.filePath(QStringLiteral("words.txt")));
        QVERIFY(words.open(QIODevice::ReadOnly));
        QCOMPARE(words.readAll(), QByteArray("zqxw\n"));
        words.close();

        // Another instance sharing the list adds a word: neither word is lost.
        SpellDictionary other({"en_US"}, words.fileName());
        QVERIFY(other.addToPersonal(QStringLiteral("qwzx")));
        QVERIFY(m_dictionary->addToPersonal(QStringLiteral("xwqz")));
        QVERIFY(words.open(QIODevice::ReadOnly));
        QCOMPARE(words.readAll(), QByteArray("qwzx\nxwqz\nzqxw\n"));
    }

    void missingDictionaryLeavesThatLanguageOut()
    {
        const SpellDictionary none({"ru_RU", "xx_XX"}, m_dir.filePath("w"),
                                   m_dir.filePath(QStringLiteral("nowhere")));
        QCOMPARE(none.missingLanguages(), (QStringList{"ru_RU", "xx_XX"}));
        QVERIFY(!none.isUsable());
        QVERIFY(!none.isCorrect(QStringLiteral("мир")));
        TMemo memo;
        SpellChecker checker(
            &memo, std::make_shared<SpellDictionary>(QStringList{"xx_XX"}, m_dir.filePath("w"),
                                                     m_dir.filePath(QStringLiteral("nowhere"))));
        memo.setPlainText(QStringLiteral("zqxw"));
        checker.setEnabled(true);
        QVERIFY(!checker.isEnabled());
        QCOMPARE(checker.layer()->count(UnderlineLayer::Spelling), 0);
    }
};

int main(int argc, char *argv[])
{
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    TstSpellChecker test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_spell_checker.moc"
