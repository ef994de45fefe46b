// The yardstick for start-up: an empty Qt main window of Zentrix's size.
// With --with-text it also shows one line of text, which makes Qt load its
// font database: the part of start-up that any window with text pays.
#include "bench/FirstPaintProbe.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <cstring>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setFixedSize(292, 409 + 20);
    if (argc > 1 && std::strcmp(argv[1], "--with-text") == 0)
        (new QLabel(QStringLiteral("General Info"), &window))->move(10, 10);
    installFirstPaintProbe(&window);
    window.show();
    return app.exec();
}
