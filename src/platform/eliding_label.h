// A one-line label that shortens its text with "…" when too narrow and then shows it whole as
// its tooltip.
#pragma once

#include <QLabel>

class ElidingLabel : public QLabel
{
    Q_OBJECT

public:
    explicit ElidingLabel(Qt::TextElideMode mode, QWidget *parent = nullptr);
    ElidingLabel(const QString &text, Qt::TextElideMode mode, QWidget *parent = nullptr);

    // One line high and as narrow as the frame allows: the label gives way to its neighbours.
    QSize minimumSizeHint() const override;

    // The text as drawn at the current width.
    QString shownText() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    bool event(QEvent *event) override;

private:
    QRect textArea() const;

    Qt::TextElideMode m_mode;
};
