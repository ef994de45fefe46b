// The address planner's files: plans saved and opened again, the questions
// before a plan is dropped, files that cannot be written or read, the map's
// pictures, and the plan remembered between runs.

#include "tests/planner/PlannerDriver.h"
#include "tests/support/UiFixture.h"

#include "planner/PlanMap.h"
#include "planner/RememberedPlan.h"

#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QSettings>
#include <QTableView>
#include <QTemporaryDir>

namespace {

const QStringList workedPlan = {
    "parents:10.20.0.0/22",
    "paste:sales\t100\noperations\t50\nlab\t/28\nlink 1\t2\nlink 2\t2\nlink 3\t2"};

} // namespace

class TestPlannerFiles : public QObject, PlannerDriver
{
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY(FDir.isValid());
        startPlanner();
    }
    void cleanup() { finish(); }

    void savedAndOpenedAgain()
    {
        runAll(workedPlan);
        runAll({"order:1", "grow:10"});
        QCOMPARE(read("title"), QStringLiteral("Untitled* - Address Planner - Zentrix"));
        const QString plan = FDir.filePath(QStringLiteral("office.zplan"));
        triggerPlanner("SavePlan"); // never saved: asks where
        answerFileDialog(plan);
        QCOMPARE(read("title"), QStringLiteral("office.zplan - Address Planner - Zentrix"));
        const QString rows = read("rows");

        triggerPlanner("NewPlan"); // nothing unsaved: no question
        QVERIFY(!questionOpen());
        QCOMPARE(read("requests"), QString());
        QCOMPARE(read("parentsText"), QString());
        triggerPlanner("OpenPlan");
        answerFileDialog(plan);
        QCOMPARE(read("rows"), rows);
        QCOMPARE(read("parentsText"), QStringLiteral("10.20.0.0/22"));
        QCOMPARE(inPlanner<QComboBox>(QStringLiteral("OrderBox"))->currentIndex(), 1);
        QCOMPARE(read("title"), QStringLiteral("office.zplan - Address Planner - Zentrix"));
    }

    void unsavedChangesAreAskedAbout()
    {
        runAll(workedPlan);
        // Cancel keeps the plan.
        triggerPlanner("NewPlan");
        QVERIFY(questionOpen());
        answerQuestion(QStringLiteral("Cancel"));
        QCOMPARE(read("parentsText"), QStringLiteral("10.20.0.0/22"));
        // Save asks where, saves, and then opens.
        const QString saved = FDir.filePath(QStringLiteral("first.zplan"));
        const QString other = FDir.filePath(QStringLiteral("second.zplan"));
        QFile file(other);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(R"({"format": "zentrix-plan", "version": 1, "parents": ["192.168.0.0/24"],
                       "requests": [{"name": "x", "size": "5"}]})");
        file.close();
        triggerPlanner("OpenPlan");
        answerQuestion(QStringLiteral("Save"));
        answerFileDialog(saved);
        answerFileDialog(other);
        QCOMPARE(read("requests"), QStringLiteral("x 5"));
        QVERIFY(PlannerDriver::fileContent(saved).contains("\"operations\""));
        // Discard drops the edit.
        run("edit:1:1:6");
        triggerPlanner("NewPlan");
        answerQuestion(QStringLiteral("Discard"));
        QCOMPARE(read("requests"), QString());
        QCOMPARE(PlannerDriver::fileContent(other).contains("\"6\""), false);
    }

    void filesThatFailLoseNothing_data()
    {
        QTest::addColumn<QByteArray>("content"); // of the file opened
        QTest::addColumn<QString>("message");
        QTest::newRow("empty") << QByteArray() << "is not a plan file";
        QTest::newRow("not JSON") << QByteArray("sales 100\n") << "is not a plan file";
        QTest::newRow("a later version")
            << QByteArray(R"({"format": "zentrix-plan", "version": 9, "parents": []})")
            << "line 1, column";
    }

    void filesThatFailLoseNothing()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        runAll(workedPlan);
        const QString rows = read("rows");
        // A save where no file can be: said, and the plan stays unsaved.
        triggerPlanner("SavePlanAs");
        answerFileDialog(FDir.filePath(QStringLiteral("no/such/folder/plan.zplan")));
        const QStringList saveMessages = MessageBoxCatcher::instance().take();
        QCOMPARE(saveMessages.size(), 1);
        QVERIFY2(saveMessages.front().startsWith(QStringLiteral("Could not save")),
                 qPrintable(saveMessages.front()));
        QCOMPARE(read("title"), QStringLiteral("Untitled* - Address Planner - Zentrix"));

        const QString bad = FDir.filePath(QStringLiteral("bad.zplan"));
        {
            QFile file(bad);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        triggerPlanner("OpenPlan");
        answerQuestion(QStringLiteral("Discard"));
        answerFileDialog(bad);
        const QStringList messages = MessageBoxCatcher::instance().take();
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages.front().contains(message), qPrintable(messages.front()));
        QCOMPARE(read("rows"), rows);
    }

    void mapPictures()
    {
        runAll(workedPlan);
        auto* map = inPlanner<TPlanMap>(QStringLiteral("PlanMap"));
        QGuiApplication::clipboard()->clear();
        triggerPlanner("CopyMapPicture");
        const QImage copied = QGuiApplication::clipboard()->image();
        QCOMPARE(copied.size(), map->size());
        // The first block's colour is where the map shows it.
        const QPoint sales = map->blockRect(0).center() + QPoint(0, 8);
        QCOMPARE(QColor(copied.pixel(sales)),
                 QColor(TMapPicture::blockColour(0, map->palette()).rgb()));

        const QString png = FDir.filePath(QStringLiteral("map.png"));
        triggerPlanner("SaveMapPicture");
        answerFileDialog(png);
        QCOMPARE(QImage(png).size(), map->size());
        const QString svg = FDir.filePath(QStringLiteral("map.svg"));
        triggerPlanner("SaveMapPicture");
        answerFileDialog(svg);
        const QByteArray drawn = PlannerDriver::fileContent(svg);
        QVERIFY(drawn.contains("<svg"));
        QVERIFY(drawn.contains("operations"));
    }

    void rememberedBetweenRuns()
    {
        runAll(workedPlan);
        run("p2p30");
        planner()->resize(900, 650);
        stop();
        // The main window's settings know nothing of the planner.
        QSettings settings;
        for (const QString& key : settings.allKeys())
            QVERIFY2(!key.contains(QStringLiteral("Plan"), Qt::CaseInsensitive), qPrintable(key));

        open();
        QVERIFY(form()->plannerWindow() == nullptr);
        openPlanner();
        TPlannerWindow* reopened = planner();
        QCOMPARE(reopened->size(), QSize(900, 650));
        QVERIFY(reopened->isWindowModified());
        QVERIFY(reopened->planResult());
        QCOMPARE(reopened->planFile().requests.size(), size_t(6));
        QVERIFY(reopened->planFile().options.p2p30);
        stop();
    }

    // A remembered plan that cannot be read is said, kept aside and not
    // written over; the planner starts empty.
    void damagedRememberedPlan()
    {
        stop();
        const QString store = TRememberedPlan::storeFileName();
        QFile file(store);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(
            "[General]\nPlan=\"{\\\"format\\\": \\\"zentrix-plan\\\", \\\"version\\\": 1}\"\n");
        file.close();
        open();
        trigger("AddressPlanner1");
        QCoreApplication::processEvents();
        const QStringList messages = MessageBoxCatcher::instance().take();
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages.front().contains(QStringLiteral("kept as")),
                 qPrintable(messages.front()));
        QVERIFY(QFile::exists(store + QStringLiteral(".unreadable")));
        QCOMPARE(planner()->planFile().parents.size(), size_t(0));
        stop();
        QFile::remove(store + QStringLiteral(".unreadable"));
        startPlanner();
    }

private:
    QTemporaryDir FDir;
};

ZENTRIX_UI_TEST_MAIN(TestPlannerFiles)
#include "tst_plannerfiles.moc"
