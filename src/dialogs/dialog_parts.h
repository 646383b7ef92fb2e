// Pieces the tag dialogs share: named labels, the row of help link and two buttons, placement.
#pragma once

#include <QString>

class HelpLink;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QWidget;

namespace dialogparts {

QLabel *namedLabel(const char *name, const QString &caption, QWidget *parent);

// The bottom row: "Помощь" opening the site's page at helpPath on the left, then the default
// button and the other one on the right.
struct CommandRow
{
    HelpLink *help = nullptr;
    QPushButton *accept = nullptr; // the default button
    QPushButton *reject = nullptr;
    QHBoxLayout *layout = nullptr;
};
CommandRow commandRow(QWidget *dialog, const QString &helpPath, const char *acceptName,
                      const char *rejectName, const QString &acceptCaption = QStringLiteral("OK"),
                      const QString &rejectCaption = QStringLiteral("Отмена"));

// Places a window in the middle of its screen (the primary screen when it has none yet).
void centreOnScreen(QWidget *window);

} // namespace dialogparts
