#include "dialogs/dialog_parts.h"

#include "dialogs/help_link.h"
#include "markup/site.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QUrl>

namespace dialogparts {

QLabel *namedLabel(const char *name, const QString &caption, QWidget *parent)
{
    auto *label = new QLabel(caption, parent);
    label->setObjectName(QLatin1String(name));
    return label;
}

CommandRow commandRow(QWidget *dialog, const QString &helpPath, const char *acceptName,
                      const char *rejectName, const QString &acceptCaption,
                      const QString &rejectCaption)
{
    CommandRow row;
    row.help = new HelpLink(QStringLiteral("Помощь"), QUrl(site::homeAddress() + helpPath), dialog);
    row.help->setObjectName(QStringLiteral("sWebLabel1"));
    row.accept = new QPushButton(acceptCaption, dialog);
    row.accept->setObjectName(QLatin1String(acceptName));
    row.accept->setDefault(true);
    row.reject = new QPushButton(rejectCaption, dialog);
    row.reject->setObjectName(QLatin1String(rejectName));
    row.layout = new QHBoxLayout;
    row.layout->addWidget(row.help);
    row.layout->addStretch();
    row.layout->addWidget(row.accept);
    row.layout->addWidget(row.reject);
    return row;
}

void centreOnScreen(QWidget *window)
{
    const QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

} // namespace dialogparts
