#include "tests/app/StoredSettings.h"
#include "tests/support/LatencyDriver.h"

#include "path/LatencyLayout.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QSettings>

namespace {

struct StoredNetwork
{
    TNetworkButtonKind kind;
    float bandwidth;
    int32_t delay;
    QString name;
    QPoint position;
};

// Lays out the given networks between the nodes, replacing the first-run one.
void layOut(TLatencyChain& chain, const QList<StoredNetwork>& networks)
{
    std::vector<TNetworkElement> elements;
    for (const StoredNetwork& stored : networks) {
        TNetworkElement element = TChainValue::freshNetwork();
        element.Kind = stored.kind;
        element.Bandwidth = stored.bandwidth;
        element.PropagationDelay = stored.delay;
        element.NetworkName = stored.name.toStdString();
        element.Position = {stored.position.x(), stored.position.y()};
        elements.push_back(element);
    }
    chain.replaceNetworks(elements);
}

// The settings file as it is on disk.
QByteArray storedBytes()
{
    QFile file(QSettings().fileName());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(no file)");
}

} // namespace

// What the window saves comes back at the next start: the chain, the
// calculator shown, the records byte for byte.
class TestSettings : public QObject, LatencyDriver
{
    Q_OBJECT

    // Where system-wide settings are looked for while the tests run.
    QTemporaryDir systemFolder;

private slots:
    void initTestCase()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope, systemFolder.path());
    }
    void init() { clearStoredSettings(); }
    void cleanup() { finish(); }

    void firstRunDefaults()
    {
        open();
        const TLatencyChain& chain = calc()->chain();
        QCOMPARE(chain.count(), 3);
        QCOMPARE(chain.nodeA().PacketSize, 64);
        QCOMPARE(chain.nodeB().PacketSize, 1024);
        QVERIFY(find<QAction>("VantrelCalculator1")->isChecked());
        stop();
        QSettings stored;
        QCOMPARE(stored.value("NumNetworks").toInt(), 1);
        QCOMPARE(stored.value("Calculator").toInt(), 1);
    }

    void layoutSurvivesARestart()
    {
        const QList<StoredNetwork> networks{
            {nbEthernet, 10.0f, 0, "Ethernet", QPoint(72, 8)},
            {nbTCarrier, 1.544f, 12, "T1", QPoint(136, 72)},
            {nbSatellite, 0.064f, 250, "Satellite", QPoint(8, 136)},
        };
        open();
        layOut(calc()->chain(), networks);
        trigger("LatencyCalculator1");
        stop();
        QSettings stored;
        QCOMPARE(stored.value("NumNetworks").toInt(), 3);
        QCOMPARE(stored.value("Calculator").toInt(), 2);
        for (const char* name :
             {"Network1", "Network2", "Network3", "Network1Name", "Network2Name", "Network3Name"})
            QVERIFY2(stored.contains(name), name);

        open();
        QVERIFY(find<QAction>("LatencyCalculator1")->isChecked());
        QVERIFY(!calc()->isHidden());
        const TLatencyChain& chain = calc()->chain();
        QCOMPARE(chain.count(), 5);
        for (int i = 0; i < networks.size(); ++i) {
            const TNetworkElement& element = chain.at(i + 1);
            QCOMPARE(element.Kind, networks[i].kind);
            QCOMPARE(element.Bandwidth, networks[i].bandwidth);
            QCOMPARE(element.PropagationDelay, networks[i].delay);
            QCOMPARE(qText(element.NetworkName), networks[i].name);
            QCOMPARE(qPoint(element.Position), networks[i].position);
            QCOMPARE(elementButton(i + 1)->pos(), networks[i].position);
        }
        // A bandwidth kept in single precision reads back as it was typed.
        QCOMPARE(qText(chain.at(2).Hint), QStringLiteral("T1 (1.544 Mbps)"));
        QCOMPARE(chain.selectedElement(), 3);
    }

    void shorterChainLeavesEarlierValuesAlone()
    {
        open();
        layOut(calc()->chain(), QList<StoredNetwork>(5, {nbFDDI, 100.0f, 0, "FDDI", QPoint(8, 8)}));
        open();
        TLatencyChain& chain = calc()->chain();
        QCOMPARE(chain.count(), 7);
        while (chain.count() > 4)
            QVERIFY(chain.removeNetwork(1));
        stop();
        QSettings stored;
        QCOMPARE(stored.value("NumNetworks").toInt(), 2);
        for (const char* name : {"Network3", "Network4", "Network5", "Network5Name"})
            QVERIFY2(stored.contains(name), name);
        open();
        QCOMPARE(calc()->chain().count(), 4);
    }

    void calculatorFollowsTheShownContainer_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<int>("stored");
        QTest::newRow("number-base") << "RadixorCalculator1" << 0;
        QTest::newRow("subnet") << "VantrelCalculator1" << 1;
        QTest::newRow("latency") << "LatencyCalculator1" << 2;
    }

    void calculatorFollowsTheShownContainer()
    {
        QFETCH(QString, item);
        QFETCH(int, stored);
        open();
        trigger(qPrintable(item));
        // Closing hides the window before it goes; the choice must survive that.
        form()->close();
        stop();
        QCOMPARE(QSettings().value("Calculator").toInt(), stored);
        open();
        QVERIFY(find<QAction>(item)->isChecked());
    }

    // The calculator shown at start is the only one made; the latency layout
    // waits as it was read, goes back to the store byte for byte if the
    // latency calculator is never opened, and shows when it is.
    void layoutWaitsForTheLatencyCalculator_data()
    {
        QTest::addColumn<int>("calculator");
        QTest::addColumn<bool>("firstRun");
        QTest::newRow("first run, number-base shown") << 0 << true;
        QTest::newRow("first run, subnet shown") << 1 << true;
        QTest::newRow("stored layout, number-base shown") << 0 << false;
        QTest::newRow("stored layout, subnet shown") << 1 << false;
    }

    void layoutWaitsForTheLatencyCalculator()
    {
        QFETCH(int, calculator);
        QFETCH(bool, firstRun);
        const char* const items[] = {"RadixorCalculator1", "VantrelCalculator1"};
        if (firstRun) {
            // What a first run writes is what the next run reads.
            open();
            trigger(items[calculator]);
            stop();
        } else {
            // A topology typed by the user, and a network left from a
            // longer chain beyond the stored count.
            plant({{"Calculator", calculator},
                   {"NumNetworks", 2},
                   {"NodeA", bytesOf({0x2c, 1, 0, 0, 7, 0, 0, 0})},
                   {"NodeB", bytesOf({0, 4, 0, 0, 0, 0, 0, 0})},
                   {"Network1", networkBytes(45.0f, nbOther, 72, 12, 8)},
                   {"Network1Name", "Metro Fibre"},
                   {"Network2", networkBytes(1.544f, nbTCarrier, 136, 0, 72)},
                   {"Network2Name", "T1"},
                   {"Network3", networkBytes(10.0f, nbEthernet, 8, 0, 136)},
                   {"Network3Name", "Ethernet"}});
        }
        const QByteArray read = storedBytes();
        open();
        QVERIFY(!form()->findChild<TLatencyCalc*>());
        stop();
        QCOMPARE(storedBytes(), read);

        open();
        trigger("LatencyCalculator1");
        const TLatencyChain& chain = calc()->chain();
        if (firstRun) {
            QCOMPARE(chain.count(), 3);
            return;
        }
        QCOMPARE(chain.count(), 4);
        QCOMPARE(chain.nodeA().PacketSize, 300);
        QCOMPARE(chain.nodeA().ProcessTime, 7);
        QCOMPARE(qText(element(1).NetworkName), QStringLiteral("Metro Fibre"));
        QCOMPARE(elementButton(1)->pos(), QPoint(72, 8));
        QCOMPARE(element(1).PropagationDelay, 12);
        QCOMPARE(qText(element(2).Hint), QStringLiteral("T1 (1.544 Mbps)"));
        QCOMPARE(calc()->propertiesForm()->TopologyList().count("Metro Fibre"), 1);
    }

    void typedTopologyJoinsTheList()
    {
        plant({{"Calculator", 2},
               {"NumNetworks", 2},
               {"Network1", networkBytes(45.0f, nbOther)},
               {"Network1Name", "Metro Fibre"},
               {"Network2", networkBytes(10.0f, nbEthernet)},
               {"Network2Name", "ETHERNET"}});
        open();
        const QStringList topologies = calc()->propertiesForm()->TopologyList();
        QCOMPARE(topologies.count("Metro Fibre"), 1);
        const TLatencyChain& chain = calc()->chain();
        QCOMPARE(chain.at(1).TopologyIndex, topologies.indexOf("Metro Fibre"));
        QCOMPARE(chain.at(1).BandwidthIndex, -1);
        // Letter case is ignored: the known entry is found, not added again.
        QCOMPARE(topologies.filter("ethernet", Qt::CaseInsensitive).size(), 1);
        QCOMPARE(chain.at(2).TopologyIndex, topologies.indexOf("Ethernet"));
        QVERIFY(chain.at(2).BandwidthIndex >= 0);
        QCOMPARE(qText(chain.at(2).Hint), QStringLiteral("ETHERNET (10 Mbps)"));
    }

    // OK on a dialog the user did not touch leaves a restored element as it
    // was; a network stored without a name keeps its empty name.
    void okWithoutAChangeKeepsARestoredElement_data()
    {
        QTest::addColumn<QByteArray>("record");
        QTest::addColumn<QString>("name");
        QTest::newRow("ATM without a name") << networkBytes(155.52f, nbATM) << QString();
        QTest::newRow("one's own kind without a name") << networkBytes(0.5f, nbOther) << QString();
        QTest::newRow("one's own kind, named") << networkBytes(2.5f, nbOther) << "Metro Fibre";
    }

    void okWithoutAChangeKeepsARestoredElement()
    {
        QFETCH(QByteArray, record);
        QFETCH(QString, name);
        QMap<QString, QVariant> values{{"Calculator", 2}, {"NumNetworks", 1}, {"Network1", record}};
        if (!name.isEmpty())
            values.insert("Network1Name", name);
        plant(values);
        open();
        activate(form());
        const TNetworkElement before = element(1);
        openProperties(1);
        TTNetworkButtonForm* properties = calc()->propertiesForm();
        QCOMPARE(properties->windowTitle(), name + " Properties");
        // The focus in the first field, where Tab or a click puts it: leaving
        // it for OK changes nothing either.
        auto* topology = properties->findChild<QWidget*>("TopologyComboBox");
        topology->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(topology->hasFocus());
        clickOk();
        QVERIFY(!properties->isVisible());
        QCOMPARE(properties->windowTitle(), name + " Properties");
        const TNetworkElement after = element(1);
        QCOMPARE(qText(after.NetworkName), name);
        QCOMPARE(qText(after.Hint), qText(before.Hint));
        QCOMPARE(int(after.Kind), int(before.Kind));
        QCOMPARE(after.Bandwidth, before.Bandwidth);
        QCOMPARE(after.TopologyIndex, before.TopologyIndex);
        QCOMPARE(after.BandwidthIndex, before.BandwidthIndex);
    }

    void recordsAreLaidOutByteForByte()
    {
        open();
        TLatencyChain& chain = calc()->chain();
        TNetworkElement nodeA = chain.nodeA();
        nodeA.ProcessTime = 5;
        chain.setElement(0, nodeA);
        layOut(chain, {{nbEthernet, 10.0f, 7, "Ethernet", QPoint(72, 136)}});
        stop();
        QSettings stored;
        QCOMPARE(stored.value("NodeA").toByteArray().toHex(' '),
                 QByteArray("40 00 00 00 05 00 00 00"));
        QCOMPARE(stored.value("NodeB").toByteArray().toHex(' '),
                 QByteArray("00 04 00 00 00 00 00 00"));
        QCOMPARE(stored.value("Network1").toByteArray().toHex(' '),
                 QByteArray("00 00 20 41 04 00 00 00 48 00 00 00 07 00 00 00 88 00 00 00"));
        QCOMPARE(stored.value("Network1Name").toString(), QStringLiteral("Ethernet"));
    }

    // Restoring a network's kind must not offer "Remove" for the sole network.
    void removeOfferedOnlyWithTwoRestoredNetworks_data()
    {
        QTest::addColumn<int>("networks");
        QTest::addColumn<bool>("removable");
        QTest::newRow("one T1") << 1 << false;
        QTest::newRow("two T1") << 2 << true;
        QTest::newRow("three T1") << 3 << true;
    }

    void removeOfferedOnlyWithTwoRestoredNetworks()
    {
        QFETCH(int, networks);
        QFETCH(bool, removable);
        QMap<QString, QVariant> values{{"Calculator", 2}, {"NumNetworks", networks}};
        for (int n = 1; n <= networks; ++n) {
            values.insert(QStringLiteral("Network%1").arg(n),
                          networkBytes(1.544f, nbTCarrier, 75, 5, 72));
            values.insert(QStringLiteral("Network%1Name").arg(n), "T1");
        }
        plant(values);
        open();
        QCOMPARE(calc()->chain().count(), networks + 2);
        for (int i = 1; i <= networks; ++i) {
            QCOMPARE(element(i).Kind, nbTCarrier);
            QCOMPARE(removeOffered(i), removable);
        }
        QCOMPARE(find<QMenu>("RemoveNetwork1")->menuAction()->isVisible(), removable);
    }
};

ZENTRIX_UI_TEST_MAIN(TestSettings)
#include "tst_settings.moc"
