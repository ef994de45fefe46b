#pragma once

#include <QApplication>

// The application object. Its one addition: an error that escapes an event
// handler is shown in a message box, and the program goes on.
class TZentrixApplication : public QApplication
{
    Q_OBJECT
public:
    TZentrixApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // Shows an error's message the way every unhandled error is shown.
    static void reportError(const QString& message);
};
