// The window side of the program. It is built as a module that main loads
// only when the arguments ask for the window, so that a command never loads
// Qt's libraries: `spirelle --version` starts as fast as a plain C++ program.
#include "ui/about_dialog.h"
#include "ui/main_window.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// Why the platform could not start, as the platform plugin said it, and the
// handler that prints every other message.
std::string g_platformTrouble;
QtMessageHandler g_otherMessages = nullptr;

// While QApplication starts, a platform that cannot start (a display that
// cannot be opened, a plugin that is missing) is a fatal message after which
// Qt aborts with advice to reinstall. Say in one line what is wrong instead
// and end with a failure status.
void StartupMessages(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    const std::string text = message.toStdString();
    if (type != QtFatalMsg) {
        if (context.category && std::string_view(context.category).starts_with("qt.qpa")) {
            if (g_platformTrouble.empty())
                g_platformTrouble = text;
        } else if (g_otherMessages) {
            g_otherMessages(type, context, message);
        }
        return;
    }
    const std::string &why = g_platformTrouble.empty() ? text : g_platformTrouble;
    std::fprintf(stderr, "spirelle: the window cannot start: %s\n", why.c_str());
    std::fflush(stderr);
    std::_Exit(1);
}

} // namespace

extern "C" __attribute__((visibility("default"))) int SpirelleWindowMain(int argc, char **argv)
{
    g_otherMessages = qInstallMessageHandler(StartupMessages);
    QApplication app(argc, argv);
    qInstallMessageHandler(g_otherMessages);
    // The About dialog's one shared reference outlives the main window, which
    // may close first; the program ends when the last window closes.
    spirelle::AboutDialogRef about;
    spirelle::CreateMainWindow(about)->show();
    return QApplication::exec();
}
