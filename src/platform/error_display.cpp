#include "platform/error_display.h"

#include <QApplication>
#include <QMessageBox>

namespace errordisplay {

namespace {
Handler g_handler = nullptr;
}

QString withFullStop(const QString &text)
{
    if (!text.isEmpty() && text.back().unicode() > u'.')
        return text + QLatin1Char('.');
    return text;
}

void show(const QString &text, QWidget *parent)
{
    const QString message = withFullStop(text);
    if (g_handler) {
        g_handler(message);
        return;
    }
    if (!parent)
        parent = QApplication::activeWindow();
    QMessageBox::critical(parent, QString::fromLatin1(ApplicationTitle), message);
}

Handler setHandler(Handler handler)
{
    Handler old = g_handler;
    g_handler = handler;
    return old;
}

} // namespace errordisplay
