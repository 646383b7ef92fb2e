// The commands that open the tag dialogs: the selection goes into one field, then the dialog.
#pragma once

#include "editor/insertion.h"

#include <QList>
#include <QStringList>

class QDialog;
class QWidget;
class TMemo;

namespace dialogs {

// One row of the opener table: the main-menu item that opens a dialog and the field that
// receives the active text area's selection. Context-menu items reach the dialog through their
// main-menu item, which the main window triggers for them.
struct DialogOpener
{
    QString action;
    QString dialog;
    QString field;
};

// Every dialog opener of the main window's menus and pop-up menus.
const QList<DialogOpener> &dialogOpeners();

// Copies the memo's selection (empty without a memo) into the dialog's line edit named
// `field`, then shows the dialog modally. Returns the dialog's result.
int openDialog(QDialog *dialog, const QString &field, TMemo *memo);

// Connects every action of the table found under mainWindow to its dialog in `dialogs`.
// Actions or dialogs that are not there are skipped.
void connectDialogOpeners(QWidget *mainWindow, insertion::ActiveMemo active,
                          const QList<QDialog *> &dialogs);

} // namespace dialogs
