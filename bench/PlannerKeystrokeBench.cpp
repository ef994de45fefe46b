// What a keystroke costs in the address planner with 10,000 requests: the
// key typed into a request's size cell, or into the parents field, the plan
// made again and the window repainted, timed as one step. The window is the
// real one, opened from the main window's menu; the requests are pasted as
// a user pastes them. Prints the median and the worst of each.
//   planner_keystroke_bench [keystrokes]   (default 101 of each)
#include "app/Application.h"
#include "app/MainForm.h"
#include "planner/PlannerWindow.h"

#include <QAbstractItemView>
#include <QAction>
#include <QClipboard>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRandomGenerator>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int requestCount = 10000;

// Random sizes, as bench/plan.sh gives zentrix-cli: host counts from 1 to
// 2,000 and prefixes from /20 to /30, into a /8 that holds them all.
QString randomRequests()
{
    QRandomGenerator random(20);
    QString text;
    for (int i = 0; i < requestCount; ++i) {
        const QString size = random.bounded(2) ? QString::number(random.bounded(1, 2001))
                                               : QStringLiteral("/%1").arg(random.bounded(20, 31));
        text += QStringLiteral("subnet %1\t%2\n").arg(i).arg(size);
    }
    return text;
}

struct Timing
{
    double median = 0;
    double worst = 0;
};

template <class Key> Timing timeKeystrokes(TPlannerWindow* planner, int count, Key&& key)
{
    std::vector<double> times;
    for (int i = 0; i < count; ++i) {
        QElapsedTimer clock;
        clock.start();
        key(i);
        // The plan follows the keystroke once its events are handled; then
        // the window paints what changed, here at once.
        QCoreApplication::processEvents();
        planner->repaint();
        times.push_back(double(clock.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], times.back()};
}

void report(const char* what, const Timing& timing)
{
    std::printf("%-44s median %6.1f ms, worst %6.1f ms%s\n", what, timing.median, timing.worst,
                timing.median <= 100 ? "" : "  (over 100 ms)");
}

} // namespace

int main(int argc, char** argv)
{
    const int keystrokes = argc > 1 ? std::max(1, std::atoi(argv[1])) : 101;
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    TZentrixApplication app(argc, argv);
    TMainForm form;
    form.show();
    form.findChild<QAction*>(QStringLiteral("AddressPlanner1"))->trigger();
    TPlannerWindow* planner = form.plannerWindow();
    if (!QTest::qWaitForWindowExposed(planner))
        return 1;

    auto* parents = planner->findChild<QPlainTextEdit*>(QStringLiteral("ParentsEdit"));
    parents->setPlainText(QStringLiteral("10.0.0.0/8"));
    QGuiApplication::clipboard()->setText(randomRequests());
    planner->findChild<QAction*>(QStringLiteral("PasteRequests"))->trigger();
    QCoreApplication::processEvents();
    const PlanResult* result = planner->planResult();
    if (!result || result->placed.size() + result->unplaced.size() != size_t(requestCount)) {
        std::fprintf(stderr, "the plan of %d requests was not made\n", requestCount);
        return 1;
    }
    std::printf("%d requests into 10.0.0.0/8: %zu placed, %zu did not fit\n", requestCount,
                result->placed.size(), result->unplaced.size());

    // A size typed in the middle of the table: one digit more, then one less.
    auto* table = planner->findChild<QTableView*>(QStringLiteral("RequestTable"));
    table->setFocus();
    table->setCurrentIndex(table->model()->index(requestCount / 2, 1));
    QTest::keyClick(table, Qt::Key_F2);
    QLineEdit* editor = nullptr;
    for (QLineEdit* open : table->viewport()->findChildren<QLineEdit*>())
        if (open->isVisible())
            editor = open;
    if (!editor)
        return 1;
    QTest::keyClick(editor, Qt::Key_End);
    report("a key in a request's size cell:", timeKeystrokes(planner, keystrokes, [&](int i) {
               QTest::keyClick(editor, i % 2 ? Qt::Key_Backspace : Qt::Key_0);
           }));
    QTest::keyClick(editor, Qt::Key_Escape);

    // The parents field: a prefix length typed shorter and longer.
    parents->setFocus();
    parents->moveCursor(QTextCursor::End);
    report("a key in the parents field:", timeKeystrokes(planner, keystrokes, [&](int i) {
               QTest::keyClick(parents, i % 2 ? Qt::Key_8 : Qt::Key_Backspace);
           }));
    return 0;
}
