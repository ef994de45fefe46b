// For the start-up benchmark: the program as shipped, which once its window
// has painted its first frame chooses each of the two calculators not shown
// with its shortcut, as a user does, and prints the milliseconds from the
// key to the end of the new calculator's first paint; then it ends.
#include "bench/FirstPaintProbe.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QKeySequence>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <cstdio>
#include <iterator>

namespace {

struct TSwitch
{
    const char* keys;
    const char* container;
};

// From the subnet calculator, which a first run shows.
constexpr TSwitch switches[] = {{"Ctrl+H", "RadixorCalcPanel"}, {"Ctrl+L", "LatencyCalcPanel"}};

class TSwitchProbe : public QObject
{
public:
    explicit TSwitchProbe(QWidget* window) : QObject(window), FWindow(window)
    {
        // Whatever paints, the window or a control in it.
        qApp->installEventFilter(this);
        // A switch that never paints must not hold the benchmark up.
        QTimer::singleShot(10000, this, [] {
            std::fprintf(stderr, "no first paint after a switch\n");
            QApplication::exit(1);
        });
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !FWaiting && paintsWatched(watched)) {
            FWaiting = true;
            // After the paint has been handled and the frame flushed.
            const int finished = watched == FWindow ? -1 : FSwitch;
            QTimer::singleShot(0, this, [this, finished] { next(finished); });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    // The window before the first switch; after it, the calculator being
    // shown or any control on it. The calculator may not exist before it is
    // first shown, so it is known by its name.
    bool paintsWatched(QObject* object) const
    {
        auto* widget = qobject_cast<QWidget*>(object);
        if (FSwitch < 0)
            return widget == FWindow;
        for (; widget; widget = widget->parentWidget()) {
            if (widget->objectName() == QLatin1String(switches[FSwitch].container))
                return true;
        }
        return false;
    }

    void next(int finished)
    {
        if (finished >= 0) {
            std::printf("%s %.3f\n", switches[finished].container,
                        double(FClock.nsecsElapsed()) / 1e6);
            std::fflush(stdout);
        }
        FSwitch = finished + 1;
        if (FSwitch >= int(std::size(switches))) {
            QApplication::exit(0);
            return;
        }
        // Shortcuts reach the active window only; without a window manager
        // the window becomes active when it asks for the focus.
        if (!FWindow->isActiveWindow()) {
            FWindow->activateWindow();
            FSwitch = finished;
            QTimer::singleShot(1, this, [this, finished] { next(finished); });
            return;
        }
        FClock.start();
        FWaiting = false;
        // The calculator may paint before the key is through (Qt may process
        // pending events on the way): the paint ends the measure wherever it
        // comes.
        QTest::keySequence(FWindow->windowHandle(), QKeySequence(switches[FSwitch].keys));
    }

    QWidget* FWindow;
    QElapsedTimer FClock;
    int FSwitch = -1;
    bool FWaiting = false;
};

} // namespace

void installFirstPaintProbe(QWidget* window)
{
    new TSwitchProbe(window);
}
