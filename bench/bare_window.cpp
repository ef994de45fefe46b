// The yardstick for start-up: an empty Qt main window of Zentrix's size.
#include "bench/FirstPaintProbe.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setFixedSize(292, 409 + 20);
    new TFirstPaintProbe(&window);
    window.show();
    return app.exec();
}
