// TFinishF: the conversion result window that shows the page joined into one line for copying.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

class TFinishF : public QDialog
{
    Q_OBJECT
public:
    explicit TFinishF(QWidget *parent = nullptr);

    QLineEdit *edit() const { return Edit1; }
    QLabel *lengthLabel() const { return Label3; }
    // Empties the field, then fills it with the joined text.
    void setResult(const QString &text);

public slots:
    // Copies the field as it stands to the clipboard and closes the window.
    void Button1Click();

protected:
    void showEvent(QShowEvent *event) override;

private:
    QLabel *Label1 = nullptr;
    QLineEdit *Edit1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr; // the length of the one line
    QPushButton *Button1 = nullptr;
};
