#include "app/Startup.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    application.setQuitOnLastWindowClosed(false);
    // Qt has taken its own options; the rest is the command-line text.
    return wWinMain(application, application.arguments().mid(1).join(u' '));
}
