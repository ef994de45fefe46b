// The yardstick for start-up: an empty Qt main window of Zentrix's size,
// fixed like Zentrix's, with a menu bar of the same four titles in the same
// face, so that both windows map at the same size.
#include "bench/FirstPaintProbe.h"

#include <QApplication>
#include <QFont>
#include <QLayout>
#include <QMainWindow>
#include <QMenuBar>
#include <cstring>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QFont face(QStringLiteral("Liberation Sans"));
    face.setPixelSize(11);
    app.setFont(face);
    QMainWindow window;
    for (const char* title : {"&File", "&Edit", "Ca&lculator", "&Help"})
        window.menuBar()->addMenu(QString::fromLatin1(title));
    auto* client = new QWidget;
    client->setFixedSize(292, 409);
    window.setCentralWidget(client);
    window.layout()->setSizeConstraint(QLayout::SetFixedSize);
    // With --first-paint it reports its first frame and ends (for callgrind).
    if (argc > 1 && std::strcmp(argv[1], "--first-paint") == 0)
        installFirstPaintProbe(&window);
    window.show();
    return app.exec();
}
