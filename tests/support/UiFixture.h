#pragma once

#include "app/Application.h"
#include "path/LatencyElement.h"

#include <QObject>
#include <QPoint>
#include <QStringList>
#include <QTimer>
#include <QtTest>

// Every message box that appears while a test runs is closed at once and its
// text kept here, so a test never hangs on a modal box: a test that expects
// one of our messages takes it with take(); cleanup() fails on any other.
class MessageBoxCatcher : public QObject
{
    Q_OBJECT
public:
    static MessageBoxCatcher& instance();

    // The texts of the boxes closed since the last call.
    QStringList take();

private:
    MessageBoxCatcher();
    void closeOpenBoxes();

    QTimer FTimer;
    QStringList FTexts;
};

// Chain values as the widgets that show them hold them.
inline QString qText(const std::string& text)
{
    return QString::fromStdString(text);
}
inline QPoint qPoint(const TPanelPoint& point)
{
    return QPoint(point.X, point.Y);
}

// Fails the running test when a message box appeared that the test did not take.
#define ZENTRIX_EXPECT_NO_MESSAGES()                                                               \
    do {                                                                                           \
        const QStringList unexpected = MessageBoxCatcher::instance().take();                       \
        QVERIFY2(unexpected.isEmpty(), qPrintable(unexpected.join(QStringLiteral(" | "))));        \
    } while (false)

int runUiTests(QObject* test, int argc, char** argv);

// main() for a widget test: the real application object (with its error
// report), the offscreen platform and isolated settings.
#define ZENTRIX_UI_TEST_MAIN(TestClass)                                                            \
    int main(int argc, char** argv)                                                                \
    {                                                                                              \
        TestClass test;                                                                            \
        return runUiTests(&test, argc, argv);                                                      \
    }
