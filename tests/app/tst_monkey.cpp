// A seeded random walk through the real main window: clicks, keys, typed
// and pasted texts, tab and calculator switches, the properties dialog,
// inserting, removing and dragging networks, and now and then closing the
// window with Ctrl+X and building it again from what it saved. After every
// step the invariants the user relies on are checked (Monkey.h).
//
// ZENTRIX_MONKEY_SEED and ZENTRIX_MONKEY_STEPS choose the walk; a failure
// prints both, with the last actions, so that it can be replayed.

#include "tests/app/Monkey.h"
#include "tests/support/UiFixture.h"

#include <QDesktopServices>
#include <QFile>

namespace {

constexpr quint32 defaultSeed = 20240611;
constexpr int defaultSteps = 5000;

QtMessageHandler previousHandler = nullptr;

quint32 seedFromEnvironment()
{
    bool ok = false;
    const quint32 seed = qEnvironmentVariable("ZENTRIX_MONKEY_SEED").toUInt(&ok);
    return ok ? seed : defaultSeed;
}

int stepsFromEnvironment()
{
    bool ok = false;
    const int steps = qEnvironmentVariableIntValue("ZENTRIX_MONKEY_STEPS", &ok);
    return ok && steps > 0 ? steps : defaultSteps;
}

} // namespace

// The desktop must not open a browser for the web site links.
class UrlSink : public QObject
{
    Q_OBJECT
public slots:
    void open(const QUrl&) {}
};

class TestMonkey : public QObject
{
    Q_OBJECT

    UrlSink FUrls;

private slots:
    void initTestCase()
    {
        // The offscreen platform says so each time a window is raised or a
        // menu grabs the keyboard; thousands of those would bury a failure.
        previousHandler = qInstallMessageHandler(
            [](QtMsgType type, const QMessageLogContext& context, const QString& text) {
                if (!text.startsWith(QLatin1String("This plugin does not support")))
                    previousHandler(type, context, text);
            });
        for (const char* scheme : {"http", "https", "mailto"})
            QDesktopServices::setUrlHandler(QLatin1String(scheme), &FUrls, "open");
        // Menus and lists open at once: no animation runs on the clock.
        for (Qt::UIEffect effect : {Qt::UI_AnimateMenu, Qt::UI_FadeMenu, Qt::UI_AnimateCombo,
                                    Qt::UI_AnimateTooltip, Qt::UI_FadeTooltip})
            QApplication::setEffectEnabled(effect, false);
    }

    void cleanupTestCase()
    {
        qInstallMessageHandler(previousHandler);
        for (const char* scheme : {"http", "https", "mailto"})
            QDesktopServices::unsetUrlHandler(QLatin1String(scheme));
    }

    void randomActionsKeepTheInvariants()
    {
        const quint32 seed = seedFromEnvironment();
        const int steps = stepsFromEnvironment();
        qInfo("monkey seed %u, %d steps", seed, steps);
        Monkey monkey(seed);
        const bool passed = monkey.run(steps);
        // The whole walk on request, for a closer look at a replay.
        const QString logName = qEnvironmentVariable("ZENTRIX_MONKEY_LOG");
        if (!logName.isEmpty()) {
            QFile log(logName);
            if (log.open(QIODevice::WriteOnly | QIODevice::Text))
                log.write(monkey.actions().join(QLatin1Char('\n')).toUtf8() + '\n');
        }
        if (!passed)
            QFAIL(qPrintable(monkey.failure()));
    }

    // A failure is only worth its seed if the seed replays it.
    void sameSeedReplaysTheSameWalk()
    {
        const quint32 seed = seedFromEnvironment() + 1;
        Monkey first(seed);
        Monkey second(seed);
        if (!first.run(150))
            QFAIL(qPrintable(first.failure()));
        if (!second.run(150))
            QFAIL(qPrintable(second.failure()));
        QCOMPARE(second.actions(), first.actions());
        QCOMPARE(second.finalState(), first.finalState());
    }
};

ZENTRIX_UI_TEST_MAIN(TestMonkey)
#include "tst_monkey.moc"
