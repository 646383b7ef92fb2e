// The program's own questions: taken from a language file's [Messages], built-in where the
// file has nothing usable, and the shipped files give every one of them.
#include "platform/ini_file.h"
#include "platform/interface_texts.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace interfacetexts;

class TestInterfaceTexts : public QObject
{
    Q_OBJECT

private slots:
    void fromLanguageFile_data();
    void fromLanguageFile();
    void shippedFilesGiveEveryText_data();
    void shippedFilesGiveEveryText();

private:
    QString write(const QByteArray &content);
    QTemporaryDir m_dir;
};

QString TestInterfaceTexts::write(const QByteArray &content)
{
    const QString path = m_dir.filePath(QStringLiteral("Test.lng"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return {};
    file.write(content);
    return path;
}

void TestInterfaceTexts::fromLanguageFile_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("save");
    QTest::addColumn<QString>("question");

    const QString builtInSave = QStringLiteral("Сохранить");
    const QString builtInQuestion = QStringLiteral("Текст изменён. Сохранить изменения в «%1»?");
    QTest::newRow("given") << QByteArray("[Messages]\r\nSave=Save\r\nSaveChanges=Save \"%1\"?\r\n")
                           << "Save"
                           << "Save \"%1\"?";
    QTest::newRow("missing section")
        << QByteArray("[Options]\r\nOK=OK\r\n") << builtInSave << builtInQuestion;
    QTest::newRow("blank value") << QByteArray("[Messages]\r\nSave=   \r\n") << builtInSave
                                 << builtInQuestion;
    QTest::newRow("line break escape")
        << QByteArray("[Messages]\r\nSaveChanges=a\\n\\nb\r\n") << builtInSave << "a\n\nb";
    QTest::newRow("binary garbage")
        << QByteArray("\0\xff\xfe[Mess\0ages]\x01", 12) << builtInSave << builtInQuestion;
}

void TestInterfaceTexts::fromLanguageFile()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, save);
    QFETCH(QString, question);
    load(IniFile(write(content)));
    QCOMPARE(text(SaveButton), save);
    QCOMPARE(text(SaveChangesQuestion), question);
}

void TestInterfaceTexts::shippedFilesGiveEveryText_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("Russian") << "Russian.lng";
    QTest::newRow("English") << "English.lng";
}

void TestInterfaceTexts::shippedFilesGiveEveryText()
{
    QFETCH(QString, file);
    const IniFile language(QStringLiteral(RR_SOURCE_DIR "/lang/") + file);
    for (int i = 0; i < TextCount; ++i)
        QVERIFY2(!language.readString(QStringLiteral("Messages"), keyOf(Text(i))).isEmpty(),
                 qPrintable(keyOf(Text(i))));
    load(language);
    // The Russian file words every text as the program does without a file.
    if (file == QLatin1String("Russian.lng")) {
        for (int i = 0; i < TextCount; ++i)
            QCOMPARE(text(Text(i)), builtIn(Text(i)));
    }
    QVERIFY(text(CannotOpenFile).contains(QLatin1String("%1")));
    QVERIFY(text(CannotOpenFile).contains(QLatin1String("%2")));
    QVERIFY(text(SearchNotFound).contains(QLatin1String("%1")));
    // The placeholders survive the translation, or the question would lose its file name.
    QVERIFY(text(SaveChangesQuestion).contains(QLatin1String("%1")));
    QVERIFY(text(LossySaveQuestion).contains(QLatin1String("%1")));
    QVERIFY(text(LossySaveQuestion).contains(QLatin1String("%2")));
}

QTEST_GUILESS_MAIN(TestInterfaceTexts)
#include "tst_interface_texts.moc"
