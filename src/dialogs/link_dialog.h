// TLinkF: composes the link tag "^url^address^text^" with a live preview of the link.
#pragma once

#include "editor/insertion.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QRadioButton;
class QPushButton;

class TLinkF : public QDialog
{
    Q_OBJECT
public:
    explicit TLinkF(insertion::ActiveMemo activeMemo, QWidget *parent = nullptr);

    // Brings the preview up to date with the two fields.
    void Check();

    // The preview counts as a followable link: an address beyond the bare scheme prefix and a
    // non-empty text.
    static bool linkAvailable(const QString &address, const QString &text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void RadioButton1Click();
    void RadioButton2Click();
    void LabelLinkClick();
    void Button1Click();
    void showPreviewText();

    insertion::ActiveMemo m_activeMemo;
    QLineEdit *EditText = nullptr;
    QRadioButton *RadioButton1 = nullptr;
    QRadioButton *RadioButton2 = nullptr;
    QLineEdit *EditLink = nullptr;
    QLabel *LabelLink = nullptr;
    QPushButton *Button1 = nullptr;
    QPushButton *Button2 = nullptr;
};
