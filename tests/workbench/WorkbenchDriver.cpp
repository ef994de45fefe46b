#include "tests/workbench/WorkbenchDriver.h"

#include "workbench/BitGrid.h"
#include "workbench/RememberedWorkbench.h"
#include "workbench/ViewPanel.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QSpinBox>

void WorkbenchDriver::startWorkbench()
{
    start();
    QFile::remove(TRememberedWorkbench::storeFileName());
    openWorkbench();
}

void WorkbenchDriver::openWorkbench()
{
    trigger("BitWorkbench1");
    QVERIFY(workbench() && workbench()->isVisible());
    QVERIFY(QTest::qWaitForWindowExposed(workbench()));
    activate(workbench());
}

void WorkbenchDriver::dragOnGrid(unsigned from, unsigned to)
{
    auto* grid = inWorkbench<TBitGrid>(QStringLiteral("BitGrid"));
    const QPoint start = grid->cellRect(from).center();
    const QPoint end = grid->cellRect(to).center();
    QTest::mousePress(grid, Qt::LeftButton, {}, start);
    // Through the cells between, as a hand moves.
    QTest::mouseMove(grid, (start + end) / 2);
    QTest::mouseMove(grid, end);
    QTest::mouseRelease(grid, Qt::LeftButton, {}, end);
}

void WorkbenchDriver::run(const QString& step)
{
    if (!workbench()->isActiveWindow())
        activate(workbench());
    const QString kind = step.section(QLatin1Char(':'), 0, 0);
    const QString argument = step.section(QLatin1Char(':'), 1);
    if (kind == QLatin1String("type")) {
        typeOver(inWorkbench(QStringLiteral("ValueEdit")), argument);
    } else if (kind == QLatin1String("paste")) {
        pasteInto(inWorkbench<QLineEdit>(QStringLiteral("ValueEdit")), argument);
    } else if (kind == QLatin1String("operand")) {
        typeOver(inWorkbench(QStringLiteral("OperandEdit")), argument);
    } else if (kind == QLatin1String("count")) {
        typeOver(inWorkbench<QSpinBox>(QStringLiteral("CountBox")), argument);
    } else if (kind == QLatin1String("width")) {
        auto* box = inWorkbench<QComboBox>(QStringLiteral("WidthBox"));
        box->setFocus(Qt::TabFocusReason);
        // The arrow keys step to the width, as on a closed combo box: each
        // width on the way is chosen in turn.
        const int steps = box->findData(argument.toUInt()) - box->currentIndex();
        for (int i = 0; i < std::abs(steps); ++i)
            QTest::keyClick(box, steps > 0 ? Qt::Key_Down : Qt::Key_Up);
    } else if (kind == QLatin1String("signed") || kind == QLatin1String("carry")) {
        clickItem(inWorkbench<QCheckBox>(kind == QLatin1String("signed")
                                             ? QStringLiteral("SignedBox")
                                             : QStringLiteral("CarryBox")));
    } else if (kind == QLatin1String("click")) {
        auto* grid = inWorkbench<TBitGrid>(QStringLiteral("BitGrid"));
        QTest::mouseClick(grid, Qt::LeftButton, {}, grid->cellRect(argument.toUInt()).center());
    } else if (kind == QLatin1String("drag")) {
        dragOnGrid(argument.section(QLatin1Char('-'), 0, 0).toUInt(),
                   argument.section(QLatin1Char('-'), 1, 1).toUInt());
    } else if (kind == QLatin1String("keys")) {
        auto* grid = inWorkbench<TBitGrid>(QStringLiteral("BitGrid"));
        grid->setFocus(Qt::TabFocusReason);
        QTest::keySequence(grid, QKeySequence(argument));
    } else if (kind == QLatin1String("shortcut")) {
        auto* entry = inWorkbench(QStringLiteral("ValueEdit"));
        entry->setFocus(Qt::TabFocusReason);
        QTest::keySequence(workbench()->windowHandle(), QKeySequence(argument));
    } else if (kind == QLatin1String("copyform")) {
        inWorkbench<QComboBox>(QStringLiteral("CopyFormBox"))->setCurrentIndex(argument.toInt());
    } else if (kind == QLatin1String("copy")) {
        click(inWorkbench(QStringLiteral("CopyButton")));
    } else if (kind == QLatin1String("undo") || kind == QLatin1String("redo")) {
        inWorkbench<QAction>(kind == QLatin1String("undo") ? QStringLiteral("Undo")
                                                           : QStringLiteral("Redo"))
            ->trigger();
    } else {
        click(inWorkbench(kind + QStringLiteral("Button")));
    }
    QCoreApplication::processEvents();
}

void WorkbenchDriver::runAll(const QStringList& steps)
{
    for (const QString& step : steps) {
        run(step);
        if (QTest::currentTestFailed())
            return;
    }
}

QString WorkbenchDriver::read(const QString& what) const
{
    if (what.startsWith(QLatin1String("view:"))) {
        for (const char* name : {"IntegerViews", "FloatViews"}) {
            auto* panel = inWorkbench<TViewPanel>(QLatin1String(name));
            const QString text = panel->text(what.mid(5));
            if (!text.isEmpty() && panel->isVisibleTo(workbench()))
                return text;
        }
        return {};
    }
    if (what == QLatin1String("entry"))
        return inWorkbench<QLineEdit>(QStringLiteral("ValueEdit"))->text();
    if (what == QLatin1String("message"))
        return inWorkbench<QLabel>(QStringLiteral("MessageLine"))->text();
    if (what == QLatin1String("field"))
        return inWorkbench<QLabel>(QStringLiteral("FieldLine"))->text();
    if (what == QLatin1String("width"))
        return inWorkbench<QComboBox>(QStringLiteral("WidthBox"))->currentText();
    if (what == QLatin1String("signed") || what == QLatin1String("carry"))
        return inWorkbench<QCheckBox>(what == QLatin1String("signed") ? QStringLiteral("SignedBox")
                                                                      : QStringLiteral("CarryBox"))
                       ->isChecked()
                   ? QStringLiteral("yes")
                   : QStringLiteral("no");
    if (what == QLatin1String("history")) {
        const QAbstractItemModel* history =
            inWorkbench<QListView>(QStringLiteral("HistoryView"))->model();
        QStringList entries;
        for (int row = 0; row < history->rowCount(); ++row)
            entries << history->index(row, 0).data().toString();
        return entries.join(QLatin1Char(';'));
    }
    qFatal("nothing to read as %s", qPrintable(what));
}
