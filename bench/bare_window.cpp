// The floor for start-up: a Qt Widgets program that shows one empty window of
// the main window's size and exits after its first paint. Compare with
// startup_probe, which shows Spirelle's real window the same way.
//
// With --text the window holds one label, one text box and one button in the
// form's font: the least a window that shows any text pays (a font found and
// loaded, the style set up, glyphs drawn), so that what Spirelle's own window
// adds beyond that can be told apart.
#include "first_paint.h"
#include "pages/form_layout.h"
#include "ui/form_widgets.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include <cstring>

namespace {

// The main window's client area, and the menu bar above it (18 px with the
// form font under Xvfb; startup_probe prints the real total).
constexpr int kWidth = spirelle::layout::kWindowClient.width / spirelle::layout::kTwipsPerPixel;
constexpr int kMenuBarHeight = 18;
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
    if (argc > 1 && std::strcmp(argv[1], "--text") == 0) {
        QFont font;
        font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                          QStringLiteral("Liberation Sans"), QStringLiteral("Arial"), QStringLiteral("DejaVu Sans")});
        font.setStyleHint(QFont::SansSerif);
        font.setPointSizeF(8.25);
        window->setFont(font);
        auto *label = new QLabel(QStringLiteral("Diameter"), window);
        label->setGeometry(32, 51, 48, 17);
        auto *box = new QLineEdit(window);
        box->setGeometry(22, 69, 65, 19);
        auto *button = new QPushButton(QStringLiteral("L=(uH)"), window);
        button->setGeometry(31, 141, 50, 21);
    }
    report.mark("window");
    report.watch(window);
    window->show();
    report.mark("shown");
    return QApplication::exec();
}
