#include "about_dialog.h"
#include "main_window.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Spirelle"));
    QApplication::setApplicationVersion(QStringLiteral(SPIRELLE_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("org.example.Spirelle"));

    // The About dialog's one shared reference outlives the main window, which
    // may close first; the program ends when the last window closes.
    spirelle::AboutDialogRef about;
    auto *window = new spirelle::MainWindow(about);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    return QApplication::exec();
}
