// The three image-tag dialogs: TImageF (with a preview), TImageWidthF and TImageLinkF.
#pragma once

#include "editor/insertion.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class HtmlView;

namespace dialogs {

// The image store's address of the picture with this number: the number zero-filled to ten
// characters as a folder under "/origin/". Empty for a number of fewer than 4 or more than 10
// characters, which has no preview.
QString ImagePreviewAddress(const QString &number);

} // namespace dialogs

// The fields the three image dialogs share, and their OK and Cancel.
class ImageDialog : public QDialog
{
    Q_OBJECT
public:
    // The tag the dialog's fields make now; OK inserts it.
    virtual QString buildTag() const = 0;

protected:
    ImageDialog(insertion::ActiveMemo activeMemo, const QString &helpPath, QWidget *parent);

    // The shared values, as the tag builders take them.
    QString format() const;
    bool naturalSize() const;
    QString number() const;
    QString caption() const;

    // Rows for a dialog's own fields go here, below the shared ones (two columns).
    QGridLayout *fieldGrid() const { return m_grid; }
    // Widgets beside the fields (the preview) go here.
    QHBoxLayout *besideFields() const { return m_beside; }

    QLineEdit *EditID = nullptr;

    void showEvent(QShowEvent *event) override;

private:
    void Button1Click();

    insertion::ActiveMemo m_activeMemo;
    QComboBox *ComboBox2 = nullptr;
    QLineEdit *Edit1 = nullptr;
    QCheckBox *CheckBox2 = nullptr;
    QPushButton *Button1 = nullptr;
    QPushButton *Button2 = nullptr;
    QGridLayout *m_grid = nullptr;
    QHBoxLayout *m_beside = nullptr;
};

// A picture with a caption, with a live preview of the stored picture as its number is typed.
class TImageF : public ImageDialog
{
    Q_OBJECT
public:
    explicit TImageF(insertion::ActiveMemo activeMemo, QWidget *parent = nullptr);

    QString buildTag() const override;

    // The address the preview was last sent to; empty before the first.
    QString previewAddress() const { return m_previewAddress; }

private:
    void EditIDChange();

    QCheckBox *CheckBox1 = nullptr;
    HtmlView *WebBrowser1 = nullptr;
    QString m_previewAddress;
};

// A picture with a caption and a width in pixels.
class TImageWidthF : public ImageDialog
{
    Q_OBJECT
public:
    explicit TImageWidthF(insertion::ActiveMemo activeMemo, QWidget *parent = nullptr);

    QString buildTag() const override;

private:
    QLineEdit *EditW = nullptr;
};

// A picture that links to an address.
class TImageLinkF : public ImageDialog
{
    Q_OBJECT
public:
    explicit TImageLinkF(insertion::ActiveMemo activeMemo, QWidget *parent = nullptr);

    QString buildTag() const override;

private:
    QLineEdit *Edit2 = nullptr;
};
