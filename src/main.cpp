// Entry point: the command-line face, or the editor with its splash window.
#include "app/command_line.h"
#include "app/startup.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    {
        QStringList arguments;
        for (int i = 0; i < argc; ++i)
            arguments << QString::fromLocal8Bit(argv[i]);
        if (const auto status = commandline::run(arguments))
            return *status;
    }
    // The web views need a shared OpenGL context, which must be asked for before the
    // application object exists.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    return startup::run(app);
}
