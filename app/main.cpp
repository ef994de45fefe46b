#include "app/Application.h"
#include "app/MainForm.h"

#ifdef ZENTRIX_FIRST_PAINT_PROBE
// The start-up benchmark builds this file with its probe linked in; the
// program itself knows nothing of the benchmarks.
void installFirstPaintProbe(QWidget* window);
#endif

int main(int argc, char* argv[])
{
    TZentrixApplication app(argc, argv);

    auto* mainForm = new TMainForm;
    mainForm->setAttribute(Qt::WA_DeleteOnClose);
    // The program ends with its main window, even while the about box is open.
    QObject::connect(mainForm, &QObject::destroyed, &app, &QCoreApplication::quit);

#ifdef ZENTRIX_FIRST_PAINT_PROBE
    installFirstPaintProbe(mainForm);
#endif
    mainForm->show();
    return app.exec();
}
