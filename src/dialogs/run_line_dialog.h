// TRunLineF: the dialog that composes a running-line tag and inserts it into the active text area.
#pragma once

#include "dialogs/color_button.h"
#include "editor/insertion.h"
#include "markup/color_converter.h"

#include <QDialog>
#include <QLabel>

class QComboBox;
class QLineEdit;
class QPushButton;

class TRunLineF : public QDialog
{
    Q_OBJECT
public:
    explicit TRunLineF(insertion::ActiveMemo activeMemo, QWidget *parent = nullptr);

    // The colour dialog behind "Другие цвета..." of both colour buttons (tests inject one).
    void setColorChooser(const colorbutton::ColorChooser &chooser);

    // The HTML colour texts of the text colour and the background.
    const markup::ColorConverter &textConverter() const { return RGBToHTML1; }
    const markup::ColorConverter &backgroundConverter() const { return RGBToHTML2; }

    // The tag that OK inserts, from the fields as they stand.
    QString tag() const;

    void Button1Click();
    void Button2Click();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void refreshConverters();

    insertion::ActiveMemo ActiveMemo;
    QLineEdit *EditText;
    QComboBox *ComboBoxType;
    ColorDropDownButton *ColText;
    ColorDropDownButton *ColBg;
    QComboBox *ComboBoxPosition;
    QLineEdit *EditLoop;
    QPushButton *Button1;
    QPushButton *Button2;
    markup::ColorConverter RGBToHTML1;
    markup::ColorConverter RGBToHTML2 = markup::ColorConverter::white();
};
