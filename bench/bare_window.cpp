// The floor for start-up: a Qt Widgets program that shows one empty window of
// the main window's size and exits after its first paint. Compare with
// startup_probe, which shows Spirelle's real window the same way.
#include "first_paint.h"
#include "form_layout.h"

#include <QApplication>
#include <QWidget>

namespace {

// The main window's client area, and the menu bar above it (20 px with the
// Fusion style and the form font; startup_probe prints the real total).
constexpr int kWidth = spirelle::layout::kWindowClient.width / spirelle::layout::kTwipsPerPixel;
constexpr int kMenuBarHeight = 20;
constexpr int kHeight = spirelle::layout::kWindowClient.height / spirelle::layout::kTwipsPerPixel + kMenuBarHeight;

} // namespace

int main(int argc, char *argv[])
{
    spirelle::bench::StartupReport report;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Spirelle"));
    QApplication::setApplicationVersion(QStringLiteral("1.0"));
    QApplication::setDesktopFileName(QStringLiteral("org.example.Spirelle"));
    report.mark("app");

    auto *window = new QWidget;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowTitle(QStringLiteral("Spirelle"));
    window->resize(kWidth, kHeight);
    report.mark("window");
    report.watch(window);
    window->show();
    report.mark("shown");
    return QApplication::exec();
}
