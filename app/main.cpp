// Corvane: starts the one window. The program takes no arguments and keeps no settings.

#include <QApplication>
#include <QLoggingCategory>

#include "frmMain.h"

// QT_LOGGING_RULES="corvane.startup.debug=true" reports when the window is up; the package
// test uses it to know that the installed program really showed its window.
Q_LOGGING_CATEGORY(lcStartup, "corvane.startup", QtWarningMsg)

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(corvane::kAppTitle);
    corvane::frmMain window;
    window.show();
    qCDebug(lcStartup) << "window shown:" << window.windowTitle() << window.isVisible();
    return QApplication::exec();
}
