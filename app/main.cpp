#include "app/Main.h"
#include "app/Application.h"

#ifdef ZENTRIX_FIRST_PAINT_PROBE
#include "bench/FirstPaintProbe.h"
#endif

int main(int argc, char* argv[])
{
    TZentrixApplication app(argc, argv);

    auto* mainForm = new TMainForm;
    mainForm->setAttribute(Qt::WA_DeleteOnClose);
    // The program ends with its main window, even while the about box is open.
    QObject::connect(mainForm, &QObject::destroyed, &app, &QCoreApplication::quit);

#ifdef ZENTRIX_FIRST_PAINT_PROBE
    new TFirstPaintProbe(mainForm);
#endif
    mainForm->show();
    return app.exec();
}
