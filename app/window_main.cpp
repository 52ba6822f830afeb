// The window side of the program. It is built as a module that main loads
// only when the arguments ask for the window, so that a command never loads
// Qt's libraries: `spirelle --version` starts as fast as a plain C++ program.
#include "ui/about_dialog.h"
#include "ui/main_window.h"

#include <QApplication>

extern "C" __attribute__((visibility("default"))) int SpirelleWindowMain(int argc, char **argv)
{
    QApplication app(argc, argv);
    // The About dialog's one shared reference outlives the main window, which
    // may close first; the program ends when the last window closes.
    spirelle::AboutDialogRef about;
    spirelle::CreateMainWindow(about)->show();
    return QApplication::exec();
}
