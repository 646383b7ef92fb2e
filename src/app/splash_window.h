// TSplashF: the splash window with its progress bar and status line, shown during start-up.
#pragma once

#include <QList>
#include <QString>
#include <QWidget>

class QLabel;
class QProgressBar;

class TSplashF : public QWidget
{
    Q_OBJECT
public:
    struct State
    {
        int progress;
        QString status;
        bool operator==(const State &) const = default;
    };

    explicit TSplashF(QWidget *parent = nullptr);

    // Each change is painted at once, so that it shows before the next, possibly slow, step.
    void setStatus(const QString &status);
    void setProgress(int progress);

    int progress() const;
    QString status() const;
    // Every state shown, in order: one entry per change of the progress or the status.
    const QList<State> &history() const { return m_history; }

signals:
    void stateShown(int progress, const QString &status);

private:
    void showState();

    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QProgressBar *Gauge1 = nullptr;
    QLabel *Label3 = nullptr;
    QList<State> m_history;
};
