// The drop-down palette button and the colour picker button of the tag dialogs.
#include "dialogs/color_button.h"
#include "markup/color_converter.h"
#include "platform/system_colors.h"

#include <QAbstractButton>
#include <QSignalSpy>
#include <QtTest>

using colorbutton::AutomaticColor;

namespace {
// Answers for the colour dialog and remembers where it started.
struct FakeChooser
{
    std::optional<QColor> answer;
    QColor started;
    int calls = 0;
    colorbutton::ColorChooser chooser()
    {
        return [this](const QColor &initial, QWidget *) {
            started = initial;
            ++calls;
            return answer;
        };
    }
};
} // namespace

class TestColorButton : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        markup::setSystemColorLookup(&systemcolors::rgbOf);
        QPalette palette = QApplication::palette();
        palette.setColor(QPalette::Active, QPalette::Base, QColor(0x12, 0x34, 0x56));
        QApplication::setPalette(palette);
    }

    void paletteChoice_data()
    {
        QTest::addColumn<qint32>("value");
        QTest::addColumn<QString>("html");
        QTest::newRow("red") << qint32(0x000000FF) << "FF0000";
        QTest::newRow("yellow") << qint32(0x0000FFFF) << "FFFF00";
        QTest::newRow("white") << qint32(0x00FFFFFF) << "FFFFFF";
        QTest::newRow("window background") << qint32(0x80000005) << "123456";
    }
    void paletteChoice()
    {
        QFETCH(qint32, value);
        QFETCH(QString, html);
        ColorDropDownButton button(0x00FFFFFF);
        QSignalSpy changed(&button, &ColorDropDownButton::colorChanged);
        button.showPalette();
        QVERIFY(button.palettePopup()->isVisible());
        QAbstractButton *choice = button.palettePopup()->buttonFor(value);
        QVERIFY(choice);
        choice->click();
        QVERIFY(!button.palettePopup()->isVisible());
        QCOMPARE(button.colorValue(), value);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).value<qint32>(), value);
        QCOMPARE(markup::HtmlColorText(button.colorValue()), html);
    }

    void automaticConvertsByItsBytes()
    {
        ColorDropDownButton button(0x000000FF);
        QSignalSpy changed(&button, &ColorDropDownButton::colorChanged);
        button.showPalette();
        button.palettePopup()->automaticButton()->click();
        QCOMPARE(button.colorValue(), AutomaticColor);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(markup::HtmlColorText(button.colorValue()), QStringLiteral("000000"));
    }

    void otherColorsOpensTheColorDialog()
    {
        FakeChooser fake;
        fake.answer = QColor(0x00, 0x80, 0xC0);
        ColorDropDownButton button(0x000000FF);
        button.setColorChooser(fake.chooser());
        QSignalSpy changed(&button, &ColorDropDownButton::colorChanged);
        button.showPalette();
        button.palettePopup()->otherColorsButton()->click();
        QCOMPARE(fake.calls, 1);
        QCOMPARE(fake.started, QColor(Qt::red));
        QCOMPARE(markup::HtmlColorText(button.colorValue()), QStringLiteral("0080C0"));
        QCOMPARE(changed.count(), 1);
    }

    void otherColorsCancelledChangesNothing()
    {
        FakeChooser fake;
        ColorDropDownButton button(0x000000FF);
        button.setColorChooser(fake.chooser());
        QSignalSpy changed(&button, &ColorDropDownButton::colorChanged);
        button.showPalette();
        button.palettePopup()->otherColorsButton()->click();
        QCOMPARE(fake.calls, 1);
        QCOMPARE(button.colorValue(), qint32(0x000000FF));
        QCOMPARE(changed.count(), 0);
    }

    void pressingTheButtonDropsThePaletteDown()
    {
        ColorDropDownButton button(0);
        button.show();
        QTest::mouseClick(&button, Qt::LeftButton);
        QVERIFY(button.palettePopup()->isVisible());
        button.palettePopup()->hide();
    }

    void paletteOffersEveryStandardAndSystemColour()
    {
        ColorPalettePopup popup;
        for (const auto &entry : colorbutton::standardColors())
            QVERIFY2(popup.buttonFor(entry.value), qPrintable(entry.name));
        for (const auto &entry : colorbutton::systemColors())
            QVERIFY2(popup.buttonFor(entry.value), qPrintable(entry.name));
        QCOMPARE(colorbutton::standardColors().size(), 40);
    }

    void pickerConfirmed_data()
    {
        QTest::addColumn<qint32>("start");
        QTest::addColumn<QColor>("answer");
        QTest::addColumn<qint32>("result");
        QTest::newRow("new colour")
            << qint32(0x00FFFFFF) << QColor(0, 0, 255) << qint32(0x00FF0000);
        QTest::newRow("same colour")
            << qint32(0x00FFFFFF) << QColor(Qt::white) << qint32(0x00FFFFFF);
    }
    void pickerConfirmed()
    {
        QFETCH(qint32, start);
        QFETCH(QColor, answer);
        QFETCH(qint32, result);
        FakeChooser fake;
        fake.answer = answer;
        ColorPickerButton button(QStringLiteral("Цвет фона"), start);
        button.setColorChooser(fake.chooser());
        QSignalSpy changed(&button, &ColorPickerButton::colorChanged);
        button.click();
        QCOMPARE(fake.started, systemcolors::toQColor(start));
        QCOMPARE(button.colorValue(), result);
        // Confirming reports the colour also when it did not change.
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).value<qint32>(), result);
    }

    void pickerCancelledReportsNothing()
    {
        FakeChooser fake;
        ColorPickerButton button(QStringLiteral("Цвет текста"), 0);
        button.setColorChooser(fake.chooser());
        QSignalSpy changed(&button, &ColorPickerButton::colorChanged);
        button.click();
        QCOMPARE(fake.calls, 1);
        QCOMPARE(button.colorValue(), 0);
        QCOMPARE(changed.count(), 0);
    }
};

QTEST_MAIN(TestColorButton)
#include "tst_color_button.moc"
