#include "dialogs/dialog_openers.h"

#include "editor/highlighting_memo.h"

#include <QAction>
#include <QDialog>
#include <QLineEdit>
#include <QWidget>

namespace dialogs {

const QList<DialogOpener> &dialogOpeners()
{
    static const QList<DialogOpener> table = {
        {QStringLiteral("Link1"), QStringLiteral("TLinkF"), QStringLiteral("EditText")},
        {QStringLiteral("Image1"), QStringLiteral("TImageF"), QStringLiteral("Edit1")},
        {QStringLiteral("ImageSize1"), QStringLiteral("TImageWidthF"), QStringLiteral("Edit1")},
        {QStringLiteral("Imagelink1"), QStringLiteral("TImageLinkF"), QStringLiteral("Edit1")},
        {QStringLiteral("runline1"), QStringLiteral("TRunLineF"), QStringLiteral("EditText")},
        {QStringLiteral("FormatLine1"), QStringLiteral("TFormatF"), QStringLiteral("sEdit1")},
    };
    return table;
}

int openDialog(QDialog *dialog, const QString &field, TMemo *memo)
{
    // Every other field keeps what it held when the dialog was last closed.
    if (auto *edit = dialog->findChild<QLineEdit *>(field))
        edit->setText(memo ? memo->selectedText() : QString());
    return dialog->exec();
}

void connectDialogOpeners(QWidget *mainWindow, insertion::ActiveMemo active,
                          const QList<QDialog *> &dialogs)
{
    for (const DialogOpener &opener : dialogOpeners()) {
        QDialog *dialog = nullptr;
        for (QDialog *candidate : dialogs) {
            if (candidate && candidate->objectName() == opener.dialog)
                dialog = candidate;
        }
        if (!dialog)
            continue;
        for (QAction *action : mainWindow->findChildren<QAction *>(opener.action)) {
            QObject::connect(action, &QAction::triggered, dialog,
                             [dialog, field = opener.field, active] {
                                 openDialog(dialog, field, active ? active() : nullptr);
                             });
        }
    }
}

} // namespace dialogs
