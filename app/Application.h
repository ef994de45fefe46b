#pragma once

#include <QApplication>

// The application object: the program's face and style, and a last resort
// for errors. Every handler reports its own errors where Qt calls it
// (controls/ErrorReport.h); an error that still reaches the event loop is
// shown as any other, and the program goes on.
class TZentrixApplication : public QApplication
{
    Q_OBJECT
public:
    TZentrixApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // Called with the message of an error that reached the event loop,
    // besides showing it. Tests fail on it: an error there crossed Qt's
    // frames on its way, which no error should.
    using TUncaughtErrorHook = void (*)(const QString& message);
    static void setUncaughtErrorHook(TUncaughtErrorHook hook);
};
