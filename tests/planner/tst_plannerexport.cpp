// The planner's copy and exports are the documents zentrix-cli plan gives
// for the plan file the window saved: the command line runs in this process.

#include "tests/planner/PlannerDriver.h"
#include "tests/support/UiFixture.h"

#include "cli/Cli.h"

#include <QClipboard>
#include <QFile>
#include <QTableView>
#include <QTemporaryDir>

namespace {

// zentrix-cli plan --file FILE FORMAT, in this process.
QByteArray cliPlan(const QString& fileName, const char* format)
{
    std::string out;
    {
        Output output(out);
        const QByteArray file = fileName.toLocal8Bit();
        const char* argv[] = {"zentrix-cli", "plan", "--file", file.constData(), format};
        runCli(5, argv, output);
    }
    return QByteArray::fromStdString(out);
}

} // namespace

class TestPlannerExport : public QObject, PlannerDriver
{
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY(FDir.isValid());
        startPlanner();
    }
    void cleanup() { finish(); }

    // The window's copy and exports are the command line's documents for
    // the plan file the window saved.
    void copyAndExportAsTheCommandLine_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::newRow("the 10.20.0.0/22 example") << QStringList{
            "parents:10.20.0.0/22",
            "paste:sales\t100\noperations\t50\nlab\t/28\nlink 1\t2\nlink 2\t2\nlink 3\t2"};
        QTest::newRow("IPv6 on nibbles, two parents")
            << QStringList{"parents:2001:db8::/48\n2001:db8:1::/48",
                           "paste:site\t/56\nlab\t/62\nhosts\t1000", "nibble"};
        QTest::newRow("names to quote, and one that did not fit")
            << QStringList{"parents:10.0.0.0/29", "paste:\"a, b\",/30\nc \\ d,/30\ne,/30"};
        QTest::newRow("a cloud mode, growth, the order given") << QStringList{
            "parents:10.0.0.0/16", "paste:web\t100\ndb\t10", "mode:1", "grow:20", "order:1"};
    }

    void copyAndExportAsTheCommandLine()
    {
        QFETCH(QStringList, steps);
        runAll(steps);
        const QString plan = FDir.filePath(QStringLiteral("plan.zplan"));
        for (const char* written : {"plan.zplan", "plan.csv", "plan.json"})
            QFile::remove(FDir.filePath(QLatin1String(written)));
        triggerPlanner("SavePlanAs");
        answerFileDialog(plan);
        QVERIFY(QFile::exists(plan));

        triggerPlanner("CopyTable");
        QCOMPARE(QGuiApplication::clipboard()->text().toUtf8(), cliPlan(plan, "--tsv"));
        const QString csv = FDir.filePath(QStringLiteral("plan.csv"));
        triggerPlanner("ExportCsv");
        answerFileDialog(csv);
        QCOMPARE(PlannerDriver::fileContent(csv), cliPlan(plan, "--csv"));
        const QString json = FDir.filePath(QStringLiteral("plan.json"));
        triggerPlanner("ExportJson");
        answerFileDialog(json);
        QCOMPARE(PlannerDriver::fileContent(json), cliPlan(plan, "--json"));

        // Ctrl+C in the table copies the selected rows under the header.
        auto* table = inPlanner<QTableView>(QStringLiteral("PlacedTable"));
        table->setFocus();
        table->selectRow(0);
        QTest::keyClick(table, Qt::Key_C, Qt::ControlModifier);
        const QList<QByteArray> lines = cliPlan(plan, "--tsv").split('\n').mid(0, 2);
        QCOMPARE(QGuiApplication::clipboard()->text().toUtf8(), lines.join('\n') + '\n');
    }

private:
    QTemporaryDir FDir;
};

ZENTRIX_UI_TEST_MAIN(TestPlannerExport)
#include "tst_plannerexport.moc"
