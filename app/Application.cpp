#include "app/Application.h"

#include "app/Style.h"
#include "controls/ErrorReport.h"

#include <QFont>

TZentrixApplication::TZentrixApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Zentrix"));
    setOrganizationName(QStringLiteral("Qorvel Group"));
    // Lets the desktop match the window to its menu entry and icon.
    setDesktopFileName(QStringLiteral("com.qorvelgroup.Zentrix"));
    // The layouts are laid out in pixels for a narrow 11-pixel sans-serif
    // face; a wider face or one that follows the screen's scaling would clip
    // the captions.
    QFont::insertSubstitutions(QStringLiteral("Liberation Sans"),
                               {QStringLiteral("Arimo"), QStringLiteral("Arial"),
                                QStringLiteral("Nimbus Sans"), QStringLiteral("DejaVu Sans")});
    QFont face(QStringLiteral("Liberation Sans"));
    face.setStyleHint(QFont::SansSerif);
    face.setPixelSize(11);
    setFont(face);
    setStyle(new TZentrixStyle);
}

namespace {

TZentrixApplication::TUncaughtErrorHook uncaughtErrorHook = nullptr;

} // namespace

void TZentrixApplication::setUncaughtErrorHook(TUncaughtErrorHook hook)
{
    uncaughtErrorHook = hook;
}

bool TZentrixApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        const QString message = errorreport::currentMessage();
        if (uncaughtErrorHook)
            uncaughtErrorHook(message);
        errorreport::show(message);
    }
    // The event has been dealt with by the report: it must not travel on to
    // the parent as if nobody had handled it.
    event->accept();
    return true;
}
