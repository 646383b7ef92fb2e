#include "app/startup.h"

#include "markup/color_converter.h"
#include "platform/system_colors.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>

namespace startup {

int run(QApplication &app)
{
    QApplication::setApplicationName(QStringLiteral("Mirvale Rivi Razare"));
    markup::setSystemColorLookup(&systemcolors::rgbOf);

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Без имени.mv - Mirvale Rivi Razare"));
    auto *label = new QLabel(QStringLiteral("Mirvale Rivi Razare"), &window);
    label->setAlignment(Qt::AlignCenter);
    window.setCentralWidget(label);
    window.resize(535, 368);
    window.show();
    return app.exec();
}

} // namespace startup
