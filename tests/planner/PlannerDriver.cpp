#include "tests/planner/PlannerDriver.h"

#include "controls/FieldMark.h"
#include "planner/FactsPanel.h"
#include "planner/PlanMap.h"
#include "planner/RememberedPlan.h"
#include "tests/support/UiFixture.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTableView>

void PlannerDriver::startPlanner()
{
    start();
    QFile::remove(TRememberedPlan::storeFileName());
    openPlanner();
}

void PlannerDriver::openPlanner()
{
    trigger("AddressPlanner1");
    QVERIFY(planner() && planner()->isVisible());
    QVERIFY(QTest::qWaitForWindowExposed(planner()));
}

void PlannerDriver::triggerPlanner(const char* actionName)
{
    auto* action = planner()->findChild<QAction*>(QLatin1String(actionName));
    if (!action)
        qFatal("no action %s", actionName);
    action->trigger();
}

void PlannerDriver::typeLines(QWidget* field, const QString& text)
{
    field->setFocus();
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_Delete);
    // Lines are typed one by one, with Enter between them, as a user does.
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        if (i > 0)
            QTest::keyClick(field, Qt::Key_Return);
        QTest::keyClicks(field, lines[i]);
    }
}

void PlannerDriver::editCell(int row, int column, const QString& text, bool commit)
{
    auto* table = inPlanner<QTableView>(QStringLiteral("RequestTable"));
    const QModelIndex cell = table->model()->index(row - 1, column);
    table->setFocus();
    table->setCurrentIndex(cell);
    QTest::keyClick(table, Qt::Key_F2);
    // An editor closed before may still wait for its deletion.
    QLineEdit* editor = nullptr;
    for (QLineEdit* open : table->viewport()->findChildren<QLineEdit*>())
        if (open->isVisible())
            editor = open;
    QVERIFY2(editor, "no cell editor opened");
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(editor, text);
    if (commit)
        QTest::keyClick(editor, Qt::Key_Return);
}

void PlannerDriver::run(const QString& step)
{
    // Keys go to the active window: after a dialog, the planner is made so again.
    if (!planner()->isActiveWindow()) {
        planner()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(planner()));
    }
    const QString kind = step.section(QLatin1Char(':'), 0, 0);
    const QString argument = step.section(QLatin1Char(':'), 1);
    if (kind == QLatin1String("parents")) {
        typeLines(inPlanner(QStringLiteral("ParentsEdit")), argument);
    } else if (kind == QLatin1String("paste")) {
        QGuiApplication::clipboard()->setText(argument);
        inPlanner<QAbstractButton>(QStringLiteral("PasteRequestsButton"))->click();
    } else if (kind == QLatin1String("edit") || kind == QLatin1String("type")) {
        editCell(argument.section(QLatin1Char(':'), 0, 0).toInt(),
                 argument.section(QLatin1Char(':'), 1, 1).toInt(),
                 argument.section(QLatin1Char(':'), 2), kind == QLatin1String("edit"));
    } else if (kind == QLatin1String("mode") || kind == QLatin1String("order")) {
        auto* box = inPlanner<QComboBox>(
            kind == QLatin1String("mode") ? QStringLiteral("ModeBox") : QStringLiteral("OrderBox"));
        box->setFocus();
        // Keys choose the entry, as they do on a closed combo box.
        QTest::keyClick(box, Qt::Key_Home);
        for (int i = 0; i < argument.toInt(); ++i)
            QTest::keyClick(box, Qt::Key_Down);
    } else if (kind == QLatin1String("grow")) {
        typeLines(inPlanner(QStringLiteral("GrowBox")), argument);
    } else if (kind == QLatin1String("nibble") || kind == QLatin1String("p2p30") ||
               kind == QLatin1String("p2p127")) {
        auto* box =
            inPlanner<QCheckBox>(kind == QLatin1String("nibble")  ? QStringLiteral("NibbleBox")
                                 : kind == QLatin1String("p2p30") ? QStringLiteral("P2p30Box")
                                                                  : QStringLiteral("P2p127Box"));
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    } else if (kind == QLatin1String("esc")) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    } else if (kind == QLatin1String("select")) {
        auto* table = inPlanner<QTableView>(QStringLiteral("RequestTable"));
        const QRect cell = table->visualRect(table->model()->index(argument.toInt() - 1, 0));
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    } else {
        static const QHash<QString, const char*> actions = {
            {QStringLiteral("add"), "AddRequest"}, {QStringLiteral("remove"), "RemoveRequests"},
            {QStringLiteral("up"), "MoveUp"},      {QStringLiteral("down"), "MoveDown"},
            {QStringLiteral("undo"), "Undo"},      {QStringLiteral("redo"), "Redo"}};
        if (!actions.contains(kind))
            qFatal("unknown step %s", qPrintable(step));
        triggerPlanner(actions.value(kind));
    }
    // The plan follows once the events of the step are handled.
    QCoreApplication::processEvents();
}

void PlannerDriver::runAll(const QStringList& steps)
{
    for (const QString& step : steps) {
        run(step);
        if (QTest::currentTestFailed())
            return;
    }
}

QString PlannerDriver::rowText(const QAbstractItemView* view, int row, QChar separator)
{
    QStringList cells;
    for (int column = 0; column < view->model()->columnCount(); ++column)
        cells << view->model()->index(row, column).data().toString();
    return cells.join(separator);
}

QString PlannerDriver::read(const QString& what) const
{
    static const QHash<QString, QString> tables = {
        {QStringLiteral("rows"), QStringLiteral("PlacedTable")},
        {QStringLiteral("requests"), QStringLiteral("RequestTable")},
        {QStringLiteral("unplaced"), QStringLiteral("UnplacedTable")},
        {QStringLiteral("free"), QStringLiteral("FreeTable")}};
    if (tables.contains(what)) {
        auto* table = inPlanner<QTableView>(tables.value(what));
        // A request reads as it would be typed, "name size".
        const QChar separator =
            what == QLatin1String("requests") ? QLatin1Char(' ') : QLatin1Char('|');
        QStringList rows;
        for (int row = 0; row < table->model()->rowCount(); ++row)
            rows << rowText(table, row, separator);
        return rows.join(QLatin1Char(';'));
    }
    if (what == QLatin1String("parentsText"))
        return inPlanner<QPlainTextEdit>(QStringLiteral("ParentsEdit"))->toPlainText();
    if (what.startsWith(QLatin1String("fact:")))
        return inPlanner<TFactsPanel>(QStringLiteral("FactsPanel"))->value(what.mid(5));
    if (what == QLatin1String("title"))
        return planner()->windowTitle().replace(
            QStringLiteral("[*]"), planner()->isWindowModified() ? QStringLiteral("*") : QString());
    if (what == QLatin1String("marked")) {
        QStringList marked;
        for (const char* name :
             {"ParentsEdit", "ModeBox", "GrowBox", "NibbleBox", "P2p30Box", "P2p127Box"})
            if (fieldmark::isMarked(inPlanner(QLatin1String(name))))
                marked << QLatin1String(name);
        const QAbstractItemModel* requests =
            inPlanner<QTableView>(QStringLiteral("RequestTable"))->model();
        for (int row = 0; row < requests->rowCount(); ++row)
            for (int column = 0; column < 2; ++column)
                if (requests->index(row, column).data(Qt::BackgroundRole).isValid())
                    marked << QStringLiteral("cell %1,%2").arg(row + 1).arg(column);
        return marked.join(QLatin1Char(' '));
    }
    if (auto* label = planner()->findChild<QLabel*>(what))
        return label->isVisible() ? label->text() : QString();
    qFatal("nothing to read as %s", qPrintable(what));
}

void PlannerDriver::answerFileDialog(const QString& fileName)
{
    WindowDriver::answerFileDialog(planner(), fileName);
}

QMessageBox* PlannerDriver::question() const
{
    for (QMessageBox* box : planner()->findChildren<QMessageBox*>(QStringLiteral("SaveChangesBox")))
        if (box->isVisible())
            return box;
    return nullptr;
}

bool PlannerDriver::questionOpen() const
{
    return question() != nullptr;
}

void PlannerDriver::answerQuestion(const QString& button)
{
    QMessageBox* box = question();
    QVERIFY2(box, "no question open");
    for (QAbstractButton* choice : box->buttons())
        if (choice->text().remove(QLatin1Char('&')) == button) {
            choice->click();
            QCoreApplication::processEvents();
            return;
        }
    QFAIL(qPrintable("no button " + button));
}

void PlannerDriver::clickMapBlock(int placed)
{
    auto* map = inPlanner<TPlanMap>(QStringLiteral("PlanMap"));
    QTest::mouseClick(map, Qt::LeftButton, {}, map->blockRect(placed).center());
}

void PlannerDriver::clickPlacedRow(int row)
{
    auto* table = inPlanner<QTableView>(QStringLiteral("PlacedTable"));
    const QRect cell = table->visualRect(table->model()->index(row, 0));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
}

QByteArray PlannerDriver::fileContent(const QString& fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}
