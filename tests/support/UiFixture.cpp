#include "tests/support/UiFixture.h"

#include <QApplication>
#include <QMessageBox>
#include <QTemporaryDir>

MessageBoxCatcher& MessageBoxCatcher::instance()
{
    static MessageBoxCatcher catcher;
    return catcher;
}

MessageBoxCatcher::MessageBoxCatcher()
{
    FTimer.setInterval(10);
    connect(&FTimer, &QTimer::timeout, this, &MessageBoxCatcher::closeOpenBoxes);
    FTimer.start();
}

QStringList MessageBoxCatcher::take()
{
    // Boxes opened by the last event may still be waiting for the timer.
    closeOpenBoxes();
    QStringList texts;
    texts.swap(FTexts);
    return texts;
}

void MessageBoxCatcher::closeOpenBoxes()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* box = qobject_cast<QMessageBox*>(widget);
        if (box && box->isVisible()) {
            FTexts << box->text();
            box->done(QMessageBox::Ok);
        }
    }
}

namespace {

QStringList uncaughtErrors;

// Every handler reports its own errors where Qt calls it; an error that
// reaches the application's last resort crossed Qt's frames on its way.
void failOnUncaughtError(const QString& message)
{
    uncaughtErrors << message;
    if (QTest::currentTestFunction())
        QTest::qFail(qPrintable(QStringLiteral("an error reached the event loop: ") + message),
                     __FILE__, __LINE__);
}

} // namespace

int runUiTests(QObject* test, int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    TZentrixApplication app(argc, argv);
    MessageBoxCatcher::instance();
    TZentrixApplication::setUncaughtErrorHook(failOnUncaughtError);
    const int status = QTest::qExec(test, argc, argv);
    if (!uncaughtErrors.isEmpty()) {
        qWarning("Errors reached the event loop: %s", qPrintable(uncaughtErrors.join(" | ")));
        return 1;
    }
    return status;
}
