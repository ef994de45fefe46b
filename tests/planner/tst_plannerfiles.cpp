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

class TestPlannerFiles : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY(FDir.isValid());
        D.start();
    }
    void cleanup()
    {
        D.stop();
        ZENTRIX_EXPECT_NO_MESSAGES();
    }

    void savedAndOpenedAgain()
    {
        D.runAll(workedPlan);
        D.runAll({"order:1", "grow:10"});
        QCOMPARE(D.read("title"), QStringLiteral("Untitled* - Address Planner - Zentrix"));
        const QString plan = FDir.filePath(QStringLiteral("office.zplan"));
        D.trigger("SavePlan"); // never saved: asks where
        D.answerFileDialog(plan);
        QCOMPARE(D.read("title"), QStringLiteral("office.zplan - Address Planner - Zentrix"));
        const QString rows = D.read("rows");

        D.trigger("NewPlan"); // nothing unsaved: no question
        QVERIFY(!D.questionOpen());
        QCOMPARE(D.read("requests"), QString());
        QCOMPARE(D.read("parentsText"), QString());
        D.trigger("OpenPlan");
        D.answerFileDialog(plan);
        QCOMPARE(D.read("rows"), rows);
        QCOMPARE(D.read("parentsText"), QStringLiteral("10.20.0.0/22"));
        QCOMPARE(D.find<QComboBox>(QStringLiteral("OrderBox"))->currentIndex(), 1);
        QCOMPARE(D.read("title"), QStringLiteral("office.zplan - Address Planner - Zentrix"));
    }

    void unsavedChangesAreAskedAbout()
    {
        D.runAll(workedPlan);
        // Cancel keeps the plan.
        D.trigger("NewPlan");
        QVERIFY(D.questionOpen());
        D.answerQuestion(QStringLiteral("Cancel"));
        QCOMPARE(D.read("parentsText"), QStringLiteral("10.20.0.0/22"));
        // Save asks where, saves, and then opens.
        const QString saved = FDir.filePath(QStringLiteral("first.zplan"));
        const QString other = FDir.filePath(QStringLiteral("second.zplan"));
        QFile file(other);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(R"({"format": "zentrix-plan", "version": 1, "parents": ["192.168.0.0/24"],
                       "requests": [{"name": "x", "size": "5"}]})");
        file.close();
        D.trigger("OpenPlan");
        D.answerQuestion(QStringLiteral("Save"));
        D.answerFileDialog(saved);
        D.answerFileDialog(other);
        QCOMPARE(D.read("requests"), QStringLiteral("x 5"));
        QVERIFY(PlannerDriver::fileContent(saved).contains("\"operations\""));
        // Discard drops the edit.
        D.run("edit:1:1:6");
        D.trigger("NewPlan");
        D.answerQuestion(QStringLiteral("Discard"));
        QCOMPARE(D.read("requests"), QString());
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
        D.runAll(workedPlan);
        const QString rows = D.read("rows");
        // A save where no file can be: said, and the plan stays unsaved.
        D.trigger("SavePlanAs");
        D.answerFileDialog(FDir.filePath(QStringLiteral("no/such/folder/plan.zplan")));
        const QStringList saveMessages = MessageBoxCatcher::instance().take();
        QCOMPARE(saveMessages.size(), 1);
        QVERIFY2(saveMessages.front().startsWith(QStringLiteral("Could not save")),
                 qPrintable(saveMessages.front()));
        QCOMPARE(D.read("title"), QStringLiteral("Untitled* - Address Planner - Zentrix"));

        const QString bad = FDir.filePath(QStringLiteral("bad.zplan"));
        {
            QFile file(bad);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        D.trigger("OpenPlan");
        D.answerQuestion(QStringLiteral("Discard"));
        D.answerFileDialog(bad);
        const QStringList messages = MessageBoxCatcher::instance().take();
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages.front().contains(message), qPrintable(messages.front()));
        QCOMPARE(D.read("rows"), rows);
    }

    void mapPictures()
    {
        D.runAll(workedPlan);
        auto* map = D.find<TPlanMap>(QStringLiteral("PlanMap"));
        QGuiApplication::clipboard()->clear();
        D.trigger("CopyMapPicture");
        const QImage copied = QGuiApplication::clipboard()->image();
        QCOMPARE(copied.size(), map->size());
        // The first block's colour is where the map shows it.
        const QPoint sales = map->blockRect(0).center() + QPoint(0, 8);
        QCOMPARE(QColor(copied.pixel(sales)),
                 QColor(TMapPicture::blockColour(0, map->palette()).rgb()));

        const QString png = FDir.filePath(QStringLiteral("map.png"));
        D.trigger("SaveMapPicture");
        D.answerFileDialog(png);
        QCOMPARE(QImage(png).size(), map->size());
        const QString svg = FDir.filePath(QStringLiteral("map.svg"));
        D.trigger("SaveMapPicture");
        D.answerFileDialog(svg);
        const QByteArray drawn = PlannerDriver::fileContent(svg);
        QVERIFY(drawn.contains("<svg"));
        QVERIFY(drawn.contains("operations"));
    }

    void rememberedBetweenRuns()
    {
        D.runAll(workedPlan);
        D.run("p2p30");
        D.planner()->resize(900, 650);
        D.stop();
        // The main window's settings know nothing of the planner.
        QSettings settings;
        for (const QString& key : settings.allKeys())
            QVERIFY2(!key.contains(QStringLiteral("Plan"), Qt::CaseInsensitive), qPrintable(key));

        auto form = makeMainForm();
        QVERIFY(form->plannerWindow() == nullptr);
        form->findChild<QAction*>(QStringLiteral("AddressPlanner1"))->trigger();
        TPlannerWindow* planner = form->plannerWindow();
        QCOMPARE(planner->size(), QSize(900, 650));
        QVERIFY(planner->isWindowModified());
        QVERIFY(planner->planResult());
        QCOMPARE(planner->planFile().requests.size(), size_t(6));
        QVERIFY(planner->planFile().options.p2p30);
        form.reset();
    }

    // A remembered plan that cannot be read is said, kept aside and not
    // written over; the planner starts empty.
    void damagedRememberedPlan()
    {
        D.stop();
        const QString store = TRememberedPlan::storeFileName();
        QFile file(store);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(
            "[General]\nPlan=\"{\\\"format\\\": \\\"zentrix-plan\\\", \\\"version\\\": 1}\"\n");
        file.close();
        auto form = makeMainForm();
        form->findChild<QAction*>(QStringLiteral("AddressPlanner1"))->trigger();
        QCoreApplication::processEvents();
        const QStringList messages = MessageBoxCatcher::instance().take();
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages.front().contains(QStringLiteral("kept as")),
                 qPrintable(messages.front()));
        QVERIFY(QFile::exists(store + QStringLiteral(".unreadable")));
        QCOMPARE(form->plannerWindow()->planFile().parents.size(), size_t(0));
        form.reset();
        QFile::remove(store + QStringLiteral(".unreadable"));
        D.start();
    }

private:
    PlannerDriver D;
    QTemporaryDir FDir;
};

ZENTRIX_UI_TEST_MAIN(TestPlannerFiles)
#include "tst_plannerfiles.moc"
