// Spirelle's start-up as app/main.cpp does it (createMainWindow), with a watch on the main
// window that reports the time of its first paint and the peak memory, then
// quits. Compare with bare_window.
#include "about_dialog.h"
#include "cli.h"
#include "first_paint.h"
#include "main_window.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    spirelle::bench::StartupReport report;
    // The program's first question, so that the probe pays for it as the program does.
    if (spirelle::cli::IsCommandLine(argc, argv))
        return spirelle::cli::Main(argc, argv, QT_VERSION_STR);
    QApplication app(argc, argv);
    report.mark("app");

    spirelle::AboutDialogRef about;
    auto *window = spirelle::CreateMainWindow(about);
    report.mark("window");
    report.watch(window);
    window->show();
    report.mark("shown");
    return QApplication::exec();
}
