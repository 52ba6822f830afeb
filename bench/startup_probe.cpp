// The window module of the start-up probe: Spirelle's window started as
// app/window_main.cpp starts it, with a watch on the main window that reports
// the time of its first paint and the peak memory, then quits. The probe's
// program is app/main.cpp itself, so the probe pays for the dispatch and for
// loading the module as the program does. Compare with bare_window.
#include "ui/about_dialog.h"
#include "first_paint.h"
#include "ui/main_window.h"

#include <QApplication>

extern "C" __attribute__((visibility("default"))) int SpirelleWindowMain(int argc, char **argv)
{
    spirelle::bench::StartupReport report;
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
