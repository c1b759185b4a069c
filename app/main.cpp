// Corvane: starts the one window. The program takes no arguments and keeps no settings.

#include <QApplication>

#include "frmMain.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(corvane::kAppTitle);
    corvane::frmMain window;
    window.show();
    return QApplication::exec();
}
