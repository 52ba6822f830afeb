// An SVG drawing (spirelle's --svg) as the design window saves it for
// printing: a PDF at 1:1 on A4 or Letter. Usage: print_tool IN.svg OUT.pdf [letter]
#include "ui/print_drawing.h"

#include <QFile>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc < 3) {
        std::fputs("usage: print_tool IN.svg OUT.pdf [letter]\n", stderr);
        return 2;
    }
    QFile in(QString::fromLocal8Bit(argv[1]));
    if (!in.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "print_tool: %s: %s\n", argv[1], qPrintable(in.errorString()));
        return 1;
    }
    const bool letter = argc > 3 && QByteArrayView(argv[3]) == "letter";
    const QString why = spirelle::WritePrintPdf(in.readAll(), QString::fromLocal8Bit(argv[2]),
                                                letter ? QPageSize::Letter : QPageSize::A4);
    if (!why.isEmpty())
        std::fprintf(stderr, "print_tool: %s: %s\n", argv[2], qPrintable(why));
    return why.isEmpty() ? 0 : 1;
}
