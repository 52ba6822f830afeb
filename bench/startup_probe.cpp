// Spirelle's start-up exactly as app/main.cpp does it, with a watch on the main
// window that reports the time of its first paint and the peak memory, then
// quits. Compare with bare_window.
#include "about_dialog.h"
#include "first_paint.h"
#include "main_window.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    spirelle::bench::StartupReport report;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Spirelle"));
    QApplication::setApplicationVersion(QStringLiteral(SPIRELLE_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("org.example.Spirelle"));
    report.mark("app");

    spirelle::AboutDialogRef about;
    auto *window = new spirelle::MainWindow(about);
    window->setAttribute(Qt::WA_DeleteOnClose);
    report.mark("window");
    report.watch(window);
    window->show();
    report.mark("shown");
    return QApplication::exec();
}
