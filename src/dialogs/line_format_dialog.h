// TFormatF: the dialog that composes a line-format prefix and inserts it into the active text area.
#pragma once

#include "dialogs/color_button.h"
#include "editor/insertion.h"
#include "markup/color_converter.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TFormatF : public QDialog
{
    Q_OBJECT
public:
    explicit TFormatF(insertion::ActiveMemo activeMemo, QWidget *parent = nullptr);

    // The colour dialog of both picker buttons (tests inject one).
    void setColorChooser(const colorbutton::ColorChooser &chooser);

    // What OK puts into the tag. They start as "center", "white" and "black" and change only
    // when the user picks an alignment or confirms a colour.
    QString formatAlign() const { return FormatAlign; }
    QString formatBgColor() const { return FormatBgColor; }
    QString formatTextColor() const { return FormatTextColor; }

    // The text that OK inserts, from the values as they stand.
    QString tag() const;

    void sComboBox1Change(int index);
    void sColorSelect1Change(qint32 value);
    void sColorSelect2Change(qint32 value);
    void sButton2Click();
    void sButton1Click();

protected:
    void showEvent(QShowEvent *event) override;

private:
    insertion::ActiveMemo ActiveMemo;
    QLineEdit *sEdit1;
    QComboBox *sComboBox1;
    ColorPickerButton *sColorSelect1;
    ColorPickerButton *sColorSelect2;
    QPushButton *sButton2;
    QPushButton *sButton1;
    markup::ColorConverter JvRGBToHTML1 = markup::ColorConverter::white();
    markup::ColorConverter JvRGBToHTML2;
    QString FormatAlign = QStringLiteral("center");
    QString FormatBgColor = QStringLiteral("white");
    QString FormatTextColor = QStringLiteral("black");
};
