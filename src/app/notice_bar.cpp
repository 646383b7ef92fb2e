#include "app/notice_bar.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

NoticeBar::NoticeBar(QWidget *parent) : QFrame(parent)
{
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(0xff, 0xf4, 0xc8));
    colours.setColor(QPalette::WindowText, Qt::black);
    setPalette(colours);

    m_layout = new QHBoxLayout(this);
    m_layout->setContentsMargins(6, 3, 6, 3);
    auto *icon = new QLabel(this);
    const int size = style()->pixelMetric(QStyle::PM_SmallIconSize);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(size, size));
    m_layout->addWidget(icon);
    m_label = new QLabel(this);
    m_label->setObjectName(QStringLiteral("NoticeText"));
    m_label->setWordWrap(true);
    m_label->setTextFormat(Qt::PlainText);
    m_layout->addWidget(m_label, 1);
    hide();
}

QString NoticeBar::text() const
{
    return m_label->text();
}

QPushButton *NoticeBar::addButton(const QString &name)
{
    auto *button = new QPushButton(this);
    button->setObjectName(name);
    button->setFocusPolicy(Qt::TabFocus);
    m_layout->addWidget(button);
    m_buttons.append(button);
    // Hidden before the button's own action runs, so that the action may present it again.
    connect(button, &QPushButton::clicked, this, &QWidget::hide);
    return button;
}

QPushButton *NoticeBar::button(const QString &name) const
{
    for (QPushButton *button : m_buttons) {
        if (button->objectName() == name)
            return button;
    }
    return nullptr;
}

void NoticeBar::present(const QString &text, const QStringList &captions)
{
    m_label->setText(text);
    // A button without a caption has nothing to offer this time.
    for (qsizetype i = 0; i < m_buttons.size(); ++i) {
        m_buttons[i]->setText(captions.value(i));
        m_buttons[i]->setVisible(!captions.value(i).isEmpty());
    }
    show();
}
