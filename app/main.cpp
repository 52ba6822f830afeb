#include "about_dialog.h"
#include "cli.h"
#include "main_window.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // A command (coil, loose, lc, tune, --help, --version) never starts Qt.
    if (spirelle::cli::IsCommandLine(argc, argv))
        return spirelle::cli::Main(argc, argv, QT_VERSION_STR);

    QApplication app(argc, argv);
    // The About dialog's one shared reference outlives the main window, which
    // may close first; the program ends when the last window closes.
    spirelle::AboutDialogRef about;
    spirelle::CreateMainWindow(about)->show();
    return QApplication::exec();
}
