// A bar above the text that tells of something the user should decide on (recovered text, a
// page changed by another program), with buttons; hidden until it has something to say.
#pragma once

#include <QFrame>

class QHBoxLayout;
class QLabel;
class QPushButton;

class NoticeBar : public QFrame
{
    Q_OBJECT
public:
    explicit NoticeBar(QWidget *parent = nullptr);

    QString text() const;
    // Adds a button named `name`; a click hides the bar, then runs the button's own action.
    QPushButton *addButton(const QString &name);
    QPushButton *button(const QString &name) const;
    // Shows the bar with this text and these button captions (in the order of addButton).
    void present(const QString &text, const QStringList &captions);

private:
    QLabel *m_label = nullptr;
    QHBoxLayout *m_layout = nullptr;
    QList<QPushButton *> m_buttons;
};
