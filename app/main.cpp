#include "app/About.h"
#include "app/Application.h"
#include "app/Main.h"

int main(int argc, char* argv[])
{
    TZentrixApplication app(argc, argv);

    auto* mainForm = new TMainForm;
    mainForm->setAttribute(Qt::WA_DeleteOnClose);
    // The program ends with its main window, even while the about box is open.
    QObject::connect(mainForm, &QObject::destroyed, &app, &QCoreApplication::quit);

    TAboutCalc aboutBox;
    mainForm->setAboutBox(&aboutBox);

    mainForm->show();
    return app.exec();
}
