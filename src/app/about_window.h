// TAboutF: the About window with the product's name, credits, links and the error report.
#pragma once

#include <QDialog>

#include <functional>

class QLabel;
class QPushButton;

class TAboutF : public QDialog
{
    Q_OBJECT
public:
    explicit TAboutF(QWidget *parent = nullptr);

    // The error report's mail link: the maker's address, a subject naming the version and the
    // edition, and a two-line body; nothing escaped but the line break "%0d".
    static QString errorReportLink(const QString &version, const QString &edition);

    // Shows a message in a box with an OK button; tests replace it.
    std::function<void(const QString &text)> showMessage;

public slots:
    void Label4Click();
    void Label9Click();
    void Label10Click();
    void Label11Click();
    void Button1Click();
    void Button2Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    QLabel *linkLabel(const QString &name, const QString &text);
    static void setLinkColor(QLabel *label, const QColor &color);

    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *Label7 = nullptr;
    QLabel *Label8 = nullptr;
    QLabel *Label9 = nullptr;
    QLabel *Label10 = nullptr;
    QLabel *Label11 = nullptr;
    QPushButton *Button1 = nullptr;
    QPushButton *Button2 = nullptr;
};
