// TOptionsF: the Options dialog, whose controls hold the user's options for the whole run.
#pragma once

#include "platform/app_paths.h"

#include <QDialog>

#include <functional>

class HtmlView;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TOptionsF : public QDialog
{
    Q_OBJECT
public:
    // Switches image download of the site browser.
    using ImageSwitch = std::function<void(bool on)>;

    // Reads the stored options, lists the language files of languageFolder and relabels every
    // window now open, so it is created after all other windows. The image switch gets the
    // stored image option at once.
    explicit TOptionsF(ImageSwitch imageSwitch = {},
                       const QString &languageFolder = apppaths::languageFolder(),
                       QWidget *parent = nullptr);
    // Writes the stored options.
    ~TOptionsF() override;

    // An image switch that acts on the given view alone, and on nothing once the view is gone.
    static ImageSwitch imageSwitchOf(HtmlView *view);
    // Replaces the image switch and gives it the current state at once.
    void setImageSwitch(ImageSwitch imageSwitch);

    // The values, always as the controls hold them now.
    QString login() const;
    QString password() const;
    bool loadImages() const;
    bool refreshBrowserAtStart() const;
    QString languageName() const;

    QString languageFolder() const { return m_languageFolder; }

    // Writes every value to the stored options, in their fixed order; a failure is shown and
    // names the value. The destructor calls it.
    void writeStoredOptions();

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void FormCreate();
    void Button1Click();
    void Button2Click();
    void CheckBox1Click();
    void ComboBox1Change();
    void LabelEmailClick();
    // The design size, grown when the current texts need more room.
    void fitToTexts();

    ImageSwitch m_imageSwitch;
    QString m_languageFolder;

    QGroupBox *GroupBox1 = nullptr;
    QLabel *Label1 = nullptr;
    QLineEdit *Edit1 = nullptr;
    QLabel *Label2 = nullptr;
    QLineEdit *Edit2 = nullptr;
    QGroupBox *GroupBox2 = nullptr;
    QCheckBox *CheckBox1 = nullptr;
    QCheckBox *CheckBox2 = nullptr;
    QGroupBox *GroupBox3 = nullptr;
    QComboBox *ComboBox1 = nullptr;
    QLabel *LabelAutor2 = nullptr;
    QLabel *LabelAutor = nullptr;
    QLabel *LabelEmail2 = nullptr;
    QLabel *LabelEmail = nullptr;
    QPushButton *Button2 = nullptr; // OK
    QPushButton *Button1 = nullptr; // Cancel
};
